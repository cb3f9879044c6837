#pragma once
// Path completion for an input field: Ctrl+Tab (without Shift) replaces the
// field's text with the next name that completes it (see PathCompletion).
// Attached to an edit control, or to the edit control inside a combo box.
#include <windows.h>

#include <string>

#include "common/PathCompletion.h"

namespace zq::ui {

class CInputComplement {
  public:
    CInputComplement() = default;
    ~CInputComplement();
    CInputComplement(const CInputComplement&) = delete;
    CInputComplement& operator=(const CInputComplement&) = delete;

    // control: an edit control or a combo box with an edit field.
    bool Attach(HWND control, bool directoriesOnly);
    void Detach();
    // The folder a relative text is completed in.
    void SetBaseDirectory(std::wstring base) { m_completion.SetBaseDirectory(std::move(base)); }
    [[nodiscard]] HWND Edit() const noexcept { return m_edit; }

  private:
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);
    void Complete();

    HWND m_edit = nullptr;
    PathCompletion m_completion;
};

}  // namespace zq::ui
