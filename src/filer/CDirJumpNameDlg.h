#pragma once
// A one-line name for a bookmark group: "追加グループ名の設定" when adding,
// "グループ名の変更" when renaming.
#include <string>

#include "ui/CDialog.h"

namespace zq {

class CDirJumpNameDlg : public ui::CDialog {
  public:
    CDirJumpNameDlg(HWND parent, std::wstring caption, std::wstring name);
    [[nodiscard]] const std::wstring& Name() const noexcept { return m_name; }

  protected:
    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    std::wstring m_caption;
    std::wstring m_name;
};

}  // namespace zq
