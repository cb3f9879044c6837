#include "settings/SettingsSaver.h"

#include <windows.h>

#include "common/Paths.h"
#include "settings/SettingsIo.h"
#include "settings/SettingsLocation.h"

namespace zq {

SaveOutcome SettingsSaver::SaveFinal(const Settings& settings, const UserIniState& user) {
    const SaveOutcome outcome = Save(settings, user);
    m_finalSaveDone = true;
    return outcome;
}

bool SettingsSaver::OpenMain(IniFile& old, IniFile& main) {
    for (const std::wstring* dir : {&m_env.programDir, &m_env.windowsDir}) {
        const std::wstring path = JoinPath(*dir, kIniFileName);
        // The old file is read before it is truncated; a file in use simply has
        // no sections to copy.
        old.SetPath(path);
        (void)old.Load();
        if (main.OpenForWriting(path)) {
            m_mainPath = path;
            return true;
        }
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

    if (!m_env.userName.empty()) WriteUserIni(old, main, user);

    if (!user.mode) {
        const bool written = WriteAllSettings(main, settings);
        return main.CloseWriting() && written ? SaveOutcome::Saved : SaveOutcome::Failed;
    }

    // In user-ini mode the main file keeps everyone else's settings as they were.
    std::wstring section, key, value;
    for (size_t s = 0; s < old.SectionCount(); ++s) {
        if (old.Section(s).name == kUserIniSection) continue;
        for (size_t line = 0; old.EnumLine(s, line, section, key, value); ++line) main.WriteString(section, key, value);
    }
    main.CloseWriting();
    if (user.noSaveAtExit) return SaveOutcome::MainOnly;

    IniFile own;
    if (!own.OpenForWriting(ResolveUserIniPath(user.path, m_env.programDir))) return SaveOutcome::MainOnly;
    const bool written = WriteAllSettings(own, settings);
    return own.CloseWriting() && written ? SaveOutcome::Saved : SaveOutcome::MainOnly;
}

}  // namespace zq
