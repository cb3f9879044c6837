#pragma once
// The question of @Newselelect: whether files found on one side only are
// marked too, and whether both panes are marked.
#include "filer/FilerPaneNewer.h"
#include "ui/CDialog.h"

namespace zq {

class CNewSelectDlg : public ui::CDialog {
  public:
    CNewSelectDlg(HWND parent, const NewerSelectOptions& initial);
    [[nodiscard]] const NewerSelectOptions& Result() const noexcept { return m_values; }

  protected:
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    NewerSelectOptions m_values;
};

}  // namespace zq
