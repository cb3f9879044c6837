#pragma once
// What a kind of pane content (the Filer; the viewer, the binary editor, the
// pictures and the archive browser after it) offers the pane host.  The host
// owns the two pane windows' area, the keys and the timers; it hands each of
// them to the content whose mode a pane shows, and knows nothing more of it.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zq {

struct Settings;

// What a content's pointer and wheel handling asks of the host afterwards.
enum class PaneMouseOutcome { NotTaken, Taken, TakenMenuFollows, PressReturn };

class IPaneContent {
  public:
    virtual ~IPaneContent() = default;

    // The mode bits of the panes this content shows; the host routes keys,
    // mouse and hooks to it while the focused pane is in one of them.
    [[nodiscard]] virtual std::uint32_t ModeMask() const = 0;
    // Handlers into the context's command registry: what the content can run
    // is what it registered under its mode group.
    virtual void RegisterCommands() = 0;
    // After the settings are read; `startDirectories` are the "-d" options.
    virtual void Start(const std::vector<std::wstring>& startDirectories) = 0;
    virtual void Paint(HDC dc, const RECT& client) = 0;
    virtual void OnPeriodicTimer() = 0;
    // A file operation ended: what it may have changed is shown anew.
    virtual void OnOperationEnded() = 0;
    // The settings changed: they are taken up again; `reread` when the listing itself depends on them.
    virtual void OnSettingsChanged(bool reread) = 0;
    // What the next start reads back.
    virtual void StoreState(Settings& settings) const = 0;
    // What the window's title names; empty when the content shows nothing there.
    [[nodiscard]] virtual std::wstring ActiveLocation() = 0;
    // A message the content's own helpers (a shell menu) need first.
    virtual bool ForwardMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    virtual PaneMouseOutcome OnMouse(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // Key hooks of the focused content, asked by the key router.
    virtual void RunReturnAction() = 0;
    [[nodiscard]] virtual bool IncrementalSearchActive() const = 0;
    virtual void EndIncrementalSearch() = 0;
    [[nodiscard]] virtual bool KeyDirectoryJumpPending() const = 0;
    virtual void CancelKeyDirectoryJump() = 0;
    virtual void RunKeyDirectoryJump(std::wstring_view keyName) = 0;
    virtual bool OfferToIncrementalSearch(unsigned virtualKey, int modifier) = 0;
    virtual void MoveCursorToDrive(wchar_t letter, bool changeDrive) = 0;

    // A dialog or long operation of the host takes over; the content stops its own timers and work.
    virtual void Suspend() = 0;
    virtual void Resume() = 0;
};

}  // namespace zq
