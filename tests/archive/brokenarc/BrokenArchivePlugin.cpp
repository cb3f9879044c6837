// A Susie archive plug-in that misbehaves on purpose, for the host's guard:
// it claims every "*.brk", lists one member, and faults in GetArchiveInfo for
// a file whose name contains "crash" and in GetFile always.
#include <windows.h>

#include <cstring>

#include "picture/SusieApi.h"

using namespace zq::susie;

extern "C" {

__declspec(dllexport) int GetPluginInfo(int infono, LPSTR buf, int buflen) {
    const char* text = infono == 0 ? "00AM" : infono == 2 ? "*.brk" : infono == 3 ? "broken archive" : nullptr;
    if (!text || buflen <= static_cast<int>(std::strlen(text))) return 0;
    std::strcpy(buf, text);
    return static_cast<int>(std::strlen(text));
}

__declspec(dllexport) int IsSupported(LPCSTR, void*) {
    return 1;
}

__declspec(dllexport) int GetArchiveInfo(LPCSTR buf, LONG_PTR, unsigned int, HLOCAL* lphInf) {
    if (std::strstr(buf, "crash")) *static_cast<volatile int*>(nullptr) = 1;
    HLOCAL list = ::LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, 2 * sizeof(FileInfo));
    auto* entries = static_cast<FileInfo*>(::LocalLock(list));
    std::memcpy(entries[0].method, "-brk-", 5);
    entries[0].position = 0;
    entries[0].filesize = entries[0].compsize = 6;
    std::strcpy(entries[0].filename, "member.txt");
    ::LocalUnlock(list);
    *lphInf = list;
    return kOk;
}

__declspec(dllexport) int GetFile(LPCSTR, LONG_PTR, LPSTR, unsigned int, ProgressCallback, LONG_PTR) {
    *static_cast<volatile int*>(nullptr) = 1;
    return kOk;
}

}  // extern "C"
