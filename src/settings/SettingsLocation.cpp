#include "settings/SettingsLocation.h"

#include "common/Paths.h"
#include "settings/IniFile.h"

namespace zq {

namespace {

constexpr size_t kUserIniCapacity = 1040;

}  // namespace

std::wstring LocateMainIni(std::wstring_view programDir, std::wstring_view windowsDir,
                           const std::function<bool(const std::wstring&)>& fileExists) {
    std::wstring beside = JoinPath(programDir, kIniFileName);
    if (fileExists(beside)) return beside;
    return JoinPath(windowsDir, kIniFileName);
}

std::wstring LocateMainIni(std::wstring_view programDir, std::wstring_view windowsDir) {
    return LocateMainIni(programDir, windowsDir, [](const std::wstring& path) { return FileExists(path); });
}

std::wstring ResolveUserIniPath(std::wstring_view path, std::wstring_view programDir) {
    if (path.empty() || path.find_first_of(L"\\/:") != std::wstring_view::npos) return std::wstring(path);
    return JoinPath(programDir, path);
}

UserIniEntry ParseUserIniValue(std::wstring_view value, std::wstring_view programDir) {
    UserIniEntry entry;
    entry.mode = !value.empty() && value.front() == L'@';
    entry.path = entry.mode ? value.substr(1) : value;
    entry.resolvedPath = ResolveUserIniPath(entry.path, programDir);
    return entry;
}

UserIniEntry ReadUserIniEntry(const IniFile& ini, std::wstring_view userName, std::wstring_view programDir) {
    if (userName.empty()) return {};
    return ParseUserIniValue(ini.GetString(kUserIniSection, userName, L"", kUserIniCapacity), programDir);
}

std::wstring UserIniValue(bool mode, std::wstring_view path) {
    return (mode ? L"@" : L"") + std::wstring(path);
}

}  // namespace zq
