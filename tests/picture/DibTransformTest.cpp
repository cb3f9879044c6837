#include "picture/DibTransform.h"

#include <gtest/gtest.h>

#include <cstring>

#include "main/TempDir.h"
#include "picture/CSaveBmpDlg.h"

namespace zq::picture {
namespace {

// A picture as seen (x, y from the top left), with its stored form.
struct Picture {
    DibShape shape;
    std::vector<std::uint8_t> bits;

    std::uint8_t* Row(int y) { return bits.data() + DibRowBytes(shape.width, shape.bitCount) * (shape.height - 1 - y); }
    std::uint32_t Get(int x, int y) {
        const std::uint8_t* row = Row(y);
        const int n = shape.bitCount;
        if (n < 8) {
            const int perByte = 8 / n;
            return (row[x / perByte] >> (8 - n - (x % perByte) * n)) & ((1u << n) - 1);
        }
        std::uint32_t value = 0;
        std::memcpy(&value, row + static_cast<size_t>(x) * (n / 8), static_cast<size_t>(n / 8));
        return value;
    }
    void Set(int x, int y, std::uint32_t value) {
        std::uint8_t* row = Row(y);
        const int n = shape.bitCount;
        if (n < 8) {
            const int perByte = 8 / n;
            const int shift = 8 - n - (x % perByte) * n;
            row[x / perByte] =
                static_cast<std::uint8_t>((row[x / perByte] & ~(((1u << n) - 1) << shift)) | (value << shift));
            return;
        }
        std::memcpy(row + static_cast<size_t>(x) * (n / 8), &value, static_cast<size_t>(n / 8));
    }
};

Picture Make(int width, int height, int bitCount) {
    Picture p{{width, height, bitCount}, std::vector<std::uint8_t>(DibRowBytes(width, bitCount) * height, 0)};
    const std::uint32_t mask = bitCount == 32 ? 0xFFFFFFFFu : (1u << bitCount) - 1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.Set(x, y, static_cast<std::uint32_t>(x * 2654435761u + y * 40503u + 1) & mask);
    return p;
}

TEST(DibTransform, TurnsAndMirrorsEveryDepthPixelByPixel) {
    struct Turn {
        DibTurn turn;
        const char* name;
        // Where the pixel seen at (x, y) of a w x h picture goes.
        void (*to)(int x, int y, int w, int h, int& nx, int& ny);
    };
    const Turn turns[] = {
        {DibTurn::Right, "clockwise", [](int x, int y, int, int h, int& nx, int& ny) { nx = h - 1 - y, ny = x; }},
        {DibTurn::Left, "anticlockwise", [](int x, int y, int w, int, int& nx, int& ny) { nx = y, ny = w - 1 - x; }},
        {DibTurn::Half, "180", [](int x, int y, int w, int h, int& nx, int& ny) { nx = w - 1 - x, ny = h - 1 - y; }},
        {DibTurn::MirrorLeftRight, "left-right",
         [](int x, int y, int w, int, int& nx, int& ny) { nx = w - 1 - x, ny = y; }},
        {DibTurn::MirrorUpDown, "upside-down",
         [](int x, int y, int, int h, int& nx, int& ny) { nx = x, ny = h - 1 - y; }},
    };
    for (int depth : {1, 4, 8, 16, 24, 32}) {
        Picture in = Make(9, 3, depth);
        for (const Turn& t : turns) {
            Picture out;
            ASSERT_TRUE(TurnDib(in.shape, in.bits.data(), in.bits.size(), t.turn, out.bits, out.shape));
            ASSERT_EQ(out.bits.size(), DibRowBytes(out.shape.width, depth) * static_cast<size_t>(out.shape.height));
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < 9; ++x) {
                    int nx = 0, ny = 0;
                    t.to(x, y, 9, 3, nx, ny);
                    ASSERT_EQ(out.Get(nx, ny), in.Get(x, y)) << depth << " bits, " << t.name << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(DibTransform, PadsTurnedRowsAndRefusesWhatItCannotRead) {
    // A 1-bit picture of width 9 turned: 3 pixels a row still take 4 bytes, the padding zero.
    Picture in = Make(9, 3, 1);
    for (auto& b : in.bits) b = 0xFF;
    Picture out;
    ASSERT_TRUE(TurnDib(in.shape, in.bits.data(), in.bits.size(), DibTurn::Right, out.bits, out.shape));
    EXPECT_EQ(out.shape.width, 3);
    EXPECT_EQ(out.shape.height, 9);
    ASSERT_EQ(out.bits.size(), 36u);
    for (size_t row = 0; row < 9; ++row) {
        EXPECT_EQ(out.bits[row * 4], 0xE0) << "three set pixels, the rest of the byte clear";
        EXPECT_EQ(out.bits[row * 4 + 1] | out.bits[row * 4 + 2] | out.bits[row * 4 + 3], 0);
    }
    EXPECT_FALSE(TurnDib({9, 3, 2}, in.bits.data(), in.bits.size(), DibTurn::Right, out.bits, out.shape));
    EXPECT_FALSE(TurnDib(in.shape, in.bits.data(), in.bits.size() - 1, DibTurn::Left, out.bits, out.shape));
}

TEST(DibTransform, WritesABmpFileAsTheHeadersSay) {
    for (int depth : {1, 4, 8, 24, 32})
        EXPECT_EQ(BmpPaletteBytes(depth), depth == 1 ? 8 : depth == 4 ? 64 : depth == 8 ? 1024 : 0);
    EXPECT_EQ(BmpPaletteBytes(16), -1) << "16 bits stop with the invalid-data message";

    test::TempDir dir;
    std::vector<BYTE> bits(70001);
    for (size_t i = 0; i < bits.size(); ++i) bits[i] = static_cast<BYTE>(i * 13);
    StructBmpImage image;
    image.header.biSize = sizeof(BITMAPINFOHEADER);
    image.header.biWidth = 7;
    image.header.biBitCount = 8;
    image.palette.assign(1024, 0x5A);
    image.bits = bits.data();
    image.bitsSize = bits.size();
    const std::wstring path = dir / L"保存.BMP";
    std::vector<int> percents;
    {
        const UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file);
        ASSERT_TRUE(WriteBmp(file.Get(), image, [&](int p) { percents.push_back(p); }, {}));
    }
    EXPECT_EQ(percents, (std::vector<int>{45, 91, 100})) << "one report per 32000 bytes";
    const std::string data = test::ReadFileBytes(path);
    ASSERT_EQ(data.size(), 14u + 40 + 1024 + bits.size());
    std::uint32_t fileSize = 0, offset = 0;
    std::memcpy(&fileSize, data.data() + 2, 4);
    std::memcpy(&offset, data.data() + 10, 4);
    EXPECT_EQ(data.substr(0, 2), "BM");
    EXPECT_EQ(fileSize, data.size());
    EXPECT_EQ(offset, 14u + 40 + 1024);
    EXPECT_EQ(data.substr(6, 4), std::string(4, '\0'));
    EXPECT_EQ(static_cast<unsigned char>(data[54]), 0x5A);
    EXPECT_EQ(std::memcmp(data.data() + offset, bits.data(), bits.size()), 0);

    const UniqueFile file(
        ::CreateFileW((dir / L"x.BMP").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_FALSE(WriteBmp(file.Get(), image, {}, [] { return true; })) << "cancelled";
}

TEST(DibTransform, SaveNamesComeFromThePicture) {
    EXPECT_EQ(CSaveBmpDlg::DefaultName(L"C:\\絵\\a.b.png"), L"C:\\絵\\a.b.BMP");
    EXPECT_EQ(CSaveBmpDlg::DefaultName(L"C:\\絵\\noext"), L"C:\\絵\\noext.BMP");
    EXPECT_EQ(CSaveBmpDlg::SeriesName(L"C:\\out", L"pic", 7), L"C:\\out\\pic0007.BMP");
}

}  // namespace
}  // namespace zq::picture
