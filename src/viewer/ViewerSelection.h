#pragma once
// The Viewer's selection (one for the whole view) and the arithmetic that
// moves its end through a text by characters and display lines, hit tests a
// point and finds a URL: all on the text and line index as ViewerText holds
// them, so that the rules are tested without a window.
#include <cstdint>
#include <string_view>

namespace zq::viewer {

// A text as the readers see it between TextAvailable() and Release().
struct TextView {
    const char* text = nullptr;
    std::int64_t length = 0;
    const std::int64_t* lines = nullptr;  // lineCount + 1 entries
    std::int32_t lineCount = 0;

    [[nodiscard]] std::string_view Line(std::int32_t n) const {
        return {text + lines[n], static_cast<size_t>(lines[n + 1] - lines[n])};
    }
};

struct ViewerSelection {
    int pane = -1;  // whose text the offsets are in
    std::int64_t start = 0;
    std::int64_t end = 0;  // the moving end
    std::int64_t previousEnd = 0;
    bool exists = false;
    bool mouseSelecting = false;

    [[nodiscard]] std::int64_t From() const { return start < end ? start : end; }
    [[nodiscard]] std::int64_t To() const { return start < end ? end : start; }
    void Clear() {
        exists = false;
        mouseSelecting = false;
        start = end = previousEnd = 0;
    }
};

// The display line that holds byte `offset` (the last line for the text end).
[[nodiscard]] std::int32_t LineOf(const TextView& view, std::int64_t offset);

// The end one character to the left: the start of the character that holds
// the byte before it.
[[nodiscard]] std::int64_t StepLeft(const TextView& view, std::int64_t end);
// One character to the right, within the display line that holds the byte
// after the end, never past its CR or LF.
[[nodiscard]] std::int64_t StepRight(const TextView& view, std::int64_t end);
// To the start of the line `lines` display lines away (0 above the first
// line, the text end below the last); upwards from inside a line the first
// step reaches its own start.
[[nodiscard]] std::int64_t StepLines(const TextView& view, std::int64_t end, std::int64_t lines);
// The top line that shows the end's display line within [top + 1, top + visible].
[[nodiscard]] std::int64_t TopShowing(std::int64_t top, std::int32_t endLine, int visibleRows);

// The byte under cell `column` of display line `line`'s text (tabs expanded);
// below the last line, the text's last byte.
[[nodiscard]] std::int64_t HitTest(const TextView& view, std::int32_t line, int column, int tabWidth);

// A URL ("http://", "ftp://" or "https://", compared ignoring case) on display
// line `line` around the byte at `column` (as HitTest measures it); it runs
// to the first two-byte character, CR, LF, '"', ',' or NUL.
struct UrlRange {
    bool found = false;
    std::int64_t from = 0;
    std::int64_t to = 0;
};
[[nodiscard]] UrlRange FindUrl(const TextView& view, std::int32_t line, int column, int tabWidth);

}  // namespace zq::viewer
