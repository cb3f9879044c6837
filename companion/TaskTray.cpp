// The main window's stay in the task tray.  Only one window is in the tray at
// a time; the state lives on the interface thread that called SetToTaskTray.
#include <windows.h>

#include <shellapi.h>

#include "DllModule.h"
#include "ZqDll.h"

namespace {

constexpr UINT kIconId = 1;
constexpr int kHotKeyId = 0x5A51;
constexpr wchar_t kHelperClass[] = L"ZqDllTaskTrayHelper";

struct TrayState {
    HWND frame = nullptr;
    HWND notifyTarget = nullptr;
    // A hidden window of ours, owned by the frame: it receives the hot key and
    // the shell's restart notice, and it is destroyed with the frame, so that a
    // program that ends while in the tray leaves no icon and no hot key behind.
    HWND helper = nullptr;
    bool hotKey = false;
};

TrayState g_tray;
UINT g_taskbarCreated = 0;

HICON FrameIcon(HWND frame) {
    auto icon = reinterpret_cast<HICON>(::SendMessageW(frame, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrW(frame, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(::SendMessageW(frame, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrW(frame, GCLP_HICON));
    if (!icon) icon = ::LoadIconW(nullptr, IDI_APPLICATION);
    return icon;
}

NOTIFYICONDATAW IconData() {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = g_tray.notifyTarget;
    data.uID = kIconId;
    return data;
}

bool AddIcon() {
    NOTIFYICONDATAW data = IconData();
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = ZQ_TRAY_NOTIFY_MESSAGE;
    data.hIcon = FrameIcon(g_tray.frame);
    ::GetWindowTextW(g_tray.frame, data.szTip, ARRAYSIZE(data.szTip));
    return ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

void RemoveIconAndHotKey() {
    NOTIFYICONDATAW data = IconData();
    ::Shell_NotifyIconW(NIM_DELETE, &data);
    if (g_tray.hotKey) ::UnregisterHotKey(g_tray.helper, kHotKeyId);
    g_tray.hotKey = false;
}

// A hot key without Ctrl or Alt would take a plain key away from every other
// program for as long as zq sits in the tray.
UINT HotKeyModifiers(int modifierIndex) {
    switch (modifierIndex) {
        case 2:
            return MOD_CONTROL | MOD_NOREPEAT;
        case 3:
            return MOD_ALT | MOD_NOREPEAT;
        default:
            return 0;
    }
}

LRESULT CALLBACK HelperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY && wParam == kHotKeyId && g_tray.frame) {
        // The program's own show-window command, so that its in-tray state follows.
        ::PostMessageW(g_tray.frame, WM_COMMAND, ZQ_TRAY_SHOW_COMMAND, 0);
        return 0;
    }
    if (message == g_taskbarCreated && g_taskbarCreated != 0 && g_tray.frame) {
        AddIcon();  // the shell restarted and forgot every icon
        return 0;
    }
    if (message == WM_DESTROY && window == g_tray.helper) {
        RemoveIconAndHotKey();
        g_tray = TrayState{};
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateHelper(HWND frame) {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = HelperProc;
        wc.hInstance = zq::companion::g_module;
        wc.lpszClassName = kHelperClass;
        return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    if (!registered) return nullptr;
    g_taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    return ::CreateWindowExW(WS_EX_TOOLWINDOW, kHelperClass, L"", WS_POPUP, 0, 0, 0, 0, frame, nullptr,
                             zq::companion::g_module, nullptr);
}

}  // namespace

extern "C" BOOL WINAPI SetToTaskTray(HWND frame, int modifierIndex, UINT virtualKey) {
    if (!::IsWindow(frame)) return FALSE;
    if (g_tray.frame) return g_tray.frame == frame;

    const HWND view = ::GetDlgItem(frame, ZQ_VIEW_CHILD_ID);
    g_tray.frame = frame;
    g_tray.notifyTarget = view ? view : frame;
    g_tray.helper = CreateHelper(frame);
    if (!g_tray.helper || !AddIcon()) {
        // Hiding the window without an icon would leave no way back to it.
        const HWND helper = g_tray.helper;
        g_tray = TrayState{};
        if (helper) ::DestroyWindow(helper);
        return FALSE;
    }
    const UINT modifiers = HotKeyModifiers(modifierIndex);
    if (modifiers != 0 && virtualKey != 0) {
        g_tray.hotKey = ::RegisterHotKey(g_tray.helper, kHotKeyId, modifiers, virtualKey) != FALSE;
    }
    ::ShowWindow(frame, SW_HIDE);
    return TRUE;
}

extern "C" BOOL WINAPI ReleaseToTaskTray(void) {
    if (!g_tray.frame) return FALSE;
    const HWND frame = g_tray.frame;
    ::DestroyWindow(g_tray.helper);  // removes the icon and the hot key
    g_tray = TrayState{};
    if (::IsWindow(frame)) {
        ::ShowWindow(frame, ::IsIconic(frame) ? SW_RESTORE : SW_SHOW);
        ::SetForegroundWindow(frame);
    }
    return TRUE;
}
