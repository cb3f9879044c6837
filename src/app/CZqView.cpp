#include "app/CZqView.h"

#include <mmsystem.h>

#include <array>
#include <cwchar>

#include "app/CQuitDlg.h"
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
constexpr COLORREF kFrameFocused = RGB(80, 160, 255);
constexpr COLORREF kFrameOther = RGB(96, 96, 96);
constexpr int kClockHeight = 22;

}  // namespace

// The quit request's steps, carried out on the real windows.
class CZqView::QuitUi : public IQuitUi {
public:
    explicit QuitUi(CZqView& view) : m_view(view) {}
    void ShowRefusal(const std::wstring& text) override { ui::ZqMessageBox(m_view.m_hWnd, text); }
    void Suspend() override { m_view.Suspend(); }
    void Resume() override { m_view.Resume(); }
    void PlayQuitSound() override {}
    int AskQuit() override {
        CQuitDlg dialog(::GetParent(m_view.m_hWnd));
        return static_cast<int>(dialog.DoModal());
    }
    void CloseFrame() override {
        m_view.m_quitting = true;
        ::PostMessageW(::GetParent(m_view.m_hWnd), WM_CLOSE, 0, 0);
    }
    void SaveForSystemEnd() override { m_view.m_quitting = true; }
    void EndWindows(bool reboot) override {
        if (!EndWindowsSession(reboot)) ::PostMessageW(::GetParent(m_view.m_hWnd), WM_CLOSE, 0, 0);
    }

private:
    CZqView& m_view;
};

CZqView::CZqView(StructViewOptions options) : m_options(std::move(options)) {
    m_last = {m_options.placement.endX, m_options.placement.endY, m_options.placement.endWide,
              m_options.placement.endHeight};
}

CZqView::~CZqView() { m_tearingDown = true; }

bool CZqView::OnCreate() {
    SetTimer(kPeriodicTimer, 1000);
    m_started = kIdle;
    PlaceWindow(1);
    return true;
}

void CZqView::Suspend() {
    m_started = kNotStarted;
    for (UINT_PTR id = kFirstSuspendedTimer; id <= kLastSuspendedTimer; ++id) KillTimer(id);
}

void CZqView::Resume() { m_started = kIdle; }

bool CZqView::QuitRequest(bool fromClose) {
    if (m_quitting) return true;
    StructQuitInput input;
    input.copyRunning = !m_lists.PurgeAndTestEmpty(DialogList::Copy);
    input.deleteRunning = !input.copyRunning && !m_lists.PurgeAndTestEmpty(DialogList::Delete);
    input.unpackRunning = !input.copyRunning && !input.deleteRunning && !m_lists.PurgeAndTestEmpty(DialogList::Unpack);
    input.fromClose = fromClose;
    input.notQuitMessage = m_options.notQuitMessage;
    input.askAlwaysAtExit = m_options.askAlwaysAtExit;
    QuitUi quitUi(*this);
    const bool ends = RunQuitRequest(input, quitUi);
    // From the frame's close the frame itself goes on closing; a posted close is not needed.
    return ends;
}

void CZqView::PlaceWindow(int phase) {
    if (m_placementDone) return;
    HWND frame = ::GetParent(m_hWnd);
    if (!frame) return;
    StructPlacementInput in = m_options.placement;
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
        const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (placement.move ? 0 : SWP_NOMOVE) |
                           (placement.resize ? 0 : SWP_NOSIZE);
        ::SetWindowPos(frame, nullptr, placement.position.x, placement.position.y, placement.size.cx,
                       placement.size.cy, flags);
    }
    RECT now{};
    ::GetWindowRect(frame, &now);
    m_last = RecordLastPlacement(m_last, now, ::IsIconic(frame) != 0, ::IsZoomed(frame) != 0);
}

void CZqView::OnTimer(UINT_PTR id) {
    if (m_tearingDown) return;
    if (m_modes.Query(PaneModes::kEither, 0, pane_mode::kGraphicGroup)) return;
    ReleaseFloppyCurrentDirectory();
    if (id != kPeriodicTimer || m_started != kIdle) return;
    m_started = kPeriodicWork;
    RECT client = GetClientRect();
    client.top = client.bottom - kClockHeight;
    ::InvalidateRect(m_hWnd, &client, FALSE);
    m_started = kIdle;
}

void CZqView::OnOperationEnded() {
    m_lists.PurgeAndTestEmpty(DialogList::Copy);
    m_lists.PurgeAndTestEmpty(DialogList::Delete);
    m_lists.PurgeAndTestEmpty(DialogList::Unpack);
    Invalidate();
}

void CZqView::DrawPane(HDC dc, const RECT& area, int index) const {
    const bool focused = m_modes.Get(index).state & pane_state::kFocused;
    UniqueGdiObject pen(::CreatePen(PS_SOLID, focused ? 2 : 1, focused ? kFrameFocused : kFrameOther));
    HGDIOBJ oldPen = ::SelectObject(dc, pen.Get());
    HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, area.left + 1, area.top + 1, area.right - 1, area.bottom - 1);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);

    wchar_t directory[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, directory);
    const std::wstring title = std::wstring(index == 0 ? L"左ペイン" : L"右ペイン") + L"  " + directory;
    RECT text = area;
    ::InflateRect(&text, -8, -6);
    ::DrawTextW(dc, title.c_str(), -1, &text, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CZqView::DrawClock(HDC dc, const RECT& client) const {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    wchar_t clock[64] = {};
    std::swprintf(clock, 64, L"%04d-%02d-%02d   %02d:%02d:%02d", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    RECT area{client.left + 8, client.bottom - kClockHeight, client.right - 8, client.bottom};
    ::DrawTextW(dc, clock, -1, &area, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void CZqView::OnDraw(HDC dc, const RECT& client) {
    UniqueGdiObject background(::CreateSolidBrush(kBackground));
    ::FillRect(dc, &client, static_cast<HBRUSH>(background.Get()));
    UniqueGdiObject font(::CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0,
                                       CLEARTYPE_QUALITY, FIXED_PITCH, L"MS Gothic"));
    HGDIOBJ oldFont = ::SelectObject(dc, font.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kText);
    RECT panesArea = client;
    panesArea.bottom -= kClockHeight;
    const LONG middle = (panesArea.left + panesArea.right) / 2;
    const std::array<RECT, 2> panes = {RECT{panesArea.left, panesArea.top, middle, panesArea.bottom},
                                       RECT{middle, panesArea.top, panesArea.right, panesArea.bottom}};
    const bool bothShown = !(m_modes.Get(1).state & pane_state::kHidden) && !(m_modes.Get(0).state & pane_state::kHidden);
    if (bothShown) {
        for (int i = 0; i < 2; ++i) DrawPane(dc, panes[static_cast<size_t>(i)], i);
    } else {
        DrawPane(dc, panesArea, (m_modes.Get(0).state & pane_state::kHidden) ? 1 : 0);
    }
    DrawClock(dc, client);
    ::SelectObject(dc, oldFont);
}

LRESULT CZqView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
            if (wParam == VK_TAB) {
                // Swap the focus between the two shown panes.
                const int focused = m_modes.FocusedPane();
                if (focused >= 0 && !(m_modes.Get(focused ^ 1).state & pane_state::kHidden)) {
                    const StructPaneMode a = m_modes.Get(focused);
                    const StructPaneMode b = m_modes.Get(focused ^ 1);
                    m_modes.Set(focused, pane_state::kOther, a.mode, a.subMode);
                    m_modes.Set(focused ^ 1, pane_state::kFocused, b.mode, b.subMode);
                }
                Invalidate();
                return 0;
            }
            break;
        case WM_PAINT:
            if (!m_firstPaintDone) {
                m_firstPaintDone = true;
                PlaceWindow(0);
            }
            break;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == ID_OPERATION_ENDED) {
                OnOperationEnded();
                return 0;
            }
            if (LOWORD(wParam) == ID_APP_EXIT) {
                QuitRequest(false);
                return 0;
            }
            break;
        case WM_LBUTTONDOWN:
            ::SetFocus(m_hWnd);
            return 0;
        case WM_SIZE:
            Invalidate();
            return 0;
        default:
            break;
    }
    return CView::OnMessage(message, wParam, lParam);
}

}  // namespace zq
