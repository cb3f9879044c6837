#include "archive/CUnpackSettingsDlg.h"

#include <utility>

#include "common/TextConv.h"
#include "resource.h"

namespace zq {

namespace {

// "LZH, EXE" from the zero-separated list of a row.
std::wstring ExtensionList(std::wstring_view extensions) {
    std::wstring shown;
    for (size_t at = 0; at < extensions.size() && extensions[at] != L'\0';) {
        const size_t end = extensions.find(L'\0', at);
        if (!shown.empty()) shown += L", ";
        shown += extensions.substr(at, end - at);
        if (end == std::wstring_view::npos) break;
        at = end + 1;
    }
    return shown;
}

}  // namespace

CUnpackSettingsDlg::CUnpackSettingsDlg(HWND parent, std::vector<StructArchiverRow> table, Switches switches,
                                       std::wstring libraryPath)
    : CDialog(IDD_UNPACK_SETTINGS, parent),
      m_table(std::move(table)),
      m_switches(switches),
      m_libraryPath(std::move(libraryPath)) {}

bool CUnpackSettingsDlg::OnInitDialog() {
    const HWND rows = GetDlgItem(IDC_UNPACKSET_ROW);
    for (const StructArchiverRow& row : m_table) {
        const std::wstring line = ToWide(row.unpackPrefix) + L" (" + ExtensionList(row.extensions) + L")";
        ::SendMessageW(rows, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    ::SendMessageW(rows, CB_SETCURSEL, 0, 0);
    SetDlgItemText(IDC_UNPACKSET_DLL, m_libraryPath);
    ShowRow(0);
    return true;
}

void CUnpackSettingsDlg::ShowRow(int row) {
    if (row < 0 || row >= static_cast<int>(m_table.size()) || row >= kArchiverRows) return;
    m_row = row;
    const StructArchiverRow& r = m_table[static_cast<size_t>(row)];
    SetDlgItemText(IDC_UNPACKSET_INFO, r.unpackDll + L"  コマンド: " + r.extractWord);
    // A switch without a word has no effect on the command line: not offered.
    for (int i = 0; i < 10; ++i) {
        const std::wstring& word = r.optionWords[static_cast<size_t>(i)];
        const HWND box = GetDlgItem(IDC_UNPACKSET_OPTION0 + i);
        ::SetWindowTextW(box, word.c_str());
        ::ShowWindow(box, word.empty() ? SW_HIDE : SW_SHOW);
        const int on = m_switches[static_cast<size_t>(row)][static_cast<size_t>(i)];
        ::SendMessageW(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void CUnpackSettingsDlg::KeepRow() {
    for (int i = 0; i < 10; ++i) {
        if (m_table[static_cast<size_t>(m_row)].optionWords[static_cast<size_t>(i)].empty()) continue;
        const LRESULT state = ::SendMessageW(GetDlgItem(IDC_UNPACKSET_OPTION0 + i), BM_GETCHECK, 0, 0);
        m_switches[static_cast<size_t>(m_row)][static_cast<size_t>(i)] = state == BST_CHECKED ? 1 : 0;
    }
}

bool CUnpackSettingsDlg::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDC_UNPACKSET_ROW && code == CBN_SELCHANGE) {
        KeepRow();
        ShowRow(static_cast<int>(::SendMessageW(control, CB_GETCURSEL, 0, 0)));
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

void CUnpackSettingsDlg::OnOK() {
    KeepRow();
    m_libraryPath = GetDlgItemText(IDC_UNPACKSET_DLL);
    EndDialog(IDOK);
}

}  // namespace zq
