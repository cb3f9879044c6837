#include "main/OwnWindows.h"

#include <cwchar>

namespace zq::test {

namespace {

struct Search {
    const wchar_t* className;
    const wchar_t* title;
    HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId()) return TRUE;
    wchar_t text[256] = {};
    ::GetClassNameW(window, text, 256);
    if (std::wcscmp(text, search->className) != 0) return TRUE;
    if (search->title != nullptr) {
        text[0] = L'\0';
        ::GetWindowTextW(window, text, 256);
        if (std::wcscmp(text, search->title) != 0) return TRUE;
    }
    search->found = window;
    return FALSE;
}

}  // namespace

HWND FindOwnWindow(const wchar_t* className, const wchar_t* title) {
    Search search{className, title};
    ::EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace zq::test
