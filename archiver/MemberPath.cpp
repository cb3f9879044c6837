#include "MemberPath.h"

#include <windows.h>

#include <vector>

namespace unbypass {

namespace {

std::wstring_view TrimmedLevel(std::wstring_view level) {
    // CreateFile drops trailing dots and blanks, so "..." or ".. " would open
    // the same thing as "" or "..": judge a level by what Windows makes of it.
    while (!level.empty() && (level.back() == L'.' || level.back() == L' ')) level.remove_suffix(1);
    return level;
}

wchar_t Fold(wchar_t c) {
    wchar_t s[2] = {c, 0};
    ::CharUpperBuffW(s, 1);
    return s[0] == L'/' ? L'\\' : s[0];
}

bool Match(std::wstring_view p, std::wstring_view s) {
    size_t pi = 0, si = 0, star = std::wstring_view::npos, mark = 0;
    while (si < s.size()) {
        if (pi < p.size() && (p[pi] == L'?' || (p[pi] != L'*' && Fold(p[pi]) == Fold(s[si])))) {
            ++pi;
            ++si;
        } else if (pi < p.size() && p[pi] == L'*') {
            star = pi++;
            mark = si;
        } else if (star != std::wstring_view::npos) {
            pi = star + 1;
            si = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == L'*') ++pi;
    return pi == p.size();
}

}  // namespace

std::wstring SafeRelativePath(std::wstring_view name, bool keepFolders) {
    if (name.empty() || name[0] == L'/' || name[0] == L'\\' || name.find(L':') != std::wstring_view::npos) return {};
    std::vector<std::wstring_view> levels;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of(L"/\\", start);
        if (end == std::wstring_view::npos) end = name.size();
        const std::wstring_view level = name.substr(start, end - start);
        start = end + 1;
        if (level.empty() || level == L".") continue;
        const std::wstring_view trimmed = TrimmedLevel(level);
        if (trimmed.empty() || trimmed == L"..") return {};
        levels.push_back(level);
    }
    if (levels.empty()) return {};
    if (!keepFolders) return std::wstring(levels.back());
    std::wstring path;
    for (const auto level : levels) {
        if (!path.empty()) path += L'\\';
        path += level;
    }
    return path;
}

bool MemberMatches(std::wstring_view pattern, std::wstring_view path) {
    if (pattern.empty() || pattern == L"*" || pattern == L"*.*") return true;
    if (Match(pattern, path)) return true;
    if (pattern.find_first_of(L"/\\") != std::wstring_view::npos) return false;
    const size_t slash = path.find_last_of(L"/\\");
    return slash != std::wstring_view::npos && Match(pattern, path.substr(slash + 1));
}

}  // namespace unbypass
