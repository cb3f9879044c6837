#pragma once
// The selection an operation works on, copied out of the pane when the
// operation starts so that later reads of the pane cannot change it, and
// handed by value to the operation's worker.
#include <string>
#include <vector>

#include "filer/FileEntry.h"

namespace zq {

class FilerPane;

inline constexpr const wchar_t* kNoFileSelectedText = L"ファイルが選択されていません";
inline constexpr const wchar_t* kOutOfMemoryText = L"メモリの確保に失敗しました";
inline constexpr const wchar_t* kSelectionErrorCaption = L"エラー";

enum class SelectionStatus {
    Ok,
    NothingSelected,  // show kNoFileSelectedText titled kSelectionErrorCaption
    OutOfMemory,      // show kOutOfMemoryText titled kSelectionErrorCaption
};

struct SelectionSnapshot {
    // The listing's directory (for a virtual drive, the virtual directory).
    std::wstring directory;
    // The listing is a virtual drive: entries stand for files kept elsewhere.
    bool isVirtual = false;
    std::vector<FileEntry> entries;  // in display order
    // Per entry: the directory handed out with it (a search result's own
    // directory, a virtual entry's real directory).  May be shorter than
    // entries; missing ones mean the listing's directory.
    std::vector<std::wstring> entryDirectories;

    [[nodiscard]] size_t Count() const noexcept { return entries.size(); }
    [[nodiscard]] const std::wstring& DirectoryOf(size_t index) const {
        return index < entryDirectories.size() && !entryDirectories[index].empty() ? entryDirectories[index]
                                                                                   : directory;
    }
    static bool IsDirectory(const FileEntry& entry) noexcept {
        return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
};

// The 64-bit size of a find record.
inline ULONGLONG FindDataSize(const FileEntry& data) noexcept {
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Copies what NthSelected(flags, 0, 1, ...) hands out.
[[nodiscard]] SelectionStatus TakeSelection(const FilerPane& pane, unsigned flags, SelectionSnapshot& out);

}  // namespace zq
