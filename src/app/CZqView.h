#pragma once
#include <string>

#include "ui/CView.h"

namespace zq {

// The one view: it owns the two panes and draws and drives everything.
class CZqView : public ui::CView {
public:
    // Answers whether the program ends; fromClose is set when the frame is being closed.
    bool QuitRequest(bool fromClose);

protected:
    bool OnCreate() override;
    void OnDraw(HDC dc, const RECT& client) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void DrawPane(HDC dc, const RECT& area, int index, bool focused) const;
    int m_focusedPane = 0;
    bool m_quitting = false;
};

}  // namespace zq
