#pragma once
// Writes the settings back: "設定保存" (@ConfigSave), the view's destruction and
// the shut-down path.  The file is always written anew from the start.
//
//     SettingsSaver saver({programDir, windowsDir, userName});
//     saver.Save(settings, {userIniMode, userIniPath, noSaveAtExit});       // @ConfigSave
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
    IniRetryPolicy retry;  // for reading the old main file
};

// The user's choices in "ユーザーごとのIniファイルの設定".
struct UserIniState {
    bool mode = false;          // "User毎のIniファイルを使用する"
    std::wstring path;          // as stored in USERINI (without "@")
    bool noSaveAtExit = false;  // "終了時にIniファイルを保存しない", for this run only
};

enum class SaveOutcome {
    Skipped,   // the final save was done, or the user chose not to save (user-ini mode off)
    Failed,    // neither the program's nor the Windows directory took the main file
    MainOnly,  // user-ini mode: the main file was written, the user's file was not
    Saved,     // every setting was written
};

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

private:
    bool OpenMain(IniFile& old, IniFile& main);
    void WriteUserIni(const IniFile& old, IniFile& main, const UserIniState& user) const;

    SaveEnvironment m_env;
    bool m_finalSaveDone = false;
    std::wstring m_mainPath;
};

}  // namespace zq
