#pragma once
// A top-level frame holding one view that fills its client area.  The title is
// the framework's standard form: document name, " - " and the application
// title, so other instances can find the window by its ending " - zq".
#include "ui/CWnd.h"

namespace zq::ui {

class CView;

class CFrameWnd : public CWnd {
  public:
    bool CreateFrame(const std::wstring& appTitle, const std::wstring& documentName, HMENU menu, HICON icon,
                     int x = CW_USEDEFAULT, int y = CW_USEDEFAULT, int width = CW_USEDEFAULT,
                     int height = CW_USEDEFAULT);
    void SetView(CView* view) noexcept { m_view = view; }
    [[nodiscard]] CView* GetActiveView() const noexcept { return m_view; }
    void UpdateTitle(const std::wstring& documentName);
    [[nodiscard]] const std::wstring& AppTitle() const noexcept { return m_appTitle; }
    static std::wstring ComposeTitle(const std::wstring& documentName, const std::wstring& appTitle);

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // WM_CLOSE: the default destroys the frame; the program's frame asks first.
    virtual void OnClose();
    virtual void OnDestroy();

  private:
    CView* m_view = nullptr;
    std::wstring m_appTitle;
};

}  // namespace zq::ui
