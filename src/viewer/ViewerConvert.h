#pragma once
// The Viewer's text rules that need no window: the character codes, the
// byte-order-mark test, the converters into the internal form (multibyte text
// in the ANSI code page) and the walk that cuts the text into display lines.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zq::viewer {

// The character code of a text; Auto exists only as a request.
enum ViewerCharCode : std::int32_t {
    kCharCodeSjis = 0,
    kCharCodeEuc = 1,
    kCharCodeUnicode = 2,
    kCharCodeJis = 3,
    kCharCodeUtf8 = 4,
    kCharCodeAuto = 5,
};

// True for the first byte of a two-byte character of the ANSI code page.
[[nodiscard]] bool IsLeadByte(std::uint8_t byte) noexcept;

// The byte-order mark found at the start of `bytes` (length `length`): the
// detected code (0 for none) and the mark's length.  A text that is only the
// mark has none.
struct MarkResult {
    ViewerCharCode detected = kCharCodeSjis;
    int length = 0;
};
[[nodiscard]] MarkResult DetectMark(const std::uint8_t* bytes, std::int64_t length) noexcept;

// What the converters carry from one block to the next: the JIS decoder's
// three bytes, and a first byte of a two-byte EUC or JIS character (or an EUC
// single-shift) that was the last byte of its block.
struct ConvertState {
    enum JisMode : std::uint8_t { kJisSingle = 0, kJisDouble = 1, kJisNone = 2 };
    std::uint8_t jisMode = kJisSingle;
    std::uint8_t jisParen = 0;   // progress of ESC ( B / ESC ( J
    std::uint8_t jisDollar = 0;  // progress of ESC $ B
    bool jisEscape = false;      // inside an escape sequence
    bool pending = false;
    std::uint8_t pendingByte = 0;
    std::uint16_t pendingUnit = 0;  // a UTF-16 high surrogate that ended its block
};

// Each converter writes the internal form to `out` and returns the number of
// bytes produced, never more than it consumed plus a byte carried in `state`.
std::int64_t ConvertEucToSjis(const std::uint8_t* in, std::int64_t length, std::uint8_t* out, ConvertState& state);
std::int64_t ConvertJisToSjis(const std::uint8_t* in, std::int64_t length, std::uint8_t* out, ConvertState& state);
// Unless `last`, a high surrogate that ends the block waits in `state` for its low half.
std::int64_t ConvertUtf16ToAnsi(const std::uint8_t* in, std::int64_t length, std::uint8_t* out, ConvertState& state,
                                bool last);
// wide is the wide-character scratch buffer, grown here when too small.
std::int64_t ConvertUtf8ToAnsi(const std::uint8_t* in, std::int64_t length, std::uint8_t* out,
                               std::vector<wchar_t>& wide);
// Converts by code (1 to 4); code 0 copies.  `last`: no block follows.
std::int64_t ConvertBlock(ViewerCharCode code, const std::uint8_t* in, std::int64_t length, std::uint8_t* out,
                          ConvertState& state, std::vector<wchar_t>& wide, bool last = true);
// How much of a UTF-8 block to convert now: up to just after its last CR, LF
// or NUL; when it has none, all of it but a character its end cuts.
[[nodiscard]] std::int64_t Utf8CutLength(const std::uint8_t* in, std::int64_t length) noexcept;

// The display-line walk.  Resumes at scanPos in text[0, textLength) and calls
// addLine(end) for each display line it closes; returns the new scan position.
// Unless `last`, it stops once the scan position reaches textLength - 2 x
// columns, so that no line is cut by the end of the text converted so far.
struct LineWalk {
    int tabWidth = 8;
    int columns = 80;
};
template <typename AddLine>
std::int64_t WalkLines(const LineWalk& walk, const std::uint8_t* text, std::int64_t textLength, std::int64_t scanPos,
                       bool last, std::int32_t lineCount, AddLine&& addLine);

// The line a walk would start at `pos` ends here (exclusive).
[[nodiscard]] std::int64_t DisplayLineEnd(const LineWalk& walk, const std::uint8_t* text, std::int64_t textLength,
                                          std::int64_t pos) noexcept;

template <typename AddLine>
std::int64_t WalkLines(const LineWalk& walk, const std::uint8_t* text, std::int64_t textLength, std::int64_t scanPos,
                       bool last, std::int32_t lineCount, AddLine&& addLine) {
    const std::int64_t stop = last ? textLength : textLength - 2 * static_cast<std::int64_t>(walk.columns);
    std::int64_t pos = scanPos;
    while (pos < stop || (last && pos == textLength && lineCount == 0)) {
        const std::int64_t end = DisplayLineEnd(walk, text, textLength, pos);
        if (!addLine(end)) break;
        ++lineCount;
        pos = end;
        if (pos >= textLength) break;
    }
    return pos;
}

}  // namespace zq::viewer
