#pragma once
// The pane's FileEntry slots.  Address space for a large listing is reserved
// once and committed step by step, so growing never copies the slots already
// filled and new slots arrive zeroed from the system without being touched.
#include <cstddef>

#include "filer/FileEntry.h"

namespace zq {

class EntrySlots {
  public:
    EntrySlots() = default;
    ~EntrySlots();
    EntrySlots(const EntrySlots&) = delete;
    EntrySlots& operator=(const EntrySlots&) = delete;

    // Grows to `capacity` slots (never shrinks); false when memory runs out.
    [[nodiscard]] bool Grow(size_t capacity);
    [[nodiscard]] size_t size() const noexcept { return m_capacity; }
    [[nodiscard]] FileEntry* data() noexcept { return m_slots; }
    [[nodiscard]] const FileEntry* data() const noexcept { return m_slots; }
    FileEntry& operator[](size_t i) noexcept { return m_slots[i]; }
    const FileEntry& operator[](size_t i) const noexcept { return m_slots[i]; }

  private:
    void Release() noexcept;
    FileEntry* m_slots = nullptr;
    size_t m_capacity = 0;  // slots committed
    size_t m_reserved = 0;  // slots of address space reserved
};

}  // namespace zq
