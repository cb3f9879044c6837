#pragma once
#include <string>
#include <vector>

namespace zq::companion {

// Full paths of the *.cpl files in the system directory, by name ignoring case.
std::vector<std::wstring> SystemCplFiles();

}  // namespace zq::companion
