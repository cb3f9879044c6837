#pragma once
// "付加条件": edits a copy of a FileConditions record (time ranges,
// attributes, sizes).  Used by the wildcard dialog and the file search; the
// caller's record changes only when it takes Result() after OK.
#include "filer/FindOptionForm.h"
#include "ui/CDialog.h"

namespace zq {

class CFindOptionDlg : public ui::CDialog {
  public:
    CFindOptionDlg(HWND parent, const FileConditions& conditions, const LocalClock& clock = SystemLocalClock());
    // The checked record; valid after DoModal() returned IDOK.
    [[nodiscard]] const FileConditions& Result() const noexcept { return m_result; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    void ShowUnit();
    void EnableRanges();
    void ApplyDateOperation();

    FindOptionForm m_form;
    FileConditions m_result;
    int m_dateTarget;  // the text index of the date field the operation acts on
    int m_operation = 0;
};

}  // namespace zq
