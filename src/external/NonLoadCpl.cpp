#include "external/NonLoadCpl.h"

#include <windows.h>

#include <algorithm>

#include "common/Paths.h"

namespace zq {

namespace {

bool SameNameIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

}  // namespace

bool IsNonLoadCpl(std::wstring_view cplPath, const std::vector<std::wstring>& nonLoad) {
    const std::wstring_view name = FileNamePart(cplPath);
    if (name.empty()) return false;
    return std::any_of(nonLoad.begin(), nonLoad.end(), [&](const std::wstring& entry) {
        return !entry.empty() && SameNameIgnoringCase(FileNamePart(entry), name);
    });
}

std::vector<std::wstring> LoadableCpls(const std::vector<std::wstring>& cplPaths,
                                       const std::vector<std::wstring>& nonLoad) {
    std::vector<std::wstring> out;
    for (const auto& path : cplPaths) {
        if (!IsNonLoadCpl(path, nonLoad)) out.push_back(path);
    }
    return out;
}

std::vector<std::wstring> NonLoadCplList(const StructZqCplContext& context) {
    std::vector<std::wstring> out;
    for (const auto& slot : context.NonLoadCpl) {
        const std::wstring_view text(slot, std::find(std::begin(slot), std::end(slot), L'\0') - std::begin(slot));
        if (!text.empty()) out.emplace_back(text);
    }
    return out;
}

void StoreNonLoadCplList(const std::vector<std::wstring>& entries, StructZqCplContext& context) {
    size_t slot = 0;
    for (const auto& entry : entries) {
        if (slot == ZQ_NONLOADCPL_COUNT) break;
        if (entry.empty()) continue;
        const size_t n = std::min<size_t>(entry.size(), ZQ_NONLOADCPL_CHARS - 1);
        std::copy_n(entry.data(), n, context.NonLoadCpl[slot]);
        context.NonLoadCpl[slot][n] = L'\0';
        ++slot;
    }
    for (; slot < ZQ_NONLOADCPL_COUNT; ++slot) context.NonLoadCpl[slot][0] = L'\0';
}

}  // namespace zq
