#pragma once
// The one guard around calls into libraries that are not part of zq (plug-ins,
// archiver libraries, the companion library, control-panel applets).  A crash
// inside such a call becomes a failed result of that call instead of the end
// of the program.
//
// What is caught: hardware faults raised on the calling thread while the
// callable runs (access violation, integer division by zero and overflow,
// illegal or privileged instruction, in-page error, misalignment, array
// bounds, floating-point faults).  What is not: software exceptions that a
// library raises on purpose (C++ throws of another compiler, debug-output
// notices; the library handles those itself), a stack overflow (the stack's
// guard page would be gone afterwards), and faults on threads the library
// starts itself.
//
// Guards nest: a fault is returned by the innermost guard that is running on
// the faulting thread.  After a fault, objects that the callable itself had
// constructed are not destroyed, so a guarded callable should hold no more
// than the bare call and plain values; results go out through captured
// references.
#include <windows.h>

#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

namespace zq {

struct GuardFault {
    DWORD code = 0;            // the exception code, e.g. EXCEPTION_ACCESS_VIOLATION
    const void* address = nullptr;  // where it was raised
};

// Runs fn.  Answers true when it returned, false when it faulted (or let a C++
// exception escape); fault, when given, receives the exception code (0 for a
// C++ exception).
[[nodiscard]] bool GuardedCall(const std::function<void()>& fn, GuardFault* fault = nullptr) noexcept;

// Runs fn and answers its result, or nothing when it faulted.
template <typename F, typename R = std::invoke_result_t<F&>>
[[nodiscard]] std::optional<R> GuardedInvoke(F&& fn, GuardFault* fault = nullptr) noexcept {
    static_assert(!std::is_void_v<R>, "use GuardedCall for a call without a result");
    static_assert(std::is_trivially_destructible_v<R>, "a guarded call answers a plain value");
    R result{};
    if (!GuardedCall([&] { result = fn(); }, fault)) return std::nullopt;
    return result;
}

}  // namespace zq
