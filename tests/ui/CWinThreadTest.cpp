#include <gtest/gtest.h>

#include <objbase.h>

#include <atomic>

#include "ui/CJobThread.h"
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

namespace {

// A job worker whose job returns as told, after looking at its apartment.
class ScriptedJob : public zq::ui::CJobThread {
  public:
    bool result = true;
    std::atomic<bool> cancelled{false};
    HRESULT apartment = E_FAIL;

  protected:
    bool Work() override {
        // S_FALSE: the apartment was already up for the job.
        apartment = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(apartment)) ::CoUninitialize();
        return result;
    }
    void OnCancelRequested() noexcept override { cancelled = true; }
};

}  // namespace

TEST(CJobThread, EndIsPostedWhicheverWayTheJobReturnsAndComIsUpForIt) {
    for (const bool completed : {true, false}) {
        OwnerWnd owner;
        ASSERT_TRUE(owner.CreateEx(0, L"ZqTestOwner", L"", WS_OVERLAPPED, 0, 0, 1, 1, nullptr, nullptr));
        ScriptedJob job;
        job.result = completed;
        job.SetOwner(owner.GetSafeHwnd());
        ASSERT_TRUE(job.CreateThread());
        EXPECT_EQ(PumpUntilCommand(owner),
                  completed ? zq::ui::CWinThread::kCommandSucceeded : zq::ui::CWinThread::kCommandFailed);
        ASSERT_TRUE(job.Join(5000));
        EXPECT_EQ(job.apartment, S_FALSE) << completed;
        EXPECT_EQ(job.ExitCode(), completed ? 0u : static_cast<DWORD>(-1));
    }
}

TEST(CJobThread, CancelReachesTheJobsOwnFlag) {
    ScriptedJob job;
    job.RequestCancel();
    EXPECT_TRUE(job.cancelled.load());
    EXPECT_TRUE(job.CancelRequested());
}
