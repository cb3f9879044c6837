#pragma once
// Start-up's way to the settings file: locate zq.ini, load it (asking while
// another process holds it), and follow the user's USERINI entry to his own
// file in user-ini mode.  The question is a callback so that this stays free of
// windows: the program asks "Iniファイルが使用されています。\n読み込みを待ちますか"
// titled "再読み込み確認"; true means wait and try again.
#include <functional>
#include <string>

#include "settings/IniFile.h"
#include "settings/SettingsLocation.h"

namespace zq {

struct StartupPaths {
    std::wstring programDir;
    std::wstring windowsDir;
    std::wstring userName;  // empty when the platform's query failed
};

// Loads into ini; false when the user declined to wait (the process ends).
// A missing, empty or unreadable file leaves ini empty: every key takes its default.
bool OpenStartupSettings(IniFile& ini, const StartupPaths& paths, const std::function<bool()>& waitWhileInUse,
                         UserIniEntry& user);

}  // namespace zq
