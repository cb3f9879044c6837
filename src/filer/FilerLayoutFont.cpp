#include "filer/FilerLayoutFont.h"

#include <cwchar>
#include <vector>

namespace zq::filer {

std::wstring DisplayFontKey(int screenWidth, int screenHeight) {
    wchar_t buf[32];
    std::swprintf(buf, 32, L"%04dX%04d", screenWidth, screenHeight);
    return buf;
}

namespace {

// Splits at commas; a field is only counted when its comma is present, so the
// text after the last comma (normally nothing) is ignored.
std::vector<std::wstring_view> CommaFields(std::wstring_view value) {
    std::vector<std::wstring_view> fields;
    size_t start = 0;
    for (size_t comma = value.find(L','); comma != std::wstring_view::npos; comma = value.find(L',', start)) {
        fields.push_back(value.substr(start, comma - start));
        start = comma + 1;
    }
    return fields;
}

bool ParseInt(std::wstring_view text, int& out) {
    while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == L' ') text.remove_suffix(1);
    if (text.empty()) return false;
    bool negative = false;
    size_t i = 0;
    if (text[0] == L'-' || text[0] == L'+') {
        negative = text[0] == L'-';
        i = 1;
    }
    if (i == text.size()) return false;
    long long v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return false;
        v = v * 10 + (text[i] - L'0');
        if (v > 0x7FFFFFFF) return false;
    }
    out = static_cast<int>(negative ? -v : v);
    return true;
}

}  // namespace

std::optional<FilerFontInfo> ParseDisplayFont(std::wstring_view value, const FilerFontInfo& fallback) {
    const std::vector<std::wstring_view> fields = CommaFields(value);
    FilerFontInfo fontInfo = fallback;
    if (fields.size() < 4) return fontInfo;
    if (!ParseInt(fields[0], fontInfo.height) || !ParseInt(fields[1], fontInfo.width) ||
        !ParseInt(fields[3], fontInfo.charSet))
        return std::nullopt;
    fontInfo.faceName.assign(fields[2]);
    if (fields.size() >= 5 && !ParseInt(fields[4], fontInfo.weight)) return std::nullopt;
    return fontInfo;
}

std::wstring FormatDisplayFont(const FilerFontInfo& fontInfo) {
    return std::to_wstring(fontInfo.height) + L',' + std::to_wstring(fontInfo.width) + L',' + fontInfo.faceName + L',' +
           std::to_wstring(fontInfo.charSet) + L',' + std::to_wstring(fontInfo.weight) + L',';
}

FilerFontInfo ChooseFilerFont(const FilerFontInfo& settings, const std::wstring* displayFontValue) {
    if (displayFontValue == nullptr || displayFontValue->empty()) return settings;
    return ParseDisplayFont(*displayFontValue, settings).value_or(settings);
}

LOGFONTW MakeLogFont(const FilerFontInfo& fontInfo) {
    LOGFONTW lf{};
    lf.lfHeight = fontInfo.height;
    lf.lfWidth = fontInfo.width;
    lf.lfWeight = fontInfo.weight;
    lf.lfCharSet = static_cast<BYTE>(fontInfo.charSet);
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    // Every width of the Filer assumes a fixed pitch.
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    const size_t n = fontInfo.faceName.size() < LF_FACESIZE - 1 ? fontInfo.faceName.size() : LF_FACESIZE - 1;
    fontInfo.faceName.copy(lf.lfFaceName, n);
    lf.lfFaceName[n] = L'\0';
    return lf;
}

FilerMetrics ComputeFilerMetrics(const FontMetricsInput& font, int addHeightOneLine) {
    FilerMetrics m;
    m.lineHeight = font.height == 0 ? 12 : font.height + font.externalLeading + addHeightOneLine;
    // A negative ADD_HEIGHT_ONE_LINE larger than the font would make every
    // division by the line height meaningless; one pixel is the floor.
    if (m.lineHeight < 1) m.lineHeight = 1;
    m.charWidth = font.averageCharWidth == 0 ? 6 : font.averageCharWidth;
    if (m.charWidth < 1) m.charWidth = 1;
    if (font.underscoreTop >= 0 && font.underscoreHeight > 0) {
        m.underscoreHeight = font.underscoreHeight < m.lineHeight ? font.underscoreHeight : m.lineHeight;
        const int lowest = m.lineHeight - m.underscoreHeight;
        m.underscoreTop = font.underscoreTop < lowest ? font.underscoreTop : lowest;
    }
    return m;
}

}  // namespace zq::filer
