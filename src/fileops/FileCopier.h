#pragma once
// Copies one file in fixed-size chunks with sequential hints, or, towards a
// removable drive, with unbuffered sector-aligned writes into a pre-sized file
// that is truncated to the real size at the end.  Shows the per-file
// percentage, the overall progress and the time display; polls the cancel flag
// between chunks.  The data goes to a temporary name beside the destination,
// which replaces the destination in one rename only once it is complete, so
// that no failure, cancel or kill leaves a partial file under the real name
// or destroys the file being replaced.  A small file under a name that is new
// may instead be written under its real name directly (see
// SetNewFilesInPlace): nothing is replaced then, and a partial file can never
// pass as the finished copy.
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "common/FileSystem.h"
#include "common/Handle.h"
#include "fileops/CopyInterfaces.h"

namespace zq::fileops {

// The overall counters of a job, shared with its copier.
struct CopyTotals {
    ULONGLONG totalBytes = 0;
    ULONGLONG bytesDone = 0;
    DWORD totalFiles = 0;
    DWORD filesDone = 0;
    bool overallDisplay = false;
    ULONGLONG jobStartTick = 0;
};

class FileCopier {
  public:
    static constexpr DWORD kChunkSize = 64000;

    // Exists: a copy that was to create a new name in place found the name
    // taken (a file that appeared meanwhile); nothing was written.
    enum class Result { Done, Failed, Cancelled, Exists };

    FileCopier(IFileSystem& fs, IClock& clock);
    ~FileCopier();
    FileCopier(const FileCopier&) = delete;
    FileCopier& operator=(const FileCopier&) = delete;

    // REMOVABLE_COPY_FAST.
    void SetRemovableFast(bool on) noexcept { m_removableFast = on; }
    // Whether the next copies may replace an existing destination (the job saw
    // a collision and chose to copy over it); without it a destination that
    // appears meanwhile makes the copy fail instead of being replaced.
    void SetReplaceExisting(bool on) noexcept { m_replaceExisting = on; }
    // Off only for measuring against the plain in-place write.
    void SetSafeReplace(bool on) noexcept { m_safeReplace = on; }
    // COPY_NEW_FILE_IN_PLACE.  A new name (no replacing) costs two lookups of
    // a missing name through a temporary file (its creation and the rename's
    // target) and the rename itself; under Wine each such lookup reads the
    // whole folder, and together they cost more than the data of a small
    // file.  With this on, a file of at most one chunk whose name is new is
    // created under its real name with CREATE_NEW (so nothing that appeared
    // meanwhile is touched: Result::Exists), dated kPlaceholderTime through
    // its handle before any data is written, and given its real times only
    // once its one chunk is written and its size checked; a failure or cancel
    // deletes it.  A kill therefore leaves at worst an empty file dated 1980,
    // or the complete data with the wrong date, which a "copy newer" or any
    // later copy does again.  Larger files keep the temporary name: under
    // Wine a write moves the date of the file to now whatever was set before,
    // so only a file written in one call keeps the placeholder until it is
    // whole, and for a large file the rename costs nothing next to its data.
    void SetNewFilesInPlace(bool on) noexcept { m_newInPlace = on; }
    // 1980-01-01 00:00 UTC, the oldest date every file system keeps.
    static constexpr ULONGLONG kPlaceholderTime = 119600064000000000ULL;
    [[nodiscard]] bool SafeReplace() const noexcept { return m_safeReplace; }
    // "コピー後に比較する": read the written file back and compare it with the
    // source before it takes the real name.
    void SetVerify(bool on);
    void SetProgress(IOperationProgress* progress, CopyTotals* totals) noexcept {
        m_progress = progress;
        m_totals = totals;
    }

    // Copies sourceDirectory\source.cFileName to destinationPath (replacing an
    // existing file).  A failure or cancel leaves an existing destination as it
    // was and no file under the real name.
    Result Copy(const std::wstring& sourceDirectory, const WIN32_FIND_DATAW& source,
                const std::wstring& destinationPath, const std::atomic<bool>& cancel);

    // Free bytes on the volume of directory, for the free-space check before
    // each file.  Asking the system costs as much as copying a small file, so
    // the last answer, less what this copier has written since, is used while
    // it is under a second old, for the same directory, and holds needed bytes;
    // fresh asks the system in any case.  false when the system cannot tell.
    bool FreeBytes(const std::wstring& directory, ULONGLONG needed, bool fresh, ULONGLONG* bytes);

    // The failure of the last Copy: "CreateFile", "ReadFile", "WriteFile",
    // "SetFilePointer", "SetEndOfFile", "MoveFile" (the final rename) or
    // "Compare" (the verification found a difference, code 0), its code and the
    // path concerned (the real destination, never the temporary name).
    [[nodiscard]] const Win32Error& Failure() const noexcept { return m_failure; }
    [[nodiscard]] const wchar_t* FailedCall() const noexcept { return m_failure.call; }
    [[nodiscard]] DWORD ErrorCode() const noexcept { return m_failure.code; }
    [[nodiscard]] const std::wstring& FailedPath() const noexcept { return m_failedPath; }
    // What the last Copy chose, for tests and the benchmark.
    [[nodiscard]] bool Unbuffered() const noexcept { return m_unbuffered; }
    [[nodiscard]] DWORD ChunkSize() const noexcept { return m_chunk; }
    // Per-file percentage: 100 for an empty file.
    static int FilePercent(LONGLONG done, LONGLONG size);
    // The temporary name that a copy to destinationPath writes first, beside
    // it: the destination's name followed by ".~zq", eight hexadecimal digits
    // and ".tmp" (or "~zq", the digits and ".tmp" alone where the long form
    // would not fit), so that a file left by a killed copy says whose it was.
    static std::wstring TemporaryPath(const std::wstring& destinationPath, DWORD unique);
    // Whether a name is of that form.
    [[nodiscard]] static bool IsTemporaryName(std::wstring_view name);
    // Deletes the temporary files a killed copy left in `directory`: those
    // of that form that nobody holds open and that were last written more
    // than a minute before `now`.  A copy in flight holds its file open
    // without sharing, so it is never touched.  Answers how many went.
    static int RemoveStaleTemporaries(IFileSystem& fs, const std::wstring& directory, const FILETIME& now);

  private:
    Result Fail(const wchar_t* call, const std::wstring& path);
    Result FailWith(const wchar_t* call, DWORD code, const std::wstring& path);
    bool OpenTarget(const std::wstring& destinationPath, DWORD flags);
    bool OpenNewInPlace(const std::wstring& destinationPath, DWORD flags);
    void DiscardTarget();
    bool SameAsSource(const std::wstring& destinationPath);
    bool Commit(const std::wstring& destinationPath);
    bool ChooseUnbuffered(const std::wstring& destinationPath, LONGLONG size);
    void ShowPercent(int percent);
    void ShowOverall(ULONGLONG extra);
    void ShowTimes();
    void CloseHandles();

    IFileSystem& m_fs;
    IClock& m_clock;
    IOperationProgress* m_progress = nullptr;
    CopyTotals* m_totals = nullptr;
    bool m_removableFast = true;

    bool m_safeReplace = true;
    bool m_replaceExisting = true;
    bool m_verify = false;
    bool m_newInPlace = false;
    bool m_inPlace = false;         // the current copy writes a new file under its real name
    bool m_renameByHandle = false;  // the current copy's final rename goes through its write handle
    std::wstring m_writePath;       // where the data goes: a temporary name, or the destination itself

    BYTE* m_buffer = nullptr;        // one sector-aligned block for the copier's life
    BYTE* m_verifyBuffer = nullptr;  // the read-back block, only while verifying
    DWORD m_chunk = kChunkSize;
    DWORD m_sectorSize = 0;
    bool m_unbuffered = false;

    UniqueFile m_source;
    UniqueFile m_destination;
    UniqueFile m_truncateHandle;  // second handle that cuts the last partial sector

    LONGLONG m_fileSize = 0;
    LONGLONG m_fileDone = 0;
    int m_lastPercent = -1;

    ULONGLONG m_elapsedBase = 0;
    ULONGLONG m_fileStartTick = 0;
    LONGLONG m_timedBytes = 0;
    ULONGLONG m_openTime = 0;
    DWORD m_openCount = 0;
    ULONGLONG m_closeTime = 0;
    DWORD m_closeCount = 0;

    std::wstring m_freeDirectory;  // empty: nothing known
    ULONGLONG m_freeBytes = 0;
    ULONGLONG m_freeTick = 0;
    ULONGLONG m_writtenSinceFree = 0;

    Win32Error m_failure;
    std::wstring m_failedPath;
};

}  // namespace zq::fileops
