#include "filer/DirectoryChangeWatch.h"

#include "filer/FilerPath.h"

namespace zq {

bool DirectoryChangeWatch::Open(const std::wstring& path) {
    m_handle.Reset(::FindFirstChangeNotificationW(WithRootSlash(path).c_str(), FALSE, kFilter));
    return m_handle.Valid();
}

DirectoryChangeWatch::State DirectoryChangeWatch::Poll(unsigned waitMs) {
    if (!m_handle.Valid()) return State::None;
    if (::WaitForSingleObject(m_handle.Get(), waitMs) != WAIT_OBJECT_0) return State::Quiet;
    if (!::FindNextChangeNotification(m_handle.Get())) m_handle.Reset();
    return State::Fired;
}

}  // namespace zq
