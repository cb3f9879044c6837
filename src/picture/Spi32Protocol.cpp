#include "picture/Spi32Protocol.h"

namespace zq::spi32 {

bool SharedBlock::Create(const std::wstring& name, size_t size) {
    Close();
    const auto wide = static_cast<unsigned long long>(size);
    ::SetLastError(ERROR_SUCCESS);
    m_section = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, static_cast<DWORD>(wide >> 32),
                                     static_cast<DWORD>(wide), name.c_str());
    // A section left by a helper that died under the same name has the old size: not ours.
    if (m_section != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS) Close();
    if (m_section == nullptr) return false;
    m_name = name;
    return Map();
}

bool SharedBlock::Open(const std::wstring& name) {
    Close();
    m_section = ::OpenFileMappingW(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, name.c_str());
    if (m_section == nullptr) return false;
    m_name = name;
    return Map();
}

bool SharedBlock::Map() {
    m_view = ::MapViewOfFile(m_section, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0);
    MEMORY_BASIC_INFORMATION region{};
    if (m_view == nullptr || ::VirtualQuery(m_view, &region, sizeof region) == 0) {
        Close();
        return false;
    }
    m_size = region.RegionSize;
    return true;
}

void SharedBlock::Close() noexcept {
    if (m_view != nullptr) ::UnmapViewOfFile(m_view);
    if (m_section != nullptr) ::CloseHandle(m_section);
    m_view = nullptr;
    m_section = nullptr;
    m_size = 0;
    m_name.clear();
}

bool GrowBlock(SharedBlock& block, const std::wstring& prefix, size_t size, uint32_t& generation) {
    if (block.Data() != nullptr && block.Size() >= size) return true;
    // Room to grow into, so that a run of slightly larger pictures does not make a section each.
    const size_t want = size < (size_t{1} << 20) ? (size_t{1} << 20) : size + size / 4;
    return block.Create(prefix + std::to_wstring(++generation), want);
}

}  // namespace zq::spi32
