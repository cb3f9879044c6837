// The shortcut dialog's fields: what they start with, and what is refused
// before a link is written (a target that is not there, no place to save).
#include <gtest/gtest.h>

#include <objbase.h>

#include "common/ShellLink.h"
#include "fileops/CMakeLinkDlg.h"
#include "main/TempDir.h"

namespace zq::fileops {
namespace {

TEST(ShortcutFields, DefaultsNameTheLinkAfterItsTarget) {
    struct Case {
        std::wstring directory, cursor;
        bool isDirectory;
        std::wstring target, fileName;
    } cases[] = {
        {L"C:\\d", L"read.me.txt", false, L"C:\\d\\read.me.txt", L"read.me.lnk"},
        {L"C:\\d", L"sub.dir", true, L"C:\\d\\sub.dir", L"sub.dir.lnk"},
        {L"C:", L"..", true, L"C:", L"(C)ドライブ.lnk"},
        {L"\\\\server\\share\\docs", L"", false, L"\\\\server\\share\\docs", L"docs.lnk"},
    };
    for (const Case& c : cases) {
        const ShortcutFields f = DefaultShortcutFields(c.directory, c.cursor, c.isDirectory, L"");
        EXPECT_EQ(f.target, c.target);
        EXPECT_EQ(f.fileName, c.fileName);
        EXPECT_EQ(f.saveDirectory, c.directory);
    }
}

TEST(ShortcutFields, AMissingTargetOrSaveDirectoryIsRefusedAndNothingIsWritten) {
    test::TempDir dir;
    const std::wstring target = dir.WriteFile(L"target.txt", "t");
    ShortcutFields f = DefaultShortcutFields(dir.Path(), L"target.txt", false, L"");
    EXPECT_EQ(ShortcutFieldsProblem(f), L"");
    f.saveDirectory = dir / L"nowhere";
    EXPECT_EQ(ShortcutFieldsProblem(f), L"保存ディレクトリが存在しません");
    f.saveDirectory = dir.Path();

    // A link made while the target was there still reads back after the target
    // has gone; a new link to the gone target is refused.
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    const std::wstring link = dir / L"target.lnk";
    ASSERT_TRUE(CreateShortcut(link, f.target, L"", L"", f.workingDirectory));
    ASSERT_TRUE(::DeleteFileW(target.c_str()));
    EXPECT_EQ(ShortcutTarget(link), target);
    EXPECT_EQ(ShortcutFieldsProblem(f), L"リンク先が存在しません");
    f.target.clear();
    EXPECT_EQ(ShortcutFieldsProblem(f), L"リンク先が存在しません");
    ::CoUninitialize();
}

}  // namespace
}  // namespace zq::fileops
