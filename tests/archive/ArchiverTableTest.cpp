// ChooseArchiver against the real Unbypass.dll and the archiver tests' archives.
#include <gtest/gtest.h>

#include <windows.h>

#include "archive/ArchiverTable.h"
#include "common/Paths.h"
#include "main/TempDir.h"

namespace zq {
namespace {

std::wstring Library() {
    return JoinPath(ModuleDirectory(), L"..\\..\\bin\\Unbypass.dll");
}

// A temporary folder holding fixture archives under the names a test gives them.
struct Archives {
    test::TempDir temp;
    void Copy(const wchar_t* fixture, const std::wstring& as) const {
        const std::wstring from = JoinPath(JoinPath(ModuleDirectory(), L"archiver-fixtures"), fixture);
        ASSERT_TRUE(::CopyFileW(from.c_str(), (temp / as).c_str(), FALSE)) << fixture;
    }
};

TEST(ChooseArchiver, TakesTheFirstRowWhoseExtensionAndCheckAcceptTheFile) {
    Archives archives;
    struct Case {
        const wchar_t* fixture;
        const wchar_t* as;
        int row;
        int error;
    } cases[] = {
        {L"plain.zip", L"a.ZIP", 1, 0},
        {L"plain.tar.gz", L"b.tar.gz", 5, 0},
        {L"plain.tar", L"c.tgz", 5, 0},
        // Self-extracting archives: every EXE row is asked in order.
        {L"plain.zip", L"zip.exe", 1, 0},
        {L"plain.tar", L"tar.exe", 5, 0},
        {L"notarchive.txt", L"text.exe", -1, kChooseNoLibrary},
        // The extension must match before the library is asked.
        {L"plain.zip", L"zip.lzh", -1, kChooseNoLibrary},
        {L"plain.zip", L"noextension", -1, kChooseNoLibrary},
    };
    const auto table = DefaultArchiverTable();
    for (const auto& c : cases) {
        archives.Copy(c.fixture, c.as);
        int error = -1;
        EXPECT_EQ(ChooseArchiver(table, Library(), {archives.temp.Path(), c.as}, error), c.row) << c.as;
        EXPECT_EQ(error, c.error) << c.as;
    }
}

TEST(ChooseArchiver, BrowsingSkipsRowsNotForBrowsingAndLongNamesFailWhenTested) {
    Archives archives;
    archives.Copy(L"plain.zip", L"a.zip");
    auto table = DefaultArchiverTable();
    table[1].browsable = false;
    int error = 0;
    EXPECT_EQ(ChooseArchiver(table, Library(), {archives.temp.Path(), L"a.zip", true}, error), -1);
    EXPECT_EQ(ChooseArchiver(table, Library(), {archives.temp.Path(), L"a.zip", false}, error), 1);
    EXPECT_EQ(ChooseArchiver(table, L"Z:\\no\\such\\Unbypass.dll", {archives.temp.Path(), L"a.zip"}, error), -1);
    EXPECT_EQ(error, kChooseNoLibrary);

    // 256 characters, but 261 bytes in code page 932.
    const std::wstring deep(246 - archives.temp.Path().size() - 1, L'd');
    const std::wstring name = L"表表表表表.zip";
    EXPECT_EQ(ChooseArchiver(table, Library(), {archives.temp.Path() + L"\\" + deep, name, false, true}, error), -1);
    EXPECT_EQ(error, kChooseNameTooLong);
    error = 0;
    EXPECT_EQ(ChooseArchiver(table, Library(), {archives.temp.Path() + L"\\" + deep, name, false, false}, error), -1);
    EXPECT_EQ(error, kChooseNoLibrary);
}

TEST(ArchiverLibraryPath, IsUnbypassInTheSettingsFolder) {
    EXPECT_EQ(ArchiverLibraryPath(L""), L"Unbypass.dll");
    EXPECT_EQ(ArchiverLibraryPath(L"C:\\arc"), L"C:\\arc\\Unbypass.dll");
    EXPECT_EQ(ArchiverLibraryPath(L"C:\\arc\\"), L"C:\\arc\\Unbypass.dll");
}

}  // namespace
}  // namespace zq
