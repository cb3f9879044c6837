#include "commands/CNotViewMenuDlg.h"

#include "resource.h"

namespace zq {

CNotViewMenuDlg::CNotViewMenuDlg(HiddenMenuFlags& flags, HWND parent)
    : CDialog(IDD_NOTVIEWMENU, parent), m_live(flags), m_editor(flags) {}

bool CNotViewMenuDlg::OnInitDialog() {
    const HWND modes = GetDlgItem(IDC_NVM_MODES);
    for (const std::wstring& name : HiddenMenuEditor::ModeNames())
        ::SendMessageW(modes, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    ::SendMessageW(modes, LB_SETCURSEL, 0, 0);
    ShowMode(0);
    return true;
}

void CNotViewMenuDlg::OnOK() {
    m_editor.ApplyTo(m_live);
    EndDialog(IDOK);
}

bool CNotViewMenuDlg::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDC_NVM_MODES && code == LBN_SELCHANGE) {
        const int mode = static_cast<int>(::SendMessageW(control, LB_GETCURSEL, 0, 0));
        if (mode >= 0) ShowMode(mode);
        return true;
    }
    if (id >= IDC_NVM_POPUP0 && id < IDC_NVM_POPUP0 + kMaxMenuPopups && code == BN_CLICKED) {
        const bool checked = ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        m_editor.SetHidden(m_mode, id - IDC_NVM_POPUP0, checked);
        return true;
    }
    return false;
}

void CNotViewMenuDlg::ShowMode(int mode) {
    m_mode = mode;
    const auto items = m_editor.Items(mode);
    for (int i = 0; i < kMaxMenuPopups; ++i) {
        const HWND box = GetDlgItem(IDC_NVM_POPUP0 + i);
        const bool used = i < static_cast<int>(items.size());
        ::ShowWindow(box, used ? SW_SHOW : SW_HIDE);
        if (!used) continue;
        const HiddenMenuItem& item = items[static_cast<std::size_t>(i)];
        ::SetWindowTextW(box, item.label.c_str());
        // The plug-in popup never shows on a bar, so its box is shown checked
        // and cannot be changed.
        const bool checked = item.hidden || item.alwaysHidden;
        ::SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        ::EnableWindow(box, !item.alwaysHidden);
    }
}

}  // namespace zq
