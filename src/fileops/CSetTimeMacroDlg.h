#pragma once
// "時間マクロ設定": the five formats %t1 to %t5 of the command-line macros.
#include <array>
#include <string>

#include "ui/CDialog.h"

namespace zq::fileops {

class CSetTimeMacroDlg : public ui::CDialog {
  public:
    CSetTimeMacroDlg(HWND parent, std::array<std::wstring, 5> formats);
    [[nodiscard]] const std::array<std::wstring, 5>& Formats() const noexcept { return m_formats; }

  protected:
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    std::array<std::wstring, 5> m_formats;
};

}  // namespace zq::fileops
