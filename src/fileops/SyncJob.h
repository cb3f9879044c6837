#pragma once
// Carries out a synchronised copy between two directories: each line whose
// direction is set is copied, in that direction, by the copy engine's chunked
// copier, creating the target's missing directories first.  A failing file is
// asked about; a missing source or a directory that cannot be made ends the
// job.  The copier writes to a temporary name and replaces the target only
// once the copy is whole, so that a full or refusing target loses no file.
#include <atomic>
#include <string>
#include <vector>

#include "common/FileSystem.h"
#include "fileops/CopyInterfaces.h"
#include "fileops/FileCopier.h"
#include "fileops/SyncList.h"

namespace zq::fileops {

inline constexpr wchar_t kSyncCopyFailedText[] = L"ファイルのコピーに失敗しました。続けますか";
inline constexpr wchar_t kSyncMakeDirectoryFailedText[] = L"ディレクトリの作成に失敗しました";

// Where the job says which line it is copying ("%s %s": direction symbol, name).
class ISyncLineSink {
  public:
    virtual ~ISyncLineSink() = default;
    virtual void ShowLine(size_t index, const std::wstring& text) = 0;
};

struct SyncJobServices {
    IFileSystem& fs;
    IOperationAsker& asker;
    IOperationProgress& progress;
    IClock& clock;
    ISyncLineSink* lines = nullptr;
};

class SyncJob {
  public:
    SyncJob(std::vector<StructSyncData> lines, std::wstring sourceDirectory, std::wstring destinationDirectory,
            bool removableFast, SyncJobServices services);
    SyncJob(const SyncJob&) = delete;
    SyncJob& operator=(const SyncJob&) = delete;

    // true when every line was carried out (or passed over after a Yes).
    bool Run();
    void RequestCancel() noexcept { m_cancel.store(true); }
    [[nodiscard]] size_t Copied() const noexcept { return m_copied; }

  private:
    // Creates the missing directories of relative's parent below `to`, each
    // with the attributes of the same directory below `from`.
    bool MakeTargetDirectories(const std::wstring& from, const std::wstring& to, const std::wstring& relative);

    std::vector<StructSyncData> m_lines;
    std::wstring m_sourceDirectory;
    std::wstring m_destinationDirectory;
    SyncJobServices m_services;
    std::atomic<bool> m_cancel{false};
    CopyTotals m_totals;
    FileCopier m_copier;
    size_t m_copied = 0;
};

}  // namespace zq::fileops
