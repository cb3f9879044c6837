#pragma once
// "名前の変更" in its single-name mode: a new name for a file that the copy
// engine is about to write under another name.  A name that exists in the
// destination directory is refused and the dialog stays open.
#include <windows.h>

#include "ui/CDialog.h"

namespace zq::fileops {

class CRenameDlg : public ui::CDialog {
  public:
    static constexpr unsigned kModeSingleName = 2;

    CRenameDlg(HWND parent, const WIN32_FIND_DATAW& source, std::wstring destinationDirectory);
    [[nodiscard]] const std::wstring& NewName() const noexcept { return m_newName; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;

  private:
    WIN32_FIND_DATAW m_source;
    std::wstring m_destinationDirectory;
    std::wstring m_newName;
};

}  // namespace zq::fileops
