// The program calls these only as a 32-bit process on 64-bit Windows; the
// platform functions are looked up because older systems lack them.
#include "ZqDll.h"

namespace {

template <typename Fn>
Fn Kernel32Function(const char* name) {
    return reinterpret_cast<Fn>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), name));
}

}  // namespace

extern "C" BOOL WINAPI DisableWow64FsRedirection(PVOID* oldValue) {
    static const auto fn = Kernel32Function<PFN_DisableWow64FsRedirection>("Wow64DisableWow64FsRedirection");
    return fn ? fn(oldValue) : FALSE;
}

extern "C" BOOL WINAPI RevertWow64FsRedirection(PVOID oldValue) {
    static const auto fn = Kernel32Function<PFN_RevertWow64FsRedirection>("Wow64RevertWow64FsRedirection");
    return fn ? fn(oldValue) : FALSE;
}
