#include "commands/MenuRouting.h"

#include "resource.h"

namespace zq {

MenuIdClass ClassifyMenuId(unsigned id, std::size_t controlPanelItems, bool shellMenuOpen) {
    if (id == ID_OPERATION_DIALOG_FINISHED) return {MenuIdKind::DialogsEnded, 0};
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

namespace {

// 1185 and 1396 are single commands: whoever handles them registers them as
// menu commands, like any other item.
bool IsRange(MenuIdKind kind) {
    return kind != MenuIdKind::Other && kind != MenuIdKind::DialogsEnded && kind != MenuIdKind::FindResults;
}

}  // namespace

void MenuRouter::SetRange(MenuIdKind kind, std::size_t count, RangeHandler handler) {
    if (!IsRange(kind)) return;
    m_ranges[static_cast<std::size_t>(kind)] = {count, std::move(handler)};
}

void MenuRouter::SetRangeCount(MenuIdKind kind, std::size_t count) {
    if (IsRange(kind)) m_ranges[static_cast<std::size_t>(kind)].count = count;
}

const MenuRouter::Range* MenuRouter::RangeFor(MenuIdClass c) const {
    const Range& range = m_ranges[static_cast<std::size_t>(c.kind)];
    if (!range.handler || c.index < 0 || static_cast<std::size_t>(c.index) >= range.count) return nullptr;
    return &range;
}

bool MenuRouter::CanRun(ModeGroup group, unsigned id) const {
    const MenuIdClass c =
        ClassifyMenuId(id, m_ranges[static_cast<std::size_t>(MenuIdKind::ControlPanel)].count, m_shellMenuOpen);
    if (IsRange(c.kind)) return RangeFor(c) != nullptr;
    return m_registry.CanRunMenu(group, id);
}

bool MenuRouter::Run(ModeGroup group, unsigned id) const {
    const MenuIdClass c =
        ClassifyMenuId(id, m_ranges[static_cast<std::size_t>(MenuIdKind::ControlPanel)].count, m_shellMenuOpen);
    if (IsRange(c.kind)) {
        const Range* range = RangeFor(c);
        if (range == nullptr) return false;
        range->handler(c.index);
        return true;
    }
    return m_registry.RunMenu(group, id) == RouteResult::Ran;
}

void ForEachCommandItem(HMENU popup, const std::function<void(UINT position, UINT id)>& fn) {
    const int count = ::GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
        if (!::GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info)) continue;
        if (info.hSubMenu || (info.fType & MFT_SEPARATOR)) continue;
        fn(static_cast<UINT>(i), info.wID);
    }
}

void SetMenuItemLabel(HMENU menu, UINT item, bool byPosition, const std::wstring& label) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(label.c_str());
    ::SetMenuItemInfoW(menu, item, byPosition ? TRUE : FALSE, &info);
}

void MenuRouter::UpdatePopup(HMENU popup, ModeGroup group) const {
    ForEachCommandItem(popup, [&](UINT position, UINT id) {
        ::EnableMenuItem(popup, position, MF_BYPOSITION | (CanRun(group, id) ? MF_ENABLED : MF_GRAYED));
    });
}

}  // namespace zq
