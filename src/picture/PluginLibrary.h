#pragma once
// A Susie plug-in library held for one use (a scan, a probe, a decoding).
// It is loaded with the search path narrowed to its own folder and the
// system's, so that a plug-in folder or a current directory holding a DLL of
// a system name cannot slip that DLL into the process.  Every call runs under
// the one guard and resets the floating-point unit afterwards, since plug-ins
// are known to leave it in another precision or with exceptions unmasked.
#include <windows.h>

#include <float.h>

#include <optional>
#include <string>
#include <utility>

#include "common/Guard.h"
#include "common/Handle.h"

namespace zq {

class PluginLibrary {
  public:
    explicit PluginLibrary(const std::wstring& path);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    [[nodiscard]] bool Loaded() const noexcept { return m_module.Valid(); }
    [[nodiscard]] bool Has(const char* name) const noexcept { return Address(name) != nullptr; }

    // Calls the export of this name and type; nullopt when it is missing or it faulted.
    template <typename Fn, typename... Args>
    [[nodiscard]] std::optional<int> Call(const char* name, Args... args) const noexcept {
        const auto fn = reinterpret_cast<Fn>(Address(name));
        if (fn == nullptr) return std::nullopt;
        std::optional<int> result = GuardedInvoke([&] { return static_cast<int>(fn(args...)); });
        ::_fpreset();
        return result;
    }

  private:
    [[nodiscard]] FARPROC Address(const char* name) const noexcept;

    UniqueModule m_module;
};

// The machine field of a PE file's header (IMAGE_FILE_MACHINE_I386, _AMD64, …),
// read without loading it; 0 when the file is no PE image.
[[nodiscard]] WORD PeMachine(const std::wstring& path);

}  // namespace zq
