// The Viewer's string search and line jump: the dialogs, the walk over the
// panes and showing a match.  The rules of the walk are ViewerSearch's.
#include <algorithm>

#include "commands/CommandRegistry.h"
#include "common/TextConv.h"
#include "settings/Settings.h"
#include "viewer/CViewerJumpDlg.h"
#include "viewer/ViewerContent.h"
#include "viewer/ViewerLayout.h"

namespace zq {

using viewer::TextLock;
using viewer::ViewerText;

namespace {

constexpr const wchar_t* kNotFound = L"文字列は見つかりませんでした";
constexpr const wchar_t* kSearchFinished = L"検索終了しました";

viewer::TextView ViewOf(const ViewerText& text) {
    return {text.Text(), text.TextLength(), text.Lines(), text.LineCount()};
}

// The search stops at the end of the last indexed line, not at the end of
// what the loader has converted so far.
std::string_view SearchedText(const ViewerText& text) {
    if (text.LineCount() <= 0 || !text.Text()) return {};
    return {text.Text(), static_cast<size_t>(text.LineEnd(text.LineCount() - 1))};
}

}  // namespace

bool ViewerContent::SearchesText(int pane) const {
    return ShowsText(pane) && !m_texts.at(static_cast<size_t>(pane))->BinaryDisplay();
}

void ViewerContent::RegisterSearchCommands() {
    CommandRegistry& registry = *m_context.registry;
    registry.Register(cmd::viewer::Searchstr, [this](const CommandCall&) {
        for (int pane = 0; pane < 2; ++pane)
            if (SearchesText(pane)) StartSearch(pane);
    });
    const auto again = [this](bool reverse) {
        for (int pane = 0; pane < 2; ++pane)
            if (SearchesText(pane) && !SearchAgain(pane, reverse)) return;
    };
    registry.Register(cmd::viewer::Nextsearch, [again](const CommandCall&) { again(false); });
    registry.Register(cmd::viewer::Beforesearch, [again](const CommandCall&) { again(true); });
    registry.Register(cmd::viewer::Jumptext, [this](const CommandCall&) {
        for (int pane = 0; pane < 2; ++pane) {
            if (!SearchesText(pane)) continue;
            JumpText(pane);
            return;
        }
    });
}

void ViewerContent::SelectMatch(int pane, std::int64_t position, std::int64_t length) {
    ViewerText& text = Text(pane);
    EndDrag();
    m_selection.Clear();
    m_selection.pane = pane;
    m_selection.exists = true;
    m_selection.start = position;
    m_selection.end = m_selection.previousEnd = position + length;
    const viewer::TextView view = ViewOf(text);
    text.SetTopLine(
        static_cast<std::int32_t>(viewer::MatchTop(viewer::LineOf(view, position), VisibleRows(pane), view.lineCount)));
}

void ViewerContent::StartSearch(int pane) {
    StopAutoScroll();
    Settings& settings = *m_context.settings;
    viewer::CViewerSearchDlg dialog(m_context.view, m_searchChoice, settings.viewerSearch.Items());
    if (dialog.DoModal() != IDOK) return;
    m_searchChoice = dialog.Result();

    ViewerText& text = Text(pane);
    viewer::ViewerSearchState& state = m_search[static_cast<size_t>(pane)];
    state.pattern = ToNarrow(m_searchChoice.text);
    state.down = m_searchChoice.direction == 1;
    state.ignoreCase = m_searchChoice.ignoreCase;
    text.searchPosition = -1;
    if (state.pattern.empty()) return;
    settings.viewerSearch.Push(m_searchChoice.text);

    bool found = false;
    {
        const TextLock lock(text);
        if (lock) {
            const std::int32_t lines = text.LineCount();
            text.searchOrigin =
                m_searchChoice.start == 1 && lines > 0 ? text.LineStart(std::min(text.TopLine(), lines - 1)) : 0;
            state.origin = text.searchOrigin;
            found = viewer::FirstSearch(SearchedText(text), state);
            text.searchPosition = state.position;
            if (found) SelectMatch(pane, state.position, static_cast<std::int64_t>(state.pattern.size()));
        }
    }
    if (!found) {
        ShowError(kNotFound);
        return;
    }
    Redraw(pane);
}

bool ViewerContent::SearchAgain(int pane, bool reverse) {
    viewer::ViewerSearchState& state = m_search[static_cast<size_t>(pane)];
    if (state.pattern.empty()) return false;
    StopAutoScroll();
    ViewerText& text = Text(pane);
    bool found = false;
    {
        const TextLock lock(text);
        if (lock) {
            // A scroll with VIEWFINDSCROLLPOSITION may have moved the position since.
            state.origin = text.searchOrigin;
            state.position = text.searchPosition;
            found = viewer::SearchAgain(SearchedText(text), state, reverse ? !state.down : state.down);
            text.searchPosition = state.position;
            if (found) {
                SelectMatch(pane, state.position, static_cast<std::int64_t>(state.pattern.size()));
            } else {
                EndDrag();
                m_selection.Clear();
                m_selection.pane = pane;
                m_selection.exists = true;
                m_selection.start = m_selection.end = m_selection.previousEnd =
                    std::max<std::int64_t>(0, state.position);
            }
        }
    }
    Redraw(pane);
    if (!found) ShowError(kSearchFinished);
    return true;
}

void ViewerContent::JumpText(int pane) {
    StopAutoScroll();
    viewer::CViewerJumpDlg dialog(m_context.view);
    if (dialog.DoModal() != IDOK) return;
    ViewerText& text = Text(pane);
    const std::int64_t top = viewer::JumpTop(dialog.Field(), text.TopLine(), text.LineCount(), VisibleRows(pane));
    Scroll(pane, top - text.TopLine());
    Redraw(pane);
}

}  // namespace zq
