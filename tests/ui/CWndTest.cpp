#include <gtest/gtest.h>

#include <vector>

#include "ui/CWnd.h"

namespace {

class RecordingWnd : public zq::ui::CWnd {
  public:
    std::vector<UINT> seen;
    bool* destroyedFlag = nullptr;

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_USER + 7) {
            seen.push_back(message);
            return static_cast<LRESULT>(wParam + lParam);
        }
        if (message == WM_CREATE) seen.push_back(message);
        return DefaultMessage(message, wParam, lParam);
    }
    void PostNcDestroy() override {
        if (destroyedFlag) *destroyedFlag = true;
    }
};

}  // namespace

TEST(CWnd, RoutesMessagesToTheMemberFromCreationOn) {
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, L"ZqTestWnd", L"t", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr));
    // WM_CREATE arrives before CreateWindowEx returns; it must already reach the member.
    ASSERT_FALSE(wnd.seen.empty());
    EXPECT_EQ(wnd.seen.front(), static_cast<UINT>(WM_CREATE));
    EXPECT_EQ(::SendMessageW(wnd.GetSafeHwnd(), WM_USER + 7, 40, 2), 42);
    EXPECT_EQ(zq::ui::CWnd::FromHandle(wnd.GetSafeHwnd()), &wnd);
}

TEST(CWnd, GivesUpTheHandleAtNcDestroy) {
    bool destroyed = false;
    RecordingWnd wnd;
    wnd.destroyedFlag = &destroyed;
    ASSERT_TRUE(wnd.CreateEx(0, L"ZqTestWnd", L"t", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr));
    HWND hWnd = wnd.GetSafeHwnd();
    wnd.DestroyWindow();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(zq::ui::CWnd::FromHandle(hWnd), nullptr);
}

TEST(CWnd, TwoWindowsOfOneClassKeepTheirOwnObjects) {
    RecordingWnd a;
    RecordingWnd b;
    ASSERT_TRUE(a.CreateEx(0, L"ZqTestWnd", L"a", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr));
    ASSERT_TRUE(b.CreateEx(0, L"ZqTestWnd", L"b", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr));
    ::SendMessageW(b.GetSafeHwnd(), WM_USER + 7, 0, 0);
    ::SendMessageW(b.GetSafeHwnd(), WM_USER + 7, 0, 0);
    EXPECT_EQ(a.seen.size(), 1u);  // only its WM_CREATE
    EXPECT_EQ(b.seen.size(), 3u);
    EXPECT_EQ(a.GetWindowText(), L"a");
}

TEST(CWnd, DestroyingTheObjectDestroysItsWindow) {
    HWND hWnd = nullptr;
    {
        RecordingWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, L"ZqTestWnd", L"t", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr));
        hWnd = wnd.GetSafeHwnd();
    }
    EXPECT_FALSE(::IsWindow(hWnd));
}
