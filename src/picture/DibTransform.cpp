#include "picture/DibTransform.h"

#include <cstring>

namespace zq::picture {

namespace {

// A pixel of up to 32 bits, read and written at its place in a row; 1- and
// 4-bit pixels sit most significant first.
std::uint32_t GetPixel(const std::uint8_t* row, int x, int bitCount) {
    switch (bitCount) {
        case 1:
            return (row[x / 8] >> (7 - x % 8)) & 1u;
        case 4:
            return (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xFu;
        default: {
            const int bytes = bitCount / 8;
            std::uint32_t value = 0;
            std::memcpy(&value, row + static_cast<std::size_t>(x) * bytes, static_cast<std::size_t>(bytes));
            return value;
        }
    }
}

void PutPixel(std::uint8_t* row, int x, int bitCount, std::uint32_t value) {
    switch (bitCount) {
        case 1: {
            const auto mask = static_cast<std::uint8_t>(0x80u >> (x % 8));
            row[x / 8] = static_cast<std::uint8_t>(value != 0 ? row[x / 8] | mask : row[x / 8] & ~mask);
            return;
        }
        case 4: {
            const int shift = x % 2 == 0 ? 4 : 0;
            row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & ~(0xF << shift)) | ((value & 0xF) << shift));
            return;
        }
        default:
            std::memcpy(row + static_cast<std::size_t>(x) * (bitCount / 8), &value,
                        static_cast<std::size_t>(bitCount / 8));
    }
}

}  // namespace

std::size_t DibRowBytes(int width, int bitCount) {
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount) + 31) / 32) * 4;
}

bool DibDepthSupported(int bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

bool TurnDib(const DibShape& in, const std::uint8_t* bits, std::size_t bitsSize, DibTurn turn,
             std::vector<std::uint8_t>& out, DibShape& turned) {
    if (!DibDepthSupported(in.bitCount) || in.width <= 0 || in.height <= 0 || bits == nullptr) return false;
    const std::size_t inRow = DibRowBytes(in.width, in.bitCount);
    if (bitsSize < inRow * static_cast<std::size_t>(in.height)) return false;
    const bool quarter = turn == DibTurn::Right || turn == DibTurn::Left;
    turned = {quarter ? in.height : in.width, quarter ? in.width : in.height, in.bitCount};
    const std::size_t outRow = DibRowBytes(turned.width, turned.bitCount);
    out.assign(outRow * static_cast<std::size_t>(turned.height), 0);
    const int w = in.width;
    const int h = in.height;
    // The upside-down mirror moves whole rows.
    if (turn == DibTurn::MirrorUpDown) {
        for (int r = 0; r < h; ++r)
            std::memcpy(out.data() + static_cast<std::size_t>(h - 1 - r) * outRow,
                        bits + static_cast<std::size_t>(r) * inRow, inRow);
        return true;
    }
    // x and y count from the top left as the picture is seen; the stored row
    // of line y is height - 1 - y.
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* src = bits + static_cast<std::size_t>(h - 1 - y) * inRow;
        for (int x = 0; x < w; ++x) {
            int nx = 0;
            int ny = 0;
            switch (turn) {
                case DibTurn::Right:
                    nx = h - 1 - y, ny = x;
                    break;
                case DibTurn::Left:
                    nx = y, ny = w - 1 - x;
                    break;
                case DibTurn::MirrorLeftRight:
                    nx = w - 1 - x, ny = y;
                    break;
                default:
                    nx = w - 1 - x, ny = h - 1 - y;
                    break;
            }
            std::uint8_t* dst = out.data() + static_cast<std::size_t>(turned.height - 1 - ny) * outRow;
            PutPixel(dst, nx, in.bitCount, GetPixel(src, x, in.bitCount));
        }
    }
    return true;
}

int BmpPaletteBytes(int bitCount) {
    switch (bitCount) {
        case 1:
            return 8;
        case 4:
            return 64;
        case 8:
            return 1024;
        case 24:
        case 32:
            return 0;
        default:
            return -1;
    }
}

std::vector<std::uint8_t> BmpFileHeader(std::size_t bitsSize, int paletteBytes) {
    const auto put32 = [](std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) v[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    std::vector<std::uint8_t> header(14, 0);
    header[0] = 'B';
    header[1] = 'M';
    put32(header, 2, static_cast<std::uint32_t>(bitsSize + static_cast<std::size_t>(paletteBytes) + 54));
    put32(header, 10, static_cast<std::uint32_t>(paletteBytes + 54));
    return header;
}

}  // namespace zq::picture
