#include "settings/SettingsStartup.h"

namespace zq {

namespace {

bool LoadWaiting(IniFile& ini, const std::function<bool()>& waitWhileInUse) {
    while (ini.Load() == IniLoadResult::InUse)
        if (!waitWhileInUse()) return false;
    return true;
}

}  // namespace

bool OpenStartupSettings(IniFile& ini, const StartupPaths& paths, const std::function<bool()>& waitWhileInUse,
                         UserIniEntry& user) {
    ini.SetPath(LocateMainIni(paths.programDir, paths.windowsDir));
    if (!LoadWaiting(ini, waitWhileInUse)) return false;
    user = ReadUserIniEntry(ini, paths.userName, paths.programDir);
    if (!user.mode) return true;
    ini.SetPath(user.resolvedPath);
    return LoadWaiting(ini, waitWhileInUse);
}

}  // namespace zq
