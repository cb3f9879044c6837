#include "picture/PluginLibrary.h"

#include "common/Paths.h"

namespace zq {

PluginLibrary::PluginLibrary(const std::wstring& path) {
    HMODULE module = nullptr;
    DWORD oldMode = 0;
    const bool modeSet = ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode) != FALSE;
    const DWORD search = LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32;
    if (GuardedCall([&] { module = ::LoadLibraryExW(path.c_str(), nullptr, search); })) m_module.Reset(module);
    if (modeSet) ::SetThreadErrorMode(oldMode, nullptr);
    ::_fpreset();
}

PluginLibrary::~PluginLibrary() {
    if (!m_module) return;
    // Its clean-up code may crash too; a module left mapped after that is a leak, not a second crash.
    const HMODULE module = m_module.Release();
    static_cast<void>(GuardedCall([module] { ::FreeLibrary(module); }));
    ::_fpreset();
}

FARPROC PluginLibrary::Address(const char* name) const noexcept {
    return m_module ? ::GetProcAddress(m_module.Get(), name) : nullptr;
}

WORD PeMachine(const std::wstring& path) {
    const UniqueFile file(::CreateFileW(PlatformPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return 0;
    const auto readAt = [&](LONG at, void* into, DWORD size) {
        DWORD read = 0;
        return ::SetFilePointer(file.Get(), at, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
               ::ReadFile(file.Get(), into, size, &read, nullptr) && read == size;
    };
    IMAGE_DOS_HEADER dos{};
    if (!readAt(0, &dos, sizeof dos) || dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew <= 0 ||
        dos.e_lfanew > (1 << 20))
        return 0;
    struct {
        DWORD signature;
        WORD machine;
    } pe{};
    if (!readAt(dos.e_lfanew, &pe, 6) || pe.signature != IMAGE_NT_SIGNATURE) return 0;
    return pe.machine;
}

}  // namespace zq
