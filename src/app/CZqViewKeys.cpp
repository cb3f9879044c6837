// The view's keys and menus: key presses become commands of the focused
// pane's mode, menu items reach the same handlers, and the menu bar follows
// the focused pane.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <iterator>

#include "app/CZqView.h"
#include "filer/ViewFilerSettings.h"
#include "commands/CKeyConfigDlg.h"
#include "commands/CNotViewMenuDlg.h"
#include "commands/CommandText.h"
#include "commands/CViewKeyConfigDlg.h"
#include "commands/KeyDataCommand.h"
#include "commands/KeyTable.h"
#include "commands/MenuCommandText.h"
#include "commands/ModeMasks.h"
#include "external/CompanionLibrary.h"
#include "external/TaskTray.h"
#include "filer/FilerOptions.h"
#include "filer/ViewFilerPlugins.h"
#include "resource.h"
#include "common/Handle.h"
#include "settings/CFilerSettingsSheet.h"
#include "settings/CUseriniDlg.h"
#include "settings/FilerSettingsEffects.h"
#include "settings/SettingsSaver.h"
#include "settings/Settings.h"

namespace zq {
namespace {

bool KeyDown(int vk) {
    return (::GetKeyState(vk) & 0x8000) != 0;
}

int KeySectionOf(ModeGroup group) {
    switch (group) {
        case ModeGroup::Viewer:
            return kKeyViewer;
        case ModeGroup::Graphic:
            return kKeyGraphic;
        case ModeGroup::BinaryEditor:
            return kKeyBinary;
        default:
            return kKeyFiler;
    }
}

}  // namespace

void CZqView::CreateKeys() {
    m_keys = KeyAssignments::BuiltIn();
    for (ModeGroup group : kAllModeGroups) {
        const auto& lines = m_settings.keySections[static_cast<size_t>(KeySectionOf(group))];
        if (!lines.empty()) m_keys.ReadSection(group, lines);
    }
    std::vector<KeyValueLine> hidden;
    for (int menu = 0; menu < kMenuModeCount; ++menu) {
        for (int popup = 0; popup < kMaxMenuPopups; ++popup) {
            m_hiddenMenus.SetHidden(menu, popup,
                                    m_settings.notViewMenu[static_cast<size_t>(menu)][static_cast<size_t>(popup)] != 0);
        }
    }
    m_keyDownSettings.enableMenuButton = m_settings.ENABLEMENUBUTON != 0;
    m_keyDownSettings.incModeNeglectReturn = m_settings.INCMODENEGLECTRETURN != 0;
    m_keyDownSettings.driveListCurJump[0] = m_settings.DRIVELISTCURJUMP != 0;
    m_keyDownSettings.driveListCurJump[1] = m_settings.DRIVELISTCURJUMPSHIFT != 0;
    m_keyDownSettings.driveListCurJump[2] = m_settings.DRIVELISTCURJUMPCTRL != 0;
    m_keyDownSettings.driveListChangeDriveByKey = m_settings.DRIVELISTCHANGEDRIVEBYKEY != 0;
    m_dispatcher = std::make_unique<KeyDispatcher>(m_keys, m_registry, static_cast<IKeyDispatchHost&>(*this));
    m_router = std::make_unique<KeyDownRouter>(*m_dispatcher, static_cast<IKeyDownHooks&>(*this), m_keyDownSettings);
}

void CZqView::StoreKeysInSettings() {
    for (ModeGroup group : kAllModeGroups) {
        m_settings.keySections[static_cast<size_t>(KeySectionOf(group))] = m_keys.ToSection(group);
    }
    for (int menu = 0; menu < kMenuModeCount; ++menu) {
        for (int popup = 0; popup < kMaxMenuPopups; ++popup) {
            m_settings.notViewMenu[static_cast<size_t>(menu)][static_cast<size_t>(popup)] =
                m_hiddenMenus.Hidden(menu, popup) ? 1 : 0;
        }
    }
}

void CZqView::RegisterViewCommands() {
    m_registry.RegisterCommon(cmd::filer::Quit, [this](const CommandCall&) { QuitRequest(false); });
    m_registry.RegisterMenu(ID_APP_EXIT, [this](const CommandCall&) { QuitRequest(false); });
    m_registry.RegisterCommon(cmd::filer::ConfigSave, [this](const CommandCall&) { SaveSettings(); });
    m_registry.RegisterMenu(IDM_CONFIGSAVE, [this](const CommandCall&) { SaveSettings(); });
    m_registry.RegisterCommon(cmd::filer::Changedmenu, [this](const CommandCall&) {
        // Switches the menu bar off and on again.
        m_settings.MENUDISPLAY = m_settings.MENUDISPLAY ? 0 : 1;
        UpdateMenuBar(true);
    });
    const auto keyDialog = [this](ModeGroup group) {
        INT_PTR result = IDCANCEL;
        {
            const SuspendScope suspended(m_context);
            if (group == ModeGroup::Filer) {
                CKeyConfigDlg dialog(m_keys, ::GetParent(m_hWnd));
                result = dialog.DoModal();
            } else {
                CViewKeyConfigDlg dialog(m_keys, group, ::GetParent(m_hWnd));
                result = dialog.DoModal();
            }
        }
        if (result == IDOK) UpdateMenuBar(true);
    };
    m_registry.RegisterMenu(IDM_FILERKEY, [keyDialog](const CommandCall&) { keyDialog(ModeGroup::Filer); });
    m_registry.RegisterMenu(IDM_VIEWERKEY, [keyDialog](const CommandCall&) { keyDialog(ModeGroup::Viewer); });
    m_registry.RegisterMenu(IDM_GRAPHICKEY, [keyDialog](const CommandCall&) { keyDialog(ModeGroup::Graphic); });
    m_registry.RegisterMenu(IDM_BINARYKEY, [keyDialog](const CommandCall&) { keyDialog(ModeGroup::BinaryEditor); });
    m_registry.RegisterMenu(IDM_HIDDEN_MENU, [this](const CommandCall&) {
        CNotViewMenuDlg dialog(m_hiddenMenus, ::GetParent(m_hWnd));
        INT_PTR result = IDCANCEL;
        {
            const SuspendScope suspended(m_context);
            result = dialog.DoModal();
        }
        if (result == IDOK) UpdateMenuBar(true);
    });
    m_registry.RegisterMenu(IDM_READ_KEYDATA, [this](const CommandCall&) {
        bool replaced = false;
        {
            const SuspendScope suspended(m_context);
            replaced = RunReadKeyData(m_hWnd, KeyDataStartPath(), m_keys);
        }
        if (replaced) UpdateMenuBar(true);
    });
    // Settings toggles of the menu, run directly.
    m_registry.RegisterMenu(IDM_DRIVELIST_JUMP_CTRL, [this](const CommandCall&) {
        m_settings.DRIVELISTCURJUMPCTRL = m_settings.DRIVELISTCURJUMPCTRL ? 0 : 1;
        m_keyDownSettings.driveListCurJump[2] = m_settings.DRIVELISTCURJUMPCTRL != 0;
    });
    m_registry.RegisterMenu(IDM_DRIVELIST_JUMP, [this](const CommandCall&) {
        m_settings.DRIVELISTCURJUMP = m_settings.DRIVELISTCURJUMP ? 0 : 1;
        m_keyDownSettings.driveListCurJump[0] = m_settings.DRIVELISTCURJUMP != 0;
    });
    m_registry.RegisterMenu(IDM_SHOW_KEYS_IN_MENU, [this](const CommandCall&) {
        m_settings.VIEWMENUCOMMAND = m_settings.VIEWMENUCOMMAND ? 0 : 1;
        UpdateMenuBar(true);
    });
    m_registry.RegisterMenu(IDM_FILER_SETTINGS, [this](const CommandCall&) {
        RECT frame{};
        ::GetWindowRect(::GetParent(m_hWnd), &frame);
        CFilerSettingsSheet sheet(m_settings, SIZE{frame.right - frame.left, frame.bottom - frame.top},
                                  ::GetParent(m_hWnd));
        INT_PTR result = IDCANCEL;
        {
            const SuspendScope suspended(m_context);
            result = sheet.DoModal();
        }
        if (result != IDOK) return;
        const FilerSettingsEffects effects = CompareFilerSettings(m_settings, sheet.Edited());
        m_settings = sheet.Edited();
        if (effects.resizeSavedCursors) ResizeSavedCursors(m_settings);
        const bool reread = effects.rereadListings || effects.redisplayListings;
        m_parts.ForEachPart([reread](IViewPart& part) { part.OnSettingsChanged(reread); });
        Invalidate();
    });
    m_registry.RegisterMenu(IDM_USERINI, [this](const CommandCall&) {
        if (!m_start.user || !m_start.saver) return;
        CUseriniDlg dialog(m_start.userName, *m_start.user, ::GetParent(m_hWnd));
        INT_PTR result = IDCANCEL;
        {
            const SuspendScope suspended(m_context);
            result = dialog.DoModal();
        }
        if (result != IDOK) return;
        // Takes effect at the next save; the name is the one the USERINI line is written under.
        *m_start.user = dialog.state;
        m_start.userName = dialog.userName;
        m_start.saver->SetUserName(dialog.userName);
    });
    m_registry.RegisterMenu(ID_TASKTRAY_SHOW, [this](const CommandCall&) {
        if (m_tray) m_tray->Leave();
    });
    RegisterWindowCommands();
    LoadControlPanelItems();
}

ModeGroup CZqView::FocusedGroup() const {
    const auto group = MenuCommandGroup(
        [this](std::uint32_t mask) { return m_modes.Query(PaneModes::kEither, pane_state::kFocused, mask); });
    return group.value_or(ModeGroup::Filer);
}

bool CZqView::OfferKeyToContent(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_started == kNotStarted) return false;
    IPaneContent* content = FocusedContent();
    return content && content->OnKey(message, wParam, lParam);
}

bool CZqView::OnKeyDown(WPARAM virtualKey) {
    if (!m_router || m_started == kNotStarted) return false;
    const int modifier = ModifierIndex(KeyDown(VK_SHIFT), KeyDown(VK_CONTROL));
    const KeyOutcome outcome = m_router->OnKeyDown(static_cast<unsigned>(virtualKey), modifier);
    if (IsConsumed(outcome)) Invalidate();
    return IsConsumed(outcome);
}

bool CZqView::OnSystemKeyDown(WPARAM virtualKey, LPARAM lParam) {
    if (!m_router || m_started == kNotStarted) return false;
    const bool altDown = (lParam & (1 << 29)) != 0;
    const KeyOutcome outcome =
        m_router->OnSystemKeyDown(static_cast<unsigned>(virtualKey), altDown, KeyDown(VK_SHIFT), KeyDown(VK_CONTROL));
    if (IsConsumed(outcome)) Invalidate();
    return IsConsumed(outcome);
}

void CZqView::OnMenuCommand(UINT id) {
    // A disabled item that still arrives (an accelerator, a stale popup) runs nothing.
    if (m_menuRouter.Run(FocusedGroup(), id)) Invalidate();
}

void CZqView::UpdateMenuBar(bool force) {
    HWND frame = ::GetParent(m_hWnd);
    if (!frame) return;
    const unsigned resource = ChooseMenuBar(m_settings.MENUDISPLAY != 0, [this](std::uint32_t mask) {
        return m_modes.Query(PaneModes::kEither, pane_state::kFocused, mask);
    });
    if (!force && resource == m_menuResource) return;
    m_menuResource = resource;
    HMENU old = ::GetMenu(frame);
    HMENU bar = resource ? ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource)) : nullptr;
    if (bar && m_plugins) {
        m_menuRouter.SetRangeCount(MenuIdKind::Plugin, m_plugins->MenuRangeCount());
        if (resource == IDR_MENU_FILER || resource == IDR_MENU_DRIVELIST) m_plugins->InsertMenuItems(bar);
    }
    if (bar) {
        std::vector<std::wstring> labels;
        const int count = ::GetMenuItemCount(bar);
        for (int i = 0; i < count; ++i) {
            wchar_t text[128] = {};
            ::GetMenuStringW(bar, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
            labels.emplace_back(text);
        }
        for (int position : TopLevelPopupsToRemove(resource, m_hiddenMenus, labels)) {
            ::DeleteMenu(bar, static_cast<UINT>(position), MF_BYPOSITION);
        }
    }
    ::SetMenu(frame, bar);
    if (old) ::DestroyMenu(old);
    ::DrawMenuBar(frame);
}

void CZqView::DecorateMenuPopup(HMENU popup) {
    // Every item that would run nothing is grayed, whatever its Part.
    m_menuRouter.UpdatePopup(popup, FocusedGroup());
    // Check marks of the settings that items toggle or choose.
    const unsigned displayGroup = DisplayGroupOf(FilerOptionsFrom(m_settings));
    const struct {
        UINT id;
        bool on;
    } checks[] = {
        {IDM_DRIVELIST_JUMP_CTRL, m_settings.DRIVELISTCURJUMPCTRL != 0},
        {IDM_DRIVELIST_JUMP, m_settings.DRIVELISTCURJUMP != 0},
        {IDM_SHOW_KEYS_IN_MENU, m_settings.VIEWMENUCOMMAND != 0},
        {IDM_SELECTDISPFILESETTING1, m_settings.dispFileSettings[0] == displayGroup},
        {IDM_SELECTDISPFILESETTING2, m_settings.dispFileSettings[1] == displayGroup},
        {IDM_SELECTDISPFILESETTING3, m_settings.dispFileSettings[2] == displayGroup},
        {IDM_SELECTDISPFILESETTING4, m_settings.dispFileSettings[3] == displayGroup},
        {IDM_SELECTDISPFILESETTING5, m_settings.dispFileSettings[4] == displayGroup},
    };
    for (const auto& c : checks) ::CheckMenuItem(popup, c.id, MF_BYCOMMAND | (c.on ? MF_CHECKED : MF_UNCHECKED));
    // The viewer's column presets are named by their current values.
    const UINT lineWordItems[] = {IDM_LINEWORD1, IDM_LINEWORD2, IDM_LINEWORD3, IDM_LINEWORD4, IDM_LINEWORD5};
    for (std::size_t n = 0; n < std::size(lineWordItems); ++n) {
        wchar_t text[32];
        std::swprintf(text, std::size(text), L"%d文字に設定", m_settings.viewerSetting[n]);
        SetMenuItemLabel(popup, lineWordItems[n], false, text);
    }
    if (m_settings.VIEWMENUCOMMAND == 0 || m_menuResource == 0) return;
    const ModeQuery focusedIn = [this](std::uint32_t mask) {
        return m_modes.Query(PaneModes::kEither, pane_state::kFocused, mask);
    };
    std::vector<std::wstring> cplTexts;
    for (const StructZqCplData& item : m_cplItems) cplTexts.push_back(DefaultCplText(item.Name));
    const std::vector<std::wstring> pluginTexts = m_plugins ? m_plugins->MenuTexts() : std::vector<std::wstring>();
    ForEachCommandItem(popup, [&](UINT position, UINT id) {
        wchar_t label[256] = {};
        ::GetMenuStringW(popup, position, label, 256, MF_BYPOSITION);
        const auto decorated = MenuLabelWithKey(id, label, focusedIn, m_keys, MenuTextSources{pluginTexts, cplTexts});
        if (decorated) SetMenuItemLabel(popup, position, true, *decorated);
    });
}

void CZqView::OpenPaneContextMenus() {
    POINT at{};
    ::GetCursorPos(&at);
    UniqueMenu menus(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_PANE_POPUP_FILER)));
    if (!menus) return;
    HMENU popup = ::GetSubMenu(menus.Get(), 0);
    DecorateMenuPopup(popup);
    const int focused = m_modes.FocusedPane();
    for (int pane = 0; pane < 2; ++pane) {
        if (!m_modes.Query(pane, 0, pane_mode::kDirectory)) continue;
        // A pane's menu acts on that pane: it has the focus while its menu is open.
        if (pane != m_modes.FocusedPane()) SwapPaneFocus();
        Invalidate();
        const UINT id = static_cast<UINT>(
            ::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, m_hWnd, nullptr));
        if (id != 0) {
            OnMenuCommand(id);
            return;
        }
    }
    if (focused >= 0 && focused != m_modes.FocusedPane()) SwapPaneFocus();
    Invalidate();
}

void CZqView::SwapPaneFocus() {
    const int focused = m_modes.FocusedPane();
    if (focused < 0 || (m_modes.Get(focused ^ 1).state & pane_state::kHidden)) return;
    const StructPaneMode a = m_modes.Get(focused);
    const StructPaneMode b = m_modes.Get(focused ^ 1);
    m_modes.Set(focused, pane_state::kOther, a.mode, a.subMode);
    m_modes.Set(focused ^ 1, pane_state::kFocused, b.mode, b.subMode);
}

void CZqView::RunReturnAction() {
    if (IPaneContent* content = FocusedContent()) content->RunReturnAction();
}

void CZqView::CancelKeyDirectoryJump() {
    if (IPaneContent* content = FocusedContent()) content->CancelKeyDirectoryJump();
}

bool CZqView::IncrementalSearchActive() const {
    const IPaneContent* content = FocusedContent();
    return content && content->IncrementalSearchActive();
}

void CZqView::EndIncrementalSearch() {
    if (IPaneContent* content = FocusedContent()) content->EndIncrementalSearch();
}

bool CZqView::KeyDirectoryJumpPending() const {
    const IPaneContent* content = FocusedContent();
    return content && content->KeyDirectoryJumpPending();
}

void CZqView::RunKeyDirectoryJump(std::wstring_view keyName) {
    if (IPaneContent* content = FocusedContent()) content->RunKeyDirectoryJump(keyName);
}

bool CZqView::OfferToIncrementalSearch(unsigned virtualKey, int modifier) {
    IPaneContent* content = FocusedContent();
    return content && content->OfferToIncrementalSearch(virtualKey, modifier);
}

void CZqView::MoveCursorToDrive(wchar_t letter, bool changeDrive) {
    if (IPaneContent* content = FocusedContent()) content->MoveCursorToDrive(letter, changeDrive);
}

bool CZqView::ShownPaneInMode(std::uint32_t modeMask) const {
    return m_modes.Query(PaneModes::kEither, 0, modeMask);
}

bool CZqView::ActivePaneInMode(std::uint32_t modeMask) const {
    return m_modes.Query(PaneModes::kEither, pane_state::kFocused, modeMask);
}

void CZqView::HideToTaskTray(int modifier, unsigned virtualKey) {
    if (m_tray) m_tray->Enter(::GetParent(m_hWnd), modifier, virtualKey);
}

bool CZqView::RunPluginCommand(std::wstring_view text) {
    return m_plugins && m_plugins->RunPluginCommand(text);
}

void CZqView::SetPlugins(ViewFilerPlugins& plugins) {
    m_plugins = &plugins;
    plugins.SetMenuRebuild([this] { UpdateMenuBar(true); });
    m_menuRouter.SetRange(MenuIdKind::Plugin, plugins.MenuRangeCount(),
                          [this](int n) { m_plugins->RunMenuItem(static_cast<std::size_t>(n)); });
}

void CZqView::RunProgram(const ProgramCall& call) {
    const SuspendScope suspended(m_context);
    ::ShellExecuteW(m_hWnd, call.throughAssociation ? nullptr : L"open", call.program.c_str(),
                    call.parameters.empty() ? nullptr : call.parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

}  // namespace zq
