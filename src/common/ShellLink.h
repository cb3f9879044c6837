#pragma once
// Shortcut files (*.lnk) read through the shell's link object.  The caller's
// thread must have COM initialised.
#include <string>

namespace zq {

// The path a shortcut file points to; empty when it cannot be read.
[[nodiscard]] std::wstring ShortcutTarget(const std::wstring& linkPath);

}  // namespace zq
