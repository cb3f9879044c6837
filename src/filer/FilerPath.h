#pragma once
// Path and name rules shared by the pane code: names and paths compare
// ignoring case, and a drive root is kept as "C:".
#include <string>

namespace zq {

[[nodiscard]] bool SamePathIgnoringCase(const std::wstring& a, const std::wstring& b) noexcept;
[[nodiscard]] bool SameNameIgnoringCase(const wchar_t* a, const std::wstring& b) noexcept;
// The name upper-cased as the system compares names: a key for hashed lookups
// of names that must match ignoring case.
[[nodiscard]] std::wstring FoldedName(const wchar_t* name);
// "C:" names the current directory of drive C; the root needs its backslash.
[[nodiscard]] std::wstring WithRootSlash(const std::wstring& path);
[[nodiscard]] bool IsExistingDirectory(const std::wstring& path);

// A directory that names its drive and starts at its root ("C:", "C:\work",
// "\\server\share"); "work", "C:work" and "\work" depend on the current folder.
[[nodiscard]] bool IsAbsoluteStartPath(const std::wstring& path);

}  // namespace zq
