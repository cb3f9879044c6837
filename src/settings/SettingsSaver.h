#pragma once
// Writes the settings back: "設定保存" (@ConfigSave), the view's destruction and
// the shut-down path.  The file is always written anew from the start, under a
// temporary name that replaces the old file only when all of it was written.
//
//     SettingsSaver saver({programDir, windowsDir, userName});
//     if (startupReader.Damaged()) saver.KeepBackupOf(startupReader.Path());
//     SaveOutcome done = saver.Save(settings, {userIniMode, userIniPath, noSaveAtExit});   // @ConfigSave
//     if (IsSaveFailure(done)) show(saver.FailureText());
//     saver.SaveFinal(settings, …);   // at the end: saves once, later calls do nothing
#include <string>

#include "settings/IniFile.h"
#include "settings/Settings.h"

namespace zq {

struct SaveEnvironment {
    std::wstring programDir;
    std::wstring windowsDir;
    std::wstring userName;
    // The program makes its directory current before writing; tests keep theirs.
    bool setCurrentDirectory = true;
    IniRetryPolicy retry;    // for reading the old main file
    IniWriteFunction write;  // empty: the platform's WriteFile
};

// The user's choices in "ユーザーごとのIniファイルの設定".
struct UserIniState {
    bool mode = false;          // "User毎のIniファイルを使用する"
    std::wstring path;          // as stored in USERINI (without "@")
    bool noSaveAtExit = false;  // "終了時にIniファイルを保存しない", for this run only
};

enum class SaveOutcome {
    Skipped,   // the final save was done, or the user chose not to save (user-ini mode off)
    Failed,    // the main file was not written; the old one is as it was
    MainOnly,  // user-ini mode with "終了時にIniファイルを保存しない": only the main file was written
    UserFileFailed,  // user-ini mode: the main file was written, the user's file could not be
    Saved,           // every setting was written
};

[[nodiscard]] constexpr bool IsSaveFailure(SaveOutcome outcome) noexcept {
    return outcome == SaveOutcome::Failed || outcome == SaveOutcome::UserFileFailed;
}

class SettingsSaver {
  public:
    explicit SettingsSaver(SaveEnvironment environment) : m_env(std::move(environment)) {}

    SaveOutcome Save(const Settings& settings, const UserIniState& user);
    // The last save of the run: afterwards Save and SaveFinal do nothing.
    SaveOutcome SaveFinal(const Settings& settings, const UserIniState& user);
    [[nodiscard]] bool FinalSaveDone() const noexcept { return m_finalSaveDone; }
    // The user-ini dialog may change the name the USERINI line is written under.
    void SetUserName(std::wstring userName) { m_env.userName = std::move(userName); }
    // The main file that the last save wrote (empty when none).
    [[nodiscard]] const std::wstring& MainPath() const noexcept { return m_mainPath; }
    // Start-up could not read this file: before the first save replaces it, it
    // is copied to BackupPathFor(path), so that nothing of it is lost to the defaults.
    void KeepBackupOf(std::wstring path) { m_damagedPath = std::move(path); }
    // The backup name: "zq.ini.bak", or "zq.ini.bak2", "zq.ini.bak3" … when taken.
    [[nodiscard]] static std::wstring BackupPathFor(const std::wstring& path);
    // The message for the last failed save, in the program's words.
    [[nodiscard]] std::wstring FailureText() const;

  private:
    bool OpenMain(IniFile& old, IniFile& main);
    bool OpenTarget(IniFile& out, const std::wstring& path);
    void WriteUserIni(const IniFile& old, IniFile& main, const UserIniState& user) const;
    bool Finish(IniFile& out, bool written);

    SaveEnvironment m_env;
    bool m_finalSaveDone = false;
    std::wstring m_mainPath;
    std::wstring m_damagedPath;
    std::wstring m_failedPath;
    std::wstring m_failedCall;
    DWORD m_failedCode = 0;
};

}  // namespace zq
