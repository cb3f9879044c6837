#include "viewer/ViewerSearch.h"

#include <emmintrin.h>

#include <algorithm>
#include <bit>

#include "viewer/ViewerLayout.h"

namespace zq::viewer {

namespace {

unsigned char Fold(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Finds the candidates for a match among 16 positions at once: the places
// where both the pattern's first and its last byte stand, in either case of
// an ASCII letter when the case is ignored.  Only those go on to MatchesAt.
class Candidates {
  public:
    Candidates(std::string_view pattern, bool ignoreCase) noexcept
        : m_lastOffset(static_cast<std::int64_t>(pattern.size()) - 1) {
        Set(static_cast<unsigned char>(pattern.front()), ignoreCase, m_first, m_firstOther);
        Set(static_cast<unsigned char>(pattern.back()), ignoreCase, m_last, m_lastOther);
    }
    // Bit i: position p + i may match.  Reads text[p, p + 16 + pattern length - 1).
    [[nodiscard]] unsigned At(const char* text) const noexcept {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + m_lastOffset));
        const __m128i first = _mm_or_si128(_mm_cmpeq_epi8(a, m_first), _mm_cmpeq_epi8(a, m_firstOther));
        const __m128i last = _mm_or_si128(_mm_cmpeq_epi8(b, m_last), _mm_cmpeq_epi8(b, m_lastOther));
        return static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(first, last)));
    }

  private:
    static void Set(unsigned char c, bool ignoreCase, __m128i& one, __m128i& other) noexcept {
        const unsigned char folded = ignoreCase ? Fold(c) : c;
        const bool letter = ignoreCase && folded >= 'a' && folded <= 'z';
        one = _mm_set1_epi8(static_cast<char>(folded));
        other = _mm_set1_epi8(static_cast<char>(letter ? folded - 'a' + 'A' : folded));
    }
    std::int64_t m_lastOffset;
    __m128i m_first, m_firstOther, m_last, m_lastOther;
};

// The first position in [from, to) where the pattern matches, or -1.
std::int64_t FindForward(std::string_view text, std::int64_t from, std::int64_t to, const ViewerSearchState& state) {
    const auto m = static_cast<std::int64_t>(state.pattern.size());
    const std::int64_t limit = std::min(to, static_cast<std::int64_t>(text.size()) - m + 1);
    const Candidates candidates(state.pattern, state.ignoreCase);
    std::int64_t p = std::max<std::int64_t>(from, 0);
    for (; p + 16 <= limit; p += 16) {
        for (unsigned bits = candidates.At(text.data() + p); bits != 0; bits &= bits - 1) {
            const std::int64_t q = p + std::countr_zero(bits);
            if (MatchesAt(text, q, state.pattern, state.ignoreCase)) return q;
        }
    }
    for (; p < limit; ++p)
        if (MatchesAt(text, p, state.pattern, state.ignoreCase)) return p;
    return -1;
}

// The last position in [from, to) where the pattern matches, or -1.
std::int64_t FindBackward(std::string_view text, std::int64_t from, std::int64_t to, const ViewerSearchState& state) {
    const auto m = static_cast<std::int64_t>(state.pattern.size());
    std::int64_t p = std::min(to, static_cast<std::int64_t>(text.size()) - m + 1);  // exclusive
    const Candidates candidates(state.pattern, state.ignoreCase);
    from = std::max<std::int64_t>(from, 0);
    for (; p - 16 >= from; p -= 16) {
        for (unsigned bits = candidates.At(text.data() + p - 16); bits != 0;) {
            const int high = 31 - std::countl_zero(bits);
            if (MatchesAt(text, p - 16 + high, state.pattern, state.ignoreCase)) return p - 16 + high;
            bits &= ~(1u << high);
        }
    }
    for (--p; p >= from; --p)
        if (MatchesAt(text, p, state.pattern, state.ignoreCase)) return p;
    return -1;
}

// The walk of one search from `start`, down or up, wrapping at the ends and
// giving up when it comes back to the origin: down it covers [start, end) and
// then [0, origin), or only [start, origin) when it starts before the origin;
// up the same mirrored.
bool Walk(std::string_view text, ViewerSearchState& state, std::int64_t start, bool down) {
    if (state.pattern.empty()) return false;
    const auto end = static_cast<std::int64_t>(text.size());
    const std::int64_t origin = std::clamp<std::int64_t>(state.origin, 0, end);
    std::int64_t p = start;
    std::int64_t found = -1;
    if (down) {
        if (p >= end) {
            if (origin == 0) return false;
            p = 0;
        }
        if (p < origin) {
            found = FindForward(text, p, origin, state);
        } else {
            found = FindForward(text, p, end, state);
            if (found < 0) found = FindForward(text, 0, origin, state);
        }
    } else {
        if (p < 0) {
            if (origin == end) return false;
            p = end;
        }
        if (p > origin) {
            found = FindBackward(text, origin + 1, p + 1, state);
        } else {
            found = FindBackward(text, 0, p + 1, state);
            if (found < 0) found = FindBackward(text, origin + 1, end + 1, state);
        }
    }
    if (found < 0) return false;
    state.position = found;
    return true;
}

}  // namespace

bool MatchesAt(std::string_view text, std::int64_t p, std::string_view pattern, bool ignoreCase) {
    if (p < 0 || p + static_cast<std::int64_t>(pattern.size()) > static_cast<std::int64_t>(text.size())) return false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        auto a = static_cast<unsigned char>(text[static_cast<size_t>(p) + i]);
        auto b = static_cast<unsigned char>(pattern[i]);
        if (ignoreCase) a = Fold(a), b = Fold(b);
        if (a != b) return false;
    }
    return true;
}

bool FirstSearch(std::string_view text, ViewerSearchState& state) {
    state.position = -1;
    return Walk(text, state, state.origin, state.down);
}

bool SearchAgain(std::string_view text, ViewerSearchState& state, bool down) {
    if (state.pattern.empty()) return false;
    const std::int64_t last = state.position;
    if (Walk(text, state, last + (down ? 1 : -1), down)) return true;
    state.position = last;
    return false;
}

std::int64_t MatchTop(std::int64_t matchLine, int visibleRows, std::int64_t lineCount) {
    return ScrolledTop(matchLine - visibleRows / 2, 0, lineCount, visibleRows);
}

std::int64_t JumpTop(std::wstring_view field, std::int64_t top, std::int64_t lineCount, int visibleRows) {
    const bool relative = !field.empty() && (field[0] == L'+' || field[0] == L'-');
    const bool minus = relative && field[0] == L'-';
    std::int64_t value = 0;
    for (size_t i = relative ? 1 : 0; i < field.size() && field[i] >= L'0' && field[i] <= L'9'; ++i)
        value = std::min<std::int64_t>(value * 10 + (field[i] - L'0'), INT32_MAX);
    if (!relative) return ScrolledTop(value, 0, lineCount, visibleRows);
    return ScrolledTop(top, minus ? -value : value, lineCount, visibleRows);
}

}  // namespace zq::viewer
