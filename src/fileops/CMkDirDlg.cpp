#include "fileops/CMkDirDlg.h"

#include "resource.h"

namespace zq::fileops {

CMkDirDlg::CMkDirDlg(HWND parent, bool moveToMade) : CDialog(IDD_MKDIR, parent), m_moveToMade(moveToMade) {}

void CMkDirDlg::DoDataExchange(ui::DataExchange& dx) {
    dx.Text(IDC_MKDIR_NAME, m_name, 519);
    dx.Check(IDC_MKDIR_MOVE, m_moveToMade);
}

}  // namespace zq::fileops
