#pragma once
// Building blocks shared by the copy and delete tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "common/Paths.h"
#include "common/TextConv.h"
#include "fileops/CopyJob.h"
#include "fileops/DeleteJob.h"
#include "fileops/FakeServices.h"
#include "fileops/FileCopier.h"
#include "fileops/ScriptedAskers.h"
#include "main/TempDir.h"

namespace zq::fileops::test {

inline WIN32_FIND_DATAW FindOf(const std::wstring& path) {
    WIN32_FIND_DATAW data{};
    HANDLE h = ::FindFirstFileW(path.c_str(), &data);
    EXPECT_NE(h, INVALID_HANDLE_VALUE) << "missing " << ToUtf8(path);
    if (h != INVALID_HANDLE_VALUE) ::FindClose(h);
    return data;
}

// The names in a directory, "." and ".." left out, sorted.
inline std::vector<std::wstring> NamesIn(const std::wstring& directory) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data{};
    HANDLE h = ::FindFirstFileW((directory + L"\\*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (::FindNextFileW(h, &data));
    ::FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

// Sets all three times of a file; false when it cannot be opened or set.
inline bool SetAllTimes(const std::wstring& path, const FILETIME& when) {
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool set = ::SetFileTime(h, &when, &when, &when) != FALSE;
    ::CloseHandle(h);
    return set;
}

// Sets a file's last write time `seconds` before now, as a file left by an
// earlier run has it; false when it cannot be opened or set.
inline bool WrittenSecondsAgo(const std::wstring& path, ULONGLONG seconds) {
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
    t.QuadPart -= seconds * 10'000'000ULL;
    const FILETIME when{t.LowPart, t.HighPart};
    HANDLE h = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool set = ::SetFileTime(h, nullptr, nullptr, &when) != FALSE;
    ::CloseHandle(h);
    return set;
}

// The bytes of an error log holding these lines: UTF-16LE after its byte order mark.
inline std::string LogBytes(const std::wstring& lines) {
    return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(lines.data()), lines.size() * 2);
}

// The selection of names inside one directory, as the Filer hands it over.
inline SelectionSnapshot Select(const std::wstring& directory, const std::vector<std::wstring>& names) {
    SelectionSnapshot s;
    s.directory = directory;
    for (const std::wstring& name : names) s.entries.push_back(FindOf(directory + L"\\" + name));
    return s;
}

// A copy job with fakes that a test can configure before Run.
struct CopyRig {
    FaultyFileSystem fs;
    ScriptedAsker asker;
    RecordingProgress progress;
    SteppingClock clock;
    CopyJobOptions options;
    CopyJobInput input;

    FakeVirtualDrives virtualDrives;

    CopyJob Make() { return CopyJob(options, input, CopyJobServices{fs, asker, progress, clock, &virtualDrives}); }
    // A same-name answer that applies to the whole job.
    void Always(CopyWay way) { asker.wayAnswers.push_back({true, Way(way, true)}); }
    // The names selected in one directory, copied to another.
    void From(const std::wstring& directory, const std::vector<std::wstring>& names, const std::wstring& to) {
        input.source = Select(directory, names);
        input.destination = to;
    }
};

// A recycle bin that only records, and knows which paths it would not keep.
struct FakeBin : IRecycleBin {
    std::vector<std::wstring> recycled;
    std::wstring forGoodPart;  // paths holding this would be deleted for good
    bool Recycle(const std::wstring& path) override {
        recycled.push_back(path);
        return true;
    }
    bool WouldDeleteForGood(const std::wstring& path) override {
        return !forGoodPart.empty() && path.find(forGoodPart) != std::wstring::npos;
    }
};

// A delete job with fakes that a test can configure before Run.
struct DeleteRig {
    FaultyFileSystem fs;
    ScriptedAsker asker;
    FakeBin bin;
    FakeVirtualDrives virtualDrives;
    DeleteOptions options;
    std::vector<std::wstring> remaining;  // what the last Run could not remove

    bool Run(SelectionSnapshot selection) {
        DeleteJob job(std::move(selection), options, DeleteServices{fs, asker, bin, nullptr, &virtualDrives});
        const bool completed = job.Run();
        remaining = job.Remaining();
        return completed;
    }
};

// A file copier with fakes, not cancelled unless the test says so.
struct CopierRig {
    FaultyFileSystem fs;
    SteppingClock clock;
    RecordingProgress progress;
    CopyTotals totals;
    std::atomic<bool> cancel{false};
    FileCopier copier{fs, clock};

    FileCopier::Result Copy(const std::wstring& directory, const std::wstring& source, const std::wstring& dest) {
        return copier.Copy(directory, FindOf(source), dest, cancel);
    }
};

}  // namespace zq::fileops::test
