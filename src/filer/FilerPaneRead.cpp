// Reading a directory into the pane's slots, change detection, and the
// automatic reload of the view's timer.
#include <cwchar>
#include <new>
#include <unordered_set>

#include "common/Handle.h"
#include "common/Paths.h"
#include "filer/FilerPane.h"
#include "filer/FilerPath.h"
#include "filer/NetworkWait.h"
#include "common/Wildcard.h"

namespace zq {

namespace {

enum PassWhat { kPassBoth = 0, kPassDirectories = 1, kPassFiles = 2 };

// Bits of the sort keys whose change forces a re-sort.
enum KeyBit : uint32_t { kKeyTime = 1, kKeySize = 2, kKeyAttribute = 4 };

// Bytes after the terminating NUL of the name fields are whatever the
// enumeration's buffer held before; clearing them lets two reads of the same
// entry compare equal byte for byte.
void ClearNameTails(FileEntry& e) {
    const size_t n = wcsnlen(e.cFileName, MAX_PATH);
    if (n < MAX_PATH) std::wmemset(e.cFileName + n, L'\0', MAX_PATH - n);
    const size_t a = wcsnlen(e.cAlternateFileName, 14);
    if (a < 14) std::wmemset(e.cAlternateFileName + a, L'\0', 14 - a);
}

uint32_t ActiveKeyMask(const SortSettings& s) {
    const SortChains c = BuildSortChains(s);
    uint32_t mask = 0;
    for (const auto* chain : {&c.dir, &c.file}) {
        for (SortKey k : *chain) {
            if (k == SortKey::Time) mask |= kKeyTime;
            if (k == SortKey::Size) mask |= kKeySize;
            if (k == SortKey::Attribute) mask |= kKeyAttribute;
        }
    }
    return mask;
}

}  // namespace

bool FilerPane::Keep(const FileEntry& e) const {
    const bool directory = (e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (directory && IsDotName(e.cFileName)) return m_options.NOTVIEWCURRENTDIR == 0;
    if (directory && IsDotDotName(e.cFileName)) return m_options.NOTVIEWUPDIR == 0;
    const DWORD a = e.dwFileAttributes;
    if ((a & FILE_ATTRIBUTE_HIDDEN) && !m_options.HIDDENVIEWFLAG) return false;
    if ((a & FILE_ATTRIBUTE_READONLY) && !m_options.DISP_READ_ONLY_FILE) return false;
    if ((a & FILE_ATTRIBUTE_SYSTEM) && !m_options.DISP_SYSTEM_FILE) return false;
    if (e.cFileName[0] == L'.' && !m_options.DISP_FIRST_DOT_FILE) return false;
    return EntryPassesConditions(e, m_conditions);
}

bool FilerPane::WriteCandidate(const FileEntry& candidate, int& result, uint32_t keyMask) {
    const int index = m_count;
    if (!EnsureSlots(index + 1)) {
        m_outOfMemory = true;
        return false;
    }
    FileEntry& slot = m_entries[static_cast<size_t>(index)];
    if (std::memcmp(&slot, &candidate, sizeof(FileEntry)) != 0) {
        if (result == kReadUnchanged) result = kReadChanged;
        m_changed[static_cast<size_t>(index)] = 1;
        // Names always count: a result of 2 promises the same names.
        bool keyChanged = std::wcscmp(slot.cFileName, candidate.cFileName) != 0;
        if ((keyMask & kKeyTime) &&
            std::memcmp(&ViewTimeOf(slot, m_options.VIEWFILETIMETYPE),
                        &ViewTimeOf(candidate, m_options.VIEWFILETIMETYPE), sizeof(FILETIME)) != 0)
            keyChanged = true;
        if ((keyMask & kKeySize) &&
            (slot.nFileSizeHigh != candidate.nFileSizeHigh || slot.nFileSizeLow != candidate.nFileSizeLow))
            keyChanged = true;
        if ((keyMask & kKeyAttribute) && slot.dwFileAttributes != candidate.dwFileAttributes) keyChanged = true;
        if (keyChanged) result = kReadReplaced;
        slot = candidate;
    }
    ++m_count;
    return true;
}

std::vector<FilerPane::ListingPass> FilerPane::ListingPasses() const {
    if (IsMatchAllPattern(m_pattern)) return {{L"*.*", kPassBoth, false}};
    const bool recheck = m_options.FIND_FILE_NEGLECT_DOS_NAME != 0;
    // Without the pattern applying to directories every directory is listed.
    return {{m_patternAppliesToDirs ? m_pattern : L"*", kPassDirectories, m_patternAppliesToDirs && recheck},
            {m_pattern, kPassFiles, recheck}};
}

bool FilerPane::GatherOffThread(const std::vector<ListingPass>& passes, std::vector<std::vector<FileEntry>>& gathered) {
    std::wstring key = L"list|" + m_path;
    std::vector<std::wstring> patterns;
    for (const ListingPass& pass : passes) {
        patterns.push_back(pass.pattern);
        key += L"|" + pass.pattern;
    }
    IListingSource* source = m_source;
    const NetworkAnswer answer = AskNetwork(
        key,
        [source, path = m_path, patterns] {
            std::vector<std::vector<FileEntry>> lists;
            try {
                for (const std::wstring& pattern : patterns) {
                    lists.emplace_back();
                    source->Enumerate(path, pattern, [&lists](FileEntry& found) {
                        lists.back().push_back(found);
                        return true;
                    });
                }
            } catch (const std::bad_alloc&) {
                return NetworkAnswer{ERROR_NOT_ENOUGH_MEMORY, {}};
            }
            return NetworkAnswer{NO_ERROR, std::move(lists)};
        },
        kNetworkAnswerMs, ERROR_SEM_TIMEOUT);
    if (answer.error == ERROR_SEM_TIMEOUT) return false;
    // Out of memory there: the window thread lists it itself, slot by slot.
    if (answer.error == NO_ERROR) gathered = std::any_cast<std::vector<std::vector<FileEntry>>>(answer.found);
    return true;
}

void FilerPane::EnumeratePass(const ListingPass& pass, const std::vector<FileEntry>* gathered, int& result,
                              uint32_t keyMask) {
    const auto take = [&](FileEntry& found) {
        const bool directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (pass.what == kPassDirectories && !directory) return true;
        if (pass.what == kPassFiles && directory) return true;
        // The platform also matches the pattern against short names; the
        // re-check keeps only what matches by the long name.
        if (pass.recheck && !WildcardMatch(found.cFileName, pass.pattern)) return true;
        ClearNameTails(found);
        if (!Keep(found)) return true;
        return WriteCandidate(found, result, keyMask);
    };
    if (gathered == nullptr) {
        m_source->Enumerate(m_path, pass.pattern, take);
        return;
    }
    for (FileEntry found : *gathered)
        if (!take(found)) return;
}

void FilerPane::AddOwnRecord(const wchar_t* asName, int& result, uint32_t keyMask) {
    // A root has no record of its own; and "C:" asked for one would answer
    // with the record of the process's current directory on C.
    if (IsRootPath(m_path)) return;
    FileEntry own;
    if (!m_source->Describe(m_path, own)) return;
    std::wmemset(own.cFileName, L'\0', MAX_PATH);
    std::wcscpy(own.cFileName, asName);
    std::wmemset(own.cAlternateFileName, L'\0', 14);
    if (!Keep(own)) return;
    (void)WriteCandidate(own, result, keyMask);
}

void FilerPane::ClearAllMarks() {
    std::fill(m_marks.begin(), m_marks.end(), 0u);
    m_markedCount = 0;
    InvalidateSelectionCache();
}

void FilerPane::EnterEmpty() {
    m_watch.Close();
    // A share that did not answer in time empties the pane for a while: its
    // marks come back with its listing (ReadDirectory).
    if (!m_notReady && SamePathIgnoringCase(m_path, m_lastReadPath)) {
        const FileEntry* under = CursorEntry();
        m_awaitingDrive = {m_path, {}, under ? under->cFileName : L""};
        for (int p = 0; p < m_count && m_markedCount > 0; ++p)
            if (IsMarkedAt(p)) m_awaitingDrive.marked.insert(EntryAt(p).cFileName);
    }
    m_notReady = true;
    m_freeBytes = m_totalBytes = 0;
    m_count = 0;
    m_special = 0;
    m_lastReadPath = m_path;
    ClearAllMarks();
}

bool FilerPane::ClimbToExistingDirectory() {
    while (!m_source->CanEnter(m_path)) {
        const size_t slash = m_path.rfind(L'\\');
        if (slash == std::wstring::npos || slash < 2) return false;
        m_path.resize(slash);
    }
    return true;
}

int FilerPane::ReadDirectory(int mode) {
    m_loading = true;
    const int oldCount = m_count;
    const int oldSpecial = m_special;
    m_anchor = -1;
    InvalidateSelectionCache();
    if (m_path.size() >= 2 && m_path[1] == L':') {
        wchar_t letter = m_path[0];
        if (letter >= L'a' && letter <= L'z') letter = static_cast<wchar_t>(letter - L'a' + L'A');
        if (letter >= L'A' && letter <= L'Z') m_lastOnDrive[static_cast<size_t>(letter - L'A')] = m_path;
    }

    bool forced = mode == kReadForced;
    bool sameDirectory = !m_lastReadPath.empty() && SamePathIgnoringCase(m_path, m_lastReadPath);
    if (forced) {
        m_watch.Close();
    } else if (sameDirectory && m_notReady && m_options.ACTIVECHECKMEDIAIN && !(m_flags & 1)) {
        return kReadUnchanged;
    }

    // A drive that cannot be reached gives an empty listing.
    if (!m_source->Reachable(m_path)) {
        EnterEmpty();
        return kReadReplaced;
    }

    if (sameDirectory && !forced && m_watch.IsOpen()) {
        if (m_watch.Poll(10) == DirectoryChangeWatch::State::Quiet) return kReadUnchanged;
    }
    if (!m_source->CanEnter(m_path)) {
        if (sameDirectory && m_host) {
            wchar_t text[2 * MAX_PATH + 64];
            std::swprintf(text, std::size(text), L"ディレクトリ%lsは存在しません\n上の階層にあがります",
                          m_path.c_str());
            m_host->ShowMessage(text);
        }
        if (!ClimbToExistingDirectory()) {
            EnterEmpty();
            return kReadReplaced;
        }
        forced = true;
        sameDirectory = false;
    }
    if (!sameDirectory || !m_watch.IsOpen()) {
        m_watch.Close();
        const ReloadClassSetting& reload = m_options.RELOAD_SETTING[static_cast<size_t>(DriveClass())];
        // The watch is opened before enumerating so that a change made while
        // the enumeration runs is seen by the next check.
        if (reload.ENABLE && m_source->Watchable()) m_watch.Open(m_path);
    }
    // A share may answer that it is there and then take its time over a
    // large folder: it is listed off the window thread, and the pane shows
    // it as not ready until the listing comes (the view's timer reads again).
    const std::vector<ListingPass> passes = ListingPasses();
    std::vector<std::vector<FileEntry>> gathered;
    if (DriveClass() == kDriveNetwork && m_source->EnumeratesOffThread() && !GatherOffThread(passes, gathered)) {
        EnterEmpty();
        return kReadReplaced;
    }

    m_lastReadPath = m_path;
    m_notReady = false;
    RefreshFreeSpace();
    m_count = 0;
    std::fill(m_changed.begin(), m_changed.end(), uint8_t{0});

    int result = kReadUnchanged;
    m_outOfMemory = false;
    const uint32_t keyMask = ActiveKeyMask(m_sort.InForce());
    // "." and ".." are the pane's own lines, whatever the pattern.
    if (!m_options.NOTVIEWCURRENTDIR) AddOwnRecord(L".", result, keyMask);
    if (!m_options.NOTVIEWUPDIR) AddOwnRecord(L"..", result, keyMask);
    for (size_t i = 0; i < passes.size(); ++i)
        EnumeratePass(passes[i], gathered.empty() ? nullptr : &gathered[i], result, keyMask);

    // What was read before memory ran out is still shown.
    if (m_outOfMemory && m_host) m_host->ShowMessage(L"メモリが足りません");
    if (forced || m_count != oldCount) result = kReadReplaced;
    if (result == kReadReplaced) {
        ClearAllMarks();
        for (size_t i = 0; i < m_order.size(); ++i) m_order[i] = static_cast<int32_t>(i);
        m_special = 0;
        if (m_cursor >= m_count) m_cursor = m_count > 0 ? m_count - 1 : 0;
        // Names compare exactly: a name differing only in case is another file.
        if (SamePathIgnoringCase(m_path, m_awaitingDrive.path))
            for (int p = 0; p < m_count; ++p)
                if (m_awaitingDrive.marked.count(EntryAt(p).cFileName)) SetMark(p, true);
    } else {
        m_special = oldSpecial;
    }
    m_awaitingDrive.path.clear();
    m_awaitingDrive.marked.clear();
    return result;
}

int FilerPane::Reread(int mode) {
    // Names compare exactly: they come from the same directory, where a name
    // differing only in case is another file.
    std::unordered_set<std::wstring> marked;
    for (int p = 0; p < m_count && m_markedCount > 0; ++p)
        if (IsMarkedAt(p)) marked.insert(EntryAt(p).cFileName);
    const FileEntry* under = CursorEntry();
    std::wstring cursorName = under ? under->cFileName : L"";
    if (!under && m_notReady && SamePathIgnoringCase(m_path, m_awaitingDrive.path))
        cursorName = m_awaitingDrive.cursorName;
    const std::wstring before = m_path;
    const int result = ReadDirectory(mode);
    if (result == kReadReplaced) {
        Sort();
        // A directory that vanished sends the pane up; marks of names there would be marks on strangers.
        if (m_path == before) {
            for (int p = 0; p < m_count; ++p)
                if (marked.count(EntryAt(p).cFileName)) SetMark(p, true);
        }
    }
    if (!cursorName.empty()) PlaceCursorOnName(cursorName, false, m_cursor);
    MoveCursor(0, false);
    return result;
}

bool FilerPane::RefreshFreeSpace() {
    ULARGE_INTEGER freeToCaller{}, total{}, freeTotal{};
    uint64_t freeBytes = 0, totalBytes = 0;
    if (::GetDiskFreeSpaceExW(RootOf(m_path).c_str(), &freeToCaller, &total, &freeTotal)) {
        freeBytes = freeToCaller.QuadPart;
        totalBytes = total.QuadPart;
    }
    const bool changed = freeBytes != m_freeBytes || totalBytes != m_totalBytes;
    m_freeBytes = freeBytes;
    m_totalBytes = totalBytes;
    return changed;
}

TickResult FilerPane::TimerTick() {
    if (m_kind != kKindDirectory) return TickResult::Idle;
    const ReloadClassSetting& reload = m_options.RELOAD_SETTING[static_cast<size_t>(DriveClass())];
    if (!reload.ENABLE && !(m_subKind & kSubKindSearchResult)) return TickResult::Idle;
    if (++m_reloadTicks < reload.TIME) return TickResult::NotDue;
    m_reloadTicks = 0;
    if (m_markedCount > 0) return TickResult::KeptForMarks;

    const bool wasNotReady = m_notReady;
    const FileEntry* under = CursorEntry();
    const std::wstring name = under ? under->cFileName : L"";
    const int result = ReadDirectory(kReadTimer);
    if (result == kReadUnchanged) return wasNotReady && m_notReady ? TickResult::NotReady : TickResult::Unchanged;
    if (wasNotReady && m_notReady) return TickResult::NotReady;
    if (result == kReadReplaced) Sort();
    if (!name.empty()) PlaceCursorOnName(name, false, m_cursor);
    MoveCursor(0, false);
    return TickResult::Reloaded;
}

}  // namespace zq
