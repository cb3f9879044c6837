#include "app/CZqView.h"

#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <array>
#include <cwchar>

#include "app/CQuitDlg.h"
#include "app/PaneContentList.h"
#include "settings/EventSounds.h"
#include "app/ProcessShared.h"
#include "external/CompanionLibrary.h"
#include "external/TaskTray.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "settings/SettingsIo.h"
#include "settings/SettingsSaver.h"
#include "app/FloppyGuard.h"
#include "app/QuitRequest.h"
#include "app/SystemEnd.h"
#include "common/Handle.h"
#include "resource.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {
namespace {

constexpr UINT_PTR kPeriodicTimer = 1;
constexpr UINT_PTR kFirstSuspendedTimer = 6;
constexpr UINT_PTR kLastSuspendedTimer = 10;

constexpr COLORREF kBackground = RGB(0, 0, 0);
constexpr COLORREF kText = RGB(224, 224, 224);
constexpr UINT kTrayNotify = WM_USER + 5;
// Posted once after a pane's mode or focus changed: the menu bar follows.
constexpr UINT kMenuBarFollows = WM_APP + 1;

}  // namespace

// The quit request's steps, carried out on the real windows.
class CZqView::QuitUi : public IQuitUi {
  public:
    explicit QuitUi(CZqView& view) : m_view(view) {}
    void ShowRefusal(const std::wstring& text) override { ui::ZqMessageBox(m_view.m_hWnd, text); }
    void Suspend() override { m_view.Suspend(); }
    void Resume() override { m_view.Resume(); }
    void PlayQuitSound() override { PlayEventSound(m_view.m_settings, SoundEvent::Quit); }
    int AskQuit() override {
        CQuitDlg dialog(::GetParent(m_view.m_hWnd));
        return static_cast<int>(dialog.DoModal());
    }
    void CloseFrame() override {
        m_view.m_quitting = true;
        ::PostMessageW(::GetParent(m_view.m_hWnd), WM_CLOSE, 0, 0);
    }
    void SaveForSystemEnd() override {
        m_view.m_quitting = true;
        m_view.SaveSettingsFinal();
    }
    void EndWindows(bool reboot) override {
        if (!EndWindowsSession(reboot)) ::PostMessageW(::GetParent(m_view.m_hWnd), WM_CLOSE, 0, 0);
    }

  private:
    CZqView& m_view;
};

// What a part asks of the view, answered for that part.
class CZqView::PartHost : public IPaneHost {
  public:
    PartHost(CZqView& view, std::size_t part) : m_view(view), m_part(part) {}
    void ShowMode(int pane, std::uint32_t mode, std::uint32_t subMode) override {
        m_view.m_parts.ShowMode(pane, mode, subMode);
        m_view.Invalidate();
    }
    void ShowFiler(int pane) override {
        m_view.m_parts.ShowFiler(pane);
        m_view.Invalidate();
    }
    void RedrawPane(int pane) override {
        const RECT rect = m_view.m_parts.PaneRect(pane);
        if (!::IsRectEmpty(&rect)) ::InvalidateRect(m_view.m_hWnd, &rect, FALSE);
    }
    void RedrawArea(int pane, const RECT& area) override {
        const RECT rect = m_view.m_parts.PaneRect(pane);
        RECT part{};
        if (::IntersectRect(&part, &rect, &area)) ::InvalidateRect(m_view.m_hWnd, &part, FALSE);
    }
    bool ScrollArea(int pane, const RECT& area, int dy) override {
        const RECT rect = m_view.m_parts.PaneRect(pane);
        RECT part{};
        if (!::IntersectRect(&part, &rect, &area)) return false;
        RECT pending{};
        if (::GetUpdateRect(m_view.m_hWnd, &pending, FALSE) && ::IntersectRect(&pending, &pending, &part)) return false;
        ::ScrollWindowEx(m_view.m_hWnd, 0, dy, &part, &part, nullptr, nullptr, SW_INVALIDATE);
        return true;
    }
    RECT PaneRect(int pane) const override { return m_view.m_parts.PaneRect(pane); }
    int FocusedPane() const override { return m_view.m_parts.FocusedPane(); }
    int OtherPane() const override { return m_view.m_parts.FocusedPane() ^ 1; }
    HWND OwnerWindow() const override { return m_view.m_hWnd; }
    bool StartTimer(unsigned id, unsigned milliseconds) override {
        if (id >= kMaxPartTimers || !m_view.m_hWnd) return false;
        return ::SetTimer(m_view.m_hWnd, PaneContents::TimerId(m_part, id), milliseconds, nullptr) != 0;
    }
    void StopTimer(unsigned id) override {
        if (id < kMaxPartTimers && m_view.m_hWnd) ::KillTimer(m_view.m_hWnd, PaneContents::TimerId(m_part, id));
    }
    RouteResult RunCommand(CommandId id, std::wstring_view argument) override {
        std::wstring text(CommandName(id));
        if (!argument.empty()) text.append(L" ").append(argument);
        const RouteResult result = m_view.m_registry.Route(id.group, text);
        if (result == RouteResult::Ran) m_view.Invalidate();
        return result;
    }
    void SetStatusText(std::wstring_view text) override {
        m_view.m_parts.SetStatusText(m_part, text);
        m_view.UpdateFrameTitle();
    }

  private:
    CZqView& m_view;
    std::size_t m_part;
};

CZqView::CZqView(StructViewStart start) : m_start(std::move(start)), m_settings(*m_start.settings) {
    m_last = {m_settings.ENDX, m_settings.ENDY, m_settings.ENDWIDE, m_settings.ENDHEIGHT};
    m_context.programDir = m_start.programDir;
    m_context.settings = &m_settings;
    m_context.modes = &m_modes;
    m_context.lists = &m_lists;
    m_context.registry = &m_registry;
    m_context.suspend = [this] { Suspend(); };
    m_context.resume = [this] { Resume(); };
    // Commands go to the focused pane's content before the registered handlers.
    m_registry.SetTarget([this]() -> ICommandTarget* { return m_parts.Focused(); });
}

CZqView::~CZqView() {
    m_tearingDown = true;
}

bool CZqView::OnCreate() {
    // The rest of the settings come from the start-up reader, which is then done with.
    if (m_start.reader) ReadRemainingSettings(*m_start.reader, m_settings, {EnumerateScreenSizes()});
    m_context.view = m_hWnd;
    m_context.frame = ::GetParent(m_hWnd);
    m_companion = std::make_unique<CompanionLibrary>(m_start.programDir);
    m_context.companion = m_companion.get();
    m_tray = std::make_unique<TaskTray>(
        *m_companion, [this] { Suspend(); }, [this] { Resume(); });
    m_modes.SetChangeObserver([this] {
        if (m_menuUpdatePosted) return;
        m_menuUpdatePosted = ::PostMessageW(m_hWnd, kMenuBarFollows, 0, 0) != FALSE;
    });
    AddViewParts(*this);
    CreateKeys();
    RegisterViewCommands();
    m_parts.ForEachPart([](IViewPart& part) { part.RegisterCommands(); });
    m_parts.ForEachPart([this](IViewPart& part) { part.Start(m_start.startDirectories); });
    SetTimer(kPeriodicTimer, 1000);
    m_started = kIdle;
    PlaceWindow(1);
    UpdateMenuBar(true);
    return true;
}

void CZqView::Suspend() {
    m_started = kNotStarted;
    for (UINT_PTR id = kFirstSuspendedTimer; id <= kLastSuspendedTimer; ++id) KillTimer(id);
    m_parts.ForEachPart([](IViewPart& part) { part.Suspend(); });
}

void CZqView::Resume() {
    m_started = kIdle;
    m_parts.ForEachPart([](IViewPart& part) { part.Resume(); });
}

void CZqView::Attach(std::unique_ptr<IViewPart> part, IPaneContent* content) {
    IViewPart& added = *part;
    const std::size_t index = m_parts.Add(std::move(part), content);
    m_partHosts.push_back(std::make_unique<PartHost>(*this, index));
    added.Attach(*m_partHosts.back());
}

bool CZqView::QuitRequest(bool fromClose) {
    if (m_quitting) return true;
    StructQuitInput input;
    input.copyRunning = !m_lists.PurgeAndTestEmpty(DialogList::Copy);
    input.deleteRunning = !input.copyRunning && !m_lists.PurgeAndTestEmpty(DialogList::Delete);
    input.unpackRunning = !input.copyRunning && !input.deleteRunning && !m_lists.PurgeAndTestEmpty(DialogList::Unpack);
    input.packRunning = !input.copyRunning && !input.deleteRunning && !input.unpackRunning &&
                        !m_lists.PurgeAndTestEmpty(DialogList::Pack);
    input.fromClose = fromClose;
    input.notQuitMessage = m_settings.NOTQUITMESSAGE;
    input.askAlwaysAtExit = m_settings.ASK_ALWAYS_AT_EXIT;
    QuitUi quitUi(*this);
    const bool ends = RunQuitRequest(input, quitUi);
    // From the frame's close the frame itself goes on closing; a posted close is not needed.
    return ends;
}

void CZqView::PlaceWindow(int phase) {
    if (m_placementDone) return;
    HWND frame = ::GetParent(m_hWnd);
    if (!frame) return;
    StructPlacementInput in;
    in.startSize = m_settings.STARTSIZE;
    in.startPos = m_settings.STARTPOS;
    in.firstX = m_settings.FIRSTX;
    in.firstY = m_settings.FIRSTY;
    in.firstWide = m_settings.FIRSTWIDE;
    in.firstHeight = m_settings.FIRSTHEIGHT;
    in.endX = m_settings.ENDX;
    in.endY = m_settings.ENDY;
    in.endWide = m_settings.ENDWIDE;
    in.endHeight = m_settings.ENDHEIGHT;
    ::GetWindowRect(frame, &in.created);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    in.nonClientExtra = {(in.created.right - in.created.left) - client.right,
                         (in.created.bottom - in.created.top) - client.bottom};
    const StructPlacement placement = DecidePlacement(in, phase);
    if (!placement.act) return;
    m_placementDone = true;
    if (placement.maximise) {
        ::ShowWindow(frame, SW_SHOWMAXIMIZED);
    } else {
        const UINT flags =
            SWP_NOZORDER | SWP_NOACTIVATE | (placement.move ? 0 : SWP_NOMOVE) | (placement.resize ? 0 : SWP_NOSIZE);
        ::SetWindowPos(frame, nullptr, placement.position.x, placement.position.y, placement.size.cx, placement.size.cy,
                       flags);
    }
    RecordPlacement();
}

void CZqView::RecordPlacement() {
    HWND frame = ::GetParent(m_hWnd);
    if (!frame) return;
    RECT now{};
    ::GetWindowRect(frame, &now);
    m_last = RecordLastPlacement(m_last, now, ::IsIconic(frame) != 0, ::IsZoomed(frame) != 0);
}

void CZqView::StoreViewState() {
    // A move does not always reach us (a window manager may place the frame
    // silently): the frame as it is now is what the next start restores.
    RecordPlacement();
    m_parts.ForEachPart([this](const IViewPart& part) { part.StoreState(m_settings); });
    m_settings.ENDX = m_last.endX;
    m_settings.ENDY = m_last.endY;
    m_settings.ENDWIDE = m_last.endWide;
    m_settings.ENDHEIGHT = m_last.endHeight;
    StoreKeysInSettings();
}

void CZqView::ReportSave(SaveOutcome outcome) {
    if (!IsSaveFailure(outcome)) return;
    // At the end the view is being destroyed: the box then stands on its own.
    ui::ZqMessageBox(m_tearingDown ? nullptr : m_hWnd, m_start.saver->FailureText(), L"設定の保存",
                     MB_OK | MB_ICONWARNING);
}

void CZqView::SaveSettings() {
    if (!m_start.saver || !m_start.user) return;
    StoreViewState();
    ReportSave(m_start.saver->Save(m_settings, *m_start.user));
}

void CZqView::SaveSettingsFinal() {
    if (!m_start.saver || !m_start.user || m_start.saver->FinalSaveDone()) return;
    StoreViewState();
    ReportSave(m_start.saver->SaveFinal(m_settings, *m_start.user));
}

void CZqView::OnTimer(UINT_PTR id) {
    if (m_tearingDown) return;
    if (m_modes.Query(PaneModes::kEither, 0, pane_mode::kGraphicGroup)) return;
    ReleaseFloppyCurrentDirectory();
    if (id != kPeriodicTimer || m_started != kIdle) return;
    m_started = kPeriodicWork;
    m_parts.ForEachPart([](IViewPart& part) { part.OnPeriodicTimer(); });
    m_started = kIdle;
}

void CZqView::OnOperationEnded() {
    m_lists.PurgeAndTestEmpty(DialogList::Copy);
    m_lists.PurgeAndTestEmpty(DialogList::Delete);
    m_lists.PurgeAndTestEmpty(DialogList::Unpack);
    m_lists.PurgeAndTestEmpty(DialogList::Pack);
    m_parts.ForEachPart([](IViewPart& part) { part.OnOperationEnded(); });
    Invalidate();
}

void CZqView::OnPartTimer(std::size_t part, unsigned id) {
    if (m_tearingDown) return;
    m_parts.Part(part).OnTimer(id);
}

void CZqView::ChangePaneDirectory(int pane, const std::wstring& path) {
    if (IPaneContent* content = m_parts.ContentOf(pane)) (void)content->OpenLocation(pane, path);
}

void CZqView::OnDropFiles(HDROP drop) {
    // No part took the files (the file operations would have): the handle is still to be let go.
    ::DragFinish(drop);
}

void CZqView::OnDirChangeRequest() {
    // Only while the view is running on its own and no pane shows a picture.
    if (!m_shared || m_parts.Count() == 0 || m_started == kNotStarted) return;
    if (m_modes.Query(PaneModes::kEither, 0, pane_mode::kGraphicGroup)) return;
    bool changed = false;
    int slot = 0;
    const std::wstring first = m_shared->ReadSlot(0);
    if (first.empty()) return;
    const int focused = m_modes.FindPane(PaneModes::kEither, pane_state::kFocused, pane_mode::kFilerGroup);
    if (focused >= 0) {
        ChangePaneDirectory(focused, first);
        changed = true;
        slot = 1;
    }
    const std::wstring next = m_shared->ReadSlot(slot);
    if (!next.empty()) {
        const int hidden = m_modes.FindPane(PaneModes::kEither, pane_state::kHidden, 0);
        if (hidden >= 0) {
            m_modes.Set(hidden, pane_state::kOther, pane_mode::kDirectory, 1);
            ChangePaneDirectory(hidden, next);
            changed = true;
        } else {
            const int other = m_modes.FindPane(PaneModes::kEither, pane_state::kOther, pane_mode::kFilerGroup);
            if (other >= 0) {
                ChangePaneDirectory(other, next);
                changed = true;
            }
        }
    }
    if (changed) Invalidate();
}

void CZqView::OnDraw(HDC dc, const RECT& client) {
    UniqueGdiObject background(::CreateSolidBrush(kBackground));
    ::FillRect(dc, &client, static_cast<HBRUSH>(background.Get()));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kText);
    // Each pane is drawn by the content it shows.
    m_parts.Paint(dc, client);
    UpdateFrameTitle();
}

LRESULT CZqView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    for (std::size_t n = 0; n < m_parts.Count(); ++n) {
        LRESULT result = 0;
        if (m_parts.Part(n).ForwardMessage(message, wParam, lParam, result)) return result;
    }
    switch (message) {
        case WM_KEYDOWN:
            if (OfferKeyToContent(message, wParam, lParam) || OnKeyDown(wParam)) return 0;
            break;
        case WM_SYSKEYDOWN:
            if (OfferKeyToContent(message, wParam, lParam) || OnSystemKeyDown(wParam, lParam)) return 0;
            break;
        case WM_CHAR:
            if (OfferKeyToContent(message, wParam, lParam)) return 0;
            break;
        case WM_PAINT:
            if (!m_firstPaintDone) {
                m_firstPaintDone = true;
                PlaceWindow(0);
            }
            break;
        case WM_TIMER: {
            std::size_t part = 0;
            unsigned id = 0;
            if (m_parts.TimerOwner(wParam, part, id))
                OnPartTimer(part, id);
            else
                OnTimer(wParam);
            return 0;
        }
        case WM_COMMAND:
            OnMenuCommand(LOWORD(wParam));
            return 0;
        case kMenuBarFollows:
            m_menuUpdatePosted = false;
            UpdateMenuBar();
            return 0;
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_INITMENUPOPUP:
            // The window menu is the system's; only the program's own items are decided here.
            if (HIWORD(lParam) == 0) DecorateMenuPopup(reinterpret_cast<HMENU>(wParam));
            return 0;
        case kTrayNotify:
            if (m_tray) m_tray->OnNotify(::GetParent(m_hWnd), lParam);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            ::SetFocus(m_hWnd);
            if (OnMouse(message, wParam, lParam)) return 0;
            break;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONUP:
        case WM_MOUSEWHEEL:
            if (OnMouse(message, wParam, lParam)) return 0;
            break;
        case WM_SIZE:
            RecordPlacement();
            Invalidate();
            return 0;
        case WM_DESTROY:
            m_tearingDown = true;
            KillTimer(kPeriodicTimer);
            SaveSettingsFinal();
            break;
        default:
            if (m_dirChangeMessage != 0 && message == m_dirChangeMessage) {
                OnDirChangeRequest();
                return 1;
            }
            break;
    }
    return CView::OnMessage(message, wParam, lParam);
}

}  // namespace zq
