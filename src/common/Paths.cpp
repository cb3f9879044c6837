#include "common/Paths.h"

#include <windows.h>

#include <cwctype>
#include <vector>

namespace zq {
namespace {

bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix) noexcept {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (towupper(text[i]) != towupper(prefix[i])) return false;
    return true;
}

bool HasExtendedPrefix(std::wstring_view path) noexcept {
    return path.size() >= 4 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]) &&
           (path[2] == L'?' || path[2] == L'.') && IsPathSeparator(path[3]);
}

bool HasDrive(std::wstring_view path) noexcept {
    return path.size() >= 2 && path[1] == L':' &&
           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

// End of "server\share" starting at `from`: the position of the separator
// after the share, or the end of the text.
size_t ShareEnd(std::wstring_view path, size_t from) noexcept {
    size_t i = from;
    while (i < path.size() && !IsPathSeparator(path[i])) ++i;
    if (i == path.size()) return i;
    ++i;
    while (i < path.size() && !IsPathSeparator(path[i])) ++i;
    return i;
}

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) noexcept {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// The form two paths are compared in: normal, and without the extended
// prefix, so that a final path the platform reports ("\\?\C:\…") meets the
// same path as the program spells it.
std::wstring Comparable(std::wstring_view path) {
    if (HasExtendedPrefix(path)) {
        const std::wstring_view rest = path.substr(4);
        if (StartsWithIgnoringCase(rest, L"UNC\\")) return NormalisePath(L"\\\\" + std::wstring(rest.substr(4)));
        if (HasDrive(rest)) return NormalisePath(rest);
    }
    return NormalisePath(path);
}

}  // namespace

std::wstring ModuleDirectory() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) {
            buffer.resize(n);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    return std::wstring(ParentPart(buffer));
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
    std::wstring out(folder);
    if (!out.empty() && !IsPathSeparator(out.back())) out += L'\\';
    size_t skip = 0;
    while (skip < name.size() && IsPathSeparator(name[skip])) ++skip;
    out.append(name.substr(skip));
    return out;
}

std::wstring_view FileNamePart(std::wstring_view path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

std::wstring_view ParentPart(std::wstring_view path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring_view::npos ? std::wstring_view() : path.substr(0, slash);
}

size_t RootLength(std::wstring_view path) noexcept {
    if (HasExtendedPrefix(path)) {
        const std::wstring_view rest = path.substr(4);
        if (StartsWithIgnoringCase(rest, L"UNC\\")) return ShareEnd(path, 8);
        if (HasDrive(rest)) return 6;
        const size_t separator = path.find_first_of(L"\\/", 4);
        return separator == std::wstring_view::npos ? path.size() : separator;
    }
    if (HasDrive(path)) return 2;
    if (path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) return ShareEnd(path, 2);
    return 0;
}

std::wstring RootOf(std::wstring_view path) {
    const size_t length = RootLength(path);
    if (length == 0) return {};
    std::wstring root(path.substr(0, length));
    for (wchar_t& c : root)
        if (c == L'/') c = L'\\';
    return root + L'\\';
}

std::wstring PaneRootOf(std::wstring_view path) {
    std::wstring root = RootOf(path);
    if (!root.empty()) root.pop_back();
    return root;
}

bool IsRootPath(std::wstring_view path) noexcept {
    const size_t length = RootLength(path);
    if (length == 0) return false;
    for (size_t i = length; i < path.size(); ++i)
        if (!IsPathSeparator(path[i])) return false;
    return true;
}

std::wstring NormalisePath(std::wstring_view path) {
    if (HasExtendedPrefix(path)) {
        // Written so that the platform takes every character as it is.
        std::wstring out(path);
        const size_t keep = RootLength(path) + 1;
        while (out.size() > keep && IsPathSeparator(out.back())) out.pop_back();
        return out;
    }
    const size_t rootLength = RootLength(path);
    std::wstring out;
    bool anchored = rootLength > 0;
    if (anchored) {
        out = RootOf(path);
    } else if (!path.empty() && IsPathSeparator(path[0])) {
        out = L"\\";  // the root of whatever drive the path is used on
        anchored = true;
    }
    std::vector<std::wstring_view> parts;
    size_t i = rootLength;
    while (i < path.size()) {
        while (i < path.size() && IsPathSeparator(path[i])) ++i;
        const size_t start = i;
        while (i < path.size() && !IsPathSeparator(path[i])) ++i;
        const std::wstring_view part = path.substr(start, i - start);
        if (part.empty() || part == L".") continue;
        if (part == L"..") {
            if (!parts.empty() && parts.back() != L"..") {
                parts.pop_back();
            } else if (!anchored) {
                parts.push_back(part);
            }
            continue;
        }
        parts.push_back(part);
    }
    for (size_t n = 0; n < parts.size(); ++n) {
        if (n > 0) out += L'\\';
        out.append(parts[n]);
    }
    if (out.empty() && !path.empty()) out = L".";
    return out;
}

std::wstring FolderForm(std::wstring_view path) {
    std::wstring normal = NormalisePath(path);
    if (!HasExtendedPrefix(normal) && normal.size() > 1 && IsRootPath(normal)) normal.pop_back();
    return normal;
}

std::wstring ParentPath(std::wstring_view path) {
    const std::wstring normal = NormalisePath(path);
    if (normal.empty() || IsRootPath(normal) || normal == L"\\") return {};
    const size_t slash = normal.rfind(L'\\');
    if (slash == std::wstring::npos) return {};
    const size_t root = RootLength(normal);
    return slash <= root ? normal.substr(0, root + 1) : normal.substr(0, slash);
}

std::wstring ResolvePath(std::wstring_view base, std::wstring_view typed) {
    if (RootLength(typed) > 0) return NormalisePath(typed);
    if (RootLength(base) == 0) return {};
    if (!typed.empty() && IsPathSeparator(typed[0])) return NormalisePath(JoinPath(RootOf(base), typed));
    return NormalisePath(JoinPath(base, typed));
}

bool SamePath(std::wstring_view a, std::wstring_view b) {
    return EqualIgnoringCase(Comparable(a), Comparable(b));
}

bool IsSameOrBelow(std::wstring_view path, std::wstring_view dir) {
    const std::wstring p = Comparable(path), d = Comparable(dir);
    if (d.empty() || p.size() < d.size()) return false;
    if (!EqualIgnoringCase(std::wstring_view(p).substr(0, d.size()), d)) return false;
    return p.size() == d.size() || d.back() == L'\\' || p[d.size()] == L'\\';
}

bool IsDeviceName(std::wstring_view name) noexcept {
    // The platform looks at the name before its first dot, trailing spaces cut.
    std::wstring_view base = name.substr(0, name.find(L'.'));
    while (!base.empty() && base.back() == L' ') base.remove_suffix(1);
    if (base.size() == 3) {
        for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL"})
            if (EqualIgnoringCase(base, device)) return true;
        return false;
    }
    if (base.size() == 4 && base[3] >= L'1' && base[3] <= L'9')
        return EqualIgnoringCase(base.substr(0, 3), L"COM") || EqualIgnoringCase(base.substr(0, 3), L"LPT");
    return false;
}

std::wstring ExtendedPath(std::wstring_view path) {
    if (HasExtendedPrefix(path)) return std::wstring(path);
    if (RootLength(path) == 0) return std::wstring(path);
    const std::wstring normal = NormalisePath(path);
    if (HasDrive(normal)) return L"\\\\?\\" + normal;
    return L"\\\\?\\UNC\\" + normal.substr(2);
}

namespace {

// Without the extended form, Windows refuses a path of MAX_PATH characters
// or more, and a directory whose path leaves no room for an 8.3 name (12
// characters) under it; Wine takes both, so only the length can tell.
constexpr size_t kShortFormLimit = MAX_PATH - 12;

bool NeedsExtendedForm(const std::wstring& fullPath) {
    return fullPath.size() >= kShortFormLimit || IsDeviceName(FileNamePart(fullPath));
}

}  // namespace

std::wstring PlatformPath(const std::wstring& path) {
    if (HasExtendedPrefix(path)) return path;
    if (HasDrive(path) && (path.size() == 2 || !IsPathSeparator(path[2]))) {
        // "C:" and "C:name" lean on the process's current directory on C.
        std::wstring rooted = path.substr(0, 2) + L'\\' + path.substr(2);
        return NeedsExtendedForm(rooted) ? ExtendedPath(rooted) : rooted;
    }
    if (RootLength(path) > 0 && NeedsExtendedForm(path)) return ExtendedPath(path);
    return path;
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(PlatformPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(PlatformPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) noexcept {
    return a.size() == b.size() && ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                                          static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

void SplitFileName(std::wstring_view name, std::wstring& base, std::wstring& extension) {
    const size_t dot = name.rfind(L'.');
    base = name.substr(0, dot);
    extension = dot == std::wstring_view::npos ? std::wstring() : std::wstring(name.substr(dot + 1));
}

}  // namespace zq
