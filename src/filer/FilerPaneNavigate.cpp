// Changing, leaving and climbing directories; the selection hand-over.
#include <algorithm>

#include "common/Paths.h"
#include "filer/CursorMemory.h"
#include "filer/FilerPane.h"
#include "filer/FilerPaneNavigate.h"
#include "filer/FilerPath.h"

namespace zq {

UpDirectoryResult UpStepOf(const FilerPane& pane) {
    if (pane.Kind() != kKindDirectory) return UpDirectoryResult::Failed;
    if (pane.SubKind() & kSubKindSearchResult) return UpDirectoryResult::Done;
    switch (pane.Source().Up(pane.Path()).kind) {
        case ListingUp::Kind::Parent:
            return UpDirectoryResult::Done;
        case ListingUp::Kind::DriveList:
            return UpDirectoryResult::ToDriveList;
        case ListingUp::Kind::NetworkParent:
            return UpDirectoryResult::ToNetworkParent;
        case ListingUp::Kind::None:
            break;
    }
    return UpDirectoryResult::Failed;
}

void FilerPane::LeaveDirectory(CursorMemory* memory) {
    // The search results are no directory to come back to by the history or the cursor memory.
    if (m_kind != kKindDirectory || m_path.empty() || (m_subKind & kSubKindSearchResult)) return;
    if (m_host) m_host->AddDirectoryHistory(m_path);
    if (!m_options.SAVECURSORPOSITION || !memory) return;
    if (m_notReady) {
        memory->Forget(m_path);
        return;
    }
    const FileEntry* under = CursorEntry();
    if (!under || IsLinkEntry(*under)) return;
    memory->Remember(m_path, under->cFileName);
}

bool FilerPane::ChangeDirectory(const std::wstring& path, bool keepFilter, const CursorMemory* memory) {
    const std::wstring target = NormalisePath(path);
    if (!SamePathIgnoringCase(target, m_path)) {
        // A pattern that also filters directories would hide the way on; it
        // belongs to the directory it was set in.
        if (!keepFilter && m_patternAppliesToDirs) {
            m_pattern = L"*.*";
            m_patternAppliesToDirs = false;
        }
        if (!m_path.empty()) m_predirectory = m_path + L'\\';
    }
    m_sort.DropTemporary();
    m_path = target;
    // Climb while the path is gone but its drive still answers; a drive or a
    // share that does not answer is left to the read, which marks it not ready.
    const size_t root = RootLength(m_path);
    PickSource(m_path);
    while (!m_source->CanEnter(m_path)) {
        const size_t slash = m_path.rfind(L'\\');
        if (slash == std::wstring::npos || slash < std::max<size_t>(root, 2)) break;
        m_path.resize(slash);
        PickSource(m_path);
    }
    m_kind = kKindDirectory;
    m_subKind &= ~static_cast<uint32_t>(kSubKindSearchResult);
    SetKind(m_kind, 0);
    ReadDirectory(kReadForced);
    Sort();
    m_cursor = 0;
    m_firstShown = 0;

    bool placed = false;
    if (m_options.SAVECURSORPOSITION && memory) {
        if (const std::wstring* name = memory->Find(m_path)) {
            for (int p = 0; p < m_count && !placed; ++p) {
                if (SameNameIgnoringCase(EntryAt(p).cFileName, *name)) {
                    m_cursor = p;
                    placed = true;
                }
            }
        }
    }
    if (!placed && m_count >= 2) {
        for (int p = 0; p < m_count; ++p) {
            if (ClassOf(EntryAt(p)) == kEntryParentLink) {
                m_cursor = p;
                break;
            }
        }
    }
    MoveCursor(0, false);
    return !m_notReady;
}

UpDirectoryResult FilerPane::UpDirectory(const CursorMemory* memory) {
    const UpDirectoryResult step = UpStepOf(*this);
    if (step != UpDirectoryResult::Done) return step;
    if (m_subKind & kSubKindSearchResult) {
        // Back to where the source says the results were made from, else an ordinary read of the path.
        const ListingUp up = m_source->Up(m_path);
        ChangeDirectory(up.kind == ListingUp::Kind::Parent ? up.path : m_path, true, memory);
        return UpDirectoryResult::Done;
    }
    const std::wstring left(FileNamePart(m_path));
    const IListingSource* before = m_source;
    ChangeDirectory(m_source->Up(m_path).path, false, memory);
    // Climbing out of another source (an archive) lands on the file that was entered.
    PlaceCursorOnName(left, m_source == before, 0);
    MoveCursor(0, false);
    return UpDirectoryResult::Done;
}

void FilerPane::PickSource(const std::wstring& location) {
    if (m_fixedSource) return;
    IListingSource& next = m_sources.For(location);
    if (&next == m_source) return;
    m_source->Release();
    m_source = &next;
}

bool FilerPane::IsListingLocation(const std::wstring& location) {
    return !m_fixedSource && &m_sources.For(location) != &DirectorySource::Shared();
}

bool FilerPane::PreDirectory(const CursorMemory* memory) {
    if (m_predirectory.empty()) return false;
    const std::wstring target = m_predirectory;
    return ChangeDirectory(target, false, memory);
}

const FileEntry* FilerPane::NthSelected(unsigned flags, int n, std::wstring* directory) const {
    if (n < 0 || m_count <= 0) return nullptr;
    bool useMarks = m_markedCount > 0 && !(flags & kNthCursorOnly);
    if (useMarks && (flags & kNthCursorUnlessMarked) && !IsMarkedAt(m_cursor)) useMarks = false;
    const FileEntry* found = nullptr;
    if (!useMarks) {
        const FileEntry* under = CursorEntry();
        if (n == 0 && under && !IsLinkEntry(*under)) found = under;
    } else {
        // Walking n = 0, 1, 2, ... resumes where the previous call stopped.
        int ordinal = 0;
        int position = 0;
        if (m_cacheOrdinal >= 0 && m_cacheOrdinal <= n) {
            ordinal = m_cacheOrdinal;
            position = m_cachePosition;
        }
        for (; position < m_count; ++position) {
            if (!IsMarkedAt(position)) continue;
            if (ordinal == n) {
                m_cacheOrdinal = n;
                m_cachePosition = position;
                found = &EntryAt(position);
                break;
            }
            ++ordinal;
        }
    }
    if (found && directory) *directory = m_source->EntryDirectory(m_path, *found);
    return found;
}

}  // namespace zq
