#include <gtest/gtest.h>

#include "common/Handle.h"
#include "filer/FilerCellPainter.h"

using namespace zq::filer;

namespace {

// A white 32-bit canvas in a memory device context.
class Canvas {
  public:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 40;

    Canvas() : m_dc(::CreateCompatibleDC(nullptr)) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = kWidth;
        bi.bmiHeader.biHeight = -kHeight;  // top-down
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap.Reset(::CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_bits = static_cast<DWORD*>(bits);
        if (m_bits != nullptr) std::fill(m_bits, m_bits + kWidth * kHeight, 0x00FFFFFFu);
        m_old = ::SelectObject(m_dc, m_bitmap.Get());
    }
    ~Canvas() {
        ::SelectObject(m_dc, m_old);
        ::DeleteDC(m_dc);
    }
    [[nodiscard]] bool Ready() const { return m_bits != nullptr; }
    [[nodiscard]] HDC Dc() const { return m_dc; }
    [[nodiscard]] COLORREF At(int x, int y) const {
        ::GdiFlush();
        const DWORD p = m_bits[y * kWidth + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    [[nodiscard]] int Count(const RECT& r, COLORREF color) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += At(x, y) == color ? 1 : 0;
        return n;
    }

  private:
    HDC m_dc;
    zq::UniqueGdiObject m_bitmap;
    HGDIOBJ m_old = nullptr;
    DWORD* m_bits = nullptr;
};

zq::UniqueGdiObject MakeFont() {
    FilerFontInfo fontInfo;
    fontInfo.faceName = L"MS Gothic";
    const LOGFONTW lf = MakeLogFont(fontInfo);
    return zq::UniqueGdiObject(::CreateFontIndirectW(&lf));
}

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBack = RGB(0, 0, 0);
constexpr COLORREF kText = RGB(0, 255, 255);
constexpr COLORREF kLine = RGB(255, 255, 0);

}  // namespace

TEST(FilerCellPainter, AdvancesFollowTheCellGrid) {
    struct Case {
        const wchar_t* text;
        std::vector<INT> dx;
    };
    const Case cases[] = {
        {L"aｱ日", {8, 8, 16}},
        {L"\U0001F600x", {16, 0, 8}},
        {L"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(GridAdvances(c.text, 8), c.dx) << c.text;
}

TEST(FilerCellPainter, PaintsInsideTheCellOnly) {
    Canvas canvas;
    ASSERT_TRUE(canvas.Ready());
    const zq::UniqueGdiObject font = MakeFont();
    ASSERT_TRUE(font.Valid());
    const FilerMetrics metrics = ComputeFilerMetrics(MeasureFont(canvas.Dc(), static_cast<HFONT>(font.Get())), 0);
    ASSERT_GT(metrics.lineHeight, 8);
    ASSERT_LT(metrics.lineHeight, Canvas::kHeight - 10);

    const FilerCellPainter painter(static_cast<HFONT>(font.Get()), metrics);
    const int cellWidth = 10;  // characters
    const RECT cellRect = {20, 5, 20 + cellWidth * metrics.charWidth, 5 + metrics.lineHeight};
    PaintCell cell;
    cell.rect = cellRect;
    cell.background = kBack;
    // The second run starts inside the cell and runs past its right edge.
    cell.runs = {{0, L"WWW", kText}, {8, L"MMMMMMMM", kText}};
    cell.underline = true;
    cell.underlineColor = kLine;
    painter.Paint(canvas.Dc(), std::vector<PaintCell>{cell});

    // Outside: untouched.
    EXPECT_EQ(canvas.Count({0, 0, Canvas::kWidth, cellRect.top}, kWhite), Canvas::kWidth * cellRect.top);
    EXPECT_EQ(canvas.Count({cellRect.right, 0, Canvas::kWidth, Canvas::kHeight}, kWhite),
              (Canvas::kWidth - cellRect.right) * Canvas::kHeight);
    EXPECT_EQ(canvas.At(cellRect.left - 1, cellRect.top + 3), kWhite);
    // Inside: background, text in the first three columns, nothing between
    // the runs, the underline at the bottom.
    const RECT firstRun = {cellRect.left, cellRect.top, cellRect.left + 3 * metrics.charWidth, cellRect.bottom - 2};
    const RECT gap = {firstRun.right, cellRect.top, cellRect.left + 8 * metrics.charWidth, cellRect.bottom - 2};
    EXPECT_GT(canvas.Count(firstRun, kText), 0);
    EXPECT_EQ(canvas.Count(gap, kText), 0);
    EXPECT_EQ(canvas.Count(gap, kBack), (gap.right - gap.left) * (gap.bottom - gap.top));
    EXPECT_EQ(canvas.Count({cellRect.left, cellRect.bottom - 2, cellRect.right, cellRect.bottom}, kLine),
              2 * (cellRect.right - cellRect.left));
}

TEST(FilerCellPainter, MarkedCellsAreReversed) {
    FilerColors colors;
    colors[FilerColorId::BackGround] = kBack;
    colors[FilerColorId::Line] = kLine;
    FilerCellContent content;
    content.runs = {{0, L"ab", kText}};
    const RECT rect = {0, 0, 80, 16};
    const PaintCell plain = MakePaintCell(rect, content, colors, false, true);
    EXPECT_FALSE(plain.reverse);
    EXPECT_TRUE(plain.underline);
    EXPECT_EQ(plain.underlineColor, kLine);
    // The cursor's cell stands out from the background, but not as much as a mark.
    EXPECT_EQ(plain.background, RGB(85, 85, 0));
    EXPECT_EQ(MakePaintCell(rect, content, colors, false, false).background, kBack);

    const PaintCell marked = MakePaintCell(rect, content, colors, true, false);
    EXPECT_TRUE(marked.reverse);
    EXPECT_FALSE(marked.underline);

    Canvas canvas;
    ASSERT_TRUE(canvas.Ready());
    const zq::UniqueGdiObject font = MakeFont();
    const FilerMetrics metrics{16, 8};
    FilerCellPainter(static_cast<HFONT>(font.Get()), metrics).Paint(canvas.Dc(), marked);
    // The run's two cells are a band of its colour with the text in the
    // background colour; the rest of the cell is background.
    const RECT band = {0, 0, 16, 16};
    EXPECT_GT(canvas.Count(band, kText), 16 * 16 / 3);
    EXPECT_GT(canvas.Count(band, kBack), 0);
    EXPECT_EQ(canvas.Count({16, 0, 80, 16}, kBack), 64 * 16);
}

TEST(FilerCellPainter, MarkIsOneBandAcrossTheGapsBetweenRuns) {
    Canvas canvas;
    ASSERT_TRUE(canvas.Ready());
    const zq::UniqueGdiObject font = MakeFont();
    const FilerMetrics metrics{16, 8};
    const COLORREF kind = RGB(255, 0, 255);
    PaintCell cell;
    cell.rect = {0, 0, 200, 16};
    cell.background = kBack;
    cell.reverse = true;
    cell.reverseText = kBack;
    // Stem in columns 0-1, a kind-coloured extension in 5-8, the size ends at column 15.
    cell.runs = {{0, L"ab", kText}, {5, L".txt", kind}, {14, L"5", kText}};
    FilerCellPainter(static_cast<HFONT>(font.Get()), metrics).Paint(canvas.Dc(), cell);
    const RECT gap = {2 * 8, 0, 5 * 8, 16};
    EXPECT_EQ(canvas.Count(gap, kText), 3 * 8 * 16);
    EXPECT_GT(canvas.Count({5 * 8, 0, 9 * 8, 16}, kind), 4 * 8 * 16 / 3);
    EXPECT_EQ(canvas.Count({15 * 8, 0, 200, 16}, kBack), (200 - 15 * 8) * 16);
}

TEST(FilerCellPainter, LowLineIsDrawnFromTheFontOutline) {
    Canvas canvas;
    ASSERT_TRUE(canvas.Ready());
    const zq::UniqueGdiObject font = MakeFont();
    const FilerMetrics metrics = ComputeFilerMetrics(MeasureFont(canvas.Dc(), static_cast<HFONT>(font.Get())), 0);
    ASSERT_GE(metrics.underscoreTop, 0);
    ASSERT_LE(metrics.underscoreTop + metrics.underscoreHeight, metrics.lineHeight);

    PaintCell cell;
    cell.rect = {0, 0, 20 * metrics.charWidth, metrics.lineHeight};
    cell.background = kBack;
    cell.runs = {{0, L"a_b", kText}, {4, L"日_", kText}};
    FilerCellPainter(static_cast<HFONT>(font.Get()), metrics).Paint(canvas.Dc(), cell);
    const int row = metrics.underscoreTop;
    for (const int column : {1, 6}) {
        const RECT line = {column * metrics.charWidth, row, (column + 1) * metrics.charWidth, row + 1};
        EXPECT_EQ(canvas.Count(line, kText), metrics.charWidth) << column;
    }
    // Not under the other characters.
    EXPECT_EQ(canvas.Count({3 * metrics.charWidth, row, 4 * metrics.charWidth, row + 1}, kText), 0);

    struct Case {
        const wchar_t* text;
        std::vector<int> offsets;
    };
    const Case cases[] = {{L"a_b_", {8, 24}}, {L"日_", {16}}, {L"__", {0, 8}}, {L"abc", {}}};
    for (const auto& c : cases) EXPECT_EQ(UnderscoreOffsets(c.text, 8), c.offsets) << c.text;
}
