#pragma once
#include "ui/CFrameWnd.h"

namespace zq {

class CZqView;

// The main window.  Closing it goes through the view's quit request.
class CMainFrame : public ui::CFrameWnd {
  public:
    void SetZqView(CZqView* view) noexcept { m_zqView = view; }
    void SetDirChangeMessage(UINT message) noexcept { m_dirChangeMessage = message; }

  protected:
    void OnClose() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    CZqView* m_zqView = nullptr;
    UINT m_dirChangeMessage = 0;
};

}  // namespace zq
