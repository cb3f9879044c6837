#pragma once
// The BinaryEditor as a pane content: each pane in this mode owns one
// CBinaryData.  The Filer's @Binaryedit opens the file under the cursor in
// the active pane; @Binaryeditend, @Wide and the end of the window leave it,
// asking first whenever a change is unsaved.  What a row shows is computed by
// BinaryLayout; this class feeds it the edited bytes and draws.
#include <windows.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "binedit/BinaryEditorDialogs.h"
#include "binedit/BinarySearch.h"
#include "binedit/CBinaryData.h"
#include "commands/CommandIds.h"
#include "commands/PaneContent.h"
#include "commands/ViewContext.h"
#include "common/Handle.h"

namespace zq {

class ViewFiler;

class BinaryEditorContent final : public IPaneContent {
  public:
    // The content's own timers.
    enum Timer : unsigned {
        kMouseTimer = 8,   // a drag selection follows the pointer
        kScrollTimer = 9,  // auto-scrolling
        kCursorTimer = 10  // the cursor digit blinks
    };
    // How leaving asks about unsaved changes.
    enum class LeaveAsk { YesNoCancel, YesNo };

    BinaryEditorContent(ViewContext& context, ViewFiler& filer);
    ~BinaryEditorContent() override;
    BinaryEditorContent(const BinaryEditorContent&) = delete;
    BinaryEditorContent& operator=(const BinaryEditorContent&) = delete;

    // IPaneContent
    [[nodiscard]] std::uint32_t ModeMask() const override;
    void Attach(IPaneHost& host) override { m_host = &host; }
    void RegisterCommands() override;
    void Paint(HDC dc, int pane, const RECT& rect) override;
    [[nodiscard]] std::wstring ActiveLocation() override;
    void OnTimer(unsigned id) override;
    void OnSettingsChanged(bool reread) override;
    bool ForwardMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    PaneMouseOutcome OnMouse(int pane, UINT message, WPARAM wParam, LPARAM lParam) override;
    void Suspend() override;
    void Resume() override;

    // Opens `path` in pane `pane`; on failure tells the user and leaves the pane as it was.
    bool OpenInPane(int pane, const std::wstring& path);
    // Asks about unsaved changes, then gives the pane back to the Filer.
    // False when the user chose to go on editing.
    bool Leave(int pane, LeaveAsk ask);
    [[nodiscard]] bool Edits(int pane) const;
    // The focused pane when it edits, else the first that does; -1 when none.
    [[nodiscard]] int TargetPane() const;

  private:
    void Add(CommandId id, std::function<void(int pane)> action);
    void RegisterEditCommands();
    void RegisterSearchCommands();
    // @Cmpbinary in the Filer: the first two selected files, compared by the companion library.
    void CompareSelectedFiles();
    binedit::CBinaryData& Data(int pane) { return *m_data.at(static_cast<size_t>(pane)); }
    void Redraw(int pane);
    void ShowError(const std::wstring& text) const;
    // Rows under the status line, the header included.
    [[nodiscard]] int VisibleRows(int pane) const;
    [[nodiscard]] std::int64_t DataRows(int pane) const { return std::max(1, VisibleRows(pane) - 1); }
    // After any move: the cursor is drawn at once and its row stays on screen.
    void AfterMove(int pane);
    // A cursor step without a selection before or after it: the rows scroll
    // when the top row moved by less than a screen, and only the old and new
    // cursor rows and the status line are drawn again.
    struct StepStart {
        std::int64_t row;
        bool selected;
    };
    [[nodiscard]] StepStart BeginStep(int pane);
    void AfterStep(int pane, StepStart start);
    [[nodiscard]] bool ScrollRows(int pane, std::int64_t shift);
    void RedrawRow(int pane, std::int64_t row);
    void Move(int pane, std::int64_t delta);
    void MoveSelection(int pane, std::int64_t delta);
    void Type(int pane, int digit);
    // Writes the changes; false (after telling the user) when that failed,
    // or when the file changed on disk and the user chose not to write over it.
    bool Save(int pane, bool* declined = nullptr);
    void AutoScroll(int direction);
    void StopAutoScroll();
    void StartCursorTimer();
    // @Wide and the end of the window leave every editing pane with Yes and No.
    void LeaveAll();

    // The commands with dialogs (BinaryEditorCommands.cpp).
    void InputData(int pane, bool repeat);
    void CopyData(int pane);
    void PasteData(int pane);
    void CopyToClipboard(int pane);
    void SelectRange(int pane);
    void JumpRow(int pane);
    void ReplaceData(int pane);
    void WriteChangedPositions(int pane);
    void StartSearch(int pane);
    void StartComparison(int pane);
    void SearchAgain(int pane, bool reverse);
    // Runs a scan of the data on a worker behind a progress dialog for big files.
    template <typename Result>
    Result RunWork(int pane, const std::function<Result(const std::atomic<bool>*)>& work);
    binedit::SearchResult RunStep(int pane, bool reverse);
    void ShowMatch(int pane, const binedit::SearchResult& result);

    // The mouse (drag selection).
    [[nodiscard]] std::int64_t NibbleAt(int pane, POINT point, bool clampRows) const;
    void OnButtonDown(int pane, POINT point);
    void OnDrag(POINT point);
    void EndDrag();

    // Drawing.
    void EnsureFont();
    void PaintRows(HDC dc, int pane, const RECT& area);

    ViewContext& m_context;
    ViewFiler& m_filer;
    IPaneHost* m_host = nullptr;
    std::array<std::unique_ptr<binedit::CBinaryData>, 2> m_data;
    std::array<int, 2> m_visibleRows{};
    std::array<RECT, 2> m_rowsArea{};    // the data rows under the header, at the last paint
    std::array<RECT, 2> m_statusArea{};  // the status line
    bool m_cursorShown = true;
    bool m_cursorTimer = false;
    int m_autoDirection = 0;
    int m_dragPane = -1;
    bool m_busy = false;  // a worker scans the data
    UniqueGdiObject m_font;
    // Shared by both panes: the internal copy buffer and the dialogs' last choices.
    std::string m_copyBuffer;
    binedit::DialogChoices m_choices;
};

}  // namespace zq
