#pragma once
// The jump dialog "テキストのジャンプ": one field, the line to jump to, read
// by JumpTop ("+n" and "-n" move, "n" goes there).
#include <string>

#include "ui/CDialog.h"

namespace zq::viewer {

class CViewerJumpDlg : public ui::CDialog {
  public:
    explicit CViewerJumpDlg(HWND parent);
    [[nodiscard]] const std::wstring& Field() const { return m_field; }

  protected:
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    std::wstring m_field;
};

}  // namespace zq::viewer
