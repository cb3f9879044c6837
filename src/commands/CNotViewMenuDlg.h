#pragma once
// "非表示メニュー項目の設定" (menu 2026): the seven menu bars and a check box
// per top-level popup; checked popups are removed from that bar.
//
//   CNotViewMenuDlg dlg(liveFlags, viewHwnd);
//   if (dlg.DoModal() == IDOK) ...liveFlags changed: rebuild the menu bar...
#include "commands/HiddenMenuEditor.h"
#include "ui/CDialog.h"

namespace zq {

class CNotViewMenuDlg : public ui::CDialog {
  public:
    // flags: the live hidden flags; they change only when the dialog ends with OK.
    CNotViewMenuDlg(HiddenMenuFlags& flags, HWND parent);

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

  private:
    void ShowMode(int mode);

    HiddenMenuFlags& m_live;
    HiddenMenuEditor m_editor;
    int m_mode = 0;
};

}  // namespace zq
