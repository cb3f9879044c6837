#include "app/CQuitDlg.h"

#include "resource.h"

namespace zq {

CQuitDlg::CQuitDlg(HWND parent) : CDialog(IDD_QUIT, parent) {}

bool CQuitDlg::OnCommand(WORD id, WORD code, HWND) {
    if (code == BN_CLICKED && (id == IDC_QUIT_SHUTDOWN || id == IDC_QUIT_REBOOT)) {
        EndDialog(id);
        return true;
    }
    return false;
}

}  // namespace zq
