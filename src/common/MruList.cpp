#include "common/MruList.h"
#include "common/Paths.h"

#include <windows.h>

namespace zq {

void MruList::Push(std::wstring_view item) {
    if (item.empty() || m_capacity == 0) return;
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (SameIgnoringCase(m_items[i], item)) {
            // The spelling of the newer push wins: it is what the user typed last.
            std::wstring moved(item);
            m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(i));
            m_items.insert(m_items.begin(), std::move(moved));
            return;
        }
    }
    if (m_items.size() >= m_capacity) m_items.pop_back();
    m_items.insert(m_items.begin(), std::wstring(item));
}

void MruList::Resize(size_t capacity) {
    m_capacity = capacity;
    if (m_items.size() > capacity) m_items.resize(capacity);
}

void MruList::Remove(size_t index) {
    if (index < m_items.size()) m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
}

std::wstring_view MruList::Get(size_t index) const noexcept {
    return index < m_items.size() ? std::wstring_view(m_items[index]) : std::wstring_view();
}

}  // namespace zq
