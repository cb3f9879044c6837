#pragma once
// Building blocks shared by the copy and delete tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Paths.h"
#include "common/TextConv.h"
#include "fileops/CopyJob.h"
#include "fileops/FakeServices.h"
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
    ScriptedQuestions questions;
    ScriptedSameNameAsker sameName;
    RecordingProgress progress;
    SteppingClock clock;
    CopyJobOptions options;
    CopyJobInput input;

    FakeVirtualDrives virtualDrives;

    CopyJob Make() {
        return CopyJob(options, input, CopyJobServices{fs, questions, sameName, progress, clock, &virtualDrives});
    }
    // A same-name answer that applies to the whole job.
    void Always(CopyWay way) { sameName.wayAnswers.push_back({true, Way(way, true)}); }
};

}  // namespace zq::fileops::test
