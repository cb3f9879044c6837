#pragma once
// "ディレクトリの作成": the name to create (relative to the pane's directory
// or absolute) and "カーソルを作成したディレクトリに合わせる".
#include <string>

#include "ui/CDialog.h"

namespace zq::fileops {

class CMkDirDlg : public ui::CDialog {
  public:
    CMkDirDlg(HWND parent, bool moveToMade);
    [[nodiscard]] const std::wstring& Name() const noexcept { return m_name; }
    [[nodiscard]] bool MoveToMade() const noexcept { return m_moveToMade; }

  protected:
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    std::wstring m_name;
    bool m_moveToMade;
};

}  // namespace zq::fileops
