#include "ui/CDialog.h"

#include <algorithm>

#include "ui/CWnd.h"

namespace zq::ui {
namespace {

std::vector<HWND>& ModelessList() {
    thread_local std::vector<HWND> list;
    return list;
}

// The window a new dialog is centred on: the top-level window of its owner
// (the main window for a dialog the view opens, the operation's dialog for
// the questions its worker asks), or the main window itself when that one is
// minimised or hidden.
HWND CentreTarget(HWND dialog) {
    HWND owner = ::GetWindow(dialog, GW_OWNER);
    if (owner == nullptr) return nullptr;
    for (HWND candidate : {::GetAncestor(owner, GA_ROOT), ::GetAncestor(owner, GA_ROOTOWNER)}) {
        if (candidate != nullptr && ::IsWindowVisible(candidate) && !::IsIconic(candidate)) return candidate;
    }
    return nullptr;
}

}  // namespace

void CentreOnOwner(HWND dialog) {
    if (::GetWindowLongPtrW(dialog, GWL_STYLE) & WS_CHILD) return;
    HWND target = CentreTarget(dialog);
    if (target == nullptr) return;
    RECT box{}, around{};
    if (!::GetWindowRect(dialog, &box) || !::GetWindowRect(target, &around)) return;
    const SIZE size = {box.right - box.left, box.bottom - box.top};
    POINT at = {around.left + ((around.right - around.left) - size.cx) / 2,
                around.top + ((around.bottom - around.top) - size.cy) / 2};
    // Whole on the screen, even when the main window hangs over its edge.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (::GetMonitorInfoW(::MonitorFromWindow(target, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        at.x = std::max(work.left, std::min(at.x, work.right - size.cx));
        at.y = std::max(work.top, std::min(at.y, work.bottom - size.cy));
    }
    ::SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DataExchange::Text(int id, std::wstring& value, size_t capacity) {
    if (m_save) {
        value = WindowText(Control(id));
        // Settings strings are cut to their capacity less the terminator.
        if (capacity > 0 && value.size() > capacity - 1) value.resize(capacity - 1);
    } else {
        ::SetWindowTextW(Control(id), value.c_str());
        if (capacity > 0) ::SendMessageW(Control(id), EM_LIMITTEXT, capacity - 1, 0);
    }
}

void DataExchange::Int(int id, int& value, int minimum, int maximum) {
    if (m_save) {
        const std::wstring text = WindowText(Control(id));
        wchar_t* end = nullptr;
        const long parsed = std::wcstol(text.c_str(), &end, 10);
        if (text.empty() || (end && *end != L'\0') || parsed < minimum || parsed > maximum) {
            m_failed = true;
            ::SetFocus(Control(id));
            ::SendMessageW(Control(id), EM_SETSEL, 0, -1);
            return;
        }
        value = static_cast<int>(parsed);
    } else {
        ::SetWindowTextW(Control(id), std::to_wstring(value).c_str());
    }
}

void DataExchange::Check(int id, bool& value) {
    if (m_save) {
        value = ::SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    } else {
        ::SendMessageW(Control(id), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void DataExchange::Check(int id, int& value) {
    bool flag = value != 0;
    Check(id, flag);
    if (m_save) value = flag ? 1 : 0;
}

void DataExchange::Radio(int firstId, int lastId, int& value) {
    if (m_save) {
        value = -1;
        for (int id = firstId; id <= lastId; ++id) {
            if (::SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED) {
                value = id - firstId;
                break;
            }
        }
    } else {
        for (int id = firstId; id <= lastId; ++id) {
            ::SendMessageW(Control(id), BM_SETCHECK, (id - firstId) == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
}

void DataExchange::ComboIndex(int id, int& value) {
    if (m_save) {
        value = static_cast<int>(::SendMessageW(Control(id), CB_GETCURSEL, 0, 0));
    } else {
        ::SendMessageW(Control(id), CB_SETCURSEL, static_cast<WPARAM>(value), 0);
    }
}

void DataExchange::ComboText(int id, std::wstring& value) {
    if (m_save) {
        value = WindowText(Control(id));
    } else {
        ::SetWindowTextW(Control(id), value.c_str());
    }
}

CDialog::~CDialog() {
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        ::SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
        ::DestroyWindow(m_hWnd);
        auto& list = ModelessList();
        list.erase(std::remove(list.begin(), list.end(), m_hWnd), list.end());
    }
}

INT_PTR CDialog::DoModal() {
    m_modeless = false;
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), m_parent, DialogProc,
                             reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create(HWND parent) {
    if (parent) m_parent = parent;
    m_modeless = true;
    HWND hWnd = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), m_parent, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    if (!hWnd) return false;
    ModelessList().push_back(hWnd);
    return true;
}

void CDialog::DestroyWindow() {
    if (m_hWnd) ::DestroyWindow(m_hWnd);
}

const std::vector<HWND>& CDialog::ModelessDialogs() {
    return ModelessList();
}

bool CDialog::UpdateData(bool saveAndValidate) {
    DataExchange dx(m_hWnd, saveAndValidate);
    DoDataExchange(dx);
    return !dx.Failed();
}

void CDialog::EndDialog(INT_PTR result) {
    if (m_modeless) {
        ::DestroyWindow(m_hWnd);
    } else {
        ::EndDialog(m_hWnd, result);
    }
}

std::wstring CDialog::GetDlgItemText(int id) const {
    return WindowText(GetDlgItem(id));
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::OnOK() {
    if (!UpdateData(true)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

bool CDialog::OnCommand(WORD, WORD, HWND) {
    return false;
}
void CDialog::OnTimer(UINT_PTR) {}
void CDialog::DoDataExchange(DataExchange&) {}
bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        self->m_hWnd = hWnd;
        ::SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
        // After OnInitDialog, which may change the dialog's size; a dialog
        // that has placed itself there keeps its place.
        RECT before{}, after{};
        ::GetWindowRect(hWnd, &before);
        const bool focusFirst = self->OnInitDialog();
        if (::IsWindow(hWnd) && ::GetWindowRect(hWnd, &after) && after.left == before.left && after.top == before.top)
            CentreOnOwner(hWnd);
        return focusFirst ? TRUE : FALSE;
    }
    self = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hWnd, DWLP_USER));
    if (!self) return FALSE;
    switch (message) {
        case WM_COMMAND: {
            const WORD id = LOWORD(wParam);
            const WORD code = HIWORD(wParam);
            if (self->OnCommand(id, code, reinterpret_cast<HWND>(lParam))) return TRUE;
            if (id == IDOK && code == BN_CLICKED) {
                self->OnOK();
                return TRUE;
            }
            if (id == IDCANCEL) {
                self->OnCancel();
                return TRUE;
            }
            return FALSE;
        }
        case WM_TIMER:
            self->OnTimer(wParam);
            return TRUE;
        case WM_NCDESTROY: {
            auto& list = ModelessList();
            list.erase(std::remove(list.begin(), list.end(), hWnd), list.end());
            self->m_hWnd = nullptr;
            ::SetWindowLongPtrW(hWnd, DWLP_USER, 0);
            self->PostNcDestroy();
            return FALSE;
        }
        default: {
            LRESULT result = 0;
            if (self->OnMessage(message, wParam, lParam, result)) {
                ::SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, result);
                return TRUE;
            }
            return FALSE;
        }
    }
}

}  // namespace zq::ui
