#include "filer/NetResourceEntry.h"

#include <algorithm>
#include <cwchar>

namespace zq {

namespace {

template <size_t N>
void CopyCut(wchar_t (&to)[N], const wchar_t* from) noexcept {
    if (from == nullptr) return;
    std::wcsncpy(to, from, N - 1);
    to[N - 1] = L'\0';
}

}  // namespace

NetResourceEntry NetResourceEntryFrom(const NETRESOURCEW& resource) noexcept {
    NetResourceEntry e;
    e.resourceType = resource.dwType;
    e.displayType = resource.dwDisplayType;
    if (const wchar_t* remote = resource.lpRemoteName) {
        const wchar_t* slash = std::wcsrchr(remote, L'\\');
        CopyCut(e.name, slash ? slash + 1 : remote);
    }
    CopyCut(e.comment, resource.lpComment);
    CopyCut(e.provider, resource.lpProvider);
    return e;
}

void SortNetworkOrder(const NetResourceEntry* entries, int count, int32_t* order) {
    for (int i = 0; i < count; ++i) order[i] = i;
    if (count <= 0) return;
    const int first = std::wcscmp(entries[0].name, L"..") == 0 ? 1 : 0;
    const int end = entries[count - 1].name[0] == L'\0' ? count - 1 : count;
    if (end - first < 2) return;
    std::stable_sort(order + first, order + end, [entries](int32_t a, int32_t b) {
        return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, entries[a].name, -1, entries[b].name, -1) ==
               CSTR_LESS_THAN;
    });
}

}  // namespace zq
