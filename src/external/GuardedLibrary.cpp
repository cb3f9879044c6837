#include "external/GuardedLibrary.h"

#include "common/TextConv.h"

namespace zq {

GuardedLibrary::GuardedLibrary(const std::wstring& path) {
    // The library's folder is searched for what it needs itself, as the
    // library's author expects; its start-up code may crash like any call.
    // A library on a drive that is not ready must fail the load, not stop the
    // program with the system's question.
    HMODULE module = nullptr;
    DWORD oldMode = 0;
    const bool modeSet = ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode) != FALSE;
    if (GuardedCall([&] { module = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH); }))
        m_module.Reset(module);
    if (modeSet) ::SetThreadErrorMode(oldMode, nullptr);
}

GuardedLibrary::~GuardedLibrary() {
    Free();
}

GuardedLibrary& GuardedLibrary::operator=(GuardedLibrary&& other) noexcept {
    if (this != &other) {
        Free();
        m_module = std::move(other.m_module);
    }
    return *this;
}

void GuardedLibrary::Free() noexcept {
    if (!m_module) return;
    // Its clean-up code runs here and may crash too.  After a crash the
    // module may stay mapped; that is a leak, not a second chance to crash.
    const HMODULE module = m_module.Release();
    static_cast<void>(GuardedCall([module] { ::FreeLibrary(module); }));
}

FARPROC GuardedLibrary::Address(const char* name) const noexcept {
    return m_module ? ::GetProcAddress(m_module.Get(), name) : nullptr;
}

std::optional<std::string> AnsiText(std::wstring_view text) {
    if (text.empty()) return std::string();
    BOOL lossy = FALSE;
    const int length = static_cast<int>(text.size());
    const int size =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr, &lossy);
    if (size <= 0 || lossy) return std::nullopt;
    std::string bytes(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::wstring FromAnsi(const char* buffer, size_t capacity) {
    size_t length = 0;
    while (length < capacity && buffer[length] != '\0') ++length;
    return ToWide(std::string_view(buffer, length));
}

}  // namespace zq
