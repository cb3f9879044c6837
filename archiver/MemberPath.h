#pragma once
// Where a member may be written inside a destination folder.
#include <string>
#include <string_view>

namespace unbypass {

// The member's path relative to the destination ("dir\\file.txt"), with "/"
// read as "\\" and "." and empty levels dropped; only the last level when
// folders are not kept.  Empty when the name would reach outside the
// destination or names nothing: a ".." level, a rooted or UNC path, a drive
// or stream colon, or a level that Windows would trim to "" or "..".
std::wstring SafeRelativePath(std::wstring_view name, bool keepFolders);

// Case-insensitive match of "*" and "?" over a whole member path; "*.*" and
// "*" match everything.  A pattern without a folder part also matches a
// member's last level, so "*.txt" finds text files in every folder.
bool MemberMatches(std::wstring_view pattern, std::wstring_view path);

}  // namespace unbypass
