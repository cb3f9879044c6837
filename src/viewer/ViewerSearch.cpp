#include "viewer/ViewerSearch.h"

#include <algorithm>

#include "viewer/ViewerLayout.h"

namespace zq::viewer {

namespace {

unsigned char Fold(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// The walk of one search from `start`, stepping `step` (1 or -1), wrapping at
// the ends and giving up when it comes back to `origin`.
bool Walk(std::string_view text, ViewerSearchState& state, std::int64_t start, int step) {
    if (state.pattern.empty()) return false;
    const auto end = static_cast<std::int64_t>(text.size());
    std::int64_t p = start;
    for (;;) {
        if (step > 0 && p >= end) {
            p = 0;
            if (p == state.origin) return false;
        } else if (step < 0 && p < 0) {
            p = end;
            if (p == state.origin) return false;
        }
        if (MatchesAt(text, p, state.pattern, state.ignoreCase)) {
            state.position = p;
            return true;
        }
        p += step;
        if (p == state.origin) return false;
    }
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
    return Walk(text, state, state.origin, state.down ? 1 : -1);
}

bool SearchAgain(std::string_view text, ViewerSearchState& state, bool down) {
    if (state.pattern.empty()) return false;
    const std::int64_t last = state.position;
    if (Walk(text, state, last + (down ? 1 : -1), down ? 1 : -1)) return true;
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
