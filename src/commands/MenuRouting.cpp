#include "commands/MenuRouting.h"

#include "resource.h"

namespace zq {

MenuIdClass ClassifyMenuId(unsigned id, std::size_t controlPanelItems, bool shellMenuOpen) {
    if (id == kMenuDialogsEnded) return {MenuIdKind::DialogsEnded, 0};
    if (id == kMenuFindResults) return {MenuIdKind::FindResults, 0};
    if (id >= IDM_CPL_FIRST && id - IDM_CPL_FIRST < controlPanelItems && id < IDM_PLUGIN_FIRST)
        return {MenuIdKind::ControlPanel, static_cast<int>(id - IDM_CPL_FIRST)};
    if (id >= IDM_PLUGIN_FIRST && id <= IDM_PLUGIN_LAST)
        return {MenuIdKind::Plugin, static_cast<int>(id - IDM_PLUGIN_FIRST)};
    if (id >= kMenuDynamicFirst && id < kMenuDynamicFirst + kMenuDynamicSlots)
        return {MenuIdKind::DynamicListSlot, static_cast<int>(id - kMenuDynamicFirst)};
    // Outside a shell menu these numbers are ordinary identifiers.
    if (shellMenuOpen && id >= kMenuShellFirst && id <= kMenuShellLast)
        return {MenuIdKind::ShellVerb, static_cast<int>(id - kMenuShellFirst)};
    return {MenuIdKind::Other, 0};
}

}  // namespace zq
