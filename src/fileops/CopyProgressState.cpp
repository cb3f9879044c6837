#include "fileops/CopyProgressState.h"

#include <utility>

namespace zq::fileops {

void CopyProgressState::SetText(ProgressField field, const std::wstring& text) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_changed[field] = text;
}

void CopyProgressState::SetBar(int percent) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_bar = percent;
}

void CopyProgressState::Running(bool minimize) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_running = true;
    m_minimize = minimize;
}

std::map<ProgressField, std::wstring> CopyProgressState::TakeChanges(int& bar, bool& runningNow, bool& minimize) {
    std::lock_guard<std::mutex> hold(m_lock);
    bar = m_bar;
    runningNow = m_running && !m_runningReported;
    if (runningNow) m_runningReported = true;
    minimize = m_minimize;
    return std::exchange(m_changed, {});
}

}  // namespace zq::fileops
