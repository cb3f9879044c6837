#include "common/Guard.h"

#include <setjmp.h>

namespace zq {
namespace {

bool IsHardwareFault(DWORD code) noexcept {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION:
        case EXCEPTION_IN_PAGE_ERROR:
        case EXCEPTION_DATATYPE_MISALIGNMENT:
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        case EXCEPTION_ILLEGAL_INSTRUCTION:
        case EXCEPTION_PRIV_INSTRUCTION:
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
        case EXCEPTION_INT_OVERFLOW:
        case EXCEPTION_FLT_DENORMAL_OPERAND:
        case EXCEPTION_FLT_DIVIDE_BY_ZERO:
        case EXCEPTION_FLT_INEXACT_RESULT:
        case EXCEPTION_FLT_INVALID_OPERATION:
        case EXCEPTION_FLT_OVERFLOW:
        case EXCEPTION_FLT_STACK_CHECK:
        case EXCEPTION_FLT_UNDERFLOW:
            return true;
        default:
            return false;
    }
}

// A C++ exception leaving the callable is a failure of the call like any other;
// it must not travel on through the caller.
bool RunCatchingCxx(const std::function<void()>& fn) noexcept {
    try {
        fn();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace

#if defined(_MSC_VER)

namespace {

int FaultFilter(EXCEPTION_POINTERS* info, GuardFault* out) noexcept {
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    if (!IsHardwareFault(code)) return EXCEPTION_CONTINUE_SEARCH;
    out->code = code;
    out->address = info->ExceptionRecord->ExceptionAddress;
    return EXCEPTION_EXECUTE_HANDLER;
}

// Kept free of objects with destructors, as structured exception handling requires.
bool RunStructured(const std::function<void()>& fn, GuardFault* out) noexcept {
    __try {
        return RunCatchingCxx(fn);
    } __except (FaultFilter(GetExceptionInformation(), out)) {
        return false;
    }
}

}  // namespace

bool GuardedCall(const std::function<void()>& fn, GuardFault* fault) noexcept {
    GuardFault seen;
    const bool ok = RunStructured(fn, &seen);
    if (!ok && fault) *fault = seen;
    return ok;
}

#else

// GCC has no structured exception handling of its own.  A vectored handler sees
// every fault of the process first; it acts only on a thread that is inside a
// guard, and there it sends the thread back to the guard's jump point.
//
// The handler does not jump from inside the exception dispatch: it rewrites the
// faulting context so that, when the dispatcher resumes the thread, the thread
// enters ResumeAtGuard on a fresh piece of its own stack and jumps from there.
// The jump point is taken without a frame, so the jump restores registers only
// and does not unwind through the library's frames, whose unwind data we cannot
// trust after a crash.

namespace {

struct GuardFrame {
    jmp_buf jump;
    GuardFrame* outer = nullptr;
    GuardFault fault;
};

// Plain Win32 thread-local storage: the compiler's thread_local may allocate on
// a thread's first use, which must not happen inside an exception handler.
DWORD g_tlsIndex = TLS_OUT_OF_INDEXES;

GuardFrame* Innermost() noexcept {
    const DWORD lastError = ::GetLastError();  // TlsGetValue clears it; the faulting code may rely on it
    auto* frame = static_cast<GuardFrame*>(::TlsGetValue(g_tlsIndex));
    ::SetLastError(lastError);
    return frame;
}

[[noreturn]] void ResumeAtGuard() noexcept {
    longjmp(Innermost()->jump, 1);
}

LONG CALLBACK FaultHandler(EXCEPTION_POINTERS* info) {
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    if (!IsHardwareFault(code)) return EXCEPTION_CONTINUE_SEARCH;
    GuardFrame* frame = Innermost();
    if (frame == nullptr) return EXCEPTION_CONTINUE_SEARCH;
    frame->fault.code = code;
    frame->fault.address = info->ExceptionRecord->ExceptionAddress;

    CONTEXT* context = info->ContextRecord;
    // Below whatever the faulting code had on its stack, aligned as right after a call.
#if defined(_M_X64) || defined(__x86_64__)
    context->Rsp = ((context->Rsp - 512) & ~DWORD64{15}) - 8;
    context->Rip = reinterpret_cast<DWORD64>(&ResumeAtGuard);
#elif defined(_M_IX86) || defined(__i386__)
    context->Esp = ((context->Esp - 512) & ~DWORD{15}) - 4;
    context->Eip = reinterpret_cast<DWORD>(&ResumeAtGuard);
#else
#error "GuardedCall: no context rewrite for this processor"
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
}

bool InstallHandler() noexcept {
    g_tlsIndex = ::TlsAlloc();
    if (g_tlsIndex == TLS_OUT_OF_INDEXES) return false;
    return ::AddVectoredExceptionHandler(1, FaultHandler) != nullptr;
}

}  // namespace

bool GuardedCall(const std::function<void()>& fn, GuardFault* fault) noexcept {
    static const bool installed = InstallHandler();
    if (!installed) return RunCatchingCxx(fn);  // no way to catch faults; still keep C++ exceptions in

    GuardFrame frame;
    frame.outer = Innermost();
    ::TlsSetValue(g_tlsIndex, &frame);
    if (_setjmp(frame.jump, nullptr) == 0) {
        const bool ok = RunCatchingCxx(fn);
        ::TlsSetValue(g_tlsIndex, frame.outer);
        if (!ok && fault) *fault = GuardFault{};
        return ok;
    }
    ::TlsSetValue(g_tlsIndex, frame.outer);
    if (fault) *fault = frame.fault;
    return false;
}

#endif

}  // namespace zq
