#include "viewer/ViewerConvert.h"

#include <windows.h>

#include <emmintrin.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace zq::viewer {

namespace {

constexpr std::uint8_t kEsc = 0x1B;
constexpr std::uint8_t kSingleShift2 = 0x8E;

// The lead bytes of the ANSI code page, taken once: the walk asks for every
// byte of the text, and the runtime's own test would go through its locale
// each time.
const std::array<bool, 256>& LeadTable() {
    static const std::array<bool, 256> table = [] {
        std::array<bool, 256> t{};
        for (int b = 0; b < 256; ++b) t[b] = ::IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(b)) != FALSE;
        return t;
    }();
    return table;
}

// How many of the 16 bytes at `bytes` are plain: neither a control byte up
// to CR (0x00 to 0x0D) nor a byte of 0x80 or more.  As signed bytes both are
// exactly those below 0x0E.
int PlainPrefix(const std::uint8_t* bytes) noexcept {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    const auto special = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(block, _mm_set1_epi8(0x0E))));
    return special == 0 ? 16 : std::countr_zero(special);
}

void EucPair(std::uint8_t a, std::uint8_t b, std::uint8_t*& out) {
    const int h = a >> 1;
    if (a & 1) {
        *out++ = static_cast<std::uint8_t>(h < 0x6F ? h + 0x31 : h + 0x71);
        *out++ = static_cast<std::uint8_t>(b < 0xE0 ? b - 0x61 : b - 0x60);
    } else {
        // Both parities change halves at the same h, so the even first byte
        // 0xDE (row 62) gives 0xDF by this arithmetic, where the platform's
        // own EUC table puts that row at 0x9F.
        *out++ = static_cast<std::uint8_t>(h < 0x6F ? h + 0x30 : h + 0x70);
        *out++ = static_cast<std::uint8_t>(b - 2);
    }
}

void JisPair(std::uint8_t a, std::uint8_t b, std::uint8_t*& out) {
    const int row = (a - 0x21) >> 1;
    *out++ = static_cast<std::uint8_t>(row > 30 ? row + 0xC1 : row + 0x81);
    int second = (a & 1) ? b + 0x1F : b + 0x7D;
    if (second >= 0x7F) ++second;
    *out++ = static_cast<std::uint8_t>(second);
}

}  // namespace

bool IsLeadByte(std::uint8_t byte) noexcept {
    return LeadTable()[byte];
}

MarkResult DetectMark(const std::uint8_t* bytes, std::int64_t length) noexcept {
    static constexpr struct {
        std::uint8_t bytes[3];
        int length;
        ViewerCharCode code;
    } kMarks[] = {{{0xFF, 0xFE, 0}, 2, kCharCodeUnicode}, {{0xEF, 0xBB, 0xBF}, 3, kCharCodeUtf8}};
    for (const auto& mark : kMarks) {
        if (length > mark.length && std::equal(mark.bytes, mark.bytes + mark.length, bytes))
            return {mark.code, mark.length};
    }
    return {};
}

std::int64_t ConvertEucToSjis(const std::uint8_t* in, std::int64_t length, std::uint8_t* out, ConvertState& state) {
    std::uint8_t* const start = out;
    for (std::int64_t i = 0; i < length; ++i) {
        const std::uint8_t b = in[i];
        if (state.pending) {
            // The first half of a character that ended the previous block.
            state.pending = false;
            if (state.pendingByte == kSingleShift2)
                *out++ = b;
            else
                EucPair(state.pendingByte, b, out);
            continue;
        }
        if (b < 0x80) {
            *out++ = b;
        } else if (i + 1 == length) {
            state.pending = true;
            state.pendingByte = b;
        } else if (b == kSingleShift2) {
            *out++ = in[++i];
        } else {
            EucPair(b, in[i + 1], out);
            ++i;
        }
    }
    return out - start;
}

std::int64_t ConvertJisToSjis(const std::uint8_t* in, std::int64_t length, std::uint8_t* out, ConvertState& state) {
    std::uint8_t* const start = out;
    for (std::int64_t i = 0; i < length; ++i) {
        const std::uint8_t b = in[i];
        if (b == kEsc) {
            // A pair cut by an escape is dropped; an escape inside a sequence starts it again.
            state.pending = false;
            state.jisParen = 1;
            state.jisDollar = 0;
            continue;
        }
        if (state.jisParen == 1) {
            state.jisParen = 0;
            if (b == '(') {
                state.jisParen = 2;
            } else if (b == '$') {
                state.jisDollar = 1;
            } else {
                state.jisMode = ConvertState::kJisNone;
            }
            continue;
        }
        if (state.jisParen == 2) {
            state.jisParen = 0;
            state.jisMode = (b == 'B' || b == 'J') ? ConvertState::kJisSingle : ConvertState::kJisNone;
            continue;
        }
        if (state.jisDollar == 1) {
            state.jisDollar = 0;
            state.jisMode = b == 'B' ? ConvertState::kJisDouble : ConvertState::kJisNone;
            continue;
        }
        if (state.jisMode == ConvertState::kJisSingle) {
            *out++ = b;
        } else if (state.jisMode == ConvertState::kJisDouble) {
            if (state.pending) {
                state.pending = false;
                JisPair(state.pendingByte, b, out);
            } else {
                state.pending = true;
                state.pendingByte = b;
            }
        }
    }
    return out - start;
}

std::int64_t ConvertUtf16ToAnsi(const std::uint8_t* in, std::int64_t length, std::uint8_t* out, ConvertState& state,
                                bool last) {
    std::int64_t units = length / 2;
    std::int64_t produced = 0;
    // A pair cut by the block's end is converted as one character with the
    // first unit of the next block, as the whole text would convert it.
    if (state.pendingUnit != 0 && units > 0) {
        wchar_t pair[2] = {static_cast<wchar_t>(state.pendingUnit), 0};
        std::memcpy(&pair[1], in, sizeof(wchar_t));
        const int taken = IS_LOW_SURROGATE(pair[1]) ? 2 : 1;
        produced = ::WideCharToMultiByte(CP_ACP, 0, pair, taken, reinterpret_cast<char*>(out), 4, nullptr, nullptr);
        state.pendingUnit = 0;
        if (taken == 2) {
            in += sizeof(wchar_t);
            length -= static_cast<std::int64_t>(sizeof(wchar_t));
            --units;
        }
    }
    if (units > 0 && !last) {
        wchar_t final = 0;
        std::memcpy(&final, in + (units - 1) * 2, sizeof(wchar_t));
        if (IS_HIGH_SURROGATE(final)) {
            state.pendingUnit = final;
            --units;
        }
    }
    if (units == 0) return produced;
    return produced + ::WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(in), static_cast<int>(units),
                                            reinterpret_cast<char*>(out + produced), static_cast<int>(length), nullptr,
                                            nullptr);
}

std::int64_t ConvertUtf8ToAnsi(const std::uint8_t* in, std::int64_t length, std::uint8_t* out,
                               std::vector<wchar_t>& wide) {
    if (length <= 0) return 0;
    const size_t wanted = static_cast<size_t>(length + 1) * 6 / sizeof(wchar_t);
    if (wide.size() < wanted) {
        try {
            wide.resize(wanted);
        } catch (...) {
            return 0;
        }
    }
    const int units = ::MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char*>(in), static_cast<int>(length),
                                            wide.data(), static_cast<int>(wide.size()));
    if (units <= 0) return 0;
    return ::WideCharToMultiByte(CP_ACP, 0, wide.data(), units, reinterpret_cast<char*>(out), static_cast<int>(length),
                                 nullptr, nullptr);
}

std::int64_t ConvertBlock(ViewerCharCode code, const std::uint8_t* in, std::int64_t length, std::uint8_t* out,
                          ConvertState& state, std::vector<wchar_t>& wide, bool last) {
    switch (code) {
        case kCharCodeEuc:
            return ConvertEucToSjis(in, length, out, state);
        case kCharCodeUnicode:
            return ConvertUtf16ToAnsi(in, length, out, state, last);
        case kCharCodeJis:
            return ConvertJisToSjis(in, length, out, state);
        case kCharCodeUtf8:
            return ConvertUtf8ToAnsi(in, length, out, wide);
        default:
            if (in != out) std::copy(in, in + length, out);
            return length;
    }
}

std::int64_t Utf8CutLength(const std::uint8_t* in, std::int64_t length) noexcept {
    for (std::int64_t i = length; i > 0; --i) {
        const std::uint8_t b = in[i - 1];
        if (b == 0x0D || b == 0x0A || b == 0x00) return i;
    }
    // A line longer than the block: cut before a character that the block's
    // end splits, so that both halves are not each turned into a "?".
    for (std::int64_t i = length; i > 0 && i > length - 4; --i) {
        const std::uint8_t b = in[i - 1];
        if ((b & 0xC0) == 0x80) continue;  // a continuation byte
        const std::int64_t needed = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        return length - (i - 1) < needed && i > 1 ? i - 1 : length;
    }
    return length;
}

std::int64_t DisplayLineEnd(const LineWalk& walk, const std::uint8_t* text, std::int64_t textLength,
                            std::int64_t pos) noexcept {
    const auto& lead = LeadTable();
    const int columns = std::max(walk.columns, 1);
    const int tab = std::max(walk.tabWidth, 1);
    int column = 0;
    std::int64_t p = pos;
    while (p < textLength) {
        // Most bytes of a text are plain single-byte characters; they are
        // passed sixteen at a time, up to the first byte that needs a rule of
        // its own (a control byte up to CR, or any byte from 0x80 on).
        while (p + 16 <= textLength) {
            const int plain = PlainPrefix(text + p);
            const int room = columns - column;
            const int step = plain < room ? plain : room;
            p += step;
            column += step;
            if (column >= columns) return p;
            if (plain < 16) break;
        }
        if (p >= textLength) break;
        const std::uint8_t b = text[p];
        if (b == 0x0D) {
            ++p;
            if (p < textLength && text[p] == 0x0A) ++p;
            return p;
        }
        if (b == 0x0A) return p + 1;
        if (lead[b]) {
            // A two-byte character never straddles two display lines; a line
            // too narrow for even one keeps it anyway rather than stay empty.
            if (column == columns - 1 && p > pos) return p;
            p = std::min(p + 2, textLength);
            column += 2;
        } else if (b == 0x09) {
            ++p;
            column += tab - column % tab;
        } else {
            ++p;
            ++column;
        }
        if (column >= columns) return p;
    }
    return textLength;
}

}  // namespace zq::viewer
