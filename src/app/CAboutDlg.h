#pragma once
#include "common/Handle.h"
#include "ui/CDialog.h"

namespace zq {

// "バージョン情報": the program's name, its edition and a link to its home page.
class CAboutDlg : public ui::CDialog {
  public:
    explicit CAboutDlg(HWND parent);

  protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    UniqueGdiObject m_linkFont;
};

}  // namespace zq
