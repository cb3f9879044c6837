#pragma once
#include "ui/CDialog.h"

namespace zq {

// "終了しますか": ends with IDOK, IDCANCEL, 1315 (end Windows) or 1711 (reboot).
class CQuitDlg : public ui::CDialog {
  public:
    explicit CQuitDlg(HWND parent);

  protected:
    bool OnCommand(WORD id, WORD code, HWND control) override;
};

}  // namespace zq
