// The drive list and the network listing as what a pane shows: each line is
// also an entry named as the line, so that the cursor, the plug-ins and the
// key jumps treat them like any listing.
#include <algorithm>
#include <cwchar>

#include "filer/FilerPane.h"

namespace zq {

void FilerPane::LoadNamedEntries(const std::vector<std::wstring>& names) {
    const int count = static_cast<int>(names.size());
    if (!EnsureSlots(count)) return;
    for (int i = 0; i < count; ++i) {
        FileEntry& entry = m_entries[static_cast<size_t>(i)];
        entry = FileEntry{};
        entry.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
        std::wcsncpy(entry.cFileName, names[static_cast<size_t>(i)].c_str(), MAX_PATH - 1);
        m_order[static_cast<size_t>(i)] = i;
    }
    m_count = count;
    m_special = 0;
}

void FilerPane::EnterListing(uint32_t kind) {
    m_watch.Close();
    SetKind(kind, 0);
    m_subKind &= ~static_cast<uint32_t>(kSubKindSearchResult);
    m_notReady = false;
    m_anchor = -1;
    // The directory shown before is read afresh when the pane comes back to it.
    m_lastReadPath.clear();
    m_firstShown = 0;
}

void FilerPane::ShowDriveList(std::vector<DriveListLine> lines, int cursor) {
    EnterListing(kKindDriveList);
    m_driveLines = std::move(lines);
    std::vector<std::wstring> names;
    for (const DriveListLine& line : m_driveLines) names.push_back(line.name);
    LoadNamedEntries(names);
    ClearAllMarks();
    m_cursor = std::clamp(cursor, 0, std::max(m_count - 1, 0));
    MoveCursor(0, false);
}

void FilerPane::UpdateDriveList(std::vector<DriveListLine> lines) {
    if (m_kind != kKindDriveList) return;
    const std::wstring under = m_cursor < static_cast<int>(m_driveLines.size())
                                   ? m_driveLines[static_cast<size_t>(m_cursor)].name
                                   : std::wstring();
    int cursor = 0;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].name == under) cursor = static_cast<int>(i);
    const int first = m_firstShown;
    ShowDriveList(std::move(lines), cursor);
    m_firstShown = first;
    MoveCursor(0, false);
}

void FilerPane::ShowNetwork(std::vector<NetResourceEntry> entries, bool sorted, const std::wstring& cursorName) {
    EnterListing(kKindNetwork);
    std::vector<std::wstring> names;
    for (const NetResourceEntry& entry : entries) names.emplace_back(entry.name);
    SetNetworkEntries(std::move(entries));
    m_networkSorted = sorted;
    LoadNamedEntries(names);
    ClearAllMarks();
    Sort();
    m_cursor = 0;
    if (!cursorName.empty()) PlaceCursorOnName(cursorName, false, 0);
    MoveCursor(0, false);
}

}  // namespace zq
