#pragma once
// The rules of the directory jumps: bookmarks in named groups, each with an
// optional key name and display text; where a bookmark leads; picking one by
// its key; and the list of paths gone to from the jump dialogs.  The dialogs
// and the commands (ViewFilerJump.cpp, CDirJumpDlg) only call these.
#include <string>
#include <string_view>
#include <vector>

#include "settings/Settings.h"

namespace zq {

using JumpEntry = Settings::JumpEntry;
using JumpGroup = Settings::JumpGroup;

enum class AddJumpResult { Added, AlreadyThere, NoTarget };
// Appends a bookmark without key or display text unless the group already
// holds the target (compared ignoring case).
AddJumpResult AddJump(JumpGroup& group, const std::wstring& target);

// What a bookmark's key does in the jump dialog: close with the only bookmark
// of that key, or move on to the next of several after `selected`.
struct JumpKeyChoice {
    int index = -1;  // -1: no bookmark has the key
    bool close = false;
};
[[nodiscard]] JumpKeyChoice ChooseJumpByKey(const JumpGroup& group, std::wstring_view keyName, int selected);
// @Dirjumpkey: the first bookmark of the group with the key and a target; -1 when none.
[[nodiscard]] int FindJumpKey(const JumpGroup& group, std::wstring_view keyName);

// Where a pane goes for a target: a directory (or a share) itself, an
// existing file's directory with the cursor on the file, anything else as a
// path for the pane to climb from.
struct JumpDestination {
    std::wstring directory;
    std::wstring cursorName;  // empty: the pane places its cursor as usual
};
[[nodiscard]] JumpDestination DestinationOf(const std::wstring& target);
// "DIR/FILEの場所へ": the directory holding the target, the cursor on it.
[[nodiscard]] JumpDestination LocationOf(const std::wstring& target);

// The dialog's columns: 0 the key as "[%s]", 1 the display text as "(%s)", 2 the target.
[[nodiscard]] std::wstring JumpColumnText(const JumpEntry& entry, int column);
// Moves bookmark `index` one place up (-1) or down (+1); the new index, or `index` when it cannot move.
int MoveJump(JumpGroup& group, int index, int delta);

// A path typed into the directory input, made absolute against `base`;
// empty when it cannot name a directory (nothing typed, characters no path
// holds, a drive or share that is not there).
[[nodiscard]] std::wstring ResolveTypedDirectory(const std::wstring& text, const std::wstring& base);

// The paths gone to from the jump dialogs, newest first, at most 100.
void PushJumpList(std::vector<std::wstring>& list, const std::wstring& path);

}  // namespace zq
