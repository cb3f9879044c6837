// Cursor movement, scrolling and marks.
#include <algorithm>
#include <unordered_set>

#include "filer/FilerPane.h"
#include "filer/FilerPath.h"

namespace zq {

int FilerPane::MoveCursor(int delta, bool wrap) {
    const int columns = std::max(1, m_grid.fullColumns);
    const int rows = std::max(1, m_grid.fullRows);
    const int oldFirst = m_firstShown;
    if (m_count <= 0) {
        m_cursor = 0;
        m_firstShown = 0;
        return oldFirst != 0 ? 1 : 0;
    }
    const int last = m_count - 1;
    const bool toggle = m_options.CURSORTOGGLE && wrap;
    long long position = static_cast<long long>(m_cursor) + delta;
    if (position > last) {
        position = (toggle && delta != 0 && m_cursor == last) ? 0 : last;
    } else if (position < 0) {
        position = (toggle && m_cursor == 0) ? last : 0;
    }
    m_cursor = static_cast<int>(position);

    // The name list fills the grid column by column, thumbnails row by row;
    // the first shown entry always starts a column (or a row).
    const int step = m_previewActive ? columns : rows;
    const int visible = columns * rows;
    if (m_firstShown % step != 0 || m_firstShown < 0) m_firstShown = 0;
    if (m_cursor < m_firstShown) {
        m_firstShown = (m_cursor / step) * step;
    } else if (m_cursor > m_firstShown + visible - 1) {
        const int needed = m_cursor - visible + 1;  // first shown must reach at least this
        int first = ((needed + step - 1) / step) * step;
        if (first > last) first = (last / step) * step;
        m_firstShown = std::max(first, m_firstShown);
    }
    return m_firstShown != oldFirst ? 1 : 0;
}

int FilerPane::CursorDelta(CursorCommand command) const {
    const int columns = std::max(1, m_grid.fullColumns);
    const int rows = std::max(1, m_grid.fullRows);
    const int page = m_kind == kKindDriveList ? rows : columns * rows;
    const int extent = std::max(Capacity(), m_count);
    switch (command) {
        case CursorCommand::Down:
            return m_previewActive ? columns : 1;
        case CursorCommand::Up:
            return m_previewActive ? -columns : -1;
        case CursorCommand::Right:
            return m_previewActive ? 1 : rows;
        case CursorCommand::Left:
            return m_previewActive ? -1 : -rows;
        case CursorCommand::NextPage:
            return page;
        case CursorCommand::BeforePage:
            return -page;
        case CursorCommand::NextHalfPage:
            return page / 2;
        case CursorCommand::BeforeHalfPage:
            return -(page / 2);
        case CursorCommand::FirstPos:
            return -extent;
        case CursorCommand::EndPos:
            return extent;
    }
    return 0;
}

int FilerPane::RunCursorCommand(CursorCommand command, bool withSelection) {
    const int delta = CursorDelta(command);
    const bool wrap = command != CursorCommand::FirstPos && command != CursorCommand::EndPos;
    if (!withSelection) {
        m_anchor = -1;
        return MoveCursor(delta, wrap);
    }
    const bool anchorJustSet = m_anchor < 0;
    if (anchorJustSet) m_anchor = m_cursor;
    const int oldCursor = m_cursor;
    const int redraw = MoveCursor(delta, wrap);
    if (m_count <= 0) return redraw;
    if (anchorJustSet && m_cursor == oldCursor) {
        SetMark(m_cursor, true);
    } else {
        ApplyRangeMarks(m_anchor, oldCursor, m_cursor);
    }
    return redraw;
}

void FilerPane::ApplyRangeMarks(int anchor, int from, int to) {
    // Every position the cursor passed over ends up marked exactly when it
    // lies between the anchor and the new cursor: moving away from the anchor
    // extends the run, moving back toward it shrinks it, and the cursor entry
    // itself always stays in the run.
    const int low = std::min(from, to);
    const int high = std::max(from, to);
    const int runLow = std::min(anchor, to);
    const int runHigh = std::max(anchor, to);
    for (int p = low; p <= high; ++p) SetMark(p, p >= runLow && p <= runHigh);
}

void FilerPane::PlaceCursorOnName(const std::wstring& name, bool directoriesOnly, int fallback) {
    for (int p = 0; p < m_count; ++p) {
        const FileEntry& e = EntryAt(p);
        if (!SameNameIgnoringCase(e.cFileName, name)) continue;
        if (directoriesOnly && IsFileEntry(e)) break;
        m_cursor = p;
        return;
    }
    m_cursor = std::clamp(fallback, 0, std::max(m_count - 1, 0));
}

bool FilerPane::IsMarkedAt(int position) const {
    if (position < 0 || position >= m_count) return false;
    return m_marks[static_cast<size_t>(EntryIndexAt(position))] != 0;
}

void FilerPane::ToggleMark(int position) {
    if (position < 0 || position >= m_count) return;
    const int index = EntryIndexAt(position);
    if (IsLinkEntry(Entry(index))) return;
    uint32_t& mark = m_marks[static_cast<size_t>(index)];
    mark = mark ? 0 : 1;
    m_markedCount += mark ? 1 : -1;
    InvalidateSelectionCache();
}

void FilerPane::SetMeasuredSize(int position, uint64_t bytes) {
    if (position < 0 || position >= m_count) return;
    FileEntry& e = m_entries[static_cast<size_t>(EntryIndexAt(position))];
    e.nFileSizeHigh = static_cast<DWORD>(bytes >> 32);
    e.nFileSizeLow = static_cast<DWORD>(bytes);
    e.dwReserved1 = kMeasuredSizeMark;
}

void FilerPane::SetMark(int position, bool value) {
    if (IsMarkedAt(position) != value) ToggleMark(position);
}

void FilerPane::ApplyMarkKind(int kind) {
    if (m_notReady || m_count <= 0) return;
    const bool any = m_markedCount > 0;
    auto markWhere = [&](auto wanted) {
        for (int p = 0; p < m_count; ++p) SetMark(p, wanted(p, EntryAt(p)));
    };
    auto fileOrDir = [](int, const FileEntry& e) { return !IsLinkEntry(e); };
    auto fileOnly = [](int, const FileEntry& e) { return IsFileEntry(e); };
    switch (kind) {
        case kMarkAllWithDirs:
            if (any)
                ClearAllMarks();
            else
                markWhere(fileOrDir);
            break;
        case kMarkAllFiles:
            if (any)
                ClearAllMarks();
            else
                markWhere(fileOnly);
            break;
        case kMarkRelease:
            if (any) ClearAllMarks();
            break;
        case kMarkReverse:
            if (!any)
                markWhere(fileOrDir);
            else
                for (int p = 0; p < m_count; ++p) ToggleMark(p);
            break;
        case kMarkReverseFiles:
            if (!any)
                markWhere(fileOnly);
            else
                for (int p = 0; p < m_count; ++p)
                    if (IsFileEntry(EntryAt(p))) ToggleMark(p);
            break;
        case kMarkUpFiles:
        case kMarkDownFiles: {
            const int from = kind == kMarkUpFiles ? 0 : m_cursor;
            const int to = kind == kMarkUpFiles ? m_cursor : m_count - 1;
            auto inSpan = [&](int p, const FileEntry& e) { return p >= from && p <= to && IsFileEntry(e); };
            bool exactlyThat = any;
            for (int p = 0; p < m_count && exactlyThat; ++p)
                if (IsMarkedAt(p) != inSpan(p, EntryAt(p))) exactlyThat = false;
            if (exactlyThat)
                ClearAllMarks();
            else
                markWhere(inSpan);
            break;
        }
        default:
            break;
    }
    InvalidateSelectionCache();
}

int FilerPane::SelectAndAdvance() {
    ToggleMark(m_cursor);
    m_anchor = -1;
    return MoveCursor(1, true);  // @Down in the name list, @Right with thumbnails: both one entry on
}

void FilerPane::MarkByOtherPane(const FilerPane& other, bool twinExists) {
    ClearAllMarks();
    std::unordered_set<std::wstring> otherFiles;
    otherFiles.reserve(static_cast<size_t>(other.Count()));
    for (int i = 0; i < other.Count(); ++i)
        if (IsFileEntry(other.Entry(i))) otherFiles.insert(FoldedName(other.Entry(i).cFileName));
    for (int p = 0; p < m_count; ++p) {
        const FileEntry& e = EntryAt(p);
        if (!IsFileEntry(e)) continue;
        if ((otherFiles.count(FoldedName(e.cFileName)) != 0) == twinExists) ToggleMark(p);
    }
}

}  // namespace zq
