#pragma once
// The shell's own context menu for one file or folder, as Explorer shows it.
// Every call into the shell's objects is guarded: a shell extension of some
// other program that crashes takes down the menu, not zq.
#include <windows.h>

#include <string>

namespace zq {

// The menu's identifiers: a verb's number is its identifier less the first.
inline constexpr UINT kShellMenuFirstId = 10000;
inline constexpr UINT kShellMenuLastId = 50000;

// Shows the menu of `path` at `screen`, owned by `owner`, and runs the chosen
// verb with `frame` as the window of whatever the verb opens.  False when no
// menu could be built or nothing was chosen.  Failures are written to zq.log
// in `programDir`.
bool ShowShellContextMenu(HWND owner, HWND frame, const std::wstring& path, POINT screen,
                          const std::wstring& programDir);

// While the menu is open its owner passes the menu's drawing and
// initialisation messages here (submenus such as "Send to" fill themselves
// then).  True when the shell took the message.
bool ForwardToShellContextMenu(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace zq
