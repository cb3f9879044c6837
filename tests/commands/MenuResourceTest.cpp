#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>

#include "commands/MenuBar.h"
#include "commands/MenuRouting.h"
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
        case IDM_VIEWER_SETTINGS:
        case IDM_VIEWER_KIND_SETTINGS:
        case IDM_PLUGIN_SETTINGS:
        case IDM_ZOOM_SETTINGS:
        case IDM_SETTIMEMACRO:
        case IDM_UNPACK_SETTINGS:
        case IDM_SUSIE_SETTINGS:
        case IDM_NON_LOAD_CPL:
        case IDM_NETWORK_SETTINGS:
        case IDM_VIRTUAL_DRIVE_SETTINGS:
        case ID_APP_ABOUT:
            return true;
        default:
            return false;
    }
}

// A label is its command's description; a few items say it shorter or with
// a mnemonic, as the menus of the program do.
std::wstring PlainLabel(std::wstring label) {
    if (label.size() > 4 && label.compare(label.size() - 4, 2, L"(&") == 0) label.resize(label.size() - 4);
    return label;
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
        const zq::StructCommand* row = zq::FindCommandByMenuId(group, id);
        EXPECT_NE(row, nullptr) << resource << L" item " << id << L" " << ItemText(menu, i);
        if (row && id != IDM_WIDE) {
            EXPECT_EQ(PlainLabel(ItemText(menu, i)), row->description) << resource << " " << id;
        }
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

TEST(MenuResources, CommandsThatReadAlikeKeepTheirOwnTexts) {
    // The two "same directory" commands differ by one particle, and the
    // exchange of the panes is easily taken for a change of what they show.
    // Their menu labels follow their texts (checked with every bar above).
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"@Samedirectory", L"相手側を同じディレクトリに変更"},
        {L"@Sameotherdir", L"相手側と同じディレクトリに変更"},
        {L"@Changefilerdata", L"ファイラー情報交換"},
    };
    for (const auto& [name, text] : cases) {
        const zq::StructCommand* row = zq::FindCommand(zq::ModeGroup::Filer, name);
        ASSERT_NE(row, nullptr) << name;
        EXPECT_STREQ(row->description, text) << name;
    }
}

namespace {

struct MenuWalk {
    const zq::MenuRouter& router;
    int& ran;
    int enabled = 0;
    int disabled = 0;

    // Each popup gets its update request, as the frame sends it when the
    // popup opens; then every item is chosen.
    void Popup(HMENU popup, zq::ModeGroup group, unsigned resource) {
        router.UpdatePopup(popup, group);
        for (int i = 0; i < ::GetMenuItemCount(popup); ++i) {
            if (HMENU sub = ::GetSubMenu(popup, i)) {
                Popup(sub, group, resource);
                continue;
            }
            const UINT id = ::GetMenuItemID(popup, i);
            if (id == 0) continue;
            const bool on = !(::GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
            (on ? enabled : disabled)++;
            const int before = ran;
            EXPECT_EQ(router.Run(group, id), on) << resource << " " << id << " " << ItemText(popup, i);
            EXPECT_EQ(ran - before, on ? 1 : 0) << resource << " " << id << " " << ItemText(popup, i);
        }
    }
};

}  // namespace

TEST(MenuResources, EveryItemOfEveryBarRunsAHandlerOrIsDisabled) {
    int ran = 0;
    const zq::CommandHandler count = [&ran](const zq::CommandCall&) { ++ran; };
    zq::CommandRegistry registry;
    // Half of each table has a handler, as while the features land one by one.
    for (zq::ModeGroup group : zq::kAllModeGroups) {
        const auto rows = zq::CommandTableOf(group).commands;
        for (std::size_t i = 0; i < rows.size(); i += 2)
            registry.Register(zq::CommandId{group, static_cast<std::uint16_t>(i)}, count);
    }
    registry.RegisterCommon(zq::cmd::common::Displayset3, count);
    registry.RegisterMenu(IDM_HIDDEN_MENU, count);
    registry.RegisterMenu(ID_APP_ABOUT, count);
    const zq::MenuRouter router(registry);
    for (const zq::StructMenuMode& mode : zq::MenuModeTable()) {
        HMENU bar = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(mode.resource));
        ASSERT_NE(bar, nullptr) << mode.resource;
        MenuWalk walk{router, ran};
        for (int i = 0; i < ::GetMenuItemCount(bar); ++i)
            walk.Popup(::GetSubMenu(bar, i), GroupOfBar(mode.resource), mode.resource);
        EXPECT_GT(walk.enabled, 5) << mode.resource;
        EXPECT_GT(walk.disabled, 5) << mode.resource;
        ::DestroyMenu(bar);
    }
}
