#pragma once
// "ディレクトリ履歴": the directories the panes left, newest first; OK hands
// back the chosen one.  The dialog can be resized and reports its last size
// so that the caller can keep it in the settings.
#include <string>
#include <vector>

#include "ui/CDialog.h"

namespace zq {

class CDirHistoryDlg : public ui::CDialog {
  public:
    // `width` and `height` in pixels; 0 keeps the template's size.
    CDirHistoryDlg(HWND parent, std::vector<std::wstring> paths, int width, int height);

    // The chosen path after IDOK; empty when nothing was chosen.
    [[nodiscard]] const std::wstring& Selected() const noexcept { return m_selected; }
    [[nodiscard]] int Width() const noexcept { return m_width; }
    [[nodiscard]] int Height() const noexcept { return m_height; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void ArrangeControls();
    void RememberSize();

    std::vector<std::wstring> m_paths;
    std::wstring m_selected;
    int m_width;
    int m_height;
    SIZE m_minimum{};  // the template's size: the dialog never gets smaller
};

}  // namespace zq
