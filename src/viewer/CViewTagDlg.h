#pragma once
// The tag dialog "タグの表示": nine read-only fields for the MPEG audio file
// under the Filer's cursor, its name as the title.  Modeless; it keeps its
// place on the screen between runs.
#include <string>

#include "ui/CDialog.h"

namespace zq::viewer {

struct StructAudioTag;

class CViewTagDlg : public ui::CDialog {
  public:
    explicit CViewTagDlg(HWND owner);

    // Clears the fields and fills them from `path` when it is MPEG audio.
    void ShowTagOf(const std::wstring& path);
    [[nodiscard]] bool Shown() const { return m_hWnd && ::IsWindowVisible(m_hWnd); }
    // Where the dialog stands, to be kept; false when it was never placed.
    bool Position(POINT& topLeft) const;

  protected:
    void OnOK() override {}
    void OnCancel() override;

  private:
    void Fill(const StructAudioTag& tag);
};

}  // namespace zq::viewer
