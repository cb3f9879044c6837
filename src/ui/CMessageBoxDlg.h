#pragma once
// The program's own question box: the question text with Yes and No.  Workers
// ask through it; the answer "No" is 2 (IDCANCEL), "Yes" is 1 (IDOK).
#include "ui/CDialog.h"

namespace zq::ui {

class CMessageBoxDlg : public CDialog {
  public:
    static constexpr INT_PTR kYes = IDOK;
    static constexpr INT_PTR kNo = IDCANCEL;  // 2

    CMessageBoxDlg(std::wstring text, HWND parent, std::wstring caption = L"zq");
    [[nodiscard]] const std::wstring& Text() const noexcept { return m_text; }

  protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

  private:
    std::wstring m_text;
    std::wstring m_caption;
};

// Message boxes as the program shows them: most have no caption and an OK
// button; the caption form is used for errors such as "エラー".
int ZqMessageBox(HWND owner, const std::wstring& text, UINT flags = MB_OK);
int ZqMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags);

}  // namespace zq::ui
