#pragma once
// The text Viewer as a pane content: each pane has its own loaded text
// (ViewerText); the view has one selection.  The Filer's @View opens the file
// under the cursor in the active pane, @Closeviewer gives the pane back to the
// Filer.  What a row shows is computed by ViewerLayout and ViewerSelection;
// this class feeds them the text under the pane's semaphore and draws.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "commands/CommandIds.h"
#include "commands/PaneContent.h"
#include "commands/ViewContext.h"
#include "common/Handle.h"
#include "filer/FileEntry.h"
#include "viewer/CViewerSearchDlg.h"
#include "viewer/KindSetting.h"
#include "viewer/ViewerSearch.h"
#include "viewer/ViewerSelection.h"
#include "viewer/ViewerText.h"

namespace zq {

class ViewFiler;

class ViewerContent final : public IPaneContent {
  public:
    // The content's own timers, by the ids its host gives back.
    enum Timer : unsigned {
        kLoadTimer = 1,    // repaint while a loader indexes
        kReloadTimer = 2,  // @ReloadFile waits for the old top line
        kOtherTimer = 3,   // @Otheralwaysviewer follows the Filer's cursor
        kSelectTimer = 6,  // a drag selection keeps scrolling
        kScrollTimer = 7,  // auto-scrolling
    };

    ViewerContent(ViewContext& context, ViewFiler& filer);
    ~ViewerContent() override;
    ViewerContent(const ViewerContent&) = delete;
    ViewerContent& operator=(const ViewerContent&) = delete;

    // IPaneContent
    [[nodiscard]] std::uint32_t ModeMask() const override;
    void Attach(IPaneHost& host) override { m_host = &host; }
    void RegisterCommands() override;
    void Paint(HDC dc, int pane, const RECT& rect) override;
    [[nodiscard]] std::wstring ActiveLocation() override;
    void OnPeriodicTimer() override;
    void OnTimer(unsigned id) override;
    void OnSettingsChanged(bool reread) override;
    bool ForwardMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    PaneMouseOutcome OnMouse(int pane, UINT message, WPARAM wParam, LPARAM lParam) override;
    void Suspend() override;

    // Opens `entry` of `directory` in pane `pane` and shows the Viewer there;
    // on failure tells the user and leaves the pane as it was.
    bool OpenInPane(int pane, const FileEntry& entry, const std::wstring& directory);
    // The same for text already in memory (an archive member); the pane takes `block` over.
    bool OpenMemoryInPane(int pane, const FileEntry& entry, const std::wstring& directory, HLOCAL block,
                          std::int64_t length);
    // The pane goes back to the Filer and its text is closed.
    void CloseViewer(int pane);
    // @Textprint through the companion library; the pane's text is held for the whole job.
    void Print(int pane);
    // The settings dialog, or with `kinds` the per-extension one; shown texts follow a change.
    void EditSettings(bool kinds);
    // The pane the Viewer's commands act on: the focused one when it shows a
    // text, else the first that does; -1 when none does.
    [[nodiscard]] int TargetPane() const;
    [[nodiscard]] bool ShowsText(int pane) const;
    viewer::ViewerText& Text(int pane) { return *m_texts.at(static_cast<size_t>(pane)); }
    [[nodiscard]] const viewer::ViewerSelection& Selection() const { return m_selection; }
    [[nodiscard]] int AutoScrollDirection() const { return m_autoDirection; }

    // The commands, as the registered handlers run them.
    void Scroll(int pane, std::int64_t delta);
    void MoveSelectionEnd(int pane, int kind, std::int64_t amount);
    void SelectAll();
    void CopySelection();
    void SetColumns(int columns, int tabWidth);
    // Lays a shown text out anew; on failure closes the pane with the message and answers false.
    bool ReindexPane(int pane, int tabWidth, int columns);
    void ChangeCode(viewer::ViewerCharCode request);
    void Reload(int pane);
    void ToggleBinary(int pane);
    void AutoScroll(int direction);
    void StopAutoScroll();
    // The search and the line jump (ViewerContentSearch.cpp).
    void StartSearch(int pane);
    // False when the pane has no pattern, which ends a walk over the panes.
    bool SearchAgain(int pane, bool reverse);
    void JumpText(int pane);

    // Mouse actions at a point in the view's client pixels.
    void RunDoubleClickAction(int pane, const std::wstring& action, POINT point);

  private:
    void Add(CommandId id, std::function<void(int pane)> action);
    void Redraw(int pane);
    void RedrawAll();
    void ShowError(const std::wstring& text) const;
    [[nodiscard]] viewer::ViewerOpenSettings OpenSettings() const;
    [[nodiscard]] viewer::ViewerOpenSettings CurrentSettings(int pane) const;
    [[nodiscard]] int VisibleRows(int pane) const;
    void EnsureLoadTimer();
    void FollowOtherPane();
    void RegisterSearchCommands();
    // A text shown as text, not as a hexadecimal dump: what searches act on.
    [[nodiscard]] bool SearchesText(int pane) const;
    // Selects [position, position + length) and brings it half a page down; under the text's lock.
    void SelectMatch(int pane, std::int64_t position, std::int64_t length);

    // Hit testing and the mouse (ViewerContentMouse.cpp).
    struct RowHit {
        bool inText = false;
        bool above = false;
        bool below = false;
        std::int32_t line = 0;
        int column = 0;
    };
    [[nodiscard]] RowHit HitRow(int pane, POINT point) const;
    void OnButtonDown(int pane, POINT point, bool shift);
    void OnDrag(POINT point);
    void EndDrag();

    // Drawing (ViewerContentPaint.cpp).
    void EnsureFont();
    void PaintStatus(HDC dc, int pane, const RECT& row);
    void PaintRows(HDC dc, int pane, const RECT& area);

    ViewContext& m_context;
    ViewFiler& m_filer;
    IPaneHost* m_host = nullptr;
    std::array<std::unique_ptr<viewer::ViewerText>, 2> m_texts;
    viewer::KindSettings m_kinds;
    viewer::ViewerSelection m_selection;
    int m_autoDirection = 0;
    int m_dragOutside = 0;
    POINT m_lastMouse{};
    int m_reloadPane = -1;
    std::array<std::int32_t, 2> m_paintedLines{};
    bool m_loadTimer = false;
    bool m_otherAlways = false;
    std::wstring m_otherFollowed;
    UniqueGdiObject m_font;
    // Per pane the pattern, direction and case rule; origin and position live in the text.
    std::array<viewer::ViewerSearchState, 2> m_search;
    viewer::SearchChoice m_searchChoice;
};

}  // namespace zq
