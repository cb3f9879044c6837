#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "commands/MenuBar.h"
#include "resource.h"

namespace {

std::wstring ItemText(HMENU menu, int position) {
    wchar_t text[256] = {};
    ::GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    return text;
}

zq::ModeGroup GroupOfBar(unsigned resource) {
    switch (resource) {
        case IDR_MENU_VIEWER:
            return zq::ModeGroup::Viewer;
        case IDR_MENU_GRAPHIC:
            return zq::ModeGroup::Graphic;
        case IDR_MENU_BINARY:
            return zq::ModeGroup::BinaryEditor;
        default:
            return zq::ModeGroup::Filer;
    }
}

bool IsNonTableItem(unsigned id) {
    switch (id) {
        case IDM_FILER_SETTINGS:
        case IDM_USERINI:
        case IDM_DRIVELIST_JUMP:
        case IDM_DRIVELIST_JUMP_CTRL:
        case IDM_READ_KEYDATA:
        case IDM_SHOW_KEYS_IN_MENU:
        case IDM_HIDDEN_MENU:
        case IDM_PLUGIN_SETTINGS:
        case ID_APP_ABOUT:
            return true;
        default:
            return false;
    }
}

// Every command item of a bar must be a row of its mode's table, or the
// menu item would run nothing and show no key.
void CheckItems(HMENU menu, zq::ModeGroup group, unsigned resource, int& commands) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            CheckItems(sub, group, resource, commands);
            continue;
        }
        const UINT id = ::GetMenuItemID(menu, i);
        if (id == 0 || IsNonTableItem(id)) continue;  // separators
        ++commands;
        EXPECT_NE(zq::FindCommandByMenuId(group, id), nullptr)
            << resource << L" item " << id << L" " << ItemText(menu, i);
    }
}

}  // namespace

TEST(MenuResources, BarsMatchTheHiddenMenuTableAndTheirModesCommands) {
    for (const zq::StructMenuMode& mode : zq::MenuModeTable()) {
        HMENU bar = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(mode.resource));
        ASSERT_NE(bar, nullptr) << mode.resource;
        ASSERT_EQ(::GetMenuItemCount(bar), mode.popupCount) << mode.resource;
        for (int i = 0; i < mode.popupCount; ++i) {
            EXPECT_EQ(ItemText(bar, i), mode.popups[i]) << mode.resource;
            EXPECT_NE(::GetSubMenu(bar, i), nullptr) << mode.resource << L" " << mode.popups[i];
        }
        int commands = 0;
        CheckItems(bar, GroupOfBar(mode.resource), mode.resource, commands);
        EXPECT_GT(commands, 5) << mode.resource;
        ::DestroyMenu(bar);
    }
}

TEST(MenuResources, FilerBarKeepsThePluginAnchorOutsideThePluginPopup) {
    HMENU bar = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MENU_FILER));
    ASSERT_NE(bar, nullptr);
    // Plug-in items are inserted before 1832; the "プラグイン(&I)" popup is
    // always removed, so the anchor must live in another popup.
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_ID;
    EXPECT_TRUE(::GetMenuItemInfoW(bar, IDM_PLUGIN_SETTINGS, FALSE, &info));
    EXPECT_EQ(::GetMenuState(::GetSubMenu(bar, 3), IDM_PLUGIN_SETTINGS, MF_BYCOMMAND), static_cast<UINT>(-1));
    ::DestroyMenu(bar);
}
