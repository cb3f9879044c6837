#pragma once
// The bookmark dialog ("追加"): target ("ジャンプ先", with "参照"), display
// text ("内容") and the key it answers to ("キー割当", a key name or none).
#include "filer/DirJump.h"
#include "ui/CDialog.h"
#include "ui/CInputComplement.h"

namespace zq {

class CDirJumpEntryDlg : public ui::CDialog {
  public:
    CDirJumpEntryDlg(HWND parent, JumpEntry entry);
    [[nodiscard]] const JumpEntry& Entry() const noexcept { return m_entry; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

  private:
    JumpEntry m_entry;
    ui::CInputComplement m_completion;
};

}  // namespace zq
