// A companion library that crashes in every function, with the program's call
// forms: the program must survive each call and treat it as "nothing happened".
#include "../../companion/ZqDll.h"

namespace {

int* volatile g_null = nullptr;
volatile int g_zero = 0;

}  // namespace

extern "C" int WINAPI ZqGetCplAllData(StructZqCplData*, int, BOOL, StructZqCplContext*) {
    return *g_null;
}

extern "C" BOOL WINAPI OnSetNonLoadCpl(StructZqCplContext*) {
    return 1 / g_zero;
}

extern "C" BOOL WINAPI SetToTaskTray(HWND, int, UINT) {
    *g_null = 1;
    return TRUE;
}

extern "C" BOOL WINAPI ReleaseToTaskTray(void) {
    auto fn = reinterpret_cast<BOOL(WINAPI*)(void)>(reinterpret_cast<uintptr_t>(g_null));
    return fn();
}

extern "C" BOOL WINAPI ZqDirTreeDlg(StructZqDirTreeRequest* request) {
    request->Directory[0] = L'X';  // half an answer, then the fault
    return *g_null;
}

// Leaves a count behind that no list has, then faults.
extern "C" int WINAPI OnLancher(StructZqLauncherRequest* request) {
    request->Count = 5000;
    return *g_null;
}
