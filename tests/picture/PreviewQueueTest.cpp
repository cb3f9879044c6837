#include "picture/PreviewQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include "picture/CLoadPreviewThread.h"
#include "picture/PreviewDirectories.h"

namespace zq {
namespace {

FileEntry Entry(const wchar_t* name, DWORD size = 10, bool directory = false) {
    FileEntry e{};
    wcscpy_s(e.cFileName, name);
    e.nFileSizeLow = size;
    e.dwFileAttributes = directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    return e;
}

// Makes a 1 x 1 thumbnail for names without "bad"; can hold the first call until released.
struct FakeMaker : IThumbnailMaker {
    std::atomic<int> calls{0};
    std::vector<std::wstring> paths;
    std::promise<void> entered;
    std::shared_future<void> release;
    bool Make(const std::wstring& path, const FileEntry&, StructThumbnail& t) override {
        if (calls++ == 0 && release.valid()) {
            entered.set_value();
            release.wait();
        }
        paths.push_back(path);
        t.width = t.height = 1;
        t.bits.assign(4, 0);
        return path.find(L"bad") == std::wstring::npos;
    }
};

TEST(PreviewQueue, FitIntoTheBox) {
    struct Case {
        int w, h, bw, bh;
        LONG ew, eh;
    };
    for (const Case& c :
         {Case{4000, 1000, 100, 100, 100, 25}, Case{50, 40, 100, 100, 50, 40}, Case{1000, 4000, 100, 100, 25, 100},
          Case{300, 200, 100, 100, 100, 66}, Case{100, 100, 100, 100, 100, 100}, Case{150, 90, 160, 60, 100, 60},
          Case{0, 5, 10, 10, 0, 0}}) {
        const SIZE s = FitThumbnail(c.w, c.h, c.bw, c.bh);
        EXPECT_EQ(s.cx, c.ew) << c.w << "x" << c.h;
        EXPECT_EQ(s.cy, c.eh) << c.w << "x" << c.h;
    }
}

TEST(PreviewQueue, APassMakesWaitingItemsAndDirectoriesFail) {
    PreviewQueue queue(100);
    FakeMaker maker;
    queue.AddRequest(L"C:\\pics", {Entry(L"a.png"), Entry(L"bad.png"), Entry(L"sub", 0, true)});
    int done = 0;
    EXPECT_FALSE(queue.RunPass(maker, [&] { ++done; })) << "the whole list was walked";
    EXPECT_EQ(done, 3);
    EXPECT_EQ(maker.paths, std::vector<std::wstring>({L"C:\\pics\\a.png", L"C:\\pics\\bad.png"}));
    std::shared_ptr<const StructThumbnail> thumb;
    EXPECT_EQ(queue.StateOf(L"c:\\PICS", L"a.png", &thumb), kPreviewDone);
    EXPECT_TRUE(thumb);
    EXPECT_EQ(queue.StateOf(L"C:\\pics", L"bad.png", &thumb), kPreviewFailed);
    EXPECT_FALSE(thumb);
    EXPECT_EQ(queue.StateOf(L"C:\\pics", L"sub"), kPreviewFailed);
    EXPECT_EQ(queue.StateOf(L"C:\\other", L"a.png"), 0);
    EXPECT_FALSE(queue.Busy());

    // Asked again, only what changed is made again.
    FileEntry grown = Entry(L"a.png", 11);
    queue.AddRequest(L"C:\\pics", {Entry(L"bad.png"), grown, Entry(L"new.png")});
    EXPECT_EQ(queue.StateOf(L"C:\\pics", L"a.png"), kPreviewWaiting);
    maker.paths.clear();
    EXPECT_FALSE(queue.RunPass(maker));
    EXPECT_EQ(maker.paths.size(), 3u) << "a failed item is tried again with a fresh listing";
    queue.AddRequest(L"C:\\pics", {Entry(L"new.png")});
    maker.paths.clear();
    EXPECT_FALSE(queue.RunPass(maker));
    EXPECT_TRUE(maker.paths.empty()) << "an unchanged done item keeps its thumbnail";
    EXPECT_EQ(queue.StateOf(L"C:\\pics", L"new.png"), kPreviewDone);
}

TEST(PreviewQueue, TheLimitDropsOldRequestsButNotShownOrNewest) {
    PreviewQueue queue(3);
    FakeMaker maker;
    queue.AddRequest(L"C:\\a", {Entry(L"1.png"), Entry(L"2.png")});
    (void)queue.RunPass(maker);
    queue.AddRequest(L"C:\\b", {Entry(L"1.png"), Entry(L"2.png")});
    (void)queue.RunPass(maker);
    EXPECT_EQ(queue.RequestDirectories(), std::vector<std::wstring>({L"C:\\b", L"C:\\a"}))
        << "4 held: the limit is looked at only when a request comes";
    queue.SetShownDirectories(L"c:\\A", L"");
    queue.AddRequest(L"C:\\c", {Entry(L"1.png")});
    EXPECT_EQ(queue.RequestDirectories(), std::vector<std::wstring>({L"C:\\c", L"C:\\b", L"C:\\a"}))
        << "the oldest is shown in a pane: nothing goes";
    queue.SetShownDirectories(L"", L"");
    queue.AddRequest(L"C:\\c", {Entry(L"1.png")});
    EXPECT_EQ(queue.RequestDirectories(), std::vector<std::wstring>({L"C:\\c", L"C:\\b"}));
}

TEST(PreviewQueue, PauseWaitsForThePictureInHandAndHoldsThePasses) {
    PreviewQueue queue(100);
    FakeMaker maker;
    std::promise<void> go;
    maker.release = go.get_future().share();
    queue.AddRequest(L"C:\\p", {Entry(L"1.png"), Entry(L"2.png")});
    std::future<bool> pass = std::async(std::launch::async, [&] { return queue.RunPass(maker); });
    maker.entered.get_future().wait();
    EXPECT_TRUE(queue.Busy());
    std::future<void> paused = std::async(std::launch::async, [&] { queue.Pause(); });
    EXPECT_EQ(paused.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout)
        << "Pause returned while a picture was being made";
    go.set_value();
    paused.wait();
    EXPECT_TRUE(pass.get()) << "the pass stopped early: work remains";
    EXPECT_FALSE(queue.Busy());
    EXPECT_EQ(queue.StateOf(L"C:\\p", L"1.png"), kPreviewDone);
    EXPECT_EQ(queue.StateOf(L"C:\\p", L"2.png"), kPreviewWaiting);
    EXPECT_FALSE(queue.RunPass(maker));
    EXPECT_EQ(maker.calls, 1) << "nothing is made while paused";
    (void)queue.WaitForWork(0);
    EXPECT_FALSE(queue.WaitForWork(0)) << "the wake event resets itself";
    queue.Resume();
    EXPECT_TRUE(queue.WaitForWork(0)) << "Resume wakes the worker";
    EXPECT_FALSE(queue.RunPass(maker));
    EXPECT_EQ(queue.StateOf(L"C:\\p", L"2.png"), kPreviewDone);
    queue.Quit();
    EXPECT_TRUE(queue.QuitRequested());
}

// A maker that never returns (a hung plug-in) holds neither a pause nor the
// end for good: both give up when told or after their limit.
TEST(PreviewQueue, AWorkerThatNeverReturnsHoldsNeitherPauseNorStop) {
    PreviewQueue queue(100);
    FakeMaker maker;
    std::promise<void> go;
    maker.release = go.get_future().share();
    queue.AddRequest(L"C:\\p", {Entry(L"1.png")});
    CLoadPreviewThread thread(queue, maker, nullptr, 0);
    ASSERT_TRUE(thread.CreateThread());
    maker.entered.get_future().wait();
    int asked = 0;
    queue.Pause([&] { return ++asked == 3; });
    EXPECT_EQ(asked, 3) << "the pause waited until told the worker is stuck";
    EXPECT_FALSE(thread.Stop(200));
    go.set_value();
    EXPECT_TRUE(thread.Stop()) << "a worker that returns after all ends as usual";
}

TEST(PreviewDirectories, OwnEntriesAndThoseWithSubdirectories) {
    PreviewDirectories dirs({{L"C:\\pics\\", 0}, {L"D:\\album", PreviewDirectories::kWithChildren | 2}});
    EXPECT_TRUE(dirs.Find(L"c:\\PICS"));
    EXPECT_FALSE(dirs.Find(L"C:\\pics\\sub")) << "switched on without its subdirectories";
    EXPECT_FALSE(dirs.Find(L"C:\\picsx"));
    ASSERT_TRUE(dirs.Find(L"D:\\album\\2026\\may"));
    EXPECT_EQ(dirs.Find(L"D:\\album\\2026\\may")->type & 0xff, 2u);
    EXPECT_FALSE(dirs.Find(L"D:\\albums"));
    dirs.Enable(L"C:\\pics", true);
    EXPECT_EQ(dirs.Entries().size(), 2u) << "switched on again, not twice";
    EXPECT_TRUE(dirs.Find(L"C:\\pics\\sub"));
    dirs.Disable(L"D:\\album\\2026");
    EXPECT_FALSE(dirs.Find(L"D:\\album"));
    dirs.Enable(L"E:\\", true);
    EXPECT_TRUE(dirs.Find(L"E:\\x"));
}

}  // namespace
}  // namespace zq
