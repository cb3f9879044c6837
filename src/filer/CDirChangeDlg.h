#pragma once
// The directory input of @Dirchange: a path typed (Ctrl+Tab completes it
// with directory names) or taken from the drop-down of paths gone to before.
#include <string>
#include <vector>

#include "ui/CDialog.h"
#include "ui/CInputComplement.h"

namespace zq {

class CDirChangeDlg : public ui::CDialog {
  public:
    // `base`: the folder a relative path is completed in (the pane's directory).
    CDirChangeDlg(HWND parent, std::vector<std::wstring> jumpList, std::wstring base);
    [[nodiscard]] const std::wstring& Path() const noexcept { return m_path; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

  private:
    std::vector<std::wstring> m_jumpList;
    std::wstring m_base;
    std::wstring m_path;
    ui::CInputComplement m_completion;
};

}  // namespace zq
