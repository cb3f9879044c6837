#pragma once
// The window side of "キーデータの読み込み" (menu 1543): the file dialog,
// the import and its failure message.
//
//   if (RunReadKeyData(viewHwnd, mainIniPath, liveKeys)) ...keys replaced...
#include <windows.h>

#include <string>

#include "commands/KeyAssignments.h"

namespace zq {

// Asks for a settings file, starting at the main one, and reads its four key
// sections into keys.  False when the user cancelled or the file could not be
// read (the message has then been shown).
bool RunReadKeyData(HWND owner, const std::wstring& mainIniPath, KeyAssignments& keys);

}  // namespace zq
