#pragma once
// The Viewer's settings: "ビューアーの設定" (tab width, columns, memory for
// archive members, auto-scroll, line numbers, search from the scroll
// position, fast drag scrolling, the five column presets, the double-click
// actions and the line-end mark) and "拡張子別の表示設定", the 30 rows of
// columns and tab width by extension, five at a time.  Both edit a copy of
// the settings; the caller takes it over on OK.
#include <array>
#include <string>

#include "settings/Settings.h"
#include "ui/CDialog.h"

namespace zq::viewer {

// The double-click choices: label and the command stored for it.
struct StructDoubleClickChoice {
    const wchar_t* label;
    const wchar_t* command;
};
[[nodiscard]] const std::array<StructDoubleClickChoice, 5>& DoubleClickChoices();
// The choice a stored command stands for; an unknown command is "動作無し".
[[nodiscard]] int DoubleClickChoiceOf(const std::wstring& command);

class CViewerSettingDlg : public ui::CDialog {
  public:
    CViewerSettingDlg(const Settings& current, HWND parent);
    [[nodiscard]] const Settings& Edited() const noexcept { return m_edit; }

  protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    void FillPresets(int select);

    Settings m_edit;
    int m_left = 0;
    int m_right = 0;
};

class CKindSettingDlg : public ui::CDialog {
  public:
    static constexpr int kRowsPerPage = 5;

    CKindSettingDlg(const Settings& current, HWND parent);
    [[nodiscard]] const Settings& Edited() const noexcept { return m_edit; }

  protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnOK() override;

  private:
    // Shows the page from row `first`; the rows on screen are taken over first.
    bool Turn(int first);
    bool TakeVisibleRows();
    void ShowVisibleRows();

    Settings m_edit;
    int m_first = 0;
};

}  // namespace zq::viewer
