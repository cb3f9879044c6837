#include "binedit/BinaryFileRead.h"

#include <algorithm>

namespace zq::binedit {

namespace {

// ReadFile takes a 32-bit count; long reads go in pieces of this size.
constexpr std::size_t kReadPiece = 1 << 20;

}  // namespace

std::size_t ReadFileAt(IFileSystem& fs, HANDLE file, std::int64_t offset, std::size_t count, std::uint8_t* buffer,
                       std::int64_t& pointer) {
    // A scan forward reads on from where the last read stopped, without a seek.
    if (pointer != offset) {
        if (!fs.Seek(file, offset)) {
            pointer = -1;
            return 0;
        }
        pointer = offset;
    }
    std::size_t total = 0;
    while (total < count) {
        DWORD got = 0;
        if (!fs.Read(file, buffer + total, static_cast<DWORD>(std::min(count - total, kReadPiece)), &got)) {
            pointer = -1;
            break;
        }
        pointer += got;
        total += got;
        if (got == 0) break;
    }
    return total;
}

}  // namespace zq::binedit
