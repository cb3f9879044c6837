#pragma once
// Shortcut files (*.lnk) read through the shell's link object.  The caller's
// thread must have COM initialised.
#include <string>

namespace zq {

// The path a shortcut file points to; empty when it cannot be read.
[[nodiscard]] std::wstring ShortcutTarget(const std::wstring& linkPath);

// Saves a shortcut file at linkPath pointing to target; false when the shell
// refused any part of it.
[[nodiscard]] bool CreateShortcut(const std::wstring& linkPath, const std::wstring& target,
                                  const std::wstring& arguments, const std::wstring& description,
                                  const std::wstring& workingDirectory);

}  // namespace zq
