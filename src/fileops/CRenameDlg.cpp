#include "fileops/CRenameDlg.h"

#include "resource.h"
#include "ui/CMessageBoxDlg.h"

namespace zq::fileops {

CRenameDlg::CRenameDlg(HWND parent, const WIN32_FIND_DATAW& source, std::wstring destinationDirectory)
    : CDialog(IDD_RENAME, parent), m_source(source), m_destinationDirectory(std::move(destinationDirectory)) {}

bool CRenameDlg::OnInitDialog() {
    SetDlgItemText(IDC_RENAME_BEFORE, m_source.cFileName);
    SetDlgItemText(IDC_RENAME_AFTER, m_source.cFileName);
    ::SetFocus(GetDlgItem(IDC_RENAME_AFTER));
    ::SendDlgItemMessageW(m_hWnd, IDC_RENAME_AFTER, EM_SETSEL, 0, -1);
    return false;
}

void CRenameDlg::OnOK() {
    const std::wstring name = GetDlgItemText(IDC_RENAME_AFTER);
    if (name.empty()) return;
    const std::wstring path = m_destinationDirectory + L"\\" + name;
    if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        ui::ZqMessageBox(m_hWnd, L"入力したファイルは既に存在します");
        return;
    }
    m_newName = name;
    EndDialog(IDOK);
}

}  // namespace zq::fileops
