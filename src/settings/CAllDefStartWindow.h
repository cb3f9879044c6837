#pragma once
// "起動設定": window size and position at start, the start directories.
#include "settings/CSettingsPage.h"

namespace zq {

class CAllDefStartWindow : public CSettingsPage {
  public:
    CAllDefStartWindow(Settings& edit, SIZE currentFrameSize);

  protected:
    void DoDataExchange(ui::DataExchange& dx) override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

  private:
    void Browse(int editId);
    SIZE m_currentFrameSize;
};

}  // namespace zq
