#include "app/CZqApp.h"

#include <imm.h>
#include <ole2.h>

#include "app/CMainFrame.h"
#include "app/CZqView.h"
#include "app/StartupRules.h"
#include "common/Paths.h"
#include "resource.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "settings/SettingsIo.h"
#include "settings/SettingsSaver.h"
#include "settings/SettingsStartup.h"

namespace zq {

namespace {

std::wstring AbsoluteFromCurrent(const std::wstring& path) {
    if (path.empty() || IsAbsoluteStartPath(path)) return path;
    wchar_t full[1040] = {};
    const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(std::size(full)), full, nullptr);
    return length > 0 && length < std::size(full) ? std::wstring(full, length) : path;
}

}  // namespace

CZqApp::CZqApp() = default;
CZqApp::~CZqApp() = default;

bool CZqApp::LoadSettings() {
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    m_windowsDir = windows;
    wchar_t user[201] = {};
    DWORD userLength = 201;
    if (::GetUserNameW(user, &userLength)) m_userName = user;

    m_reader = std::make_unique<IniFile>();
    UserIniEntry entry;
    const auto askWait = [] {
        return ::MessageBoxW(nullptr, L"Iniファイルが使用されています。\n読み込みを待ちますか", L"再読み込み確認",
                             MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
    };
    if (!OpenStartupSettings(*m_reader, {m_programDir, m_windowsDir, m_userName}, askWait, entry)) return false;
    m_settings = std::make_unique<Settings>();
    ReadStartupSettings(*m_reader, *m_settings);
    m_user = std::make_unique<UserIniState>();
    m_user->mode = entry.mode;
    m_user->path = entry.path;
    m_saver = std::make_unique<SettingsSaver>(SaveEnvironment{m_programDir, m_windowsDir, m_userName});
    // Defaults are about to be written over a file nobody could read: keep it.
    if (m_reader->Damaged()) m_saver->KeepBackupOf(m_reader->Path());
    return true;
}

bool CZqApp::InitInstance() {
    // Steps 1-2: the registered message and the shared block; without them the process ends silently.
    if (!m_shared.Open()) return false;

    // Steps 3-7: the program directory, zq.ini (or the user's own file), ALLDATA, ALLDATA2, SIZE_INFO.
    m_programDir = ModuleDirectory();
    if (!LoadSettings()) return false;

    // Step 8: the start directories go into the shared block, in every copy.
    // A relative one means the folder it was typed in, which only this process knows.
    std::vector<std::wstring> startDirectories = ParseStartDirectories(::GetCommandLineW());
    for (std::wstring& path : startDirectories) path = AbsoluteFromCurrent(path);
    m_shared.WriteStartDirectories(startDirectories);

    // Step 9: hand over to a running copy when DISABLETWIN asks for it.
    if (m_shared.CheckTwin(m_settings->DISABLETWIN) == ProcessShared::TwinResult::HandedOver) return false;

    // Step 10.
    if (FAILED(::OleInitialize(nullptr))) return false;
    m_oleInitialised = true;

    // Step 11: frame and view; the view's creation reads the rest of the settings and places the window.
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    m_frame = std::make_unique<CMainFrame>();
    HICON icon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    if (!m_frame->CreateFrame(L"zq", L"無題", nullptr, icon, CW_USEDEFAULT, CW_USEDEFAULT, 640, 480)) return false;
    StructViewStart start;
    start.settings = m_settings.get();
    start.reader = m_reader.get();
    start.saver = m_saver.get();
    start.user = m_user.get();
    start.programDir = m_programDir;
    start.mainIniPath = m_reader->Path();
    start.userName = m_userName;
    start.startDirectories = std::move(startDirectories);
    m_view = std::make_unique<CZqView>(start);
    m_frame->SetView(m_view.get());
    m_frame->SetZqView(m_view.get());
    m_frame->SetDirChangeMessage(m_shared.DirChangeMessage());
    m_view->SetDirChangeSource(m_shared.DirChangeMessage(), &m_shared);
    if (!m_view->CreateView(m_frame->GetSafeHwnd())) return false;
    // The start-up reader has served the view's loader.
    m_reader.reset();
    if (!::IsZoomed(m_frame->GetSafeHwnd())) ::ShowWindow(m_frame->GetSafeHwnd(), SW_SHOWNORMAL);
    ::UpdateWindow(m_frame->GetSafeHwnd());
    ::SetFocus(m_view->GetSafeHwnd());
    // Step 12: dropped files are accepted by the frame (WS_EX_ACCEPTFILES).
    return true;
}

bool CZqApp::PreTranslateMessage(MSG& message) {
    // The input method hides the real key behind VK_PROCESSKEY; the key tables want the real one.
    if (message.message == WM_KEYDOWN && message.wParam == VK_PROCESSKEY) {
        const UINT real = ::ImmGetVirtualKey(message.hwnd);
        if (real != 0 && real != VK_PROCESSKEY) message.wParam = real;
    }
    return false;
}

int CZqApp::ExitInstance() {
    m_view.reset();
    m_frame.reset();
    if (m_oleInitialised) ::OleUninitialize();
    return m_exitCode;
}

}  // namespace zq
