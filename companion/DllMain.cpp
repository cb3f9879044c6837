#include <windows.h>

#include "DllModule.h"

namespace zq::companion {

HINSTANCE g_module = nullptr;

}  // namespace zq::companion

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        zq::companion::g_module = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
