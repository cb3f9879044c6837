#pragma once
// The copy and move job: the walk over a selection (or dropped paths), the
// per-item rules in their order, directory creation and moves, the removal of
// moved sources, and every failure question or log line.  It runs on the copy
// dialog's worker thread; the dialog talks to it only through the interfaces
// it is given and the cancel flag.
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "fileops/CopyFileFilter.h"
#include "fileops/CopyInterfaces.h"
#include "common/TreeWalk.h"
#include "fileops/FileCopier.h"
#include "common/FileSystem.h"
#include "fileops/OperationLog.h"
#include "fileops/SameNameResolver.h"
#include "fileops/SelectionSnapshot.h"

namespace zq::fileops {

// The job modes; the number also picks the dialog title and the log word.
enum CopyMode : unsigned {
    kModeCopy = 0,
    kModeMove = 1,
    kModeUpMove = 2,      // a directory's contents into the destination
    kModeNeglectDir = 3,  // every file below a directory, flat, into the destination
    kModeDropCopy = 4,
    kModeCopyToAll = 5,  // into every directory selected in the other pane
    kModeSyncroCopy = 6,
    kModeDropMove = 7,
    kModeDropLink = 8,
};
bool IsMoveMode(unsigned mode);
// The dialog title of a mode; empty where none is set.
std::wstring_view CopyModeTitle(unsigned mode);

struct CopyJobOptions {
    unsigned mode = kModeCopy;
    bool noQuestion = false;      // WRITE_LOG_COPY_MOVE, "問合せ無し(失敗時Log出力)"
    bool overallDisplay = false;  // COPYDLGEXTRA, "全体の割合を表示"
    bool minimize = false;        // COPYDLGMINIMUM, "実行と同時に最小化"
    bool removableFast = true;    // REMOVABLE_COPY_FAST
    bool verify = false;          // COPY_VERIFY, "コピー後に比較する"
    bool safeReplace = true;      // write to a temporary name first (off only to measure against)
    bool newFilesInPlace = true;  // COPY_NEW_FILE_IN_PLACE: see FileCopier::SetNewFilesInPlace
    SameNameSettings sameName;
    // "ファイル選択": applied to the files found inside walked directories.
    std::vector<std::wstring> include;
    std::vector<std::wstring> exclude;
    std::wstring programDirectory;  // where Log\ is
};

struct CopyJobInput {
    SelectionSnapshot source;
    SelectionSnapshot other;            // mode 5: the other pane's selection
    std::vector<std::wstring> dropped;  // modes 4 and 7
    std::wstring destination;           // the resolved destination root (full path)
};

struct CopyJobServices {
    IFileSystem& fs;
    IOperationAsker& asker;
    IOperationProgress& progress;
    IClock& clock;
    IVirtualDrives* virtualDrives = nullptr;
};

class CopyJob {
  public:
    CopyJob(CopyJobOptions options, CopyJobInput input, CopyJobServices services);
    ~CopyJob();
    CopyJob(const CopyJob&) = delete;
    CopyJob& operator=(const CopyJob&) = delete;

    // Runs the whole job; true when it completed, false when it failed, the user
    // answered No or Cancel, or the cancel flag was set.
    bool Run();
    void RequestCancel() noexcept { m_cancel.store(true); }
    [[nodiscard]] const std::atomic<bool>& CancelFlag() const noexcept { return m_cancel; }

    [[nodiscard]] const JobErrorLog& ErrorLog() const noexcept { return m_log; }
    // The same-name settings as the job's questions left them (to be saved).
    [[nodiscard]] const SameNameSettings& SameNameSettingsAfter() const noexcept { return m_sameName.Settings(); }
    [[nodiscard]] const CopyTotals& Totals() const noexcept { return m_totals; }
    [[nodiscard]] DWORD LastError() const noexcept { return m_lastError; }
    [[nodiscard]] const std::wstring& DestinationRoot() const noexcept { return m_destinationRoot; }
    // Sources that were their own destination, so not copied.
    [[nodiscard]] const std::vector<std::wstring>& RefusedSelf() const noexcept { return m_refusedSelf; }
    // For the synchronised copy and tests: fix the way without a question.
    SameNameResolver& SameName() noexcept { return m_sameName; }

  private:
    enum class Step { Next, End };
    struct Item {
        WIN32_FIND_DATAW find{};
        std::wstring sourceDirectory;       // the directory that holds the item
        std::wstring relativePath;          // from the top-level entry's directory
        std::wstring destinationDirectory;  // where a file item goes
        bool topLevel = false;
        bool fromVirtualListing = false;
    };
    enum class Take { Item, Exhausted, End };
    enum class DirResult { Ok, Skip, End };

    enum class StartResult { Go, NothingToDo, Fail };
    StartResult Start();
    // The main loop; true when every item was taken.
    bool Walk();
    bool LoopGuardHits(const std::wstring& destination);
    // The final path of a folder that may not exist yet: its nearest existing
    // ancestor's, with the missing rest appended.
    std::wstring FinalPathOfFolder(const std::wstring& path);
    // Two paths name one file: equal texts, or one final path through links.
    bool IsSameFile(const std::wstring& a, const std::wstring& b);
    // A file met itself as its destination: it is left alone and named at the end.
    Step RefuseSelf(const Item& item, const std::wstring& source);
    void ReportRefused();
    bool NextTarget(bool& end);
    void CountTotals();
    void CountTree(const std::wstring& directory);
    Take TakeNext(Item& item);
    bool TakeTopLevel(Item& item);
    void FinishDirectory();
    bool SameVolume(const std::wstring& a, const std::wstring& b);

    Step HandleDirectory(const Item& item);
    Step HandleFile(const Item& item);
    // lookUp: ask the file system whether the name exists even where the job
    // knows it to be free (a file appeared there meanwhile).
    Step PlaceFile(const Item& item, bool lookUp);
    Step CopyOne(const Item& item, const std::wstring& destinationPath, ULONGLONG replacedSize, bool& copied,
                 bool& answered);
    Step DeleteMovedSource(const Item& item);
    Step VirtualDestination(const Item& item, bool& failed, bool& answered);
    Step Skip(const Item& item);
    DirResult EnsureDirectory(const std::wstring& path, DWORD attributes, bool offerChoice);
    bool MakeDirectories(const std::wstring& path);
    [[nodiscard]] bool OnVirtualDrive(const std::wstring& path) const {
        return m_services.virtualDrives != nullptr && m_services.virtualDrives->IsVirtual(path);
    }
    // Logs a failure, or asks question; false when the user said No.
    bool LogOrAsk(const wchar_t* call, DWORD code, const std::wstring& path, const std::wstring& question,
                  const std::wstring& fileName = {});
    bool AskContinue(const std::wstring& question);

    CopyJobOptions m_options;
    CopyJobInput m_input;
    CopyJobServices m_services;
    IFileSystem& m_fs;

    std::atomic<bool> m_cancel{false};
    JobErrorLog m_log;
    SameNameResolver m_sameName;
    CopyFileFilter m_filter;
    CopyTotals m_totals;
    FileCopier m_copier;
    DWORD m_lastError = 0;
    bool m_appeared = false;          // the last copy found its new name taken
    std::wstring m_ensuredDirectory;  // the destination folder the last file went to

    std::wstring m_destinationRoot;
    size_t m_nextTopLevel = 0;
    size_t m_nextTarget = 0;
    std::wstring m_currentSourceDirectory;  // the top-level entry's directory
    bool m_currentFromVirtual = false;
    // Where a walked directory's items go, and the source directory's times.
    struct CopyFrame {
        std::wstring destination;
        FILETIME creationTime{};
        FILETIME lastAccessTime{};
        FILETIME lastWriteTime{};
    };
    TreeWalker<CopyFrame> m_walk;
    std::vector<std::wstring> m_refusedSelf;
    std::vector<std::wstring> m_linksBackUp;
};

}  // namespace zq::fileops
