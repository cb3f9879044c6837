#pragma once
// The clipboard: Unicode text and file lists (CF_HDROP with "Preferred DropEffect").
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace zq::ui {

bool SetClipboardText(HWND owner, const std::wstring& text);
std::optional<std::wstring> GetClipboardText(HWND owner);
// dropEffect: DROPEFFECT_COPY (1) or DROPEFFECT_MOVE (2), read by Explorer and by us for paste.
bool SetClipboardFiles(HWND owner, const std::vector<std::wstring>& paths, DWORD dropEffect);
// Files on the clipboard and their preferred effect (DROPEFFECT_COPY when none is given).
bool GetClipboardFiles(HWND owner, std::vector<std::wstring>& paths, DWORD& dropEffect);

}  // namespace zq::ui
