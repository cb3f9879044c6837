#pragma once
// @GraphicList: the pictures of the list by name, the one on screen selected;
// OK shows the one the user selected.
#include <string>
#include <vector>

#include "ui/CDialog.h"

namespace zq {

class CGraphicListDlg final : public ui::CDialog {
  public:
    CGraphicListDlg(HWND parent, const std::vector<std::wstring>& pictures, int current);
    [[nodiscard]] int Selected() const noexcept { return m_selected; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

  private:
    const std::vector<std::wstring>& m_pictures;
    int m_selected;
};

}  // namespace zq
