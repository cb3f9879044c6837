#pragma once
// "ファイル実行": a program and its parameters, each offered from its history.
#include <string>
#include <vector>

#include "ui/CDialog.h"

namespace zq {

class CExecuteDlg : public ui::CDialog {
  public:
    CExecuteDlg(HWND parent, std::vector<std::wstring> programs, std::vector<std::wstring> parameters);
    [[nodiscard]] const std::wstring& Program() const noexcept { return m_program; }
    [[nodiscard]] const std::wstring& Parameters() const noexcept { return m_parameters; }

  protected:
    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    std::vector<std::wstring> m_programHistory;
    std::vector<std::wstring> m_parameterHistory;
    std::wstring m_program;
    std::wstring m_parameters;
};

}  // namespace zq
