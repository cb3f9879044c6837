#include "fileops/CFileTimeDlg.h"

#include "resource.h"

namespace zq::fileops {

CFileTimeDlg::CFileTimeDlg(HWND parent, AttributeDialogState& state, const LocalClock& clock)
    : CAttributeDialogBase(IDD_FILETIME, parent, kTimes, state, clock) {}

}  // namespace zq::fileops
