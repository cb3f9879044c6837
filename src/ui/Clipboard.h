#pragma once
// The clipboard: Unicode text and file lists (CF_HDROP with "Preferred DropEffect").
#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/Handle.h"

namespace zq::ui {

// Which step of putting data on the clipboard failed.
enum class ClipboardFailure { None, Open, Empty, SetData };
// The program's message for a failed step ("" for None).
[[nodiscard]] const wchar_t* ClipboardFailureText(ClipboardFailure failure);

struct ClipboardBlock {
    UINT format;
    UniqueGlobal* data;  // released when the clipboard takes it
};
// Opens and empties the clipboard and puts the blocks on it.  The first block
// must be taken; a later one the clipboard refuses stays with its owner.
[[nodiscard]] ClipboardFailure PutOnClipboard(HWND owner, std::span<const ClipboardBlock> blocks);

bool SetClipboardText(HWND owner, const std::wstring& text);
std::optional<std::wstring> GetClipboardText(HWND owner);
// dropEffect: DROPEFFECT_COPY (1) or DROPEFFECT_MOVE (2), read by Explorer and by us for paste.
bool SetClipboardFiles(HWND owner, const std::vector<std::wstring>& paths, DWORD dropEffect);
// Files on the clipboard and their preferred effect (DROPEFFECT_COPY when none is given).
bool GetClipboardFiles(HWND owner, std::vector<std::wstring>& paths, DWORD& dropEffect);

}  // namespace zq::ui
