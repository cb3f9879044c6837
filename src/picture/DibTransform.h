#pragma once
// Turns and mirrors of a device-independent bitmap's bits, and the layout of
// a .BMP file, as plain functions on bytes.  Rows are bottom-up and padded to
// 4 bytes; depths 1, 4, 8, 16, 24 and 32 bits per pixel are handled.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zq::picture {

enum class DibTurn { Right, Left, Half, MirrorLeftRight, MirrorUpDown };

struct DibShape {
    int width = 0;
    int height = 0;
    int bitCount = 0;
};

[[nodiscard]] std::size_t DibRowBytes(int width, int bitCount);
[[nodiscard]] bool DibDepthSupported(int bitCount);

// The turned copy of `bits` (shape `in`) into `out`, zero-filled first;
// `turned` gets the new shape.  False for an unsupported depth or a size
// the buffer cannot hold.
[[nodiscard]] bool TurnDib(const DibShape& in, const std::uint8_t* bits, std::size_t bitsSize, DibTurn turn,
                           std::vector<std::uint8_t>& out, DibShape& turned);

// The palette a saved .BMP carries for a depth: 8, 64 or 1024 bytes, 0 for 24
// and 32 bits; -1 for a depth that is not saved.
[[nodiscard]] int BmpPaletteBytes(int bitCount);

// The 14-byte file header of a .BMP holding `bitsSize` bytes of bits after a
// 40-byte info header and `paletteBytes` of palette.
[[nodiscard]] std::vector<std::uint8_t> BmpFileHeader(std::size_t bitsSize, int paletteBytes);

}  // namespace zq::picture
