// The main window's own commands (about box, window size, icon) and the
// control-panel items of the system utilities, reached from keys and menus.
#include <windows.h>
#include <shellapi.h>

#include <optional>

#include "app/CAboutDlg.h"
#include "app/CZqView.h"
#include "commands/CommandText.h"
#include "common/Handle.h"
#include "common/Paths.h"
#include "external/CompanionLibrary.h"
#include "resource.h"
#include "settings/Settings.h"
#include "settings/SettingsSaver.h"

namespace zq {

namespace {

bool SameTextIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                                          static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

void RunControlPanel(const std::wstring& parameters) {
    ::ShellExecuteW(nullptr, L"open", L"control.exe", parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

}  // namespace

void CZqView::RegisterWindowCommands() {
    m_registry.RegisterMenu(ID_OPERATION_DIALOG_FINISHED, [this](const CommandCall&) { OnOperationEnded(); });
    m_registry.RegisterMenu(ID_APP_ABOUT, [this](const CommandCall&) {
        const SuspendScope suspended(m_context);
        CAboutDlg dialog(::GetParent(m_hWnd));
        (void)dialog.DoModal();
    });
    m_registry.RegisterCommon(cmd::common::Zoomscreen, [this](const CommandCall&) {
        HWND frame = ::GetParent(m_hWnd);
        ::ShowWindow(frame, ::IsZoomed(frame) ? SW_RESTORE : SW_MAXIMIZE);
    });
    for (CommandId id :
         {cmd::filer::Showicon, cmd::viewer::Showicon, cmd::graphic::Showicon, cmd::binary_editor::Showicon}) {
        m_registry.Register(id, [this](const CommandCall&) { ::ShowWindow(::GetParent(m_hWnd), SW_MINIMIZE); });
    }
    // "@Defaultcpl" names an item by its name; a name that was not loaded is
    // left to the control panel itself, which knows its files and canonical names.
    m_registry.RegisterCommon(cmd::common::Defaultcpl, [this](const CommandCall& call) {
        if (call.argument.empty()) return;
        for (std::size_t n = 0; n < m_cplItems.size(); ++n) {
            if (SameTextIgnoringCase(m_cplItems[n].Name, call.argument)) {
                OpenControlPanelItem(n);
                return;
            }
        }
        RunControlPanel(std::wstring(call.argument));
    });
    m_registry.RegisterMenu(IDM_NON_LOAD_CPL, [this](const CommandCall&) {
        const std::vector<std::wstring> current(m_settings.nonLoadCpl.begin(), m_settings.nonLoadCpl.end());
        std::optional<std::vector<std::wstring>> chosen;
        {
            const SuspendScope suspended(m_context);
            chosen = m_companion->SetNonLoadCpl(::GetParent(m_hWnd), current);
        }
        if (!chosen) return;
        for (std::size_t i = 0; i < m_settings.nonLoadCpl.size(); ++i)
            m_settings.nonLoadCpl[i] = i < chosen->size() ? (*chosen)[i] : std::wstring();
    });
    m_menuRouter.SetRange(MenuIdKind::ControlPanel, 0,
                          [this](int n) { OpenControlPanelItem(static_cast<std::size_t>(n)); });
}

void CZqView::LoadControlPanelItems() {
    // Asking every applet for its items is slow and an applet may hang, so
    // this is done only when the user asked for it.
    if (m_settings.NEGLECTCPL != 0) return;
    const bool debug = m_settings.DEBUGMODE != 0 && m_settings.debugData[3] != 0;
    const std::vector<std::wstring> nonLoad(m_settings.nonLoadCpl.begin(), m_settings.nonLoadCpl.end());
    m_cplItems = m_companion->GetCplAllData(debug, ::GetParent(m_hWnd), nonLoad);
    m_menuRouter.SetRangeCount(MenuIdKind::ControlPanel, m_cplItems.size());
    if (m_cplItems.empty()) return;
    // The list exists only when there is something to list.
    for (CommandId id :
         {cmd::filer::Allcpldata, cmd::viewer::Allcpldata, cmd::graphic::Allcpldata, cmd::binary_editor::Allcpldata}) {
        m_registry.Register(id, [this](const CommandCall&) { ShowControlPanelList(); });
    }
}

void CZqView::OpenControlPanelItem(std::size_t index) {
    if (index < m_cplItems.size()) (void)OpenCplItem(m_cplItems[index]);
}

void CZqView::ShowControlPanelList() {
    UniqueMenu menu(::CreatePopupMenu());
    if (!menu) return;
    for (std::size_t n = 0; n < m_cplItems.size(); ++n) {
        ::AppendMenuW(menu.Get(), MF_STRING, IDM_CPL_FIRST + n, m_cplItems[n].Name);
    }
    POINT at{0, 0};
    ::ClientToScreen(m_hWnd, &at);
    const UINT id = static_cast<UINT>(
        ::TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN, at.x, at.y, 0, m_hWnd, nullptr));
    if (id != 0) OnMenuCommand(id);
}

std::wstring CZqView::KeyDataStartPath() const {
    // The main settings file is the one the last save wrote; before any save,
    // the one beside the program, where the save will go.  A file read from
    // the Windows directory is only a fallback of the first start.
    if (m_start.saver && !m_start.saver->MainPath().empty()) return m_start.saver->MainPath();
    return JoinPath(m_start.programDir, L"zq.ini");
}

}  // namespace zq
