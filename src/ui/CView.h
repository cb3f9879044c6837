#pragma once
// A child window that fills the frame's client area and paints through OnDraw.
#include "ui/CWnd.h"

namespace zq::ui {

class CView : public CWnd {
  public:
    bool CreateView(HWND frame, UINT id = 0xE900);

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Paints into an off-screen bitmap of the client size, so the panes never flicker.
    virtual void OnDraw(HDC dc, const RECT& client) = 0;
    virtual bool OnCreate() { return true; }
};

}  // namespace zq::ui
