#pragma once
// The choice of the mode group whose keys and commands apply.  The panes
// themselves live in the view; the choice asks them through a mode query: "is
// a shown pane in one of these modes?" (pane -1, shown, the mask, any
// sub-mode).  The bits and masks are those of PaneModes.h.
#include <cstdint>
#include <functional>
#include <optional>

#include "commands/CommandTable.h"
#include "commands/PaneModes.h"

namespace zq {

using ModeQuery = std::function<bool(std::uint32_t modeMask)>;

// The group for a key press: Filer (0x2188), Viewer, BinaryEditor, Graphic.
[[nodiscard]] std::optional<ModeGroup> KeyDispatchGroup(const ModeQuery& shownPaneIn);

// The group for menu items and key texts: Filer (0x3188), Viewer, Graphic, BinaryEditor.
[[nodiscard]] std::optional<ModeGroup> MenuCommandGroup(const ModeQuery& shownPaneIn);

}  // namespace zq
