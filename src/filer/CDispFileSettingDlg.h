#pragma once
// "表示ファイル設定": the six show flags, the selector between the current
// values and the five stored groups, and "設定", which stores the boxes into
// the selected group at once (reported "設定が完了しました").
#include <array>
#include <cstdint>

#include "filer/DispFileSettingForm.h"
#include "ui/CDialog.h"

namespace zq {

class CDispFileSettingDlg : public ui::CDialog {
  public:
    // `groups` is written by "設定" even when the dialog is then cancelled.
    CDispFileSettingDlg(HWND parent, uint32_t current, std::array<uint32_t, 5>& groups);
    // The boxes after OK, in the DISP_FILE_SETTING bit layout.
    [[nodiscard]] uint32_t Result() const noexcept { return m_form.Result(); }

  protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    void ShowSelection();

    DispFileSettingForm m_form;
    std::array<uint32_t, 5>& m_groups;
};

}  // namespace zq
