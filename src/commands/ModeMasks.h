#pragma once
// Pane mode bits and the mode-group masks, and the choice of the mode group
// whose keys and commands apply.  The panes themselves live in the view; the
// choice asks them through a mode query: "is a shown pane in one of these
// modes?" (pane -1, shown, the mask, any sub-mode).
#include <cstdint>
#include <functional>
#include <optional>

#include "commands/CommandTable.h"

namespace zq {

inline constexpr std::uint32_t kModeDirectory = 0x0008;
inline constexpr std::uint32_t kModeText = 0x0010;
inline constexpr std::uint32_t kModePicture = 0x0040;
inline constexpr std::uint32_t kModeDriveList = 0x0080;
inline constexpr std::uint32_t kModeArchive = 0x0100;
inline constexpr std::uint32_t kModeArchiveText = 0x0200;
inline constexpr std::uint32_t kModeBinary = 0x0400;
inline constexpr std::uint32_t kModeArchivePicture = 0x0800;
inline constexpr std::uint32_t kModeListingKind = 0x1000;
inline constexpr std::uint32_t kModeNetwork = 0x2000;

// The Filer group for key and menu tables; the key dispatcher leaves out 0x1000.
inline constexpr std::uint32_t kGroupFiler = 0x3188;
inline constexpr std::uint32_t kGroupFilerKeys = 0x2188;
inline constexpr std::uint32_t kGroupViewer = 0x0210;
inline constexpr std::uint32_t kGroupGraphic = 0x0840;
inline constexpr std::uint32_t kGroupBinaryEditor = 0x0400;
// Listings with a cursor over files, where incremental search lives.
inline constexpr std::uint32_t kListingsWithFiles = 0x0108;

using ModeQuery = std::function<bool(std::uint32_t modeMask)>;

// The group for a key press: Filer (0x2188), Viewer, BinaryEditor, Graphic.
[[nodiscard]] std::optional<ModeGroup> KeyDispatchGroup(const ModeQuery& shownPaneIn);

// The group for menu items and key texts: Filer (0x3188), Viewer, Graphic, BinaryEditor.
[[nodiscard]] std::optional<ModeGroup> MenuCommandGroup(const ModeQuery& shownPaneIn);

}  // namespace zq
