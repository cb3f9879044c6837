#pragma once
// One entry of a listing, kept exactly as the enumeration returned it so that
// two reads can be compared byte for byte.
#include <windows.h>

#include <cstdint>
#include <cstring>

namespace zq {

using FileEntry = WIN32_FIND_DATAW;
static_assert(sizeof(FileEntry) == 592, "FileEntry must keep the platform's find-data layout");

// Entry classes used throughout the Filer.
enum EntryClass : int {
    kEntryFile = 0,
    kEntryDirectory = 1,
    kEntryParentLink = 2,   // ".."
    kEntryCurrentLink = 3,  // "."
};

[[nodiscard]] inline bool IsDotName(const wchar_t* name) noexcept {
    return name[0] == L'.' && name[1] == L'\0';
}
[[nodiscard]] inline bool IsDotDotName(const wchar_t* name) noexcept {
    return name[0] == L'.' && name[1] == L'.' && name[2] == L'\0';
}

[[nodiscard]] inline int ClassOf(const FileEntry& e) noexcept {
    if (!(e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return kEntryFile;
    if (IsDotName(e.cFileName)) return kEntryCurrentLink;
    if (IsDotDotName(e.cFileName)) return kEntryParentLink;
    return kEntryDirectory;
}
[[nodiscard]] inline bool IsLinkEntry(const FileEntry& e) noexcept {
    return ClassOf(e) >= kEntryParentLink;
}
[[nodiscard]] inline bool IsFileEntry(const FileEntry& e) noexcept {
    return !(e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A directory whose size was measured carries it in the size fields and this
// mark in dwReserved1, which enumeration leaves 0; the next read drops both.
constexpr DWORD kMeasuredSizeMark = 0x5A51535A;

[[nodiscard]] inline uint64_t SizeOf(const FileEntry& e) noexcept {
    return (static_cast<uint64_t>(e.nFileSizeHigh) << 32) | e.nFileSizeLow;
}
[[nodiscard]] inline uint64_t FileTimeValue(const FILETIME& t) noexcept {
    return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}
// The time shown and sorted by: 0 creation, 1 last access, anything else last write.
[[nodiscard]] inline const FILETIME& ViewTimeOf(const FileEntry& e, int viewFileTimeType) noexcept {
    if (viewFileTimeType == 0) return e.ftCreationTime;
    if (viewFileTimeType == 1) return e.ftLastAccessTime;
    return e.ftLastWriteTime;
}

}  // namespace zq
