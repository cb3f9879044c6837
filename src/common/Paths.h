#pragma once
#include <string>
#include <string_view>

namespace zq {

// Folder of the running executable, without a trailing backslash.
std::wstring ModuleDirectory();
// Joins a folder and a name with exactly one backslash between them.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);
// The part after the last backslash or slash.
std::wstring_view FileNamePart(std::wstring_view path);
// The part before the last backslash or slash (empty when there is none).
std::wstring_view ParentPart(std::wstring_view path);
bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);

}  // namespace zq
