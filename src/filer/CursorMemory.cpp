#include "filer/CursorMemory.h"

#include "filer/FilerPath.h"

#include <windows.h>

#include <algorithm>

namespace zq {

void CursorMemory::Resize(int capacity) {
    m_items.resize(static_cast<size_t>(std::max(capacity, 0)));
}

int CursorMemory::IndexOf(const std::wstring& path) const {
    if (path.empty()) return -1;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (SamePathIgnoringCase(m_items[i].path, path)) return static_cast<int>(i);
    return -1;
}

void CursorMemory::Remember(const std::wstring& path, const std::wstring& name) {
    if (m_items.empty() || path.empty()) return;
    int index = IndexOf(path);
    if (index < 0) index = static_cast<int>(m_items.size()) - 1;  // the oldest falls off
    std::rotate(m_items.begin(), m_items.begin() + index, m_items.begin() + index + 1);
    m_items[0] = Item{path, name};
}

void CursorMemory::Forget(const std::wstring& path) {
    const int index = IndexOf(path);
    if (index < 0) return;
    m_items.erase(m_items.begin() + index);
    m_items.emplace_back();
}

const std::wstring* CursorMemory::Find(const std::wstring& path) const {
    const int index = IndexOf(path);
    return index < 0 ? nullptr : &m_items[static_cast<size_t>(index)].name;
}

void CursorMemory::SetItem(int index, Item item) {
    if (index >= 0 && static_cast<size_t>(index) < m_items.size())
        m_items[static_cast<size_t>(index)] = std::move(item);
}

}  // namespace zq
