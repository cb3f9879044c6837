#include <gtest/gtest.h>

#include "main/OwnWindows.h"

#include "external/CompanionLibrary.h"
#include "external/CompanionTestSupport.h"
#include "external/TaskTray.h"
#include "main/TempDir.h"
#include "resource.h"

namespace {

struct ViewCalls {
    int suspends = 0;
    int resumes = 0;
};

zq::TaskTray MakeTray(zq::CompanionLibrary& library, ViewCalls& calls) {
    return zq::TaskTray(
        library, [&calls] { ++calls.suspends; }, [&calls] { ++calls.resumes; });
}

// What the tray's popup menu showed, read while it is open.
struct MenuSeen {
    bool shown = false;
    UINT showItemState = 0;
    int items = 0;
};
MenuSeen g_menuSeen;
// Whether the open menu is answered by choosing its first item from the keyboard, or closed.
bool g_chooseFirst = false;

void CALLBACK InspectOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
    const HWND menuWindow = zq::test::FindOwnWindow(L"#32768", nullptr);
    if (!menuWindow || g_menuSeen.shown) return;
    const auto menu = reinterpret_cast<HMENU>(::SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    g_menuSeen.shown = true;
    g_menuSeen.showItemState = ::GetMenuState(menu, ID_TASKTRAY_SHOW, MF_BYCOMMAND);
    g_menuSeen.items = ::GetMenuItemCount(menu);
    if (!g_chooseFirst) {
        ::EndMenu();
        return;
    }
    ::PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
}

MenuSeen RightClickIcon(const zq::TaskTray& tray, HWND frame, bool chooseFirst = false) {
    g_menuSeen = {};
    g_chooseFirst = chooseFirst;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, InspectOpenMenu);
    tray.OnNotify(frame, WM_RBUTTONDOWN);
    ::KillTimer(nullptr, timer);
    return g_menuSeen;
}

}  // namespace

TEST(TaskTray, WithoutTheLibraryNothingChanges) {
    zq::test::TempDir dir;
    zq::CompanionLibrary library(dir.Path());
    ViewCalls calls;
    zq::TaskTray tray = MakeTray(library, calls);
    zq::test::TestFrame frame;

    EXPECT_FALSE(tray.Enter(frame.Get(), 2, 'T'));
    EXPECT_FALSE(tray.InTray());
    EXPECT_EQ(calls.suspends, calls.resumes) << "the view must not stay suspended";
    EXPECT_TRUE(::IsWindowVisible(frame.Get()));
    EXPECT_FALSE(tray.Leave()) << "the show command acts only while in the tray";
    EXPECT_EQ(calls.suspends, calls.resumes);
}

TEST(TaskTray, StayIsBracketedBySuspendAndResume) {
    zq::CompanionLibrary library(zq::test::BuiltLibraryFolder());
    ViewCalls calls;
    zq::TaskTray tray = MakeTray(library, calls);
    zq::test::TestFrame frame;

    if (!tray.Enter(frame.Get(), 2, VK_F11)) GTEST_SKIP() << "no task tray on this desktop";
    EXPECT_TRUE(tray.InTray());
    EXPECT_EQ(calls.suspends, 1);
    EXPECT_EQ(calls.resumes, 0);
    EXPECT_FALSE(::IsWindowVisible(frame.Get()));
    EXPECT_FALSE(tray.Enter(frame.Get(), 2, VK_F11)) << "already there";
    EXPECT_EQ(calls.suspends, 1);

    EXPECT_TRUE(tray.Leave());
    EXPECT_FALSE(tray.InTray());
    EXPECT_EQ(calls.resumes, 1);
    EXPECT_TRUE(::IsWindowVisible(frame.Get()));
    EXPECT_FALSE(tray.Leave());
    EXPECT_EQ(calls.resumes, 1);
}

TEST(TaskTray, RightButtonShowsTheTrayMenuWithShowOnlyWhileInTheTray) {
    zq::CompanionLibrary library(zq::test::BuiltLibraryFolder());
    ViewCalls calls;
    zq::TaskTray tray = MakeTray(library, calls);
    zq::test::TestFrame frame;

    const MenuSeen outside = RightClickIcon(tray, frame.Get());
    ASSERT_TRUE(outside.shown);
    EXPECT_EQ(outside.items, 3);
    EXPECT_TRUE(outside.showItemState & MF_GRAYED);

    // Right after the hide, as when the icon is clicked at once.
    if (!tray.Enter(frame.Get(), 0, 0)) GTEST_SKIP() << "no task tray on this desktop";
    const MenuSeen inside = RightClickIcon(tray, frame.Get(), true);
    ASSERT_TRUE(inside.shown);
    EXPECT_FALSE(inside.showItemState & MF_GRAYED);
    zq::test::PumpMessages();
    EXPECT_EQ(frame.Commands(), std::vector<WORD>{ID_TASKTRAY_SHOW}) << "the chosen item goes to the frame";

    // Other notifications (moves, left clicks) show no menu.
    g_menuSeen = {};
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, InspectOpenMenu);
    tray.OnNotify(frame.Get(), WM_MOUSEMOVE);
    tray.OnNotify(frame.Get(), WM_LBUTTONDOWN);
    zq::test::PumpMessages();
    ::KillTimer(nullptr, timer);
    EXPECT_FALSE(g_menuSeen.shown);
    EXPECT_TRUE(tray.Leave());
}
