#include "filer/CDirJumpEntryDlg.h"

#include "commands/KeyTable.h"
#include "resource.h"
#include "ui/CommonDialogs.h"

namespace zq {

CDirJumpEntryDlg::CDirJumpEntryDlg(HWND parent, JumpEntry entry)
    : ui::CDialog(IDD_DIRJUMP_ENTRY, parent), m_entry(std::move(entry)) {}

bool CDirJumpEntryDlg::OnInitDialog() {
    SetDlgItemText(IDC_DIRJUMP_ENTRY_TARGET, m_entry.toDir);
    SetDlgItemText(IDC_DIRJUMP_ENTRY_DISPLAY, m_entry.display);
    // A bookmark may name a file, so the completion offers files too.
    (void)m_completion.Attach(GetDlgItem(IDC_DIRJUMP_ENTRY_TARGET), false);
    const HWND keys = GetDlgItem(IDC_DIRJUMP_ENTRY_KEY);
    ::SendMessageW(keys, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
    int selected = 0;
    const auto table = KeyTable();
    for (size_t i = 0; i < table.size(); ++i) {
        ::SendMessageW(keys, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(table[i].name));
        if (::CompareStringOrdinal(table[i].name, -1, m_entry.dirKey.c_str(), -1, TRUE) == CSTR_EQUAL)
            selected = static_cast<int>(i) + 1;
    }
    ::SendMessageW(keys, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    return true;
}

void CDirJumpEntryDlg::OnOK() {
    m_entry.toDir = GetDlgItemText(IDC_DIRJUMP_ENTRY_TARGET).substr(0, 519);
    m_entry.display = GetDlgItemText(IDC_DIRJUMP_ENTRY_DISPLAY).substr(0, 259);
    const LRESULT key = ::SendMessageW(GetDlgItem(IDC_DIRJUMP_ENTRY_KEY), CB_GETCURSEL, 0, 0);
    const auto table = KeyTable();
    m_entry.dirKey =
        key > 0 && static_cast<size_t>(key) <= table.size() ? table[static_cast<size_t>(key) - 1].name : L"";
    m_completion.Detach();
    EndDialog(IDOK);
}

bool CDirJumpEntryDlg::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDC_DIRJUMP_ENTRY_BROWSE) {
        const auto folder = ui::ChooseFolder(m_hWnd, L"ジャンプ先", GetDlgItemText(IDC_DIRJUMP_ENTRY_TARGET));
        if (folder) SetDlgItemText(IDC_DIRJUMP_ENTRY_TARGET, *folder);
        return true;
    }
    if (id == IDCANCEL) m_completion.Detach();
    return ui::CDialog::OnCommand(id, code, control);
}

}  // namespace zq
