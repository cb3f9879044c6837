#pragma once
// Files dropped onto the view: which copy job they become.
#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "filer/FilerLayout.h"

namespace zq {

// The pane that takes files dropped at `point` (the view's client pixels): the
// pane drawn there in the last layout, whichever way the panes are split;
// outside every pane (the header, before the first paint) the focused one.
[[nodiscard]] int DropTargetPane(const filer::FilerLayoutResult& layout, POINT point, int focusedPane);

// The job a drop asks for from the keys held while dropping, as the shell
// reads them: Shift moves, Ctrl+Shift links, anything else copies.
[[nodiscard]] unsigned DropModeForKeys(bool shift, bool control);
// The copy engine's mode for a drop: a link drop becomes a copy, except a single
// program file, which is not copied at all (nullopt); so does an empty drop.
[[nodiscard]] std::optional<unsigned> DropJobMode(unsigned requested, const std::vector<std::wstring>& paths);
// The paths of a WM_DROPFILES handle, each at most MAX_PATH long (longer ones are passed over).
[[nodiscard]] std::vector<std::wstring> DroppedPaths(HDROP drop);

}  // namespace zq
