#include "viewer/CViewerJumpDlg.h"

#include "resource.h"

namespace zq::viewer {

CViewerJumpDlg::CViewerJumpDlg(HWND parent) : ui::CDialog(IDD_VIEWER_JUMP, parent) {}

void CViewerJumpDlg::DoDataExchange(ui::DataExchange& dx) {
    dx.Text(IDC_VIEWER_JUMP_LINE, m_field);
}

}  // namespace zq::viewer
