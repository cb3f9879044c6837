#pragma once
// The Viewer's string search and line jump, on the internal form of a pane's
// text: byte by byte, not aligned to characters, wrapping round the text end
// and giving up when the walk comes back to where the first search began.
// The text handed in ends at the end of the last indexed line.
#include <cstdint>
#include <string>
#include <string_view>

namespace zq::viewer {

struct ViewerSearchState {
    std::string pattern;  // ANSI code page
    std::int64_t origin = 0;
    std::int64_t position = -1;  // the last match or the point reached; -1 before the first search
    bool down = true;
    bool ignoreCase = false;
};

// Whether the pattern matches at p; the text's end counts as a mismatch.
// With ignore case only ASCII letters fold.
[[nodiscard]] bool MatchesAt(std::string_view text, std::int64_t p, std::string_view pattern, bool ignoreCase);

// The first search from state.origin in state.down's direction.  True: the
// match is at state.position.
[[nodiscard]] bool FirstSearch(std::string_view text, ViewerSearchState& state);
// Searching again from the last position, down or up, until the walk reaches
// the origin of the first search.  False (nothing more) keeps the position.
[[nodiscard]] bool SearchAgain(std::string_view text, ViewerSearchState& state, bool down);

// The top line that shows a match on `matchLine` half a page down.
[[nodiscard]] std::int64_t MatchTop(std::int64_t matchLine, int visibleRows, std::int64_t lineCount);
// The top line after the jump field's text: "+n" and "-n" move, "n" goes
// there (leading digits; none is 0); clamped as every scroll is.
[[nodiscard]] std::int64_t JumpTop(std::wstring_view field, std::int64_t top, std::int64_t lineCount, int visibleRows);

}  // namespace zq::viewer
