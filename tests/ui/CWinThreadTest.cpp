#include <gtest/gtest.h>

#include <atomic>

#include "ui/CWinThread.h"
#include "ui/CWnd.h"

namespace {

class CountingThread : public zq::ui::CWinThread {
public:
    std::atomic<int> steps{0};
    std::atomic<bool> finished{false};
    int limit = 1000000;
    UINT endCommand = kCommandSucceeded;

protected:
    DWORD Run() override {
        while (!CancelRequested() && steps < limit) {
            ++steps;
            ::Sleep(0);
        }
        finished = true;
        PostToOwner(CancelRequested() ? kCommandFailed : endCommand);
        return CancelRequested() ? 2u : 7u;
    }
};

class OwnerWnd : public zq::ui::CWnd {
public:
    UINT lastCommand = 0;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND) {
            lastCommand = LOWORD(wParam);
            return 0;
        }
        return DefaultMessage(message, wParam, lParam);
    }
};

UINT PumpUntilCommand(OwnerWnd& owner) {
    MSG msg{};
    for (int i = 0; i < 500 && owner.lastCommand == 0; ++i) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        ::Sleep(5);
    }
    return owner.lastCommand;
}

}  // namespace

TEST(CWinThread, SuspendedThreadDoesNothingUntilResumed) {
    CountingThread thread;
    thread.limit = 10;
    ASSERT_TRUE(thread.CreateThread(true));
    ::Sleep(50);
    EXPECT_EQ(thread.steps.load(), 0);
    thread.ResumeThread();
    ASSERT_TRUE(thread.Join(5000));
    EXPECT_EQ(thread.steps.load(), 10);
    EXPECT_EQ(thread.ExitCode(), 7u);
}

TEST(CWinThread, PostsItsEndToTheOwnerWithoutBlocking) {
    OwnerWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, L"ZqTestOwner", L"", WS_OVERLAPPED, 0, 0, 1, 1, nullptr, nullptr));
    CountingThread thread;
    thread.limit = 100;
    thread.SetOwner(owner.GetSafeHwnd());
    ASSERT_TRUE(thread.CreateThread());
    EXPECT_EQ(PumpUntilCommand(owner), zq::ui::CWinThread::kCommandSucceeded);
}

TEST(CWinThread, CancelEndsTheWorkAndReportsFailure) {
    OwnerWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, L"ZqTestOwner", L"", WS_OVERLAPPED, 0, 0, 1, 1, nullptr, nullptr));
    CountingThread thread;
    thread.SetOwner(owner.GetSafeHwnd());
    thread.limit = 2000000000;
    ASSERT_TRUE(thread.CreateThread());
    ::Sleep(20);
    thread.RequestCancel();
    EXPECT_EQ(PumpUntilCommand(owner), zq::ui::CWinThread::kCommandFailed);
    ASSERT_TRUE(thread.Join(5000));
    EXPECT_EQ(thread.ExitCode(), 2u);
}

TEST(CWinThread, DestructionJoinsEvenANeverResumedThread) {
    std::atomic<bool>* finished = nullptr;
    {
        auto thread = std::make_unique<CountingThread>();
        thread->limit = 5;
        ASSERT_TRUE(thread->CreateThread(true));
        finished = &thread->finished;
        // Join (from the destructor path) must resume and wait, not hang or leave it running.
        ASSERT_TRUE(thread->Join(5000));
        EXPECT_TRUE(finished->load());
    }
}
