#include "picture/PictureList.h"

#include <gtest/gtest.h>

#include "main/TempDir.h"

namespace zq::picture {
namespace {

TEST(PictureList, TakesClaimedFilesShortcutTargetsAndDirectoriesInOrder) {
    test::TempDir dir;
    for (const wchar_t* name : {L"b.png", L"A.PNG", L"note.txt", L"sub\\c.png", L"sub\\deep\\d.png", L"Sub2\\e.png"})
        dir.WriteFile(name, "x");
    const std::wstring target = dir.WriteFile(L"elsewhere\\t.png", "x");
    dir.WriteFile(L"link.lnk", "x");
    dir.WriteFile(L"dangling.lnk", "x");
    Win32FileSystem fs;
    PictureListRules rules;
    rules.claims = [](const std::wstring& name) {
        return name.size() > 4 && _wcsicmp(name.c_str() + name.size() - 4, L".png") == 0;
    };
    rules.resolveLink = [&](const std::wstring& path) { return path.ends_with(L"link.lnk") ? target : std::wstring(); };
    rules.sortByName = true;
    PictureListBuilder sorted(fs, rules);
    sorted.Add(dir / L"link.lnk", false);
    sorted.Add(dir / L"note.txt", false);
    sorted.Add(dir.Path(), true);
    const std::vector<std::wstring> want = {
        target,
        dir / L"A.PNG",
        dir / L"b.png",
        target,  // the link inside the directory
        dir / L"elsewhere\\t.png",
        dir / L"sub\\c.png",
        dir / L"sub\\deep\\d.png",
        dir / L"Sub2\\e.png",
    };
    EXPECT_EQ(sorted.Pictures(), want) << "files by name before subdirectories, case ignored; dangling links left out";

    rules.sortByName = false;
    PictureListBuilder unsorted(fs, rules);
    unsorted.Add(dir.Path(), true);
    std::vector<std::wstring> got = unsorted.Take();
    std::sort(got.begin(), got.end());
    std::vector<std::wstring> same(want.begin() + 1, want.end());
    std::sort(same.begin(), same.end());
    EXPECT_EQ(got, same);
}

}  // namespace
}  // namespace zq::picture
