#include <gtest/gtest.h>

#include <set>
#include <string>

#include "filer/FilerPane.h"
#include "filer/NetworkWait.h"
#include "common/Wildcard.h"
#include "main/TempDir.h"
#include "filer/FakeListingSource.h"
#include "filer/PaneTestUtil.h"

namespace {

using zq::FilerPane;
using zq::test::RecordingHost;
using zq::test::TempDir;
using Names = std::vector<std::wstring>;

using zq::test::Open;

TEST(FilerPaneRead, UnchangedTouchedAndRenamed) {
    TempDir dir;
    for (int i = 0; i < 5; ++i) {
        const std::wstring path = dir.WriteFile(L"f" + std::to_wstring(i) + L".txt", "x");
        ASSERT_TRUE(zq::test::SetWriteTime(path, zq::test::DayTime(i)));
    }
    struct Case {
        const char* what;
        uint32_t firstKey;  // 0 name, 1 time
        int change;         // 0 none, 1 touch f2's write time, 2 add a file
        int expected;
    };
    const Case cases[] = {
        {"unchanged, by name", 0, 0, zq::kReadUnchanged},
        {"unchanged, by time", 1, 0, zq::kReadUnchanged},
        {"touched while sorted by name", 0, 1, zq::kReadChanged},
        {"touched while sorted by time", 1, 1, zq::kReadReplaced},
        {"a new file", 0, 2, zq::kReadReplaced},
    };
    int day = 100;
    for (const auto& c : cases) {
        FilerPane pane;
        zq::FilerOptions options = zq::test::NoDotOptions();
        options.RELOAD_SETTING[zq::kDriveFixed].ENABLE = 0;  // no notification: every read enumerates
        options.NOTVIEWUPDIR = 1;  // the parent's record changes whenever a parallel test makes a folder
        pane.SortState().defaults.v[0] = c.firstKey;
        Open(pane, dir, options);
        const Names before = zq::test::ShownNames(pane);
        if (c.change == 1) {
            ASSERT_TRUE(zq::test::SetWriteTime(dir / L"f2.txt", zq::test::DayTime(day++)));
        }
        if (c.change == 2) dir.WriteFile(L"new" + std::to_wstring(day++) + L".txt", "");
        EXPECT_EQ(pane.ReadDirectory(zq::kReadNormal), c.expected) << c.what;
        if (c.expected != zq::kReadReplaced) {
            EXPECT_EQ(zq::test::ShownNames(pane), before) << c.what;
        }
    }
}

TEST(FilerPaneRead, ChangedSlotIsFlaggedAndMarksSurviveResultTwo) {
    TempDir dir;
    for (const wchar_t* n : {L"a.txt", L"b.txt", L"c.txt"}) dir.WriteFile(n, "abc");
    FilerPane pane;
    Open(pane, dir);
    pane.SetMark(zq::test::PositionOf(pane, L"a.txt"), true);
    pane.SetMark(zq::test::PositionOf(pane, L"c.txt"), true);
    const int cursor = zq::test::PositionOf(pane, L"b.txt");
    pane.MoveCursor(cursor - pane.Cursor(), false);
    dir.WriteFile(L"b.txt", "longer content");  // size and time change, name stays

    EXPECT_EQ(pane.ReadDirectory(zq::kReadNormal), zq::kReadChanged);
    EXPECT_EQ(zq::test::MarkedNames(pane), (Names{L"a.txt", L"c.txt"}));
    EXPECT_EQ(pane.MarkedCount(), 2);
    EXPECT_EQ(pane.Cursor(), cursor);
    const int changed = pane.EntryIndexAt(zq::test::PositionOf(pane, L"b.txt"));
    EXPECT_TRUE(pane.SlotChanged(changed));
    EXPECT_FALSE(pane.SlotChanged(pane.EntryIndexAt(zq::test::PositionOf(pane, L"a.txt"))));
    EXPECT_EQ(zq::SizeOf(pane.Entry(changed)), 14u);

    // A forced read replaces the listing and drops the marks.
    EXPECT_EQ(pane.ReadDirectory(zq::kReadForced), zq::kReadReplaced);
    EXPECT_EQ(pane.MarkedCount(), 0);
}

TEST(FilerPaneRead, WatchedUnchangedDirectoryIsNotReadAgain) {
    TempDir dir;
    dir.WriteFile(L"a.txt", "1");
    FilerPane pane;
    Open(pane, dir);  // fixed drives are watched by default
    EXPECT_EQ(pane.ReadDirectory(zq::kReadTimer), zq::kReadUnchanged);
    dir.WriteFile(L"b.txt", "2");
    // The notification may take a moment to arrive.
    int result = zq::kReadUnchanged;
    for (int i = 0; i < 50 && result == zq::kReadUnchanged; ++i) result = pane.ReadDirectory(zq::kReadTimer);
    EXPECT_EQ(result, zq::kReadReplaced);
    EXPECT_GE(zq::test::PositionOf(pane, L"b.txt"), 0);
}

TEST(FilerPaneRead, DisplayFlagsAndFilter) {
    TempDir dir;
    dir.WriteFile(L"a.htm", "");
    dir.WriteFile(L"a.html", "");
    dir.WriteFile(L"b.HTM", "");
    dir.WriteFile(L"c.txt", "");
    dir.WriteFile(L".profile", "");
    dir.MakeDir(L"sub.htm");
    dir.MakeDir(L"other");
    const std::wstring hidden = dir.WriteFile(L"hidden.htm", "");
    ASSERT_TRUE(::SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
    const std::wstring ro = dir.WriteFile(L"ro.txt", "");
    ASSERT_TRUE(::SetFileAttributesW(ro.c_str(), FILE_ATTRIBUTE_READONLY));

    struct Case {
        const char* what;
        const wchar_t* pattern;
        bool appliesToDirs;
        int neglectDos, hidden, dot, readOnly;
        const wchar_t* expected;  // sorted by name, "." hidden
    };
    const Case cases[] = {
        {"everything", L"*.*", false, 0, 1, 1, 1,
         L".. other sub.htm .profile a.htm a.html b.HTM c.txt hidden.htm ro.txt"},
        {"no hidden, dot or read-only files", L"*.*", false, 0, 0, 0, 0, L".. other sub.htm a.htm a.html b.HTM c.txt"},
        {"*.htm, long names only, directories unfiltered", L"*.htm", false, 1, 1, 1, 1,
         L".. other sub.htm a.htm b.HTM hidden.htm"},
        {"*.htm applied to directories", L"*.htm", true, 1, 0, 1, 1, L".. sub.htm a.htm b.HTM"},
    };
    for (const auto& c : cases) {
        zq::FilerOptions options = zq::test::NoDotOptions();
        options.FIND_FILE_NEGLECT_DOS_NAME = c.neglectDos;
        options.HIDDENVIEWFLAG = c.hidden;
        options.DISP_FIRST_DOT_FILE = c.dot;
        options.DISP_READ_ONLY_FILE = c.readOnly;
        FilerPane pane;
        pane.SetOptions(options);
        pane.SetPath(dir.Path());
        pane.SetWildcard(c.pattern, c.appliesToDirs, zq::FileConditions{});
        EXPECT_EQ(pane.ReadDirectory(zq::kReadForced), zq::kReadReplaced);
        pane.Sort();
        // Wine marks dot files hidden, so the hidden flag also hides .profile there.
        std::wstring shown;
        for (const std::wstring& name : zq::test::ShownNames(pane)) shown += (shown.empty() ? L"" : L" ") + name;
        EXPECT_EQ(shown, c.expected) << c.what;
    }
}

TEST(FilerPaneRead, EmptyDirectoryWithHiddenLinks) {
    TempDir dir;
    zq::FilerOptions options;
    options.NOTVIEWUPDIR = 1;
    FilerPane pane;
    Open(pane, dir, options);
    EXPECT_EQ(zq::test::ShownNames(pane), (Names{L"."}));
    options.NOTVIEWCURRENTDIR = 1;
    Open(pane, dir, options);
    EXPECT_EQ(pane.Count(), 0);
    EXPECT_EQ(pane.Cursor(), 0);
    for (int kind = 0; kind <= 6; ++kind) {
        pane.ApplyMarkKind(kind);
        EXPECT_EQ(pane.MarkedCount(), 0) << kind;
    }
    EXPECT_EQ(pane.MoveCursor(5, true), 0);
    EXPECT_EQ(pane.Cursor(), 0);
    EXPECT_EQ(pane.CursorEntry(), nullptr);
    EXPECT_EQ(pane.NthSelected(0, 0), nullptr);
}

TEST(FilerPaneRead, SlotsGrowInDecimalSteps) {
    struct Case {
        int capacity;
        int expected;
    };
    const Case cases[] = {{0, 1000},      {1000, 2000},    {9000, 10000},    {9999, 10999},     {10000, 20000},
                          {20000, 30000}, {99999, 109999}, {100000, 200000}, {990000, 1090000}, {1000000, 2000000}};
    for (const auto& c : cases) EXPECT_EQ(FilerPane::NextSlotCapacity(c.capacity), c.expected) << c.capacity;

    // One real folder past the first step: every entry arrives, new slots are
    // zeroed and ordered by their own index.
    TempDir dir;
    for (int i = 0; i < 1100; ++i) dir.WriteFile(L"f" + std::to_wstring(i), "");
    FilerPane pane;
    zq::FilerOptions options = zq::test::NoDotOptions();
    options.NOTVIEWUPDIR = 1;
    Open(pane, dir, options);
    EXPECT_EQ(pane.Count(), 1100);
    EXPECT_EQ(pane.Capacity(), 2000);
    std::set<std::wstring> seen;
    for (int i = 0; i < pane.Count(); ++i) seen.insert(pane.Entry(i).cFileName);
    EXPECT_EQ(seen.size(), 1100u);  // nothing lost or doubled when the slots grew
    EXPECT_EQ(pane.EntryIndexAt(1999), 1999);
    EXPECT_EQ(pane.Entry(1999).cFileName[0], L'\0');
    pane.ApplyMarkKind(zq::kMarkAllFiles);
    EXPECT_EQ(pane.MarkedCount(), 1100);
}

TEST(FilerPaneRead, TimerNeverReloadsAPaneWithMarks) {
    TempDir dir;
    dir.WriteFile(L"a.txt", "");
    dir.WriteFile(L"b.txt", "");
    zq::FilerOptions options = zq::test::NoDotOptions();
    options.RELOAD_SETTING[zq::kDriveFixed] = {1, 2};
    FilerPane pane;
    Open(pane, dir, options);
    ASSERT_EQ(pane.DriveClass(), zq::kDriveFixed);
    pane.SetMark(zq::test::PositionOf(pane, L"a.txt"), true);
    dir.WriteFile(L"c.txt", "");
    ::DeleteFileW((dir / L"b.txt").c_str());
    for (int tick = 0; tick < 6; ++tick) {
        const zq::TickResult r = pane.TimerTick();
        EXPECT_EQ(r, tick % 2 == 0 ? zq::TickResult::NotDue : zq::TickResult::KeptForMarks) << tick;
    }
    EXPECT_EQ(zq::test::ShownNames(pane), (Names{L"..", L"a.txt", L"b.txt"}));

    // Unmarked, the next due tick reloads and keeps the cursor on its name.
    pane.SetMark(zq::test::PositionOf(pane, L"a.txt"), false);
    pane.MoveCursor(zq::test::PositionOf(pane, L"a.txt") - pane.Cursor(), false);
    zq::TickResult r = zq::TickResult::NotDue;
    for (int tick = 0; tick < 100 && r != zq::TickResult::Reloaded; ++tick) r = pane.TimerTick();
    EXPECT_EQ(r, zq::TickResult::Reloaded);
    EXPECT_EQ(zq::test::ShownNames(pane), (Names{L"..", L"a.txt", L"c.txt"}));
    EXPECT_EQ(std::wstring(pane.CursorEntry()->cFileName), L"a.txt");

    // With reload off for the drive class the timer does nothing at all.
    options.RELOAD_SETTING[zq::kDriveFixed].ENABLE = 0;
    Open(pane, dir, options);
    EXPECT_EQ(pane.TimerTick(), zq::TickResult::Idle);
}

TEST(FilerPaneRead, UnreachableAndVanishingDirectories) {
    RecordingHost host;
    FilerPane pane(&host);
    pane.SetOptions(zq::test::NoDotOptions());

    // A drive letter that is not mapped: empty, not ready, no free space.
    pane.SetPath(L"Q:\\nowhere");
    EXPECT_EQ(pane.ReadDirectory(zq::kReadNormal), zq::kReadReplaced);
    EXPECT_TRUE(pane.NotReady());
    EXPECT_EQ(pane.Count(), 0);
    EXPECT_EQ(pane.FreeBytes(), 0u);
    // Still not ready: with ACTIVECHECKMEDIAIN the drive is not probed again.
    EXPECT_EQ(pane.ReadDirectory(zq::kReadNormal), zq::kReadUnchanged);
    pane.ApplyMarkKind(zq::kMarkAllFiles);
    EXPECT_EQ(pane.MarkedCount(), 0);

    // A share that does not answer for a while: empty and not ready, and its
    // marks come back with its listing; another directory's read drops them.
    {
        zq::test::FakeListingSource share;
        const std::wstring dir = L"Q:\\share";
        share.AddDirectory(dir);
        for (const wchar_t* n : {L"a", L"b", L"c"}) share.AddFile(dir, n);
        share.AddSubdirectory(dir, L"d");
        FilerPane slow;
        slow.SetListingSource(&share);
        slow.SetOptions(zq::test::NoDotOptions());
        ASSERT_TRUE(slow.ChangeDirectory(dir, false, nullptr));
        slow.SetMark(zq::test::PositionOf(slow, L"a"), true);
        slow.SetMark(zq::test::PositionOf(slow, L"c"), true);
        share.reachable = false;
        EXPECT_EQ(slow.Reread(zq::kReadForced), zq::kReadReplaced);
        EXPECT_TRUE(slow.NotReady());
        EXPECT_EQ(slow.MarkedCount(), 0);
        share.reachable = true;
        slow.Reread(zq::kReadForced);
        EXPECT_EQ(slow.MarkedCount(), 2);
        EXPECT_TRUE(slow.IsMarkedAt(zq::test::PositionOf(slow, L"c")));
        EXPECT_FALSE(slow.IsMarkedAt(zq::test::PositionOf(slow, L"b")));

        share.reachable = false;
        slow.Reread(zq::kReadForced);
        share.reachable = true;
        ASSERT_TRUE(slow.ChangeDirectory(dir + L"\\d", false, nullptr));
        ASSERT_TRUE(slow.ChangeDirectory(dir, false, nullptr));
        EXPECT_EQ(slow.MarkedCount(), 0);
    }

    // A share that answers but takes its time over the listing: the read gives
    // up after the network wait and shows the pane not ready; asked again
    // while the listing is under way it does not wait again; the listing that
    // came late fills the pane with its marks and the cursor where it was.
    {
        zq::test::FakeListingSource share;
        const std::wstring dir = L"\\\\slow\\share\\big";
        share.AddDirectory(dir);
        for (const wchar_t* n : {L"a", L"b", L"c"}) share.AddFile(dir, n);
        share.offThread = true;
        FilerPane slow;
        slow.SetListingSource(&share);
        slow.SetOptions(zq::test::NoDotOptions());
        ASSERT_TRUE(slow.ChangeDirectory(dir, false, nullptr));
        EXPECT_EQ(slow.Count(), 4);  // "..", a, b, c
        slow.SetMark(zq::test::PositionOf(slow, L"b"), true);
        slow.PlaceCursorOnName(L"c", false, 0);
        share.AddFile(dir, L"new");
        share.enumerateDelayMs = 1500;
        (void)zq::TakeLateNetworkAnswer();
        const ULONGLONG start = ::GetTickCount64();
        EXPECT_EQ(slow.Reread(zq::kReadForced), zq::kReadReplaced);
        EXPECT_TRUE(slow.NotReady());
        slow.Reread(zq::kReadForced);
        EXPECT_TRUE(slow.NotReady());
        EXPECT_LT(::GetTickCount64() - start, 1000u);
        while (!zq::TakeLateNetworkAnswer() && ::GetTickCount64() - start < 10000) ::Sleep(20);
        slow.Reread(zq::kReadForced);
        EXPECT_FALSE(slow.NotReady());
        EXPECT_EQ(slow.Count(), 5);
        EXPECT_EQ(slow.MarkedCount(), 1);
        EXPECT_TRUE(slow.IsMarkedAt(zq::test::PositionOf(slow, L"b")));
        ASSERT_NE(slow.CursorEntry(), nullptr);
        EXPECT_STREQ(slow.CursorEntry()->cFileName, L"c");
    }

    // A directory that disappears while shown: the pane says so and climbs.
    // Unwatched, the next read notices; watched, a forced read does (Wine
    // sends no notification when a parent of the watched folder moves).
    TempDir dir;
    struct Case {
        int watched;
        int mode;
    };
    for (const Case c : {Case{0, zq::kReadNormal}, Case{1, zq::kReadForced}}) {
        zq::FilerOptions options = zq::test::NoDotOptions();
        options.RELOAD_SETTING[zq::kDriveFixed].ENABLE = c.watched;
        pane.SetOptions(options);
        host.messages.clear();
        dir.WriteFile(L"deep\\er\\x.txt", "");
        ASSERT_TRUE(pane.ChangeDirectory(dir / L"deep\\er", false, nullptr));
        EXPECT_FALSE(pane.NotReady());
        const std::wstring away = dir / (L"moved" + std::to_wstring(c.watched));
        ASSERT_TRUE(::MoveFileW((dir / L"deep").c_str(), away.c_str()));
        EXPECT_EQ(pane.ReadDirectory(c.mode), zq::kReadReplaced) << c.watched;
        EXPECT_EQ(pane.Path(), dir.Path());
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0], L"ディレクトリ" + (dir / L"deep\\er") + L"は存在しません\n上の階層にあがります");
        EXPECT_GE(zq::test::PositionOf(pane, L"moved0"), 0);
    }

    // A file given as a directory: the pane climbs to the folder holding it.
    const std::wstring file = dir.WriteFile(L"plain.txt", "");
    pane.ChangeDirectory(file, false, nullptr);
    EXPECT_EQ(pane.Path(), dir.Path());
}

TEST(FilerPaneRead, UnusualNamesReadAndSort) {
    TempDir dir;
    const Names names = {L"😀.txt", L"e\u0301.txt", L"ｱｲｳ.txt",  L"アイウ",  L"a b c",
                         L"...x",  L"\u200B",      L"髙﨑.dat", L"a.b.c.d", L"ＡＢＣ.ＴＸＴ"};
    int made = 0;
    for (const auto& n : names) {
        dir.WriteFile(n, "");
        if (::GetFileAttributesW((dir / n).c_str()) != INVALID_FILE_ATTRIBUTES) ++made;
    }
    for (uint32_t key = 0; key <= 5; ++key) {
        for (int logical = 0; logical <= 1; ++logical) {
            zq::FilerOptions options = zq::test::NoDotOptions();
            options.NOTVIEWUPDIR = 1;
            options.USE_STR_CMP_LOGICAL_W = logical;
            options.FIND_FILE_NEGLECT_DOS_NAME = 1;
            FilerPane pane;
            pane.SortState().defaults.v[0] = key;
            Open(pane, dir, options);
            EXPECT_EQ(pane.Count(), made) << key;
            pane.SetWildcard(L"*.t?t", false, zq::FileConditions{});
            pane.ReadDirectory(zq::kReadForced);
            pane.Sort();
            for (int p = 0; p < pane.Count(); ++p) EXPECT_TRUE(zq::WildcardMatch(pane.EntryAt(p).cFileName, L"*.t?t"));
        }
    }
}

}  // namespace
