#pragma once
// One line of a network listing, taken from the platform's NETRESOURCEW so
// that it outlives the enumeration buffer.
#include <windows.h>

#include <cstdint>

namespace zq {

struct NetResourceEntry {
    uint32_t resourceType = 0;  // dwType: 1 disk, 2 print
    uint32_t displayType = 0;   // 1 domain, 2 server, 3 share, 6 network; 0 for ".."
    wchar_t name[260] = {};     // the part of the remote name after its last backslash
    wchar_t secondName[260] = {};
    wchar_t comment[200] = {};
    wchar_t provider[200] = {};
};

[[nodiscard]] NetResourceEntry NetResourceEntryFrom(const NETRESOURCEW& resource) noexcept;

// The order of a network listing: names ascending, ignoring case; a leading
// ".." and the enumeration's empty terminator keep their places.  `order`
// receives `count` entry indexes.
void SortNetworkOrder(const NetResourceEntry* entries, int count, int32_t* order);

}  // namespace zq
