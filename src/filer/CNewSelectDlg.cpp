#include "filer/CNewSelectDlg.h"

#include "resource.h"

namespace zq {

CNewSelectDlg::CNewSelectDlg(HWND parent, const NewerSelectOptions& initial)
    : ui::CDialog(IDD_NEWSELECT, parent), m_values(initial) {}

void CNewSelectDlg::DoDataExchange(ui::DataExchange& dx) {
    dx.Check(IDC_NEWSELECT_LONELY, m_values.lonelyFiles);
    dx.Check(IDC_NEWSELECT_BOTH, m_values.bothPanes);
}

}  // namespace zq
