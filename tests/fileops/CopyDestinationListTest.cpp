#include "fileops/CopyDestinationList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <objbase.h>
#include <shlobj.h>

#include "fileops/CopyTestSupport.h"

namespace zq::fileops {
namespace {

using namespace zq::fileops::test;
using zq::test::TempDir;

TEST(CopyDestinationListTest, SourcesInPriorityOrderWhenEnabled) {
    DestinationSources sources;
    sources.lists[kCurrentDirectoryDirs] = {L"C:\\cur"};
    sources.lists[kPastDirectories] = {L"C:\\past1", L"C:\\past2"};
    sources.lists[kSpecialDirectories] = {L"C:\\special\\"};
    sources.lists[kSendToDirectories] = {L"E:"};
    struct Case {
        DestinationListSettings settings;
        std::vector<std::wstring> expected;
    };
    const Case cases[] = {
        {{{1, 2, 3, 4}, {true, true, false, false}}, {L"C:\\cur", L"C:\\past1", L"C:\\past2"}},
        {{{4, 3, 2, 1}, {true, true, true, true}}, {L"E:", L"C:\\special\\", L"C:\\past1", L"C:\\past2", L"C:\\cur"}},
        // Two sources with one priority keep the table's order.
        {{{2, 1, 1, 3}, {true, true, true, false}}, {L"C:\\past1", L"C:\\past2", L"C:\\special\\", L"C:\\cur"}},
        {{{1, 2, 3, 4}, {false, false, false, false}}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(OrderDestinationChoices(sources, c.settings), c.expected);
}

TEST(CopyDestinationListTest, SelectedDirectoriesAndSpecialDirectories) {
    TempDir dir;
    dir.MakeDir(L"d1");
    dir.WriteFile(L"f.txt", "x");
    dir.MakeDir(L"d2");
    EXPECT_EQ(SelectedDirectories(Select(dir.Path(), {L"d1", L"f.txt", L"d2"})),
              (std::vector<std::wstring>{dir / L"d1", dir / L"d2"}));
    std::vector<std::wstring> special(25, L"C:\\s");
    special[0] = L"D:\\already\\";
    const std::vector<std::wstring> shown = SpecialDirectoryChoices(special);
    ASSERT_EQ(shown.size(), 20u);
    EXPECT_EQ(shown[0], L"D:\\already\\");
    EXPECT_EQ(shown[1], L"C:\\s\\");
}

bool MakeShortcut(const std::wstring& link, const std::wstring& target) {
    IShellLinkW* shell = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&shell))))
        return false;
    IPersistFile* file = nullptr;
    bool ok = SUCCEEDED(shell->SetPath(target.c_str())) &&
              SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
    if (file != nullptr) {
        ok = ok && SUCCEEDED(file->Save(link.c_str(), TRUE));
        file->Release();
    }
    shell->Release();
    return ok;
}

TEST(CopyDestinationListTest, SendToShortcutsToExistingDirectoriesOrRemovableDrives) {
    TempDir dir;
    const std::wstring target = dir.MakeDir(L"target");
    const std::wstring sendTo = dir.MakeDir(L"SendTo");
    ASSERT_TRUE(MakeShortcut(sendTo + L"\\dir.lnk", target));
    ASSERT_TRUE(MakeShortcut(sendTo + L"\\file.lnk", dir.WriteFile(L"plain.txt", "x")));
    ASSERT_TRUE(MakeShortcut(sendTo + L"\\removable.lnk", L"Q:\\stick\\folder"));
    FaultyFileSystem fs;
    fs.removable[L'Q'] = 512;
    std::vector<std::wstring> found = SendToDirectories(fs, sendTo);
    std::vector<std::wstring> expected{L"Q:\\stick\\folder", target};
    std::sort(found.begin(), found.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found, expected);
}

}  // namespace
}  // namespace zq::fileops
