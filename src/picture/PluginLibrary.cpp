#include "picture/PluginLibrary.h"

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

}  // namespace zq
