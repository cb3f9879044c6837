#pragma once
// Owners for operating-system handles.  Every handle, find handle, module, GDI
// object and local-memory block the program holds is in one of these, so
// nothing is released twice or forgotten on an early return.
#include <windows.h>

#include <utility>

namespace zq {

template <typename T, typename Traits>
class UniqueResource {
  public:
    UniqueResource() noexcept = default;
    explicit UniqueResource(T value) noexcept : m_value(value) {}
    ~UniqueResource() { Reset(); }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : m_value(other.Release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    [[nodiscard]] T Get() const noexcept { return m_value; }
    [[nodiscard]] bool Valid() const noexcept { return Traits::IsValid(m_value); }
    explicit operator bool() const noexcept { return Valid(); }
    [[nodiscard]] T Release() noexcept { return std::exchange(m_value, Traits::Invalid()); }
    void Reset(T value = Traits::Invalid()) noexcept {
        if (Traits::IsValid(m_value)) Traits::Close(m_value);
        m_value = value;
    }
    // For out-parameters of API calls: releases the current value first.
    T* Put() noexcept {
        Reset();
        return &m_value;
    }

  private:
    T m_value = Traits::Invalid();
};

struct KernelHandleTraits {  // CreateFile and friends: INVALID_HANDLE_VALUE means none
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) noexcept { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
struct FindHandleTraits {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) noexcept { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(HANDLE h) noexcept { ::FindClose(h); }
};
struct ChangeNotificationTraits {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) noexcept { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(HANDLE h) noexcept { ::FindCloseChangeNotification(h); }
};
struct ModuleTraits {
    static HMODULE Invalid() noexcept { return nullptr; }
    static bool IsValid(HMODULE h) noexcept { return h != nullptr; }
    static void Close(HMODULE h) noexcept { ::FreeLibrary(h); }
};
struct GdiObjectTraits {
    static HGDIOBJ Invalid() noexcept { return nullptr; }
    static bool IsValid(HGDIOBJ h) noexcept { return h != nullptr; }
    static void Close(HGDIOBJ h) noexcept { ::DeleteObject(h); }
};
struct LocalMemoryTraits {
    static HLOCAL Invalid() noexcept { return nullptr; }
    static bool IsValid(HLOCAL h) noexcept { return h != nullptr; }
    static void Close(HLOCAL h) noexcept { ::LocalFree(h); }
};
struct GlobalMemoryTraits {
    static HGLOBAL Invalid() noexcept { return nullptr; }
    static bool IsValid(HGLOBAL h) noexcept { return h != nullptr; }
    static void Close(HGLOBAL h) noexcept { ::GlobalFree(h); }
};
struct MenuTraits {
    static HMENU Invalid() noexcept { return nullptr; }
    static bool IsValid(HMENU h) noexcept { return h != nullptr; }
    static void Close(HMENU h) noexcept { ::DestroyMenu(h); }
};
struct MappedViewTraits {
    static void* Invalid() noexcept { return nullptr; }
    static bool IsValid(void* p) noexcept { return p != nullptr; }
    static void Close(void* p) noexcept { ::UnmapViewOfFile(p); }
};

// Mutexes, events, threads, file mappings: nullptr means none.
struct NullHandleTraits {
    static HANDLE Invalid() noexcept { return nullptr; }
    static bool IsValid(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};

using UniqueFile = UniqueResource<HANDLE, KernelHandleTraits>;
using UniqueHandle = UniqueResource<HANDLE, NullHandleTraits>;
using UniqueFind = UniqueResource<HANDLE, FindHandleTraits>;
using UniqueChangeNotification = UniqueResource<HANDLE, ChangeNotificationTraits>;
using UniqueModule = UniqueResource<HMODULE, ModuleTraits>;
using UniqueGdiObject = UniqueResource<HGDIOBJ, GdiObjectTraits>;
using UniqueLocal = UniqueResource<HLOCAL, LocalMemoryTraits>;
using UniqueGlobal = UniqueResource<HGLOBAL, GlobalMemoryTraits>;
using UniqueMenu = UniqueResource<HMENU, MenuTraits>;
using UniqueMappedView = UniqueResource<void*, MappedViewTraits>;

// A failed call: its name and the GetLastError() taken right at the failure.
struct Win32Error {
    const wchar_t* call = nullptr;
    DWORD code = 0;
    [[nodiscard]] bool Failed() const noexcept { return call != nullptr; }
};

}  // namespace zq
