#include "ui/CInputComplement.h"

#include <commctrl.h>

#include "ui/CWnd.h"

namespace zq::ui {
namespace {

constexpr UINT_PTR kSubclassId = 0x7A71;  // any number unique among this control's subclasses

bool IsCompletionKey(WPARAM key) {
    return key == VK_TAB && ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_SHIFT) >= 0;
}

}  // namespace

CInputComplement::~CInputComplement() {
    Detach();
}

bool CInputComplement::Attach(HWND control, bool directoriesOnly) {
    Detach();
    HWND edit = control;
    COMBOBOXINFO combo{};
    combo.cbSize = sizeof(combo);
    if (::GetComboBoxInfo(control, &combo)) {
        if (combo.hwndItem == nullptr || combo.hwndItem == control) return false;  // a drop-down list has no edit field
        edit = combo.hwndItem;
    }
    if (!::SetWindowSubclass(edit, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) return false;
    m_edit = edit;
    m_completion.SetDirectoriesOnly(directoriesOnly);
    m_completion.Restart();
    return true;
}

void CInputComplement::Detach() {
    if (m_edit == nullptr) return;
    ::RemoveWindowSubclass(m_edit, SubclassProc, kSubclassId);
    m_edit = nullptr;
}

void CInputComplement::Complete() {
    const auto text = m_completion.Next(WindowText(m_edit));
    if (!text) return;
    ::SetWindowTextW(m_edit, text->c_str());
    const auto end = static_cast<LPARAM>(text->size());
    ::SendMessageW(m_edit, EM_SETSEL, static_cast<WPARAM>(end), end);
}

LRESULT CALLBACK CInputComplement::SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                DWORD_PTR data) {
    auto* self = reinterpret_cast<CInputComplement*>(data);
    switch (message) {
        case WM_GETDLGCODE: {
            // Inside a dialog, Tab moves the focus before the field ever sees it;
            // Ctrl+Tab is claimed here so that it reaches the field instead.
            const LRESULT code = ::DefSubclassProc(hWnd, message, wParam, lParam);
            const MSG* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg != nullptr && msg->message == WM_KEYDOWN && IsCompletionKey(msg->wParam))
                return code | DLGC_WANTMESSAGE;
            return code;
        }
        case WM_KEYDOWN:
            if (IsCompletionKey(wParam)) {
                self->Complete();
                return 0;
            }
            if (wParam == VK_DELETE) self->m_completion.Restart();
            break;
        case WM_CHAR:
            // The tab character that may follow the completion key is not text.
            if (wParam == L'\t' && ::GetKeyState(VK_CONTROL) < 0) return 0;
            self->m_completion.Restart();
            break;
        case WM_PASTE:
        case WM_CUT:
        case WM_CLEAR:
        case WM_UNDO:
            self->m_completion.Restart();
            break;
        case WM_NCDESTROY:
            ::RemoveWindowSubclass(hWnd, SubclassProc, kSubclassId);
            self->m_edit = nullptr;
            break;
        default:
            break;
    }
    return ::DefSubclassProc(hWnd, message, wParam, lParam);
}

}  // namespace zq::ui
