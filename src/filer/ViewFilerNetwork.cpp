// The network listing in the Filer: the two ways into it, Return and
// @Updirectory inside it, the way up from a share, the platform's dialogs
// that map and disconnect network drives, and the network settings.
#include <windows.h>

#include <cwchar>

#include "commands/CommandRegistry.h"
#include "commands/PaneModes.h"
#include "filer/CNetAccountDlg.h"
#include "filer/CursorMemory.h"
#include "filer/FilerPane.h"
#include "filer/NetworkList.h"
#include "filer/NetworkListAccounts.h"
#include "filer/ViewFiler.h"
#include "resource.h"
#include "settings/CNetworkSettingDlg.h"
#include "settings/Settings.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

NetworkList& ViewFiler::NetworkOf(int index) {
    const FilerPane* pane = &Pane(index);
    for (auto& [owner, list] : m_networks)
        if (owner == pane) return *list;
    if (!m_netEnumerator) m_netEnumerator = std::make_unique<Win32NetEnumerator>();
    if (!m_netAccounts) m_netAccounts = std::make_unique<NetworkListAccounts>(m_context.view, *m_context.settings);
    m_networks.emplace_back(pane, std::make_unique<NetworkList>(*m_netEnumerator, m_netAccounts.get()));
    return *m_networks.back().second;
}

void ViewFiler::ApplyNetwork(int index, const std::wstring& cursorName) {
    NetworkList& list = NetworkOf(index);
    // Only the entire network's top is put in name order; deeper levels keep the platform's.
    const bool sorted = list.PseudoPath() == kEntireNetworkPath;
    Pane(index).ShowNetwork(list.Entries(), sorted, cursorName);
    SyncPaneModes();
}

bool ViewFiler::ReadWhatAwaitedNetwork() {
    bool read = false;
    for (int i = 0; i < 2; ++i) {
        if (!PaneShown(i)) continue;
        FilerPane& pane = Pane(i);
        if (pane.Kind() == kKindNetwork) {
            NetworkList& list = NetworkOf(i);
            if (!list.WaitsForAnswer()) continue;
            const int entry = pane.EntryIndexAt(pane.Cursor());
            const std::wstring name = entry >= 0 && entry < pane.NetworkCount() ? pane.NetworkEntry(entry).name : L"";
            list.Relist();
            ApplyNetwork(i, name);
            read = true;
        } else if (pane.Kind() == kKindDirectory && pane.NotReady() && pane.DriveClass() == kDriveNetwork) {
            ReadKeepingCursor(i);
            read = true;
        }
    }
    return read;
}

void ViewFiler::ShowNetwork(int index, bool entireNetwork) {
    FilerPane& pane = Pane(index);
    pane.LeaveDirectory(m_cursorMemory.get());
    NetworkList& list = NetworkOf(index);
    list.SetParentLine(m_context.settings->NOTVIEWUPDIR == 0);
    if (entireNetwork)
        list.ShowEntireNetwork();
    else
        list.ShowComputers();
    ApplyNetwork(index, L"");
}

void ViewFiler::FollowNetworkStep(int index, int kind, const std::wstring& path, const std::wstring& cursorName) {
    switch (static_cast<NetworkList::Step::Kind>(kind)) {
        case NetworkList::Step::Kind::Listed:
            ApplyNetwork(index, cursorName);
            break;
        case NetworkList::Step::Kind::Share:
            ChangePaneDirectory(index, path);
            SyncPaneModes();
            break;
        case NetworkList::Step::Kind::DriveList: {
            ShowDriveList(index);
            // Leaving the network's top lands on its own line at the end of the list.
            FilerPane& pane = Pane(index);
            if (m_context.settings->VIEWNETWORKONLIST && pane.Count() > 0)
                pane.MoveCursor(pane.Count() - 1 - pane.Cursor(), false);
            break;
        }
    }
}

void ViewFiler::EnterNetworkEntry(int index) {
    FilerPane& pane = Pane(index);
    if (pane.Kind() != kKindNetwork || pane.NetworkCount() == 0) return;
    const int entry = pane.EntryIndexAt(pane.Cursor());
    if (entry < 0 || entry >= pane.NetworkCount()) return;
    const NetworkList::Step step = NetworkOf(index).Enter(pane.NetworkEntry(entry));
    FollowNetworkStep(index, static_cast<int>(step.kind), step.uncPath, step.cursorName);
}

void ViewFiler::LeaveForListing(int index) {
    FilerPane& pane = Pane(index);
    const std::wstring share = pane.Path();
    NetworkList& list = NetworkOf(index);
    list.SetParentLine(m_context.settings->NOTVIEWUPDIR == 0);
    const NetworkList::Step step = list.UpFromShare(share);
    if (step.kind == NetworkList::Step::Kind::DriveList) {
        // The way back through the network is unknown: the share stays reachable from the drive list.
        m_networkRootLeft = share;
        ShowDriveList(index);
        return;
    }
    pane.LeaveDirectory(m_cursorMemory.get());
    ApplyNetwork(index, step.cursorName);
}

void ViewFiler::ConnectionDialog(bool connect) {
    DWORD result = NO_ERROR;
    {
        const SuspendScope suspended(m_context);
        result = connect ? ::WNetConnectionDialog(m_context.view, RESOURCETYPE_DISK)
                         : ::WNetDisconnectDialog(m_context.view, RESOURCETYPE_DISK);
    }
    // -1: the user cancelled.
    if (result == static_cast<DWORD>(-1)) return;
    if (result != NO_ERROR) {
        wchar_t text[128];
        std::swprintf(text, std::size(text),
                      connect ? L"ネットワークドライブの割り当てができませんでした(%lu)"
                              : L"ネットワークドライブの切断ができませんでした(%lu)",
                      static_cast<unsigned long>(result));
        ui::ZqMessageBox(m_context.view, text);
        return;
    }
    Refresh();
}

void ViewFiler::EditNetworkSettings() {
    const HWND owner = m_context.view;
    // From the settings the account dialog only edits: nothing is connected.
    const auto edit = [owner](NetworkAccountList& accounts, size_t index) {
        CNetAccountDlg dialog(owner, accounts[index], !accounts[index].password.empty());
        if (dialog.DoModal() != IDOK) return false;
        StoreNetworkAccount(accounts, dialog.Account(), dialog.SavePassword());
        return true;
    };
    CNetworkSettingDlg dialog(owner, *m_context.settings, edit);
    INT_PTR result = IDCANCEL;
    {
        const SuspendScope suspended(m_context);
        result = dialog.DoModal();
    }
    if (result != IDOK) return;
    *m_context.settings = dialog.Edited();
    ApplySettings();
    ::InvalidateRect(m_context.view, nullptr, FALSE);
}

void ViewFiler::RegisterNetworkCommands() {
    m_context.registry->RegisterMenu(IDM_NETWORK_SETTINGS, [this](const CommandCall&) { EditNetworkSettings(); });
    m_context.registry->RegisterMenu(IDM_VIRTUAL_DRIVE_SETTINGS, [this](const CommandCall&) { EditVirtualDrives(); });
    Add(cmd::filer::Tonetwork, [this] { ShowNetwork(ActivePane(), false); });
    Add(cmd::filer::Toallnetwork, [this] { ShowNetwork(ActivePane(), true); });
    Add(cmd::filer::Chainnetwork, [this] { ConnectionDialog(true); });
    Add(cmd::filer::Killnetwork, [this] { ConnectionDialog(false); });
}

}  // namespace zq
