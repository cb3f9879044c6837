// A Susie image plug-in that misbehaves on purpose, for the host's guard: it
// claims every "*.png", and its GetPicture crashes for a name that contains
// "crash" and otherwise hands back a header that promises more bits than it gives.
#include <windows.h>

#include <cstring>

#include "picture/SusieApi.h"

using namespace zq::susie;

extern "C" {

__declspec(dllexport) int GetPluginInfo(int infono, LPSTR buf, int buflen) {
    const char* text = infono == 0 ? "00IN" : infono == 2 ? "*.png" : infono == 3 ? "broken" : nullptr;
    if (!text || buflen < 8) return 0;
    std::strcpy(buf, text);
    return static_cast<int>(std::strlen(text));
}

__declspec(dllexport) int IsSupported(LPCSTR, void*) {
    return 1;
}

__declspec(dllexport) int GetPicture(LPCSTR buf, LONG_PTR, unsigned int, HLOCAL* pHBInfo, HLOCAL* pHBm,
                                     ProgressCallback, LONG_PTR) {
    if (std::strstr(buf, "crash")) *static_cast<volatile int*>(nullptr) = 1;
    HLOCAL info = ::LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, sizeof(BITMAPINFOHEADER));
    auto* header = static_cast<BITMAPINFOHEADER*>(::LocalLock(info));
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = 1000;
    header->biHeight = 1000;
    header->biPlanes = 1;
    header->biBitCount = 24;
    ::LocalUnlock(info);
    *pHBInfo = info;
    *pHBm = ::LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, 64);
    return kOk;
}

}  // extern "C"
