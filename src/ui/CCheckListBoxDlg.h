#pragma once
// The program's small check-list dialog: a title, a list of lines each with a
// check box, OK and Cancel.  The check states are read from and, on OK,
// written back to the caller's vector<bool> (one flag per item).
#include <string>
#include <vector>

#include "ui/CDialog.h"

namespace zq::ui {

class CCheckListBoxDlg : public CDialog {
  public:
    // checks must outlive the dialog; a missing flag counts as unchecked.
    CCheckListBoxDlg(HWND parent, std::wstring title, std::vector<std::wstring> items, std::vector<bool>& checks);

  protected:
    bool OnInitDialog() override;
    void OnOK() override;

  private:
    std::wstring m_title;
    std::vector<std::wstring> m_items;
    std::vector<bool>& m_checks;
};

}  // namespace zq::ui
