#pragma once
// The Filer key-configuration dialog (@Filerkey).  Besides the commands it
// offers the Filer's other forms: a free execution string, a directory for
// @Keyjumpdir, a program with parameters, and a file run by its association.
//
//   CKeyConfigDlg dlg(liveKeys, viewHwnd);
//   if (dlg.DoModal() == IDOK) ...liveKeys holds the new Filer keys...
#include "commands/CKeyConfigBase.h"

namespace zq {

class CKeyConfigDlg : public CKeyConfigBase {
  public:
    CKeyConfigDlg(KeyAssignments& keys, HWND parent);

  protected:
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void ShowSlotFields() override;

  private:
    void BrowseDirectory();
    void BrowseFile();
};

}  // namespace zq
