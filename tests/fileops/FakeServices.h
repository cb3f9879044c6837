#pragma once
// Fakes for the copy and delete engines: a real file system with faults that
// can be switched on per path, scripted yes/no answers, a recording progress
// sink and a clock that only moves when asked.
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/FileSystem.h"
#include "fileops/CopyInterfaces.h"
#include "fileops/ScriptedAskers.h"

namespace zq::fileops::test {

// Real calls, with injected faults.  Paths are matched by substring, so a test
// names a file by something unique in its path.
class FaultyFileSystem : public Win32FileSystem {
  public:
    struct ReadFault {
        std::wstring pathPart;
        LONGLONG afterBytes = 0;  // fail the read that starts at or after this offset
        DWORD code = ERROR_CRC;
    };
    std::vector<ReadFault> readFaults;
    std::wstring writeFaultPart;  // writes to this file fail…
    DWORD writeFaultCode = ERROR_WRITE_FAULT;
    bool writeFaultShort = false;                     // …or report fewer bytes written (a full disk)
    std::wstring corruptPart;                         // writes to this file succeed with their first byte changed
    std::wstring vanishPart;                          // the source disappears just before it is opened
    std::function<void(const std::wstring&)> onOpen;  // called before every open
    std::wstring lockedPart;                          // opening for writing fails with a sharing violation
    std::wstring deleteFaultPart;                     // DeleteFile fails with access denied
    std::wstring deleteIgnoredPart;  // DeleteFile says yes and leaves the file (Wine on an immutable one)
    std::wstring moveFaultPart;      // MoveFile fails with access denied
    std::wstring renameFaultPart;    // MoveFileEx onto a path with this part fails with a sharing violation
    // Drive letter -> removable with this many bytes per sector.
    std::map<wchar_t, DWORD> removable;
    // Path prefix -> the volume it is said to be on.
    std::vector<std::pair<std::wstring, std::wstring>> volumes;
    ULONGLONG freeBytes = ~0ULL;  // below this many free bytes the disk is "full"

    // What happened.
    std::vector<DWORD> reads;          // requested sizes
    std::vector<DWORD> writes;         // requested sizes
    std::vector<LONGLONG> endsOfFile;  // position at each SetEndOfFile
    std::vector<DWORD> createFlags;    // flags of each open for writing
    std::vector<std::pair<std::wstring, std::wstring>> moves;
    int freeQueries = 0;
    std::vector<std::pair<std::wstring, std::wstring>> renames;  // by name or handle, "R " before a replacing one

    HANDLE Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) override;
    bool Read(HANDLE file, void* buffer, DWORD bytes, DWORD* read) override;
    bool Write(HANDLE file, const void* buffer, DWORD bytes, DWORD* written) override;
    bool Seek(HANDLE file, LONGLONG position) override;
    bool SetEnd(HANDLE file) override;
    bool Delete(const std::wstring& path) override;
    bool Move(const std::wstring& from, const std::wstring& to) override;
    UINT DriveType(const std::wstring& root) override;
    DWORD BytesPerSector(const std::wstring& root) override;
    bool FreeBytes(const std::wstring& directory, ULONGLONG* bytes) override;
    std::wstring VolumeRoot(const std::wstring& path) override;
    bool Rename(const std::wstring& from, const std::wstring& to, bool replaceExisting) override;
    bool RenameOpen(HANDLE file, const std::wstring& to, bool replaceExisting) override;

  private:
    std::map<HANDLE, std::wstring> m_paths;
    std::map<HANDLE, LONGLONG> m_positions;
};

struct RecordingProgress : IOperationProgress {
    std::map<ProgressField, std::wstring> last;
    std::vector<std::wstring> percents;
    std::function<void(int)> onBar;
    bool running = false;

    void SetText(ProgressField field, const std::wstring& text) override {
        last[field] = text;
        if (field == ProgressField::FilePercent) percents.push_back(text);
    }
    void SetBar(int percent) override {
        if (onBar) onBar(percent);
    }
    void Running(bool) override { running = true; }
};

// Virtual drives as lists in memory: paths below virtualPrefix are virtual.
struct FakeVirtualDrives : IVirtualDrives {
    std::wstring virtualPrefix = L"V:\\";
    std::wstring refuseName;  // Add fails for a path ending in this name
    std::vector<std::wstring> added;
    std::vector<std::wstring> directories;
    std::vector<std::wstring> removed;
    bool IsVirtual(const std::wstring& path) override {
        return path.compare(0, virtualPrefix.size(), virtualPrefix) == 0;
    }
    bool Add(const std::wstring& virtualDirectory, const std::wstring& realPath) override {
        if (!refuseName.empty() && realPath.size() >= refuseName.size() &&
            realPath.compare(realPath.size() - refuseName.size(), refuseName.size(), refuseName) == 0)
            return false;
        added.push_back(virtualDirectory + L"|" + realPath);
        return true;
    }
    bool AddDirectory(const std::wstring& virtualPath) override {
        directories.push_back(virtualPath);
        return true;
    }
    bool Remove(const std::wstring& virtualDirectory, const std::wstring& realDirectory,
                const std::wstring& name) override {
        removed.push_back(virtualDirectory + L"|" + realDirectory + L"\\" + name);
        return true;
    }
};

struct SteppingClock : IClock {
    ULONGLONG tick = 1000;
    ULONGLONG TickMs() override { return tick += 7; }
    SYSTEMTIME LocalNow() override {
        SYSTEMTIME t{};
        t.wYear = 2025;
        t.wMonth = 6;
        t.wDay = 1;
        t.wHour = 12;
        t.wMinute = 34;
        t.wSecond = 56;
        return t;
    }
};

}  // namespace zq::fileops::test
