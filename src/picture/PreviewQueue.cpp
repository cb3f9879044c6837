#include "picture/PreviewQueue.h"

#include <algorithm>
#include <mutex>

#include "common/Paths.h"

namespace zq {

namespace {

bool SameText(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

bool SameFile(const FileEntry& a, const FileEntry& b) {
    return std::wstring_view(a.cFileName) == b.cFileName && a.nFileSizeLow == b.nFileSizeLow &&
           a.nFileSizeHigh == b.nFileSizeHigh && a.ftLastWriteTime.dwLowDateTime == b.ftLastWriteTime.dwLowDateTime &&
           a.ftLastWriteTime.dwHighDateTime == b.ftLastWriteTime.dwHighDateTime;
}

}  // namespace

SIZE FitThumbnail(int width, int height, int boxWidth, int boxHeight) noexcept {
    const long long w = width, h = height, bw = boxWidth, bh = boxHeight;
    if (w <= 0 || h <= 0 || bw <= 0 || bh <= 0) return {0, 0};
    if (w * bh <= h * bw) {
        if (h > bh) return {static_cast<LONG>(w * bh / h), static_cast<LONG>(bh)};
    } else if (w > bw) {
        return {static_cast<LONG>(bw), static_cast<LONG>(h * bw / w)};
    }
    return {static_cast<LONG>(w), static_cast<LONG>(h)};
}

PreviewQueue::KernelMutex::KernelMutex(const wchar_t* name) : m_handle(::CreateMutexW(nullptr, FALSE, name)) {}

void PreviewQueue::KernelMutex::lock() noexcept {
    // An abandoned mutex (a copy that died holding it) is ours now all the same.
    ::WaitForSingleObject(m_handle.Get(), INFINITE);
}

void PreviewQueue::KernelMutex::unlock() noexcept {
    ::ReleaseMutex(m_handle.Get());
}

PreviewQueue::PreviewQueue(int maxFiles, const StructPreviewSyncNames& names)
    : m_lock(names.mutex),
      m_wakeEvent(::CreateEventW(nullptr, FALSE, FALSE, names.wake)),
      m_completeEvent(::CreateEventW(nullptr, FALSE, FALSE, names.complete)),
      m_limit(maxFiles) {}

void PreviewQueue::SetLimit(int maxFiles) {
    const std::lock_guard<KernelMutex> hold(m_lock);
    m_limit = maxFiles;
}

void PreviewQueue::SetShownDirectories(const std::wstring& first, const std::wstring& second) {
    const std::lock_guard<KernelMutex> hold(m_lock);
    m_shown[0] = first;
    m_shown[1] = second;
}

PreviewQueue::Request* PreviewQueue::FindLocked(const std::wstring& directory) {
    for (Request& r : m_requests)
        if (SameText(r.directory, directory)) return &r;
    return nullptr;
}

const PreviewQueue::Request* PreviewQueue::FindLocked(const std::wstring& directory) const {
    for (const Request& r : m_requests)
        if (SameText(r.directory, directory)) return &r;
    return nullptr;
}

void PreviewQueue::AddRequest(const std::wstring& directory, const std::vector<FileEntry>& entries) {
    const std::lock_guard<KernelMutex> hold(m_lock);
    Request* request = FindLocked(directory);
    if (request == nullptr) {
        m_requests.push_back({directory, 0, 0, {}});
        request = &m_requests.back();
    }
    std::vector<Item> items;
    items.reserve(entries.size());
    int count = 0;
    for (const FileEntry& entry : entries) {
        Item item;
        item.entry = entry;
        // An item in the making stays the worker's: a fresh one waits instead.
        for (const Item& old : request->items) {
            if (old.state == kPreviewDone && SameFile(old.entry, entry)) {
                item.state = kPreviewDone;
                item.thumbnail = old.thumbnail;
                ++count;
                break;
            }
        }
        items.push_back(std::move(item));
    }
    request->items = std::move(items);
    request->count = count;
    request->stamp = m_generation;
    ReorderLocked();
}

void PreviewQueue::ReorderLocked() {
    std::stable_sort(m_requests.begin(), m_requests.end(),
                     [](const Request& a, const Request& b) { return a.stamp > b.stamp; });
    long long sum = 0;
    for (const Request& r : m_requests) sum += r.count;
    while (sum > m_limit && !m_requests.empty()) {
        const Request& oldest = m_requests.back();
        if (oldest.stamp == m_generation || SameText(oldest.directory, m_shown[0]) ||
            SameText(oldest.directory, m_shown[1]))
            break;
        sum -= oldest.count;
        m_requests.pop_back();
    }
    ++m_generation;
    WakeLocked();
}

void PreviewQueue::WakeLocked() {
    m_wake = true;
    ::SetEvent(m_wakeEvent.Get());
}

int PreviewQueue::StateOf(const std::wstring& directory, const std::wstring& name,
                          std::shared_ptr<const StructThumbnail>* thumbnail) const {
    const std::lock_guard<KernelMutex> hold(m_lock);
    const Request* request = FindLocked(directory);
    if (request == nullptr) return 0;
    for (const Item& item : request->items) {
        if (name != item.entry.cFileName) continue;
        if (thumbnail != nullptr) *thumbnail = item.state == kPreviewDone ? item.thumbnail : nullptr;
        return item.state;
    }
    return 0;
}

void PreviewQueue::Pause(const std::function<bool()>& stuck) {
    std::unique_lock<KernelMutex> hold(m_lock);
    // The pass in hand sees the wish and stops after its current picture.
    ++m_pausePending;
    // Waiting in steps keeps a pass that never signals from hanging the window thread.
    while (m_busy) {
        hold.unlock();
        // Asked without the lock: the answer may be a message box.
        const bool gaveUp = stuck && stuck();
        if (!gaveUp) ::WaitForSingleObject(m_completeEvent.Get(), 10);
        hold.lock();
        if (gaveUp) break;
    }
    --m_pausePending;
    ++m_pauseCount;
}

void PreviewQueue::Resume() {
    const std::lock_guard<KernelMutex> hold(m_lock);
    if (m_pauseCount > 0 && --m_pauseCount == 0) WakeLocked();
}

void PreviewQueue::Quit() {
    m_quit = true;
    const std::lock_guard<KernelMutex> hold(m_lock);
    WakeLocked();
}

bool PreviewQueue::WaitForWork(DWORD ms) {
    // A wake meant for us may be taken by a second copy's loader on the same
    // named event: the own flag is the truth, the event only cuts the wait short.
    constexpr DWORD kRecheck = 1000;
    const ULONGLONG start = ::GetTickCount64();
    while (!m_wake.exchange(false)) {
        DWORD step = kRecheck;
        if (ms != INFINITE) {
            const ULONGLONG spent = ::GetTickCount64() - start;
            if (spent >= ms) return false;
            step = static_cast<DWORD>(std::min<ULONGLONG>(ms - spent, kRecheck));
        }
        ::WaitForSingleObject(m_wakeEvent.Get(), step);
    }
    return true;
}

bool PreviewQueue::RunPass(IThumbnailMaker& maker, const std::function<void()>& itemDone) {
    std::unique_lock<KernelMutex> hold(m_lock);
    if (m_pauseCount > 0) return false;
    m_busy = true;
    const std::uint64_t started = m_generation;
    bool stopped = false;
    // Requests may be added or dropped while the lock is released; they are
    // found again by directory, and a newer generation ends the pass so that
    // the newest request goes first.
    for (size_t r = 0; r < m_requests.size() && !stopped; ++r) {
        const std::wstring directory = m_requests[r].directory;
        for (size_t i = 0;; ++i) {
            if (m_quit || m_pauseCount > 0 || m_pausePending > 0 || m_generation != started) {
                stopped = true;
                break;
            }
            Request* request = FindLocked(directory);
            if (request == nullptr || i >= request->items.size()) break;
            Item& item = request->items[i];
            if (item.state != kPreviewWaiting) continue;
            item.state = kPreviewMaking;
            const FileEntry entry = item.entry;
            hold.unlock();
            auto thumbnail = std::make_shared<StructThumbnail>();
            bool made = false;
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                made = maker.Make(JoinPath(directory, entry.cFileName), entry, *thumbnail);
            hold.lock();
            // The request may have been refreshed meanwhile: the item is found by name again.
            if (Request* again = FindLocked(directory)) {
                for (Item& now : again->items) {
                    if (now.state != kPreviewMaking || std::wstring_view(now.entry.cFileName) != entry.cFileName)
                        continue;
                    now.state = made ? kPreviewDone : kPreviewFailed;
                    if (made) {
                        now.thumbnail = std::move(thumbnail);
                        ++again->count;
                    }
                    break;
                }
            }
            if (itemDone) {
                hold.unlock();
                itemDone();
                hold.lock();
            }
        }
    }
    m_busy = false;
    ::SetEvent(m_completeEvent.Get());
    return stopped;
}

size_t PreviewQueue::RequestCount() const {
    const std::lock_guard<KernelMutex> hold(m_lock);
    return m_requests.size();
}

std::vector<std::wstring> PreviewQueue::RequestDirectories() const {
    const std::lock_guard<KernelMutex> hold(m_lock);
    std::vector<std::wstring> dirs;
    for (const Request& r : m_requests) dirs.push_back(r.directory);
    return dirs;
}

bool PreviewQueue::Busy() const {
    const std::lock_guard<KernelMutex> hold(m_lock);
    return m_busy;
}

std::uint64_t PreviewQueue::Generation() const {
    const std::lock_guard<KernelMutex> hold(m_lock);
    return m_generation;
}

}  // namespace zq
