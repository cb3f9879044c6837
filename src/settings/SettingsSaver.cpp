#include "settings/SettingsSaver.h"

#include <windows.h>

#include "common/Paths.h"
#include "settings/SettingsIo.h"
#include "settings/SettingsLocation.h"

namespace zq {

namespace {

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

}  // namespace

std::wstring SettingsSaver::BackupPathFor(const std::wstring& path) {
    std::wstring candidate = path + L".bak";
    for (int n = 2; n < 100 && ::GetFileAttributesW(candidate.c_str()) != INVALID_FILE_ATTRIBUTES; ++n)
        candidate = path + L".bak" + std::to_wstring(n);
    return candidate;
}

std::wstring SettingsSaver::FailureText() const {
    return L"設定ファイルを保存できませんでした\n" + m_failedPath + L"\n" + m_failedCall + L":Error Code=" +
           std::to_wstring(m_failedCode) + L"\n元のファイルはそのまま残っています";
}

SaveOutcome SettingsSaver::SaveFinal(const Settings& settings, const UserIniState& user) {
    const SaveOutcome outcome = Save(settings, user);
    m_finalSaveDone = true;
    return outcome;
}

bool SettingsSaver::OpenTarget(IniFile& out, const std::wstring& path) {
    m_failedPath = path;
    out.SetWriteFunction(m_env.write);
    if (!m_damagedPath.empty() && SamePath(path, m_damagedPath) && FileExists(path)) {
        // Without its backup the unreadable file is not replaced at all.
        if (!::CopyFileW(path.c_str(), BackupPathFor(path).c_str(), TRUE)) {
            m_failedCall = L"CopyFile";
            m_failedCode = ::GetLastError();
            return false;
        }
        m_damagedPath.clear();
    }
    if (out.OpenForWriting(path)) return true;
    m_failedCall = out.FailedCall();
    m_failedCode = out.FailedCode();
    return false;
}

bool SettingsSaver::Finish(IniFile& out, bool written) {
    if (!written) {
        // Whatever failed, the old file stays; the write's own error says why.
        m_failedCall = out.FailedCall();
        m_failedCode = out.FailedCode();
        out.AbandonWriting();
        return false;
    }
    if (out.CloseWriting()) return true;
    m_failedCall = out.FailedCall();
    m_failedCode = out.FailedCode();
    return false;
}

bool SettingsSaver::OpenMain(IniFile& old, IniFile& main) {
    for (const std::wstring* dir : {&m_env.programDir, &m_env.windowsDir}) {
        const std::wstring path = JoinPath(*dir, kIniFileName);
        // The old file is read before it is replaced; a file in use simply has
        // no sections to copy.
        old.SetPath(path);
        (void)old.Load();
        if (OpenTarget(main, path)) {
            m_mainPath = path;
            return true;
        }
        // The next start reads the file beside the program whenever there is
        // one; a save that went anywhere else would be lost to it.
        if (dir == &m_env.programDir && FileExists(path)) break;
    }
    old.Clear();
    return false;
}

void SettingsSaver::WriteUserIni(const IniFile& old, IniFile& main, const UserIniState& user) const {
    const std::wstring ours = UserIniValue(user.mode, user.path);
    bool written = false;
    const int index = old.FindSection(kUserIniSection);
    std::wstring section, key, value;
    for (size_t line = 0; index >= 0 && old.EnumLine(static_cast<size_t>(index), line, section, key, value); ++line) {
        const bool current = key == m_env.userName;
        main.WriteString(kUserIniSection, key, current ? ours : value);
        written |= current;
    }
    if (!written) main.WriteString(kUserIniSection, m_env.userName, ours);
}

SaveOutcome SettingsSaver::Save(const Settings& settings, const UserIniState& user) {
    m_mainPath.clear();
    if (m_finalSaveDone || (user.noSaveAtExit && !user.mode)) return SaveOutcome::Skipped;
    if (m_env.setCurrentDirectory) ::SetCurrentDirectoryW(m_env.programDir.c_str());

    IniFile old({}, m_env.retry);
    IniFile main;
    if (!OpenMain(old, main)) return SaveOutcome::Failed;

    bool written = true;
    if (!m_env.userName.empty()) WriteUserIni(old, main, user);

    if (!user.mode) {
        written &= WriteAllSettings(main, settings);
        return Finish(main, written) ? SaveOutcome::Saved : SaveOutcome::Failed;
    }

    // In user-ini mode the main file keeps everyone else's settings as they were.
    std::wstring section, key, value;
    for (size_t s = 0; s < old.SectionCount(); ++s) {
        if (old.Section(s).name == kUserIniSection) continue;
        for (size_t line = 0; old.EnumLine(s, line, section, key, value); ++line)
            written &= main.WriteString(section, key, value);
    }
    if (!Finish(main, written)) return SaveOutcome::Failed;
    if (user.noSaveAtExit) return SaveOutcome::MainOnly;

    IniFile own;
    if (!OpenTarget(own, ResolveUserIniPath(user.path, m_env.programDir))) return SaveOutcome::UserFileFailed;
    const bool ownWritten = WriteAllSettings(own, settings);
    return Finish(own, ownWritten) ? SaveOutcome::Saved : SaveOutcome::UserFileFailed;
}

}  // namespace zq
