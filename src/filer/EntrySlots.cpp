#include "filer/EntrySlots.h"

#include <windows.h>

#include <cstring>

namespace zq {

namespace {

// Four million entries (about 2.4 GB of address space, nothing of it
// committed until used) covers any real folder; a larger one moves once.
constexpr size_t kReserveSlots = 4u * 1024u * 1024u;

}  // namespace

EntrySlots::~EntrySlots() {
    Release();
}

void EntrySlots::Release() noexcept {
    if (m_slots) ::VirtualFree(m_slots, 0, MEM_RELEASE);
    m_slots = nullptr;
    m_capacity = m_reserved = 0;
}

bool EntrySlots::Grow(size_t capacity) {
    if (capacity <= m_capacity) return true;
    if (capacity > m_reserved) {
        const size_t reserve = capacity > kReserveSlots ? capacity * 2 : kReserveSlots;
        auto* fresh =
            static_cast<FileEntry*>(::VirtualAlloc(nullptr, reserve * sizeof(FileEntry), MEM_RESERVE, PAGE_READWRITE));
        if (!fresh) return false;
        if (!::VirtualAlloc(fresh, capacity * sizeof(FileEntry), MEM_COMMIT, PAGE_READWRITE)) {
            ::VirtualFree(fresh, 0, MEM_RELEASE);
            return false;
        }
        if (m_slots) std::memcpy(fresh, m_slots, m_capacity * sizeof(FileEntry));
        Release();
        m_slots = fresh;
        m_reserved = reserve;
        m_capacity = capacity;
        return true;
    }
    if (!::VirtualAlloc(m_slots, capacity * sizeof(FileEntry), MEM_COMMIT, PAGE_READWRITE)) return false;
    m_capacity = capacity;
    return true;
}

}  // namespace zq
