#pragma once
// The selection an operation works on, copied by value into its worker: the
// entries as the listing found them and the directory each one lives in.
#include <windows.h>

#include <string>
#include <vector>

namespace zq::fileops {

struct SelectionSnapshot {
    // The listing's directory (for a virtual drive, the virtual directory).
    std::wstring directory;
    // The listing is a virtual drive: entries stand for files kept elsewhere.
    bool isVirtual = false;
    std::vector<WIN32_FIND_DATAW> entries;
    // Per entry: the directory handed out with it (a search result's own
    // directory, a virtual entry's real directory).  May be shorter than
    // entries; missing ones mean the listing's directory.
    std::vector<std::wstring> entryDirectories;

    [[nodiscard]] size_t Count() const noexcept { return entries.size(); }
    [[nodiscard]] const std::wstring& DirectoryOf(size_t index) const {
        return index < entryDirectories.size() && !entryDirectories[index].empty() ? entryDirectories[index]
                                                                                   : directory;
    }
    static bool IsDirectory(const WIN32_FIND_DATAW& entry) noexcept {
        return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
};

// The 64-bit size of a find record.
inline ULONGLONG FindDataSize(const WIN32_FIND_DATAW& data) noexcept {
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace zq::fileops
