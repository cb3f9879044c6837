#pragma once
// One file pane: a directory, the entries read from it, their display order,
// the cursor, the first shown entry and the marks.  No window code lives here;
// the view owns two panes, draws what they hold and turns keys into calls.
//
// Typical use by the view:
//
//   FilerPane pane(&host);                  // host shows messages, keeps the history
//   pane.SetOptions(options);               // settings as plain values, again after every change
//   pane.SetGrid({columns, rows, fullColumns, fullRows});   // from the layout
//   pane.LeaveDirectory(cursorMemory);      // before every change of directory
//   pane.ChangeDirectory(L"C:\\work", false, &cursorMemory);  // read (forced), sort, place the cursor
//   pane.RunCursorCommand(CursorCommand::Down, false);  // 1 = redraw all, 0 = old and new cell
//   pane.ApplyMarkKind(kMarkAllFiles);
//   switch (pane.TimerTick()) { ... }       // once a second from the view's timer
//   pane.ReadDirectory(kReadForced); pane.Sort();   // after a file operation
//
// Copy-like operations take the selection with TakeSelection() (see
// SelectionSnapshot.h) or walk it with NthSelected(flags, 0, 1, 2, ...).
//
// LeaveDirectory() is the caller's step before ChangeDirectory(), UpDirectory()
// and PreDirectory() (and on both panes for the same-directory commands), so
// that the history and the cursor memory see every directory left.
// Plain cursor moves and reads clear this pane's range-marking anchor only;
// the view clears the other pane's anchor with ClearAnchor().
// Not here yet: the search-result list as a listing source, virtual drives,
// music titles as names (MPEGNAMEDISPLAY).
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <unordered_set>
#include <vector>

#include "filer/ListingSource.h"
#include "commands/PaneModes.h"
#include "filer/DirectoryChangeWatch.h"
#include "filer/DriveList.h"
#include "filer/EntrySlots.h"
#include "filer/FileConditions.h"
#include "filer/FileEntry.h"
#include "filer/NetResourceEntry.h"
#include "filer/PaneThumbnails.h"
#include "filer/FilerOptions.h"
#include "filer/SortSettings.h"

namespace zq {

class CursorMemory;

// What a pane needs from its owner.
class FilerPaneHost {
  public:
    virtual ~FilerPaneHost() = default;
    // A message box owned by the view, OK button, no caption.
    virtual void ShowMessage(const std::wstring& text) = 0;
    // Leaving a directory puts it into the directory history.
    virtual void AddDirectoryHistory(const std::wstring& path) = 0;
};

// What a Filer pane lists, as its mode word in the pane modes.
enum PaneKind : uint32_t {
    kKindDirectory = pane_mode::kDirectory,
    kKindDriveList = pane_mode::kDriveList,
    kKindArchive = pane_mode::kArchive,
    kKindNetwork = pane_mode::kNetwork,
};
enum PaneSubKind : uint32_t {
    kSubKindThumbnails = 0x1,
    kSubKindSearchResult = 0x2,
};

enum ReadMode : int { kReadNormal = 0, kReadForced = 1, kReadTimer = 2 };
enum ReadResult : int { kReadUnchanged = 0, kReadReplaced = 1, kReadChanged = 2 };

enum class CursorCommand {
    Down,
    Up,
    Right,
    Left,
    NextPage,
    BeforePage,
    NextHalfPage,
    BeforeHalfPage,
    FirstPos,
    EndPos
};

// The seven marking kinds.
enum MarkKind : int {
    kMarkAllWithDirs = 0,   // @Allselectdir
    kMarkAllFiles = 1,      // @Allselect
    kMarkRelease = 2,       // @Releaseselect
    kMarkReverse = 3,       // @Reverseselect
    kMarkReverseFiles = 4,  // @Reverseselectf
    kMarkUpFiles = 5,       // @Upfileselect
    kMarkDownFiles = 6,     // @Downfileselect
};

enum NthSelectedFlag : unsigned {
    kNthCursorOnly = 0x4,
    kNthCursorUnlessMarked = 0x40,
};

enum class UpDirectoryResult { Done, ToDriveList, ToNetworkParent, Failed };

enum class TickResult {
    Idle,          // automatic reload is off for this drive class, or not a directory pane
    NotDue,        // the interval has not elapsed
    KeptForMarks,  // due, but a pane with marks is never reloaded
    Unchanged,     // read: nothing changed
    NotReady,      // the drive was not ready and still is not: stop this tick for all panes
    Reloaded,      // read 1 or 2: redraw the pane and the header
};

// The grid of the pane as the layout computed it.
struct PaneGrid {
    int columns = 1;  // drawn, a partly visible last column counts
    int rows = 1;
    int fullColumns = 1;  // fully visible; these drive scrolling
    int fullRows = 1;
};

class FilerPane {
  public:
    explicit FilerPane(FilerPaneHost* host = nullptr);
    ~FilerPane();
    FilerPane(const FilerPane&) = delete;
    FilerPane& operator=(const FilerPane&) = delete;

    // ---- settings and state set by the view -----------------------------------
    void SetOptions(const FilerOptions& options) { m_options = options; }
    [[nodiscard]] const FilerOptions& Options() const noexcept { return m_options; }
    void SetHost(FilerPaneHost* host) noexcept { m_host = host; }
    // Where the listing comes from; the file system unless given another (which must outlive the pane).
    // Without one given, each change of location picks the source that claims it (ListingSources).
    void SetListingSource(IListingSource* source) noexcept {
        m_fixedSource = source != nullptr;
        m_source = source ? source : &DirectorySource::Shared();
    }
    // Whether a source other than the file system lists `location` (an archive file entered like a folder).
    [[nodiscard]] bool IsListingLocation(const std::wstring& location);
    [[nodiscard]] IListingSource& Source() const noexcept { return *m_source; }
    void SetGrid(const PaneGrid& grid) noexcept { m_grid = grid; }
    [[nodiscard]] const PaneGrid& Grid() const noexcept { return m_grid; }
    // Kind word and sub-kind (0 keeps the sub-kind).
    void SetKind(uint32_t kind, uint32_t subKind);
    [[nodiscard]] uint32_t Kind() const noexcept { return m_kind; }
    // The lines of the network kind, in enumeration order; Sort() orders them
    // while the pane is of that kind.
    void SetNetworkEntries(std::vector<NetResourceEntry> entries);
    [[nodiscard]] int NetworkCount() const noexcept { return static_cast<int>(m_network.size()); }
    [[nodiscard]] const NetResourceEntry& NetworkEntry(int index) const {
        return m_network[static_cast<size_t>(index)];
    }
    [[nodiscard]] uint32_t SubKind() const noexcept { return m_subKind; }
    // The drive list instead of a directory, the cursor on line `cursor`;
    // Path() keeps the directory shown before, which is no line of the list.
    void ShowDriveList(std::vector<DriveListLine> lines, int cursor);
    // New texts for the lines shown (facts that arrived late); the cursor stays on its drive.
    void UpdateDriveList(std::vector<DriveListLine> lines);
    [[nodiscard]] const std::vector<DriveListLine>& DriveLines() const noexcept { return m_driveLines; }
    // The network listing: `entries` in enumeration order, put in name order
    // by Sort() only when `sorted`; the cursor on `cursorName` when listed.
    void ShowNetwork(std::vector<NetResourceEntry> entries, bool sorted, const std::wstring& cursorName);
    // Thumbnails instead of the name list; decided by the thumbnail code.
    void SetPreviewActive(bool active) noexcept { m_previewActive = active; }
    [[nodiscard]] bool PreviewActive() const noexcept { return m_previewActive; }
    void SetThumbnails(filer::IPaneThumbnails* thumbnails) noexcept { m_thumbnails = thumbnails; }
    [[nodiscard]] filer::IPaneThumbnails* Thumbnails() const noexcept { return m_thumbnails; }
    // The first flags word; bit 0x1 allows reading a drive that was not ready.
    void SetFlags(uint32_t flags) noexcept { m_flags = flags; }
    // Sets the directory without reading it ("C:" for a root, "\\server\share").
    void SetPath(const std::wstring& path);
    [[nodiscard]] const std::wstring& Path() const noexcept { return m_path; }

    // ---- wildcard and sort -----------------------------------------------------
    void SetWildcard(const std::wstring& pattern, bool appliesToDirectories, const FileConditions& conditions);
    [[nodiscard]] const std::wstring& Pattern() const noexcept { return m_pattern; }
    [[nodiscard]] bool PatternAppliesToDirectories() const noexcept { return m_patternAppliesToDirs; }
    [[nodiscard]] const FileConditions& Conditions() const noexcept { return m_conditions; }
    [[nodiscard]] PaneSortState& SortState() noexcept { return m_sort; }
    [[nodiscard]] const PaneSortState& SortState() const noexcept { return m_sort; }
    void Sort();

    // ---- reading ------------------------------------------------------------------
    // 0 nothing changed, 1 listing replaced (marks cleared; call Sort), 2 same
    // names but some records changed (cursor, order and marks kept).
    int ReadDirectory(int mode);
    // The same directory read again in place (after a file operation, a reload
    // command): the cursor stays on its entry and every entry still listed
    // keeps its mark; only entries that went away lose theirs.
    int Reread(int mode);
    // One tick of the view's one-second timer.
    TickResult TimerTick();
    // 0 fixed, 1 floppy, 2 CD-ROM, 3 other removable, 4 network.
    [[nodiscard]] int DriveClass() const;
    // The capacity after growing from `capacity` once: by 1000 below 10000, by
    // 10000 below 100000, and so on.
    [[nodiscard]] static int NextSlotCapacity(int capacity) noexcept;

    // ---- entries ------------------------------------------------------------------
    [[nodiscard]] int Count() const noexcept { return m_count; }
    [[nodiscard]] int Capacity() const noexcept { return static_cast<int>(m_entries.size()); }
    [[nodiscard]] int SpecialCount() const noexcept { return m_special; }
    [[nodiscard]] const FileEntry& Entry(int index) const { return m_entries[static_cast<size_t>(index)]; }
    [[nodiscard]] int EntryIndexAt(int position) const { return m_order[static_cast<size_t>(position)]; }
    [[nodiscard]] const FileEntry& EntryAt(int position) const { return Entry(EntryIndexAt(position)); }
    // The measured size of the directory at `position`, shown in its size column until the next read.
    void SetMeasuredSize(int position, uint64_t bytes);
    [[nodiscard]] bool SlotChanged(int index) const { return m_changed[static_cast<size_t>(index)] != 0; }
    [[nodiscard]] const FileEntry* CursorEntry() const;
    [[nodiscard]] int CountEntries(bool files, bool directories) const;
    [[nodiscard]] int CountMarked(bool files, bool directories) const;
    [[nodiscard]] uint64_t TotalSize() const;
    [[nodiscard]] uint64_t MarkedSize() const;
    [[nodiscard]] bool NotReady() const noexcept { return m_notReady; }
    [[nodiscard]] uint64_t FreeBytes() const noexcept { return m_freeBytes; }
    [[nodiscard]] uint64_t TotalBytes() const noexcept { return m_totalBytes; }
    [[nodiscard]] bool Loading() const noexcept { return m_loading; }
    void ClearLoading() noexcept { m_loading = false; }
    // Re-reads the drive's free bytes; true when they changed.
    bool RefreshFreeSpace();

    // ---- cursor ---------------------------------------------------------------------
    [[nodiscard]] int Cursor() const noexcept { return m_cursor; }
    [[nodiscard]] int FirstShown() const noexcept { return m_firstShown; }
    // 1 when the first shown entry changed (redraw the pane), else 0.
    int MoveCursor(int delta, bool wrap);
    [[nodiscard]] int CursorDelta(CursorCommand command) const;
    // A cursor command; the "sel" forms mark the run from the anchor.
    int RunCursorCommand(CursorCommand command, bool withSelection);
    void PlaceCursorOnName(const std::wstring& name, bool directoriesOnly, int fallback);
    [[nodiscard]] int Anchor() const noexcept { return m_anchor; }
    void ClearAnchor() noexcept { m_anchor = -1; }

    // ---- marks ------------------------------------------------------------------------
    [[nodiscard]] bool IsMarkedAt(int position) const;
    [[nodiscard]] int MarkedCount() const noexcept { return m_markedCount; }
    void ToggleMark(int position);
    void SetMark(int position, bool value);
    // Kinds 0-6; nothing on a pane whose drive is not ready.
    void ApplyMarkKind(int kind);
    // @Select: toggle the cursor entry, then one entry forward.
    int SelectAndAdvance();
    // @Anotherexistselect / @Anothernoneselect against the other pane.
    void MarkByOtherPane(const FilerPane& other, bool twinExists);

    // ---- selection hand-over ------------------------------------------------------------
    // The n-th selected entry (see NthSelectedFlag); nullptr when there is none.
    // `directory` receives the directory the entry lives in.
    const FileEntry* NthSelected(unsigned flags, int n, std::wstring* directory = nullptr) const;

    // ---- directories ------------------------------------------------------------------------
    // Before every change of directory: history and cursor memory.
    void LeaveDirectory(CursorMemory* memory);
    // Reads `path` (forced), sorts, places the cursor.  False when nothing of
    // the path exists any more.
    bool ChangeDirectory(const std::wstring& path, bool keepFilter, const CursorMemory* memory);
    // @Updirectory for the directory kind and the search-result list.
    UpDirectoryResult UpDirectory(const CursorMemory* memory);
    // @Predirectory: back to the directory before the last change; false when none.
    bool PreDirectory(const CursorMemory* memory);
    [[nodiscard]] const std::wstring& PreviousDirectory() const noexcept { return m_predirectory; }
    // The last directory visited on drive letter A-Z (empty when none).
    [[nodiscard]] const std::wstring& LastDirectoryOnDrive(wchar_t letter) const;

    // Path without a trailing backslash; a drive root as "C:".
    [[nodiscard]] static std::wstring NormalisePath(const std::wstring& path);

  private:
    bool EnsureSlots(int needed);
    bool WriteCandidate(const FileEntry& candidate, int& result, uint32_t keyMask);
    struct ListingPass {
        std::wstring pattern;
        int what;
        bool recheck;
    };
    [[nodiscard]] std::vector<ListingPass> ListingPasses() const;
    // The passes' entries gathered on a thread of their own, for a network
    // directory: false when the share has not finished listing in time.
    [[nodiscard]] bool GatherOffThread(const std::vector<ListingPass>& passes,
                                       std::vector<std::vector<FileEntry>>& gathered);
    void EnumeratePass(const ListingPass& pass, const std::vector<FileEntry>* gathered, int& result, uint32_t keyMask);
    void AddOwnRecord(const wchar_t* asName, int& result, uint32_t keyMask);
    [[nodiscard]] bool Keep(const FileEntry& e) const;
    void ClearAllMarks();
    void InvalidateSelectionCache() const noexcept { m_cacheOrdinal = m_cachePosition = -1; }
    bool ClimbToExistingDirectory();
    void PickSource(const std::wstring& location);
    void EnterEmpty();
    // Entries named as the lines of the drive list or the network listing.
    void LoadNamedEntries(const std::vector<std::wstring>& names);
    void EnterListing(uint32_t kind);
    void ApplyRangeMarks(int anchor, int from, int to);

    FilerPaneHost* m_host = nullptr;
    FilerOptions m_options;
    PaneGrid m_grid;

    int m_reloadTicks = 0;
    bool m_previewActive = false;
    filer::IPaneThumbnails* m_thumbnails = nullptr;
    uint32_t m_flags = 4;
    int m_firstShown = 0;
    int m_markedCount = 0;
    int m_count = 0;
    int m_special = 0;
    uint32_t m_kind = kKindDirectory;
    uint32_t m_subKind = kSubKindThumbnails;
    mutable int m_cacheOrdinal = -1;
    mutable int m_cachePosition = -1;
    std::wstring m_pattern = L"*.*";
    bool m_patternAppliesToDirs = false;
    FileConditions m_conditions;
    IListingSource* m_source = &DirectorySource::Shared();
    bool m_fixedSource = false;
    ListingSources m_sources;
    std::wstring m_path;
    EntrySlots m_entries;                     // slots
    std::vector<uint32_t> m_marks;            // per slot, by entry index
    std::vector<uint8_t> m_changed;           // per slot
    std::vector<int32_t> m_order;             // per slot: position -> entry index
    std::vector<NetResourceEntry> m_network;  // the lines of a network listing
    std::vector<DriveListLine> m_driveLines;  // the lines of the drive list
    bool m_networkSorted = false;
    int m_cursor = 0;
    int m_anchor = -1;
    DirectoryChangeWatch m_watch;
    uint64_t m_freeBytes = 0;
    uint64_t m_totalBytes = 0;
    bool m_notReady = false;
    std::wstring m_lastReadPath;
    bool m_loading = false;
    bool m_outOfMemory = false;
    PaneSortState m_sort;
    std::wstring m_predirectory;
    std::array<std::wstring, 26> m_lastOnDrive;
    // What a pane emptied by a share that did not answer in time gets back
    // with its listing: the marked names and the name under the cursor.
    struct AwaitingDrive {
        std::wstring path;
        std::unordered_set<std::wstring> marked;
        std::wstring cursorName;
    };
    AwaitingDrive m_awaitingDrive;
};

}  // namespace zq
