#pragma once
// The view hosts two panes; each pane shows exactly one content at a time,
// the one whose ModeMask() meets that pane's mode bits.  The Filer is one
// content; the viewer, the binary editor, the pictures and the archive
// browser are others.  The host knows a content only through IPaneContent,
// and a content knows the host only through the IPaneHost it is given.
//
// Adding a content:
//   - a module of its own with a class deriving from IPaneContent
//     (ModeMask, RegisterCommands and Paint are required, the rest have
//     defaults that take nothing);
//   - one line in src/app/PaneContentList.cpp:
//       view.AddContent(std::make_unique<Viewer>(context, filer));
//   - to show itself, host.ShowMode(pane, pane_mode::kText, subMode) on the
//     host given in Attach(); host.ShowFiler(pane) gives the pane back to the
//     Filer, whose listing, cursor and marks stayed as they were.
// Parts that show no pane of their own (the file operations) derive from
// IViewPart and are added by view.AddPart(...) the same way.
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "commands/CommandRegistry.h"

namespace zq {

struct Settings;

// What a content may ask of the host.  Each part has a host of its own, so
// that its timers and its status text are told apart from the others'.
class IPaneHost {
  public:
    virtual ~IPaneHost() = default;
    // Pane `pane` shows the content of `mode` from now on; a hidden pane is
    // shown as the pane without the focus.
    virtual void ShowMode(int pane, std::uint32_t mode, std::uint32_t subMode = 0) = 0;
    // Pane `pane` shows the Filer again, in the listing it showed when it was taken.
    virtual void ShowFiler(int pane) = 0;
    virtual void RedrawPane(int pane) = 0;
    // Redraws only `area` (view client pixels) of the pane.
    virtual void RedrawArea(int pane, const RECT& area) = 0;
    // Moves what `area` of the pane shows by dy pixels and redraws the strip
    // it uncovers; false (nothing done) when a redraw is pending there, since
    // moving the old pixels would then move stale ones.
    virtual bool ScrollArea(int pane, const RECT& area, int dy) = 0;
    // Where the pane lay at the last paint, in the view's client pixels (empty when not shown).
    [[nodiscard]] virtual RECT PaneRect(int pane) const = 0;
    // The pane with the focus, and the one without it.
    [[nodiscard]] virtual int FocusedPane() const = 0;
    [[nodiscard]] virtual int OtherPane() const = 0;
    // The window that owns the content's dialogs and menus.
    [[nodiscard]] virtual HWND OwnerWindow() const = 0;
    // Timers of the content's own: `id` below kMaxPartTimers arrives at OnTimer(id).
    static constexpr unsigned kMaxPartTimers = 0x100;
    virtual bool StartTimer(unsigned id, unsigned milliseconds) = 0;
    virtual void StopTimer(unsigned id) = 0;
    // Runs a command as a key bound to it would (`argument`: what follows the command word).
    virtual RouteResult RunCommand(CommandId id, std::wstring_view argument = {}) = 0;
    // What the window's title names while this content has the focus; empty: its ActiveLocation().
    virtual void SetStatusText(std::wstring_view text) = 0;
};

// A part of the view: it registers its commands and takes part in the view's
// life (start, periodic work, suspension, saving).
class IViewPart {
  public:
    virtual ~IViewPart() = default;
    // Handed over when the part is added; it outlives the part's use of it.
    virtual void Attach(IPaneHost& host) { (void)host; }
    // Handlers into the context's command registry.
    virtual void RegisterCommands() = 0;
    // After the settings are read; `startDirectories` are the "-d" options.
    virtual void Start(const std::vector<std::wstring>& startDirectories) { (void)startDirectories; }
    // The view's once-a-second work.
    virtual void OnPeriodicTimer() {}
    // A timer the part started through its host.
    virtual void OnTimer(unsigned id) { (void)id; }
    // A file operation ended: what it may have changed is shown anew.
    virtual void OnOperationEnded() {}
    // The settings changed: they are taken up again; `reread` when the listing itself depends on them.
    virtual void OnSettingsChanged(bool reread) { (void)reread; }
    // What the next start reads back.
    virtual void StoreState(Settings& settings) const { (void)settings; }
    // A message the part's own helpers (a shell menu, dropped files) need first.
    virtual bool ForwardMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        (void)message, (void)wParam, (void)lParam, (void)result;
        return false;
    }
    // A dialog or long operation of the host takes over; the part stops its own timers and work.
    virtual void Suspend() {}
    virtual void Resume() {}
};

// Where the panes lie.  One content lays out the whole view (the Filer: its
// header band and its split), so that a pane keeps its place whatever it shows.
struct PaneFrame {
    std::array<RECT, 2> panes{};  // empty when the pane is not shown
};

class IPaneFrame {
  public:
    virtual ~IPaneFrame() = default;
    [[nodiscard]] virtual PaneFrame Arrange(HDC dc, const RECT& client) = 0;
    // Everything of the view outside the panes (the header band, the gaps).
    virtual void PaintFrame(HDC dc, const RECT& client, const PaneFrame& frame) = 0;
};

// What a pane's pointer and wheel handling asks of the host afterwards.
enum class PaneMouseOutcome { NotTaken, Taken, TakenMenuFollows, PressReturn };

class IPaneContent : public IViewPart, public ICommandTarget {
  public:
    // The mode bits of the panes this content shows.
    [[nodiscard]] virtual std::uint32_t ModeMask() const = 0;
    // Paints pane `pane` into `rect` (client pixels); drawing outside it is clipped.
    virtual void Paint(HDC dc, int pane, const RECT& rect) = 0;
    // The content that lays out the view offers its frame.
    virtual IPaneFrame* Frame() { return nullptr; }
    // What the window's title names; empty when the content shows nothing there.
    [[nodiscard]] virtual std::wstring ActiveLocation() { return {}; }
    // Pane `pane` shows `path` (a second copy of the program hands its directories over).
    virtual bool OpenLocation(int pane, const std::wstring& path) {
        (void)pane, (void)path;
        return false;
    }
    // Keys of the focused pane before the key tables see them (WM_KEYDOWN, WM_SYSKEYDOWN, WM_CHAR).
    virtual bool OnKey(UINT message, WPARAM wParam, LPARAM lParam) {
        (void)message, (void)wParam, (void)lParam;
        return false;
    }
    // The pointer over pane `pane` (the wheel: over it, or the focused pane's
    // when over no pane); coordinates as the message carries them.
    virtual PaneMouseOutcome OnMouse(int pane, UINT message, WPARAM wParam, LPARAM lParam) {
        (void)pane, (void)message, (void)wParam, (void)lParam;
        return PaneMouseOutcome::NotTaken;
    }
    // Commands the content answers itself before the handlers it registered.
    [[nodiscard]] bool CanRun(CommandId id) const override {
        (void)id;
        return false;
    }
    bool Run(CommandId id, const CommandCall& call) override {
        (void)id, (void)call;
        return false;
    }

    // Key hooks of the focused content, asked by the key router.
    virtual void RunReturnAction() {}
    [[nodiscard]] virtual bool IncrementalSearchActive() const { return false; }
    virtual void EndIncrementalSearch() {}
    [[nodiscard]] virtual bool KeyDirectoryJumpPending() const { return false; }
    virtual void CancelKeyDirectoryJump() {}
    virtual void RunKeyDirectoryJump(std::wstring_view keyName) { (void)keyName; }
    virtual bool OfferToIncrementalSearch(unsigned virtualKey, int modifier) {
        (void)virtualKey, (void)modifier;
        return false;
    }
    virtual void MoveCursorToDrive(wchar_t letter, bool changeDrive) { (void)letter, (void)changeDrive; }
};

}  // namespace zq
