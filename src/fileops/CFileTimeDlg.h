#pragma once
// "ファイルの時間の変更": the three time rows and "DIRの中のファイルも変更".
#include "fileops/CAttributeDlg.h"

namespace zq::fileops {

class CFileTimeDlg : public CAttributeDialogBase {
  public:
    CFileTimeDlg(HWND parent, AttributeDialogState& state, const LocalClock& clock);
};

}  // namespace zq::fileops
