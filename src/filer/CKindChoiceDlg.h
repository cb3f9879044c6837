#pragma once
// The choice among several rows of the extension table that match one file.
#include <string>
#include <vector>

#include "ui/CDialog.h"

namespace zq {

class CKindChoiceDlg : public ui::CDialog {
  public:
    CKindChoiceDlg(HWND parent, std::wstring fileName, std::vector<std::wstring> rows);
    [[nodiscard]] int Chosen() const noexcept { return m_chosen; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

  private:
    std::wstring m_fileName;
    std::vector<std::wstring> m_rows;
    int m_chosen = -1;
};

}  // namespace zq
