#include "filer/DirectoryChangeWatch.h"

namespace zq {

bool DirectoryChangeWatch::Open(const std::wstring& path) {
    // "C:" alone names the current directory of drive C, not its root.
    std::wstring watched = path;
    if (watched.size() == 2 && watched[1] == L':') watched += L'\\';
    m_handle.Reset(::FindFirstChangeNotificationW(watched.c_str(), FALSE, kFilter));
    return m_handle.Valid();
}

DirectoryChangeWatch::State DirectoryChangeWatch::Poll(unsigned waitMs) {
    if (!m_handle.Valid()) return State::None;
    if (::WaitForSingleObject(m_handle.Get(), waitMs) != WAIT_OBJECT_0) return State::Quiet;
    if (!::FindNextChangeNotification(m_handle.Get())) m_handle.Reset();
    return State::Fired;
}

}  // namespace zq
