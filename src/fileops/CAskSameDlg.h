#pragma once
// The confirmation box with "以後同設定": YES(&Y) / NO(&N), the check box
// coming in checked and going out as the user left it.
#include "ui/CDialog.h"

namespace zq::fileops {

class CAskSameDlg : public ui::CDialog {
  public:
    CAskSameDlg(HWND parent, std::wstring caption, std::wstring text, bool sameFromNow);
    [[nodiscard]] bool SameFromNow() const noexcept { return m_sameFromNow; }

  protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

  private:
    std::wstring m_caption;
    std::wstring m_text;
    bool m_sameFromNow;
};

}  // namespace zq::fileops
