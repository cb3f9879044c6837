#pragma once
// "ファイラー設定" (menu command 1023): four pages over a copy of the settings;
// the copy is taken over by the caller only when the sheet ends with OK.
//
//     CFilerSettingsSheet sheet(settings, currentFrameSize, frameWindow);
//     if (sheet.DoModal() == IDOK) {
//         const FilerSettingsEffects effects = CompareFilerSettings(settings, sheet.Edited());
//         settings = sheet.Edited();
//         …resize the saved-cursor list, re-read or redraw the listings as effects say…
//     }
#include <array>
#include <memory>

#include "settings/Settings.h"
#include "ui/CDialog.h"

namespace zq {

class CFilerSettingsSheet : public ui::CDialog {
  public:
    static constexpr int kPageCount = 4;

    CFilerSettingsSheet(const Settings& current, SIZE currentFrameSize, HWND parent = nullptr);
    ~CFilerSettingsSheet() override;

    [[nodiscard]] const Settings& Edited() const noexcept { return m_edit; }
    // Moves every page's controls into the copy; on a bad value shows that page and answers false.
    bool Collect();
    void ShowPage(int index);
    [[nodiscard]] int CurrentPage() const noexcept { return m_current; }
    [[nodiscard]] HWND PageWindow(int index) const;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    Settings m_edit;
    SIZE m_currentFrameSize;
    std::array<std::unique_ptr<ui::CDialog>, kPageCount> m_pages;
    int m_current = 0;
};

}  // namespace zq
