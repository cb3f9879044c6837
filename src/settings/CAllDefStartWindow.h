#pragma once
// "起動設定": window size and position at start, the start directories.
#include "settings/Settings.h"
#include "ui/CDialog.h"

namespace zq {

class CAllDefStartWindow : public ui::CDialog {
  public:
    CAllDefStartWindow(Settings& edit, SIZE currentFrameSize);

  protected:
    void DoDataExchange(ui::DataExchange& dx) override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

  private:
    void Browse(int editId);
    Settings& m_edit;
    SIZE m_currentFrameSize;
};

}  // namespace zq
