// zqspi32.exe: serves 32-bit Susie plug-ins to zq.exe, which starts it with
// the base name of its control block, events and its own process id:
//
//     zqspi32.exe Local\zqspi32-1234-1 1234
//
// A plug-in that faults ends this process at once, with no dialog; the
// program sees the end and starts another for its next call.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "picture/Spi32Server.h"

namespace {

LONG WINAPI EndAtOnce(EXCEPTION_POINTERS* info) {
    ::TerminateProcess(::GetCurrentProcess(), info && info->ExceptionRecord ? info->ExceptionRecord->ExceptionCode : 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

// The program's end also ends the wait below; the limit only keeps each wait bounded.
constexpr DWORD kIdleCheck = 30000;

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace zq::spi32;
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    ::SetUnhandledExceptionFilter(EndAtOnce);
    if (argc < 3) return 2;
    const std::wstring base = argv[1];
    const auto parentId = static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10));
    const HANDLE parent = ::OpenProcess(SYNCHRONIZE, FALSE, parentId);
    const HANDLE request = ::OpenEventW(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, RequestEventName(base).c_str());
    const HANDLE answer = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, AnswerEventName(base).c_str());
    SharedBlock control;
    if (parent == nullptr || request == nullptr || answer == nullptr || !control.Open(ControlName(base)) ||
        control.Size() < sizeof(Control))
        return 3;
    auto& block = *static_cast<Control*>(control.Data());
    Spi32Server server(base + L"-o" + std::to_wstring(::GetCurrentProcessId()) + L"-");
    // The first answer says the helper is ready.
    ::SetEvent(answer);
    const HANDLE waits[] = {request, parent};
    for (;;) {
        const DWORD woke = ::WaitForMultipleObjects(2, waits, FALSE, kIdleCheck);
        if (woke == WAIT_TIMEOUT) continue;
        if (woke != WAIT_OBJECT_0) break;
        const bool more = server.Serve(block);
        ::SetEvent(answer);
        if (!more) break;
    }
    return 0;
}
