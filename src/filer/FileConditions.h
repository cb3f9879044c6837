#pragma once
// Time, attribute and size conditions of the wildcard filter and the file
// search.
#include <windows.h>

#include <cstdint>

#include "filer/FileEntry.h"

namespace zq {

struct FileConditions {
    FILETIME accessFrom{}, accessTo{};
    FILETIME creationFrom{}, creationTo{};
    FILETIME writeFrom{}, writeTo{};
    uint32_t attributeMask = 0x37;  // read-only, hidden, system, directory, archive
    uint32_t acceptPlain = 1;       // also accept entries with none of the bits 0x37
    uint64_t minimumSize = 0;
    uint64_t maximumSize = 1000000000000000ULL;
    uint32_t useAccessRange = 0;
    uint32_t useCreationRange = 0;
    uint32_t useWriteRange = 0;
    uint32_t reserved = 0;
};

// Applied to every entry except "." and "..".
[[nodiscard]] bool EntryPassesConditions(const FileEntry& entry, const FileConditions& conditions) noexcept;

}  // namespace zq
