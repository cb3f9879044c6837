#pragma once
// Most-recent-first list of strings with a fixed number of slots, the shape of
// every history the program keeps (directories, search strings, commands).
// Pushing an entry that is already present (compared ignoring case) moves it to
// the front; otherwise it is inserted at the front and the oldest entry falls
// out when the list is full.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zq {

class MruList {
  public:
    explicit MruList(size_t capacity = 0) : m_capacity(capacity) {}

    // Empty strings are not entries: an empty slot in a saved history must not
    // push real entries out when the list is read back.
    void Push(std::wstring_view item);
    // Changes the number of slots; the oldest entries fall out when it shrinks.
    void Resize(size_t capacity);
    void Remove(size_t index);
    void Clear() { m_items.clear(); }

    [[nodiscard]] size_t Capacity() const noexcept { return m_capacity; }
    [[nodiscard]] size_t Size() const noexcept { return m_items.size(); }
    [[nodiscard]] bool Empty() const noexcept { return m_items.empty(); }
    // Slot i, 0 the most recent; an empty string for a slot not in use.
    [[nodiscard]] std::wstring_view Get(size_t index) const noexcept;
    [[nodiscard]] const std::vector<std::wstring>& Items() const noexcept { return m_items; }

    bool operator==(const MruList&) const = default;

  private:
    size_t m_capacity;
    std::vector<std::wstring> m_items;  // most recent first, never more than m_capacity
};

}  // namespace zq
