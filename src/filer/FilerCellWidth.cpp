#include "filer/FilerCellWidth.h"

namespace zq::filer {

namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Latin-1 characters that code page 932 holds only as double-byte (full-width)
// characters; Japanese fonts draw them full width, so they count 2 although
// their neighbours in the block are half-width.
bool IsFullWidthLatin1(wchar_t c) {
    switch (c) {
        case 0x00A7:  // section sign
        case 0x00A8:  // diaeresis
        case 0x00B0:  // degree sign
        case 0x00B1:  // plus-minus sign
        case 0x00B4:  // acute accent
        case 0x00B6:  // pilcrow
        case 0x00D7:  // multiplication sign
        case 0x00F7:  // division sign
            return true;
        default:
            return false;
    }
}

}  // namespace

int CharCellWidth(wchar_t c) {
    // ASCII, including control characters, which are drawn as one cell.
    if (c < 0x80) return 1;
    if (c >= 0xA0 && c <= 0xFF) return IsFullWidthLatin1(c) ? 2 : 1;
    // Half-width katakana and the half-width Japanese punctuation before it
    // (U+FF61-U+FF9F), the single-byte kana of code page 932.
    if (c >= 0xFF61 && c <= 0xFF9F) return 1;
    // Half-width forms: light vertical, arrows, square, circle.
    if (c >= 0xFFE8 && c <= 0xFFEE) return 1;
    return 2;
}

CharCells CellsAt(std::wstring_view text, size_t index) {
    if (index >= text.size()) return {};
    const wchar_t c = text[index];
    // A character outside the BMP is one character of two units; it is drawn
    // full width and must never be split between the units.
    if (IsHighSurrogate(c) && index + 1 < text.size() && IsLowSurrogate(text[index + 1])) return {2, 2};
    return {CharCellWidth(c), 1};
}

int TextCellWidth(std::wstring_view text) {
    int cells = 0;
    for (size_t i = 0; i < text.size();) {
        const CharCells cc = CellsAt(text, i);
        cells += cc.cells;
        i += cc.units;
    }
    return cells;
}

namespace {

// Longest prefix of whole characters that fits into `limit` cells.
FittedText Prefix(std::wstring_view text, int limit) {
    FittedText out;
    size_t i = 0;
    while (i < text.size()) {
        const CharCells cc = CellsAt(text, i);
        if (out.cells + cc.cells > limit) break;
        out.cells += cc.cells;
        i += cc.units;
    }
    out.text.assign(text.substr(0, i));
    return out;
}

}  // namespace

FittedText FitToCells(std::wstring_view text, int field, bool ellipsis) {
    if (field <= 0) return {};
    const int width = TextCellWidth(text);
    if (width <= field) return {std::wstring(text), width};
    if (!ellipsis || field < 3) return Prefix(text, field);
    FittedText out = Prefix(text, field - 3);
    // The dots always take the last three cells of the field; a two-cell
    // character that did not fit before them leaves one blank cell.
    out.text.append(static_cast<size_t>(field - 3 - out.cells), L' ');
    out.text += L"...";
    out.cells = field;
    return out;
}

std::wstring PadToCells(std::wstring_view text, int field) {
    std::wstring out(text);
    const int width = TextCellWidth(text);
    if (width < field) out.append(static_cast<size_t>(field - width), L' ');
    return out;
}

std::wstring AlignRightInCells(std::wstring_view text, int field) {
    const int width = TextCellWidth(text);
    std::wstring out;
    if (width < field) out.assign(static_cast<size_t>(field - width), L' ');
    out += text;
    return out;
}

}  // namespace zq::filer
