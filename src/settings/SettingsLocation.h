#pragma once
// Where zq.ini lies, and the per-user redirection in its section USERINI
// (key: the Windows user name; value: "@" and the user's file while user-ini
// mode is on, the path alone while it is off).  Pure functions: the program's
// and the Windows directory are parameters.
#include <functional>
#include <string>
#include <string_view>

namespace zq {

class IniFile;

inline constexpr wchar_t kIniFileName[] = L"zq.ini";
inline constexpr wchar_t kUserIniSection[] = L"USERINI";

// "%s\\zq.ini" in the program's directory when that file exists there, else in the Windows directory.
std::wstring LocateMainIni(std::wstring_view programDir, std::wstring_view windowsDir,
                           const std::function<bool(const std::wstring&)>& fileExists);
std::wstring LocateMainIni(std::wstring_view programDir, std::wstring_view windowsDir);

struct UserIniEntry {
    bool mode = false;          // the value started with "@"
    std::wstring path;          // as stored, without the "@"
    std::wstring resolvedPath;  // a path without a directory part lies in the program's directory
};

UserIniEntry ParseUserIniValue(std::wstring_view value, std::wstring_view programDir);
// The entry of userName in USERINI; an empty user name or a missing key gives mode off and no path.
UserIniEntry ReadUserIniEntry(const IniFile& ini, std::wstring_view userName, std::wstring_view programDir);
std::wstring UserIniValue(bool mode, std::wstring_view path);
std::wstring ResolveUserIniPath(std::wstring_view path, std::wstring_view programDir);

}  // namespace zq
