// The cursor, the top row and the selection of CBinaryData, all in nibbles.
#include <algorithm>

#include "binedit/CBinaryData.h"

namespace zq::binedit {

void CBinaryData::MoveCursor(std::int64_t delta) {
    const std::int64_t limit = m_size * 2;
    std::int64_t next = m_cursor + delta;
    if (next >= limit) {
        // Past the end: as far down as whole rows go, so that the column is
        // kept on the last row.
        next = m_cursor;
        if (next + kRowNibbles < limit) next += (limit - 1 - next) / kRowNibbles * kRowNibbles;
        if (next >= limit) next = limit - 1;
    }
    if (next < 0) {
        next = m_cursor;
        if (next >= kRowNibbles) next -= next / kRowNibbles * kRowNibbles;
        next = std::max<std::int64_t>(next, 0);
    }
    m_cursor = next;
}

void CBinaryData::SetCursor(std::int64_t nibble) {
    m_cursor = std::clamp<std::int64_t>(nibble, 0, std::max<std::int64_t>(0, m_size * 2 - 1));
}

std::int64_t CBinaryData::KeepCursorVisible(std::int64_t dataRows) {
    const std::int64_t row = m_cursor / kRowNibbles;
    if (row >= m_topRow + 1 && row <= m_topRow + dataRows - 2) return 0;
    // The row is kept one line away from either edge of the screen when the
    // file allows it.
    std::int64_t top = m_topRow + 1;
    top = std::min(top, row - 1);
    if (top <= row + 1 - dataRows) top = row + 2 - dataRows;
    top = std::min(top, Rows() - dataRows);
    top = std::max<std::int64_t>(top, 0);
    const std::int64_t change = top - m_topRow;
    m_topRow = top;
    return change;
}

void CBinaryData::JumpToRow(std::int64_t row, bool relative) {
    const std::int64_t nibble = row * kRowBytes * 2;
    MoveCursor(relative ? nibble : nibble - m_cursor);
}

void CBinaryData::TypeNibble(int digit) {
    const std::uint8_t value = static_cast<std::uint8_t>(digit & 0x0F);
    if (m_cursor % 2 == 0)
        (void)WriteByte(CursorByte(), static_cast<std::uint8_t>(value << 4), WriteMode::HighNibble);
    else
        (void)WriteByte(CursorByte(), value, WriteMode::LowNibble);
    MoveCursor(1);
}

bool CBinaryData::SelectedBytes(std::int64_t& first, std::int64_t& last) const {
    if (!m_selection.exists || m_selection.anchor < 0 || m_selection.end < 0) return false;
    const std::int64_t s = std::min(m_selection.anchor, m_selection.end);
    const std::int64_t e = std::max(m_selection.anchor, m_selection.end);
    first = s / 2;
    last = (e + 1) / 2;
    return first < last;
}

void CBinaryData::SelectNibbles(std::int64_t anchor, std::int64_t end) {
    m_selection.anchor = anchor;
    m_selection.end = end;
    m_selection.exists = true;
    ClampSelectionEnd();
}

void CBinaryData::SelectBytes(std::int64_t first, std::int64_t last) {
    SelectNibbles(first * 2, last * 2 + 1);
}

void CBinaryData::SelectAll() {
    SelectNibbles(0, m_size * 2 - 1);
}

void CBinaryData::ClearSelection() noexcept {
    m_selection = Selection{};
}

void CBinaryData::MoveSelectionEnd(std::int64_t delta) {
    if (!m_selection.exists) SelectNibbles(m_cursor, m_cursor);
    m_selection.end += delta;
    ClampSelectionEnd();
    m_cursor = std::max<std::int64_t>(m_selection.end, 0);
}

void CBinaryData::ClampSelectionEnd() {
    const std::int64_t last = std::max<std::int64_t>(0, m_size * 2 - 1);
    m_selection.anchor = std::clamp<std::int64_t>(m_selection.anchor, 0, last);
    m_selection.end = std::clamp<std::int64_t>(m_selection.end, 0, last);
    if (m_size == 0) m_selection = Selection{};
}

}  // namespace zq::binedit
