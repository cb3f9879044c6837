#pragma once
// The text box "テキストボックス": a modeless notepad whose one edit field
// fills the dialog.  Closing only hides it; its text is written to its file
// when the window goes, however it goes.
#include <string>

#include "ui/CDialog.h"

namespace zq::viewer {

class CTextBoxDlg : public ui::CDialog {
  public:
    CTextBoxDlg(HWND owner, std::wstring filePath);
    ~CTextBoxDlg() override;
    CTextBoxDlg(const CTextBoxDlg&) = delete;
    CTextBoxDlg& operator=(const CTextBoxDlg&) = delete;

    // Creates the dialog the first time, shows it and brings it forward.
    void ShowBox();
    // Writes the text out and destroys the window; called before the program ends.
    void Close();

  protected:
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void Save();
    void FitField();

    std::wstring m_filePath;
    bool m_activatedOnce = false;
    bool m_saved = false;
};

}  // namespace zq::viewer
