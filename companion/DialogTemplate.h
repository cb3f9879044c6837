#pragma once
// The library carries no resource script, so its dialog templates are put
// together in memory.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DllModule.h"

namespace zq::companion {

// Window class atoms of the standard controls, for Item().
constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;
constexpr WORD kStaticAtom = 0x0082;
constexpr WORD kListBoxAtom = 0x0083;

class TemplateWriter {
  public:
    void Dialog(DWORD style, short cx, short cy, const wchar_t* title, WORD count) {
        DLGTEMPLATE header{};
        header.style = style | DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        header.cdit = count;
        header.cx = cx;
        header.cy = cy;
        Raw(&header, sizeof(header));
        Word(0);  // no menu
        Word(0);  // the standard dialog class
        Text(title);
        Word(9);
        Text(L"MS UI Gothic");
    }
    void Item(WORD atom, DWORD style, short x, short y, short cx, short cy, WORD id, const wchar_t* text) {
        ItemHeader(style, x, y, cx, cy, id);
        Word(0xFFFF);
        Word(atom);
        Text(text);
        Word(0);  // no creation data
    }
    // A control of a registered class (a tree view, say), by its class name.
    void Item(const wchar_t* className, DWORD style, short x, short y, short cx, short cy, WORD id) {
        ItemHeader(style, x, y, cx, cy, id);
        Text(className);
        Word(0);  // no text
        Word(0);  // no creation data
    }
    [[nodiscard]] const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

  private:
    void ItemHeader(DWORD style, short x, short y, short cx, short cy, WORD id) {
        Align();
        DLGITEMTEMPLATE item{};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.id = id;
        Raw(&item, sizeof(item));
    }
    void Word(WORD w) { m_words.push_back(w); }
    void Text(const wchar_t* text) {
        for (; *text; ++text) Word(static_cast<WORD>(*text));
        Word(0);
    }
    void Raw(const void* data, size_t bytes) {
        const auto* words = static_cast<const WORD*>(data);
        m_words.insert(m_words.end(), words, words + bytes / sizeof(WORD));
    }
    void Align() {
        if (m_words.size() % 2) Word(0);
    }
    std::vector<WORD> m_words;  // a vector of WORD keeps the template 2-byte aligned; items align to 4 themselves
};

// A library dialog opens over the middle of the window it belongs to (the
// program's main window), not of the screen, and whole on that window's monitor.
inline void CentreOnOwner(HWND dialog) {
    const HWND owner = ::GetWindow(dialog, GW_OWNER);
    RECT area{}, box{};
    if (!owner || !::GetWindowRect(owner, &area) || !::GetWindowRect(dialog, &box)) return;
    MONITORINFO monitor{sizeof(monitor)};
    if (!::GetMonitorInfoW(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& work = monitor.rcWork;
    const LONG width = box.right - box.left, height = box.bottom - box.top;
    LONG x = area.left + (area.right - area.left - width) / 2;
    LONG y = area.top + (area.bottom - area.top - height) / 2;
    x = std::max(work.left, std::min(x, work.right - width));
    y = std::max(work.top, std::min(y, work.bottom - height));
    ::SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Runs the template modally over `owner` (the active window when none); the
// procedure finds `state` again with DialogStateOf.
template <typename State>
INT_PTR RunDialog(const TemplateWriter& writer, HWND owner, DLGPROC procedure, State& state) {
    return ::DialogBoxIndirectParamW(g_module, writer.Get(), owner ? owner : ::GetActiveWindow(), procedure,
                                     reinterpret_cast<LPARAM>(&state));
}

// The state RunDialog handed over, kept in DWLP_USER from WM_INITDIALOG on
// (null for the few messages before it); the dialog is placed there too.
template <typename State>
State* DialogStateOf(HWND dialog, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        CentreOnOwner(dialog);
    }
    return reinterpret_cast<State*>(::GetWindowLongPtrW(dialog, DWLP_USER));
}

// The OK and Cancel buttons of a library dialog: OK ends it when `accept`
// agrees.  True when the command was one of them.
template <typename Accept>
bool EndOnOkOrCancel(HWND dialog, WPARAM wParam, Accept accept) {
    if (LOWORD(wParam) == IDOK) {
        if (accept()) ::EndDialog(dialog, IDOK);
        return true;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(dialog, IDCANCEL);
        return true;
    }
    return false;
}

// The text of a dialog item, however long.
inline std::wstring ItemText(HWND dialog, WORD id) {
    const HWND item = ::GetDlgItem(dialog, id);
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(item)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace zq::companion
