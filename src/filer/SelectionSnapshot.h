#pragma once
// The selection a file operation works on, copied out of the pane when the
// operation starts so that later reads of the pane cannot change it.
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
    std::wstring folder;             // the directory the entries live in
    std::vector<FileEntry> entries;  // in display order
};

// Copies what NthSelected(flags, 0, 1, ...) hands out.
[[nodiscard]] SelectionStatus TakeSelection(const FilerPane& pane, unsigned flags, SelectionSnapshot& out);

}  // namespace zq
