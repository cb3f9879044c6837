#pragma once
// "属性および時間変更": both parts, each switched on by its own box.
#include "fileops/CAttributeDlg.h"

namespace zq::fileops {

class CTimeAttributeDlg : public CAttributeDialogBase {
  public:
    CTimeAttributeDlg(HWND parent, AttributeDialogState& state, const LocalClock& clock);
};

}  // namespace zq::fileops
