#include "app/ProcessShared.h"

#include <cstring>

namespace zq {

bool ProcessShared::Open() {
    m_message = ::RegisterWindowMessageW(kMessageName);
    m_mapping.Reset(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                         static_cast<DWORD>(kBlockBytes), m_blockName.c_str()));
    if (!m_mapping) return false;
    m_view.Reset(::MapViewOfFile(m_mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
    return static_cast<bool>(m_view);
}

void ProcessShared::WriteStartDirectories(const std::vector<std::wstring>& paths) {
    if (!m_view) return;
    auto* slots = static_cast<wchar_t*>(m_view.Get());
    for (size_t slot = 0; slot < 2; ++slot) {
        wchar_t* target = slots + slot * kSlotUnits;
        std::memset(target, 0, kSlotUnits * sizeof(wchar_t));
        if (slot < paths.size()) paths[slot].copy(target, kSlotUnits - 1);
    }
}

std::wstring ProcessShared::ReadSlot(int slot) const {
    if (!m_view || slot < 0 || slot > 1) return {};
    const auto* start = static_cast<const wchar_t*>(m_view.Get()) + static_cast<size_t>(slot) * kSlotUnits;
    return std::wstring(start, wcsnlen(start, kSlotUnits));
}

bool ProcessShared::IsZqTitle(const std::wstring& title) {
    static const std::wstring kEnding = L" - zq";
    return title.size() > kEnding.size() && title.compare(title.size() - kEnding.size(), kEnding.size(), kEnding) == 0;
}

namespace {
BOOL CALLBACK WakeZqWindow(HWND hWnd, LPARAM message) {
    wchar_t title[512] = {};
    ::GetWindowTextW(hWnd, title, 512);
    if (!ProcessShared::IsZqTitle(title)) return TRUE;
    HWND target = hWnd;
    ::SetForegroundWindow(target);
    if (HWND owner = ::GetWindow(target, GW_OWNER)) target = owner;
    if (::IsIconic(target)) ::SendMessageW(target, WM_SYSCOMMAND, SC_RESTORE, 0);
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(target, static_cast<UINT>(message), 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    return TRUE;
}
}  // namespace

ProcessShared::TwinResult ProcessShared::CheckTwin(int disableTwin) {
    UniqueHandle existing(::OpenMutexW(MUTEX_ALL_ACCESS, FALSE, m_mutexName.c_str()));
    if (!existing) {
        m_twin.Reset(::CreateMutexW(nullptr, FALSE, m_mutexName.c_str()));
        return TwinResult::First;
    }
    if (disableTwin == 0) return TwinResult::Beside;
    ::EnumWindows(WakeZqWindow, static_cast<LPARAM>(m_message));
    return TwinResult::HandedOver;
}

}  // namespace zq
