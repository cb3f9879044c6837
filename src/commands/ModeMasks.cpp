#include "commands/ModeMasks.h"

namespace zq {

namespace {

struct StructGroupMask {
    std::uint32_t mask;
    ModeGroup group;
};

// The two orders differ on purpose: a key goes to the binary editor before
// the picture viewer, a menu item looks in the Graphic table first.
const StructGroupMask kKeyDispatchOrder[] = {
    {pane_mode::kFilerDispatchGroup, ModeGroup::Filer},
    {pane_mode::kViewerGroup, ModeGroup::Viewer},
    {pane_mode::kBinaryGroup, ModeGroup::BinaryEditor},
    {pane_mode::kGraphicGroup, ModeGroup::Graphic},
};
const StructGroupMask kMenuOrder[] = {
    {pane_mode::kFilerGroup, ModeGroup::Filer},
    {pane_mode::kViewerGroup, ModeGroup::Viewer},
    {pane_mode::kGraphicGroup, ModeGroup::Graphic},
    {pane_mode::kBinaryGroup, ModeGroup::BinaryEditor},
};

template <std::size_t N>
std::optional<ModeGroup> FirstGroup(const StructGroupMask (&order)[N], const ModeQuery& shownPaneIn) {
    if (!shownPaneIn) return std::nullopt;
    for (const StructGroupMask& row : order)
        if (shownPaneIn(row.mask)) return row.group;
    return std::nullopt;
}

}  // namespace

std::optional<ModeGroup> KeyDispatchGroup(const ModeQuery& shownPaneIn) {
    return FirstGroup(kKeyDispatchOrder, shownPaneIn);
}

std::optional<ModeGroup> MenuCommandGroup(const ModeQuery& shownPaneIn) {
    return FirstGroup(kMenuOrder, shownPaneIn);
}

}  // namespace zq
