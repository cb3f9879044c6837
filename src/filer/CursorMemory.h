#pragma once
// The remembered cursor name per directory (most recent first), kept when
// SAVECURSORPOSITION is on.
#include <string>
#include <vector>

namespace zq {

class CursorMemory {
  public:
    struct Item {
        std::wstring path;
        std::wstring name;
    };

    explicit CursorMemory(int capacity = 30) { Resize(capacity); }
    // SUMSAVECURPOS changed: keeps the most recent entries.
    void Resize(int capacity);
    // An entry for the same path (ignoring case) moves to the front with the
    // new name; otherwise a new one goes to the front and the oldest falls off.
    void Remember(const std::wstring& path, const std::wstring& name);
    void Forget(const std::wstring& path);
    // The remembered name, or nullptr.
    [[nodiscard]] const std::wstring* Find(const std::wstring& path) const;
    // For loading and saving: slots in order, empty paths are unused.
    [[nodiscard]] const std::vector<Item>& Items() const noexcept { return m_items; }
    void SetItem(int index, Item item);

  private:
    int IndexOf(const std::wstring& path) const;
    std::vector<Item> m_items;
};

}  // namespace zq
