#pragma once
// The Filer's font and the metrics every layout is computed from.  The font
// comes from the settings (FONTNAME, FONTHEIGHT, FONTWIDE, FONTCHARSET,
// FONTWEIGHT), optionally replaced by the DISPLAYFONT entry for the current
// screen size; the metrics are measured once from the selected font by the
// caller and handed in as plain numbers.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace zq::filer {

// One font as the settings describe it (values of LOGFONTW).
struct FilerFontInfo {
    int height = -16;                      // FONTHEIGHT
    int width = 0;                         // FONTWIDE
    std::wstring faceName = L"ＭＳ 明朝";  // FONTNAME
    int charSet = 128;                     // FONTCHARSET (SHIFTJIS_CHARSET)
    int weight = 400;                      // FONTWEIGHT
};

// The key of the DISPLAYFONT section for a screen size: "%04dX%04d".
[[nodiscard]] std::wstring DisplayFontKey(int screenWidth, int screenHeight);

// Parses a DISPLAYFONT value "%d,%d,%s,%d,%d," (height, width, face name,
// character set, weight; each field ended by a comma).  With fewer than four
// fields the first four come from `fallback`; without the fifth the weight
// comes from `fallback`.  Fails only when a numeric field is not a number.
[[nodiscard]] std::optional<FilerFontInfo> ParseDisplayFont(std::wstring_view value, const FilerFontInfo& fallback);

// The value written back for a DISPLAYFONT key.
[[nodiscard]] std::wstring FormatDisplayFont(const FilerFontInfo& fontInfo);

// The font the Filer uses: the DISPLAYFONT entry for this screen size when
// one is given and readable, else the FONT* settings.
[[nodiscard]] FilerFontInfo ChooseFilerFont(const FilerFontInfo& settings, const std::wstring* displayFontValue);

[[nodiscard]] LOGFONTW MakeLogFont(const FilerFontInfo& fontInfo);

// What the layout needs of the selected font, as GetTextMetricsW reports it.
struct FontMetricsInput {
    int height = 0;            // tmHeight
    int externalLeading = 0;   // tmExternalLeading
    int averageCharWidth = 0;  // tmAveCharWidth
    // The low line's ink below the top of the text line (GetGlyphOutlineW of
    // "_"); -1 when the font gives no outline.
    int underscoreTop = -1;
    int underscoreHeight = 0;
};

// Line height and character width in pixels, never 0.
struct FilerMetrics {
    int lineHeight = 12;
    int charWidth = 6;
    // Where the painter draws the low line itself (see FilerCellPainter);
    // always inside the line, or -1 for none.
    int underscoreTop = -1;
    int underscoreHeight = 0;
};

// line height = font height + external leading + ADD_HEIGHT_ONE_LINE (12 when
// the font reports a height of 0); character width = average width (6 when 0).
// The low line is kept inside the line: a line made shorter than the font by
// ADD_HEIGHT_ONE_LINE moves it up rather than letting it fall into the next.
[[nodiscard]] FilerMetrics ComputeFilerMetrics(const FontMetricsInput& font, int addHeightOneLine);

}  // namespace zq::filer
