#include "ui/CCheckListBoxDlg.h"

#include <commctrl.h>

#include "resource.h"

namespace zq::ui {

CCheckListBoxDlg::CCheckListBoxDlg(HWND parent, std::wstring title, std::vector<std::wstring> items,
                                   std::vector<bool>& checks)
    : CDialog(IDD_CHECKLISTBOX, parent), m_title(std::move(title)), m_items(std::move(items)), m_checks(checks) {
    // The list is a common control; its class must be registered before the
    // template is instantiated.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
}

bool CCheckListBoxDlg::OnInitDialog() {
    ::SetWindowTextW(m_hWnd, m_title.c_str());
    HWND list = GetDlgItem(IDC_CHECKLIST_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    RECT client{};
    ::GetClientRect(list, &client);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = client.right - client.left - ::GetSystemMetrics(SM_CXVSCROLL);
    ListView_InsertColumn(list, 0, &column);
    for (size_t i = 0; i < m_items.size(); ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(m_items[i].c_str());
        const int index = ListView_InsertItem(list, &item);
        ListView_SetCheckState(list, index, i < m_checks.size() && m_checks[i]);
    }
    if (!m_items.empty()) ListView_SetItemState(list, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    // The list takes the focus so that Space toggles the first line at once.
    ::SetFocus(list);
    return false;
}

void CCheckListBoxDlg::OnOK() {
    HWND list = GetDlgItem(IDC_CHECKLIST_LIST);
    m_checks.assign(m_items.size(), false);
    for (size_t i = 0; i < m_items.size(); ++i) m_checks[i] = ListView_GetCheckState(list, static_cast<int>(i)) != 0;
    EndDialog(IDOK);
}

}  // namespace zq::ui
