#include "fileops/OperationLog.h"

#include <gtest/gtest.h>

#include "common/Paths.h"
#include "main/TempDir.h"

namespace zq::fileops {
namespace {

using test::ReadFileBytes;
using test::TempDir;

std::string Utf16Bytes(std::wstring_view text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

// The mark goes before the first line of a new or empty file, never again.
TEST(OperationLogTest, ByteOrderMarkOnlyBeforeTheFirstLine) {
    TempDir dir;
    ASSERT_TRUE(AppendLog(dir.Path(), L"a.log", L"%s,%u", L"ReadFile", 5u));
    ASSERT_TRUE(AppendLog(dir.Path(), L"a.log", L"次の行"));
    EXPECT_EQ(ReadFileBytes(dir / L"a.log"), "\xFF\xFE" + Utf16Bytes(L"ReadFile,5\r\n次の行\r\n"));
    dir.WriteFile(L"zq.log", "");
    ASSERT_TRUE(AppendLog(dir.Path(), nullptr, L"x"));
    EXPECT_EQ(ReadFileBytes(dir / L"zq.log"), "\xFF\xFE" + Utf16Bytes(L"x\r\n"));
}

TEST(OperationLogTest, RotationOnlyAboveOneMillionBytes) {
    struct Case {
        size_t size;
        bool rotated;
    };
    for (const Case& c : {Case{1000000, false}, Case{1000001, true}}) {
        TempDir dir;
        dir.WriteFile(L"zq_log.bck", "old backup");
        dir.WriteFile(L"zq.log", std::string(c.size, 'a'));
        ASSERT_TRUE(AppendLog(dir.Path(), nullptr, L"OnCopy Failed before Create"));
        const std::string log = ReadFileBytes(dir / L"zq.log");
        const std::string backup = ReadFileBytes(dir / L"zq_log.bck");
        if (c.rotated) {
            EXPECT_EQ(log, "\xFF\xFE" + Utf16Bytes(L"OnCopy Failed before Create\r\n"));
            EXPECT_EQ(backup.size(), c.size);
        } else {
            EXPECT_EQ(log.size(), c.size + Utf16Bytes(L"OnCopy Failed before Create\r\n").size());
            EXPECT_EQ(backup, "old backup");
        }
    }
}

TEST(OperationLogTest, OverlongLineIsCut) {
    TempDir dir;
    const std::wstring longPath(5000, L'x');
    ASSERT_TRUE(AppendLog(dir.Path(), L"l.log", L"%s", longPath.c_str()));
    EXPECT_EQ(ReadFileBytes(dir / L"l.log").size(), 2 + (kLogLineMax + 2) * sizeof(wchar_t));
}

TEST(OperationLogTest, ErrorLogNameAndWords) {
    const SYSTEMTIME t{2024, 3, 0, 7, 9, 5, 1, 0};
    EXPECT_EQ(ErrorLogFileName(CopyModeLogWord(0), t), L"COPY_ERROR_2024-03-07_090501.log");
    EXPECT_EQ(ErrorLogFileName(CopyModeLogWord(3), t), L"NEGLECT_DIR_ERROR_2024-03-07_090501.log");
    EXPECT_EQ(CopyModeLogWord(9), L"");
}

TEST(OperationLogTest, JobLogWritesBothLineFormsOnlyWithoutQuestions) {
    TempDir dir;
    const SYSTEMTIME t{2025, 1, 0, 2, 0, 0, 0, 0};

    JobErrorLog asking(dir.Path(), L"COPY", false);
    asking.Start(t);
    EXPECT_EQ(asking.Write(L"ReadFile", 5, L"C:\\a\\b.txt"), 0);
    EXPECT_FALSE(asking.FailureLogged());
    EXPECT_FALSE(DirectoryExists(dir / L"Log"));

    JobErrorLog silent(dir.Path(), L"MOVE", true);
    silent.Start(t);
    EXPECT_TRUE(DirectoryExists(dir / L"Log"));  // made even before any failure
    EXPECT_FALSE(FileExists(silent.FilePath()));
    EXPECT_EQ(silent.Write(L"DeleteFile", 32, L"C:\\src\\a.txt"), 1);
    EXPECT_EQ(silent.Write(L"AddToVirtualDrive", 0, L"V:\\dir", L"名前.txt"), 1);
    EXPECT_TRUE(silent.FailureLogged());
    EXPECT_EQ(silent.FilePath(), dir / L"Log\\MOVE_ERROR_2025-01-02_000000.log");
    EXPECT_EQ(ReadFileBytes(silent.FilePath()),
              "\xFF\xFE" + Utf16Bytes(L"DeleteFile,32,C:\\src\\a.txt\r\nAddToVirtualDrive,0,V:\\dir\\名前.txt\r\n"));
}

}  // namespace
}  // namespace zq::fileops
