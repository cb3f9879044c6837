#pragma once
// Answers a box or dialog that the code under test raises on this thread, as
// a user would: a timer looks for this process's visible dialog of the title
// and hands it, once, to the test's action.
#include <windows.h>

#include <functional>
#include <string>

#include "main/OwnWindows.h"

namespace zq::test {

class DialogAnswer {
  public:
    // `act` runs on the first visible dialog titled `title` (null: any title).
    DialogAnswer(const wchar_t* title, std::function<void(HWND)> act) : m_title(title), m_act(std::move(act)) {
        s_current = this;
        m_timer = ::SetTimer(nullptr, 0, 50, Tick);
    }
    ~DialogAnswer() {
        if (m_timer != 0) ::KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    DialogAnswer(const DialogAnswer&) = delete;
    DialogAnswer& operator=(const DialogAnswer&) = delete;
    [[nodiscard]] bool Seen() const { return m_seen; }

  private:
    static VOID CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        DialogAnswer* self = s_current;
        if (self == nullptr || self->m_seen) return;
        HWND window = FindOwnWindow(L"#32770", self->m_title);
        if (!window || !::IsWindowVisible(window)) return;
        ::KillTimer(nullptr, self->m_timer);
        self->m_timer = 0;
        self->m_seen = true;
        self->m_act(window);
    }
    inline static DialogAnswer* s_current = nullptr;
    const wchar_t* m_title;
    std::function<void(HWND)> m_act;
    UINT_PTR m_timer = 0;
    bool m_seen = false;
};

// The text of a message box.
inline std::wstring BoxText(HWND box) {
    wchar_t text[600] = {};
    ::GetDlgItemTextW(box, 0xFFFF, text, 600);
    return text;
}

// Presses a button of a dialog without waiting for it to act.
inline void PostClick(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

}  // namespace zq::test
