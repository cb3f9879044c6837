#pragma once
// Name matching with "*" and "?": base name and extension are matched
// separately, ignoring case.
#include <string>
#include <string_view>

namespace zq {

// Upper-cased, with every run of "*" reduced to one.
[[nodiscard]] std::wstring NormaliseWildcard(std::wstring_view pattern);
[[nodiscard]] bool WildcardMatch(std::wstring_view name, std::wstring_view pattern);
// "*.*" (and an empty pattern) filter nothing.
[[nodiscard]] bool IsMatchAllPattern(std::wstring_view pattern) noexcept;

}  // namespace zq
