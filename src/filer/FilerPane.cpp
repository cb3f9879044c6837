#include "filer/FilerPane.h"

#include "common/Paths.h"
#include "filer/EntrySorter.h"

namespace zq {

namespace {

// The sort's scratch keys are shared by both panes: sorting happens on the
// interface thread only.
EntrySorter& SharedSorter() {
    static EntrySorter sorter;
    return sorter;
}

}  // namespace

FilerPane::FilerPane(FilerPaneHost* host) : m_host(host) {}

FilerPane::~FilerPane() = default;

void FilerPane::SetKind(uint32_t kind, uint32_t subKind) {
    m_kind = kind;
    if (subKind != 0) m_subKind = subKind;
    if (kind != kKindDirectory || !(m_subKind & kSubKindThumbnails)) m_previewActive = false;
}

void FilerPane::SetPath(const std::wstring& path) {
    m_path = NormalisePath(path);
}

void FilerPane::SetWildcard(const std::wstring& pattern, bool appliesToDirectories, const FileConditions& conditions) {
    m_pattern = pattern.empty() ? L"*.*" : pattern.substr(0, MAX_PATH - 1);
    m_patternAppliesToDirs = appliesToDirectories;
    m_conditions = conditions;
}

void FilerPane::SetNetworkEntries(std::vector<NetResourceEntry> entries) {
    m_network = std::move(entries);
    // Put in name order unless the caller says the platform's order stands (ShowNetwork).
    m_networkSorted = true;
    if (m_order.size() < m_network.size()) m_order.resize(m_network.size());
}

void FilerPane::Sort() {
    InvalidateSelectionCache();
    m_special = 0;
    if (m_kind == kKindDriveList) {
        // Drive letters keep their alphabetical order, whatever the sort keys.
        for (size_t i = 0; i < m_order.size(); ++i) m_order[i] = static_cast<int32_t>(i);
        return;
    }
    if (m_kind == kKindNetwork) {
        if (!m_networkSorted) {
            for (size_t i = 0; i < m_order.size(); ++i) m_order[i] = static_cast<int32_t>(i);
            return;
        }
        SortNetworkOrder(m_network.data(), static_cast<int>(m_network.size()), m_order.data());
        return;
    }
    for (int i = 0; i < Capacity(); ++i) m_order[static_cast<size_t>(i)] = i;
    SortOptions options;
    options.viewFileTimeType = m_options.VIEWFILETIMETYPE;
    options.useLogical = m_options.USE_STR_CMP_LOGICAL_W != 0;
    m_special = SharedSorter().Sort(m_entries.data(), m_count, m_sort.InForce(), options, m_order.data());
}

int FilerPane::NextSlotCapacity(int capacity) noexcept {
    long long step = 1000;
    while (step * 10 <= capacity) step *= 10;
    return static_cast<int>(capacity + step);
}

bool FilerPane::EnsureSlots(int needed) {
    int capacity = Capacity();
    if (needed <= capacity) return true;
    while (capacity < needed) capacity = NextSlotCapacity(capacity);
    if (!m_entries.Grow(static_cast<size_t>(capacity))) return false;
    const size_t old = m_order.size();
    m_marks.resize(static_cast<size_t>(capacity), 0);
    m_changed.resize(static_cast<size_t>(capacity), 0);
    m_order.resize(static_cast<size_t>(capacity));
    for (size_t i = old; i < m_order.size(); ++i) m_order[i] = static_cast<int32_t>(i);
    return true;
}

const FileEntry* FilerPane::CursorEntry() const {
    if (m_count <= 0 || m_cursor < 0 || m_cursor >= m_count) return nullptr;
    return &EntryAt(m_cursor);
}

int FilerPane::CountEntries(bool files, bool directories) const {
    int n = 0;
    for (int i = 0; i < m_count; ++i) {
        const int c = ClassOf(Entry(i));
        if ((files && c == kEntryFile) || (directories && c == kEntryDirectory)) ++n;
    }
    return n;
}

int FilerPane::CountMarked(bool files, bool directories) const {
    int n = 0;
    for (int i = 0; i < m_count; ++i) {
        if (!m_marks[static_cast<size_t>(i)]) continue;
        const int c = ClassOf(Entry(i));
        if ((files && c == kEntryFile) || (directories && c == kEntryDirectory)) ++n;
    }
    return n;
}

uint64_t FilerPane::TotalSize() const {
    uint64_t sum = 0;
    for (int i = 0; i < m_count; ++i)
        if (IsFileEntry(Entry(i))) sum += SizeOf(Entry(i));
    return sum;
}

uint64_t FilerPane::MarkedSize() const {
    uint64_t sum = 0;
    for (int i = 0; i < m_count; ++i)
        if (m_marks[static_cast<size_t>(i)] && IsFileEntry(Entry(i))) sum += SizeOf(Entry(i));
    return sum;
}

int FilerPane::DriveClass() const {
    if (m_path.size() >= 2 && m_path[0] == L'\\' && m_path[1] == L'\\') return kDriveNetwork;
    if (m_path.size() < 2 || m_path[1] != L':') return kDriveFixed;
    const wchar_t root[] = {m_path[0], L':', L'\\', L'\0'};
    switch (::GetDriveTypeW(root)) {
        case DRIVE_REMOVABLE: {
            const wchar_t letter = m_path[0];
            const bool floppy = letter == L'A' || letter == L'B' || letter == L'a' || letter == L'b';
            return floppy ? kDriveFloppy : kDriveRemovable;
        }
        case DRIVE_CDROM:
            return kDriveCdRom;
        case DRIVE_REMOTE:
            return kDriveNetwork;
        default:
            return kDriveFixed;
    }
}

const std::wstring& FilerPane::LastDirectoryOnDrive(wchar_t letter) const {
    static const std::wstring none;
    if (letter >= L'a' && letter <= L'z') letter = static_cast<wchar_t>(letter - L'a' + L'A');
    if (letter < L'A' || letter > L'Z') return none;
    return m_lastOnDrive[static_cast<size_t>(letter - L'A')];
}

std::wstring FilerPane::NormalisePath(const std::wstring& path) {
    return FolderForm(std::wstring_view(path).substr(0, 2 * MAX_PATH - 1));
}

}  // namespace zq
