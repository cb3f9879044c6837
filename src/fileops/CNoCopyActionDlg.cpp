#include "fileops/CNoCopyActionDlg.h"

#include "resource.h"

namespace zq::fileops {

CNoCopyActionDlg::CNoCopyActionDlg(HWND parent, bool attributes, bool dateTime)
    : CDialog(IDD_NOCOPY, parent), m_attributes(attributes), m_dateTime(dateTime) {}

void CNoCopyActionDlg::DoDataExchange(ui::DataExchange& dx) {
    dx.Check(IDC_NOCOPY_ATTRIBUTES, m_attributes);
    dx.Check(IDC_NOCOPY_DATETIME, m_dateTime);
}

}  // namespace zq::fileops
