#pragma once
// The NONLOADCPL list: control-panel files that are never loaded, because a
// file that crashes or hangs while it is asked for its items would otherwise
// stop the program at every start.  Shared by the program and its companion
// library, which does the loading.
#include <string>
#include <string_view>
#include <vector>

#include "../../companion/ZqDll.h"

namespace zq {

// An entry names a file by its name or by a full path; either way the file
// name decides, ignoring case.  Empty entries name nothing.
[[nodiscard]] bool IsNonLoadCpl(std::wstring_view cplPath, const std::vector<std::wstring>& nonLoad);

// The paths that may be loaded, in their given order.
[[nodiscard]] std::vector<std::wstring> LoadableCpls(const std::vector<std::wstring>& cplPaths,
                                                     const std::vector<std::wstring>& nonLoad);

// The non-empty entries of a context, and the other way round: at most
// ZQ_NONLOADCPL_COUNT entries are kept, each cut to fit its slot.
[[nodiscard]] std::vector<std::wstring> NonLoadCplList(const StructZqCplContext& context);
void StoreNonLoadCplList(const std::vector<std::wstring>& entries, StructZqCplContext& context);

}  // namespace zq
