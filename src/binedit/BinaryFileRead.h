#pragma once
// One positioned read for the edited file and the comparison file alike.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "common/FileSystem.h"

namespace zq::binedit {

// Reads up to count bytes at offset, seeking only when `pointer` (where the
// handle's file pointer stands; -1 unknown) is elsewhere, and keeps `pointer`
// up to date.  Returns the bytes read, fewer at the file end or on a failure.
std::size_t ReadFileAt(IFileSystem& fs, HANDLE file, std::int64_t offset, std::size_t count, std::uint8_t* buffer,
                       std::int64_t& pointer);

}  // namespace zq::binedit
