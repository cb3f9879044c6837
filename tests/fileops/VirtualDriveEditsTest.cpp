// The copy and delete engines against a real virtual-drive store: what a
// user sees in the V: listing afterwards, and that no real file moved.
#include <gtest/gtest.h>

#include "fileops/CopyTestSupport.h"
#include "fileops/VirtualDriveEdits.h"

namespace zq::fileops {
namespace {

using namespace zq::fileops::test;
using zq::test::ReadFileBytes;
using zq::test::TempDir;

// The stores' thread is the test's own.
bool RunHere(const std::function<void()>& fn) {
    fn();
    return true;
}

std::array<int, 26> OnlyV() {
    std::array<int, 26> enabled{};
    enabled[L'V' - L'A'] = 1;
    return enabled;
}

// "name>real directory" for files, "name/" for directories, depth first.
std::wstring Listing(const VirtualNode& node) {
    std::wstring out;
    for (const VirtualNode& child : node.children) {
        if (child.directory) {
            out += child.name + L"/(" + Listing(child) + L")";
        } else {
            out += child.name + L">" + child.realDirectory + L" ";
        }
    }
    return out;
}

TEST(VirtualDriveEdits, MovingATreeOntoTheDriveListsItAndDeletingThereOnlyForgets) {
    TempDir dir;
    dir.WriteFile(L"src\\a.txt", "a");
    dir.WriteFile(L"src\\tree\\deep\\x.txt", "x");
    VirtualDrives drives(dir / L"stores", [](const std::wstring&) { return true; });
    drives.Refresh(OnlyV(), 0);
    VirtualDriveEdits edits(drives, RunHere);
    ASSERT_TRUE(edits.IsVirtual(L"v:\\docs"));
    EXPECT_FALSE(edits.IsVirtual(dir.Path()));

    CopyRig rig;
    rig.options.mode = kModeMove;
    rig.options.noQuestion = true;
    rig.options.programDirectory = dir.Path();
    rig.Always(CopyWay::Overwrite);
    rig.From(dir / L"src", {L"a.txt", L"tree"}, L"V:\\docs");
    CopyJob job(rig.options, rig.input, CopyJobServices{rig.fs, rig.asker, rig.progress, rig.clock, &edits});
    ASSERT_TRUE(job.Run());
    EXPECT_FALSE(job.ErrorLog().FailureLogged());
    // Every real file and directory stays; the drive points at them.
    EXPECT_EQ(ReadFileBytes(dir / L"src\\a.txt"), "a");
    EXPECT_EQ(ReadFileBytes(dir / L"src\\tree\\deep\\x.txt"), "x");
    const VirtualDriveStore& store = *drives.For(L'V');
    EXPECT_EQ(Listing(store.Root()),
              L"docs/(a.txt>" + dir / L"src" + L" tree/(deep/(x.txt>" + dir / L"src\\tree\\deep" + L" )))");
    EXPECT_EQ(RealPathOf(store, L"V:\\docs\\tree\\deep\\x.txt"), dir / L"src\\tree\\deep\\x.txt");

    // Deleting both from the V:\docs listing, as the Filer hands them out:
    // a file with its real directory, a directory with the listing's own.
    SelectionSnapshot listing;
    listing.directory = L"V:\\docs";
    listing.isVirtual = true;
    listing.entries = {FindOf(dir / L"src\\a.txt"), FindOf(dir / L"src\\tree")};
    listing.entryDirectories = {dir / L"src", L"V:\\docs"};
    DeleteRig del;
    DeleteJob deletion(listing, del.options, DeleteServices{del.fs, del.asker, del.bin, nullptr, &edits});
    ASSERT_TRUE(deletion.Run());
    EXPECT_EQ(Listing(store.Root()), L"docs/()");
    EXPECT_EQ(ReadFileBytes(dir / L"src\\a.txt"), "a");
    EXPECT_EQ(ReadFileBytes(dir / L"src\\tree\\deep\\x.txt"), "x");
    EXPECT_TRUE(del.bin.recycled.empty());
}

TEST(VirtualDriveEdits, AStoreThatIsGoneOrAThreadThatCannotRunRefusesTheEdit) {
    TempDir dir;
    dir.WriteFile(L"a.txt", "a");
    VirtualDrives drives(dir / L"stores", [](const std::wstring&) { return true; });
    drives.Refresh(OnlyV(), 0);
    VirtualDriveEdits refused(drives, [](const std::function<void()>&) { return false; });
    EXPECT_FALSE(refused.Add(L"V:\\", dir / L"a.txt"));
    VirtualDriveEdits edits(drives, RunHere);
    EXPECT_FALSE(edits.Add(L"W:\\", dir / L"a.txt")) << "W has no store";
    EXPECT_FALSE(edits.Add(L"V:\\", L"a.txt")) << "a name without its directory";
    EXPECT_TRUE(edits.Add(L"V:\\", dir / L"a.txt"));
    EXPECT_FALSE(edits.Remove(L"V:\\", dir / L"elsewhere", L"a.txt")) << "another real file of the same name";
    EXPECT_TRUE(edits.Remove(L"V:\\", dir.Path() + L"\\", L"a.txt"));
    EXPECT_EQ(drives.For(L'V')->Root().children.size(), 0u);
}

}  // namespace
}  // namespace zq::fileops
