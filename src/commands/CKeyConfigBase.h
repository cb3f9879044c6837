#pragma once
// What the two key-configuration dialogs share: the key list, the modifier
// radio buttons, the category and command lists and the OK that writes the
// edited copy back.  The dialogs add the fields of their mode.
#include "commands/KeyConfigEditor.h"
#include "ui/CDialog.h"

namespace zq {

class CKeyConfigBase : public ui::CDialog {
  public:
    // keys: the live assignments; they change only when the dialog ends with OK.
    CKeyConfigBase(UINT templateId, KeyAssignments& keys, ModeGroup group, HWND parent);

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

    // Fills the mode's own fields from the slot just selected or changed.
    virtual void ShowSlotFields() {}

    // Stores through one of the editor's operations; shows the refusal.
    void Store(AssignmentProblem problem);
    void ShowSlot();
    [[nodiscard]] KeyConfigEditor& Editor() noexcept { return m_editor; }

  private:
    void FillKeyList();
    void FillCommands(int category);
    void SelectKey(int keyIndex);
    void StoreSelectedCommand();

    KeyAssignments& m_live;
    KeyConfigEditor m_editor;
};

}  // namespace zq
