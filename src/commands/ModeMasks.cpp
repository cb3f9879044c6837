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
    {kGroupFilerKeys, ModeGroup::Filer},
    {kGroupViewer, ModeGroup::Viewer},
    {kGroupBinaryEditor, ModeGroup::BinaryEditor},
    {kGroupGraphic, ModeGroup::Graphic},
};
const StructGroupMask kMenuOrder[] = {
    {kGroupFiler, ModeGroup::Filer},
    {kGroupViewer, ModeGroup::Viewer},
    {kGroupGraphic, ModeGroup::Graphic},
    {kGroupBinaryEditor, ModeGroup::BinaryEditor},
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
