#pragma once
// "グループの選択": which bookmark group a new bookmark goes into.
#include <string>
#include <vector>

#include "ui/CDialog.h"

namespace zq {

class CDirJumpGroupDlg : public ui::CDialog {
  public:
    CDirJumpGroupDlg(HWND parent, std::vector<std::wstring> names);
    // The chosen group after IDOK.
    [[nodiscard]] int Chosen() const noexcept { return m_chosen; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

  private:
    std::vector<std::wstring> m_names;
    int m_chosen = 0;
};

}  // namespace zq
