#include "fileops/SyncProgress.h"

namespace zq::fileops {

void SyncProgress::ShowLine(size_t index, const std::wstring& text) {
    std::lock_guard<std::mutex> hold(m_lineLock);
    m_lines.emplace_back(index, text);
}

std::vector<std::pair<size_t, std::wstring>> SyncProgress::TakeLines() {
    std::lock_guard<std::mutex> hold(m_lineLock);
    return std::exchange(m_lines, {});
}

}  // namespace zq::fileops
