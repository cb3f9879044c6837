#pragma once
// "属性変更" and the base it shares with "ファイルの時間の変更" and
// "属性および時間変更": the four attribute boxes, the three time rows and the
// two directory options, each shown where the dialog's template has it.  The
// dialog only collects the change; the caller applies it.
#include <windows.h>

#include <array>

#include "fileops/FileAttributes.h"
#include "ui/CDialog.h"

namespace zq {
class LocalClock;
}

namespace zq::fileops {

// What the dialogs show first and, after OK, what the user chose.
struct AttributeDialogState {
    DWORD word = 0;  // boxes checked: bits that at least one entry has
    std::array<TimeRowText, 3> rows;
    bool intoDirectories = false;
    bool leaveDirectories = false;
    bool useAttributes = true;  // "属性変更" of the combined dialog
    bool useTimes = true;       // "日付変更" of the combined dialog
};

class CAttributeDialogBase : public ui::CDialog {
  public:
    enum Parts : unsigned { kAttributes = 1, kTimes = 2 };
    // The change the dialog ended with (valid after IDOK).
    [[nodiscard]] const AttributeChange& Change() const noexcept { return m_change; }

  protected:
    CAttributeDialogBase(UINT templateId, HWND parent, unsigned parts, AttributeDialogState& state,
                         const LocalClock& clock);
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

  private:
    [[nodiscard]] bool Checked(int id) const;
    void SetChecked(int id, bool on) const;
    // The combined dialog's two boxes enable their parts.
    void EnableParts() const;

    unsigned m_parts;
    AttributeDialogState& m_state;
    const LocalClock& m_clock;
    AttributeChange m_change;
};

class CAttributeDlg : public CAttributeDialogBase {
  public:
    CAttributeDlg(HWND parent, AttributeDialogState& state, const LocalClock& clock);
};

}  // namespace zq::fileops
