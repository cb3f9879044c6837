#pragma once
// The delete job: files one by one (for good, or into the recycle bin),
// directories depth-first and removed once empty, questions before read-only,
// system and hidden files, each kind with its own "以後同設定".
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "fileops/CopyInterfaces.h"
#include "common/TreeWalk.h"
#include "common/FileSystem.h"
#include "fileops/RecycleBin.h"
#include "fileops/SelectionSnapshot.h"

namespace zq::fileops {

struct DeleteOptions {
    bool noDeleteDirectories = false;  // "ディレクトリを削除しない(&N)"
    bool warnNotEmpty = false;         // DELETEASKNOTENMPTY
    bool toRecycleBin = false;         // DELETETODUST
    bool foldersAtOnce = false;        // TODUSTUNITFOLDER
    // TODUSTASKFORGOOD: a folder that the bin would delete for good is asked
    // about first.
    bool askBeforeDeletingForGood = true;
    // Where Log\ is: entries the job could not remove are listed there.  Empty:
    // no log.
    std::wstring programDirectory;
};

struct DeleteServices {
    IFileSystem& fs;
    IOperationAsker& asker;
    IRecycleBin& recycleBin;
    // Shows each item as it goes (ProgressField::File).
    IOperationProgress* progress = nullptr;
    IVirtualDrives* virtualDrives = nullptr;
};

class DeleteJob {
  public:
    DeleteJob(SelectionSnapshot selection, DeleteOptions options, DeleteServices services);
    ~DeleteJob();
    DeleteJob(const DeleteJob&) = delete;
    DeleteJob& operator=(const DeleteJob&) = delete;

    // true when every top-level entry was dealt with; false when cancelled (by the
    // flag or by a No after a failure).
    bool Run();
    void RequestCancel() noexcept { m_cancel.store(true); }

    // Full paths of the entries the job set out to remove and found still
    // there afterwards (the platform may say it removed what it did not).
    [[nodiscard]] const std::vector<std::wstring>& Remaining() const noexcept { return m_remaining; }
    [[nodiscard]] const std::wstring& LogPath() const noexcept { return m_logPath; }

  private:
    enum Kind { kSystem = 0, kReadOnly = 1, kHidden = 2, kKinds = 3 };
    struct Question {
        bool yes = false;
        bool sameFromNow = false;
    };

    bool WholeFolderToBin() const noexcept;
    void FinishDirectory();
    bool DeleteItem(const WIN32_FIND_DATAW& entry, const std::wstring& fullPath, const std::wstring& relativePath,
                    bool topLevel, size_t index);
    bool DeleteOneFile(const WIN32_FIND_DATAW& entry, const std::wstring& fullPath);
    bool HoldsFile(const std::wstring& directory);
    bool IsEmptyDirectory(const std::wstring& directory);
    void Show(const std::wstring& item);
    // A recycle that the platform would turn into a deletion for good is asked
    // about as one; false when the user keeps the entry.
    bool AllowedToRecycle(const std::wstring& path);
    // Removes a directory link itself, leaving what it leads to.
    void RemoveLink(const std::wstring& path);
    // Records path when it is still there after its removal.
    void CheckGone(const std::wstring& path);
    void ReportRemaining();

    SelectionSnapshot m_selection;
    DeleteOptions m_options;
    DeleteServices m_services;
    IFileSystem& m_fs;
    std::atomic<bool> m_cancel{false};
    size_t m_nextTopLevel = 0;
    std::wstring m_topDirectory;
    TreeWalker<> m_walk;
    Question m_questions[kKinds];
    std::vector<std::wstring> m_remaining;
    std::wstring m_logPath;
};

}  // namespace zq::fileops
