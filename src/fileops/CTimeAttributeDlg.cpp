#include "fileops/CTimeAttributeDlg.h"

#include "resource.h"

namespace zq::fileops {

CTimeAttributeDlg::CTimeAttributeDlg(HWND parent, AttributeDialogState& state, const LocalClock& clock)
    : CAttributeDialogBase(IDD_TIMEATTRIBUTE, parent, kAttributes | kTimes, state, clock) {}

}  // namespace zq::fileops
