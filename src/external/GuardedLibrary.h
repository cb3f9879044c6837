#pragma once
// A library that is not part of zq (the companion library, Susie plug-ins,
// archiver libraries, plug-ins), held for one use:
//
//     GuardedLibrary library(path);                       // loaded here
//     const auto getInfo = library.Find<int(WINAPI*)(int, LPSTR, int)>("GetPluginInfo");
//     if (!getInfo) return false;                         // no library, or no such export
//     char buffer[256] = {};
//     const std::optional<int> n = getInfo(1, buffer, 256);   // nullopt: it crashed
//     ... FromAnsi(buffer) ...
//                                                         // freed when `library` goes
//
// Loading, every call and freeing run inside the one guard (common/Guard.h), so
// a library that crashes in its start-up code, in a call or at its unloading
// gives a failed load or call, never the end of the program.  Such libraries
// take 8-bit text in the system's ANSI code page; AnsiText and FromAnsi convert
// at the call, so that everything on the program's side stays UTF-16.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "common/Guard.h"
#include "common/Handle.h"

namespace zq {

// An export found by name, typed by its call form.  Calling it runs the
// function under the guard: the result, or nullopt (false for a function
// without a result) when there is no function or it faulted.
template <typename Fn>
class LibraryFunction {
  public:
    LibraryFunction() = default;
    explicit LibraryFunction(Fn fn) : m_fn(fn) {}
    explicit operator bool() const noexcept { return m_fn != nullptr; }

    template <typename... Args>
    auto operator()(Args&&... args) const noexcept {
        using R = std::invoke_result_t<Fn, Args...>;
        if constexpr (std::is_void_v<R>) {
            return m_fn != nullptr && GuardedCall([&] { m_fn(std::forward<Args>(args)...); });
        } else {
            if (!m_fn) return std::optional<R>();
            return GuardedInvoke([&] { return m_fn(std::forward<Args>(args)...); });
        }
    }

  private:
    Fn m_fn = nullptr;
};

class GuardedLibrary {
  public:
    GuardedLibrary() = default;
    // Loads the library at this full path; Loaded() tells whether it worked.
    explicit GuardedLibrary(const std::wstring& path);
    ~GuardedLibrary();
    GuardedLibrary(GuardedLibrary&& other) noexcept = default;
    GuardedLibrary& operator=(GuardedLibrary&& other) noexcept;
    GuardedLibrary(const GuardedLibrary&) = delete;
    GuardedLibrary& operator=(const GuardedLibrary&) = delete;

    [[nodiscard]] bool Loaded() const noexcept { return m_module.Valid(); }
    // Frees the library now (guarded); afterwards every Find finds nothing.
    void Free() noexcept;

    // The export of this name as a function of type Fn (a function pointer
    // type); an empty function when the library or the export is missing.
    template <typename Fn>
    [[nodiscard]] LibraryFunction<Fn> Find(const char* name) const noexcept {
        static_assert(std::is_pointer_v<Fn> && std::is_function_v<std::remove_pointer_t<Fn>>,
                      "an export is found as a function pointer type");
        return LibraryFunction<Fn>(reinterpret_cast<Fn>(Address(name)));
    }

  private:
    [[nodiscard]] FARPROC Address(const char* name) const noexcept;

    UniqueModule m_module;
};

// Text for an 8-bit parameter in the system's ANSI code page; nullopt when a
// character has no form there (a path that the library would open under
// another name).
[[nodiscard]] std::optional<std::string> AnsiText(std::wstring_view text);
// An 8-bit buffer that the library filled, up to its first NUL and at most capacity bytes.
[[nodiscard]] std::wstring FromAnsi(const char* buffer, size_t capacity);

}  // namespace zq
