#pragma once
// The thumbnail loader's work list, without its thread: one request per
// directory a pane wants thumbnails for, each item waiting, being made, done or
// failed, the generation that orders the requests and keeps the newest, the
// limit on the thumbnails held, and the pause protocol.  The thread
// (CLoadPreviewThread) runs passes; the window thread adds requests and reads
// finished thumbnails.
//
//     queue.AddRequest(L"C:\\pics", entries);          // window thread
//     while (!queue.QuitRequested()) {                  // worker
//         if (!queue.RunPass(maker)) queue.WaitForWork(INFINITE); else queue.WaitForWork(sleepMs);
//     }
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/Handle.h"
#include "filer/FileEntry.h"

namespace zq {

// A finished thumbnail: a 24-bit bottom-up DIB, rows padded to 4 bytes.
struct StructThumbnail {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bits;
};

enum PreviewState : int { kPreviewWaiting = 1, kPreviewDone = 2, kPreviewFailed = 3, kPreviewMaking = 4 };

// Makes one thumbnail; false when the file yields none.  Called on the worker.
class IThumbnailMaker {
  public:
    virtual ~IThumbnailMaker() = default;
    virtual bool Make(const std::wstring& path, const FileEntry& entry, StructThumbnail& thumbnail) = 0;
};

// The names of the loader's lock and events.  They are system-wide, so a
// second running copy shares them; the queue therefore keeps its own wake
// flag and never relies on an event it may have lost to the other copy.
struct StructPreviewSyncNames {
    const wchar_t* mutex = nullptr;
    const wchar_t* wake = nullptr;
    const wchar_t* complete = nullptr;
};
inline constexpr StructPreviewSyncNames kPreviewSyncNames{L"ZQ_LOAD_PREVIEW_MUTEX", L"ZQ_LOAD_PREVIEW_EVENT",
                                                          L"ZQ_LOAD_PREVIEW_COMPLETE_EVENT"};

class PreviewQueue {
  public:
    // Unnamed objects (the default) serve tests that must not meet a running copy.
    explicit PreviewQueue(int maxFiles, const StructPreviewSyncNames& names = {});

    // Window thread.
    void SetLimit(int maxFiles);
    void SetShownDirectories(const std::wstring& first, const std::wstring& second);
    // Stores or refreshes the request of a directory: items whose entry is
    // unchanged keep their thumbnail, the rest wait.  Then the list is reordered.
    void AddRequest(const std::wstring& directory, const std::vector<FileEntry>& entries);
    // The state of an entry of a directory's request (0 when none), and its thumbnail when done.
    int StateOf(const std::wstring& directory, const std::wstring& name,
                std::shared_ptr<const StructThumbnail>* thumbnail = nullptr) const;
    // Waits for the pass in hand to end, then keeps the worker from starting
    // another; `stuck` is asked while it waits, and true (a plug-in that
    // never returns holds the worker) ends the wait.
    void Pause(const std::function<bool()>& stuck = {});
    void Resume();
    void Quit();

    // Worker.  One pass over the requests; true when it stopped before their
    // end (a newer request, a pause, the quit), so that work remains.
    // `itemDone` is called after each finished item, outside the lock.
    bool RunPass(IThumbnailMaker& maker, const std::function<void()>& itemDone = {});
    // Waits for the wake event (auto-reset), up to ms; false on time-out.
    bool WaitForWork(DWORD ms);
    [[nodiscard]] bool QuitRequested() const noexcept { return m_quit; }

    // Inspection for the view and tests.
    [[nodiscard]] size_t RequestCount() const;
    [[nodiscard]] std::vector<std::wstring> RequestDirectories() const;
    [[nodiscard]] bool Busy() const;
    [[nodiscard]] std::uint64_t Generation() const;

  private:
    struct Item {
        FileEntry entry{};
        int state = kPreviewWaiting;
        std::shared_ptr<const StructThumbnail> thumbnail;
    };
    struct Request {
        std::wstring directory;
        std::uint64_t stamp = 0;
        int count = 0;  // thumbnails held
        std::vector<Item> items;
    };

    void ReorderLocked();
    void WakeLocked();
    Request* FindLocked(const std::wstring& directory);
    const Request* FindLocked(const std::wstring& directory) const;

    // A kernel mutex as a standard lockable, so the guards below read as usual.
    class KernelMutex {
      public:
        explicit KernelMutex(const wchar_t* name);
        void lock() noexcept;
        void unlock() noexcept;

      private:
        UniqueHandle m_handle;
    };

    mutable KernelMutex m_lock;
    UniqueHandle m_wakeEvent;      // auto-reset
    UniqueHandle m_completeEvent;  // auto-reset, set when a pass ends
    std::atomic<bool> m_wake{false};
    std::vector<Request> m_requests;
    std::wstring m_shown[2];
    std::uint64_t m_generation = 1;
    int m_limit;
    int m_pauseCount = 0;
    int m_pausePending = 0;
    bool m_busy = false;
    std::atomic<bool> m_quit{false};
};

// The size of a W x H picture shrunk into a BW x BH box, keeping its shape;
// a picture that fits keeps its size.
[[nodiscard]] SIZE FitThumbnail(int width, int height, int boxWidth, int boxHeight) noexcept;

}  // namespace zq
