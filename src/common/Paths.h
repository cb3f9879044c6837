#pragma once
// The program's one set of path rules.  Paths are formed and compared only
// through these routines, so that a drive root is one thing everywhere: the
// panes keep it as "C:", but a path formed from it, and every path handed to
// the platform, is "C:\" (a bare "C:" would name the process's current
// directory on that drive).
#include <string>
#include <string_view>

namespace zq {

// Folder of the running executable, without a trailing backslash.
std::wstring ModuleDirectory();

[[nodiscard]] constexpr bool IsPathSeparator(wchar_t c) noexcept {
    return c == L'\\' || c == L'/';
}

// Joins a folder and a name with exactly one backslash between them; a bare
// drive ("C:") is its root.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);
// The part after the last backslash or slash.
std::wstring_view FileNamePart(std::wstring_view path);
// The part before the last backslash or slash (empty when there is none).
std::wstring_view ParentPart(std::wstring_view path);

// Length of the part of a path that names its volume, without a separator
// after it: 2 for "C:…", the end of the share for "\\server\share\…", the end
// of the drive or share after a "\\?\" prefix; 0 for a relative path.
[[nodiscard]] size_t RootLength(std::wstring_view path) noexcept;
// The root of a path as the platform wants it: "C:\", "\\server\share\";
// empty for a relative path.
[[nodiscard]] std::wstring RootOf(std::wstring_view path);
// The root as the panes keep it: "C:", "\\server\share".
[[nodiscard]] std::wstring PaneRootOf(std::wstring_view path);
// The path is nothing but a root ("C:", "C:\", "\\server\share").
[[nodiscard]] bool IsRootPath(std::wstring_view path) noexcept;

// The one normal form, worked out from the text alone: separators become
// single backslashes, "." and ".." are resolved (never above the root), a
// root ends with a backslash ("C:\", "\\server\share\") and nothing else
// does.  "C:name" is taken as "C:\name".  A "\\?\" path is left as written
// but for a trailing separator.
[[nodiscard]] std::wstring NormalisePath(std::wstring_view path);
// The normal form of a folder as the panes keep it, to which a name is
// joined with one backslash: a root loses its backslash ("C:", "\\server\share").
[[nodiscard]] std::wstring FolderForm(std::wstring_view path);
// The normal form of the folder that holds a path; empty for a root or a
// single relative name.
[[nodiscard]] std::wstring ParentPath(std::wstring_view path);
// A typed path made full: one with a drive or share stands alone, one that
// starts with a backslash is taken from base's root, any other from base.
// Empty when a relative path has no full base to stand on.
[[nodiscard]] std::wstring ResolvePath(std::wstring_view base, std::wstring_view typed);

// Whole paths equal, ignoring case, after normalisation.
[[nodiscard]] bool SamePath(std::wstring_view a, std::wstring_view b);
// Names as the file system compares them: ordinal, ignoring case.
[[nodiscard]] bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) noexcept;
// The Filer's name split: the extension follows the last dot; a name without a
// dot has an empty extension.
void SplitFileName(std::wstring_view name, std::wstring& base, std::wstring& extension);
// path is dir itself or lies below it (whole components only).
[[nodiscard]] bool IsSameOrBelow(std::wstring_view path, std::wstring_view dir);

// A name the platform takes for a device (CON, PRN, AUX, NUL, COM1-9,
// LPT1-9), also with an extension: "nul.txt" opens the null device.
[[nodiscard]] bool IsDeviceName(std::wstring_view name) noexcept;
// "\\?\C:\…" or "\\?\UNC\server\share\…" of a full path: the form that
// reaches a file named like a device.  A relative path is returned as it is.
[[nodiscard]] std::wstring ExtendedPath(std::wstring_view path);
// What a path given to the platform must be: a bare drive becomes its root,
// and a full path whose last component is a device name, or that is too long
// for the short form (a temporary name beside a deep file, say), takes the
// extended form.  Anything else is passed as it is.
[[nodiscard]] std::wstring PlatformPath(const std::wstring& path);

bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);

}  // namespace zq
