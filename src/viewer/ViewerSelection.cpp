#include "viewer/ViewerSelection.h"

#include <algorithm>
#include <cctype>

#include "viewer/ViewerConvert.h"
#include "viewer/ViewerLayout.h"

namespace zq::viewer {

namespace {

bool LeadAt(const TextView& view, std::int64_t at) {
    return at + 1 < view.length && IsLeadByte(static_cast<std::uint8_t>(view.text[at]));
}

bool StartsWithLower(const TextView& view, std::int64_t at, std::string_view prefix) {
    if (at + static_cast<std::int64_t>(prefix.size()) > view.length) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        const auto c = static_cast<unsigned char>(view.text[at + static_cast<std::int64_t>(i)]);
        if (std::tolower(c) != prefix[i]) return false;
    }
    return true;
}

bool EndsUrl(const TextView& view, std::int64_t at) {
    const char c = view.text[at];
    return IsLeadByte(static_cast<std::uint8_t>(c)) || c == '\n' || c == '\r' || c == '"' || c == ',' || c == '\0';
}

}  // namespace

std::int32_t LineOf(const TextView& view, std::int64_t offset) {
    if (view.lineCount <= 0) return 0;
    // The last entry not beyond the offset among the lines' starts.
    const std::int64_t* first = view.lines;
    const std::int64_t* last = view.lines + view.lineCount;
    const std::int64_t* it = std::upper_bound(first, last, offset);
    const auto line = static_cast<std::int32_t>(it - first) - 1;
    return std::clamp<std::int32_t>(line, 0, view.lineCount - 1);
}

std::int64_t StepLeft(const TextView& view, std::int64_t end) {
    if (end <= 0 || view.lineCount <= 0) return 0;
    const std::int64_t before = std::min(end, view.length) - 1;
    std::int64_t at = view.lines[LineOf(view, before)];
    while (at < before) {
        const std::int64_t step = LeadAt(view, at) ? 2 : 1;
        if (at + step > before) break;
        at += step;
    }
    return at;
}

std::int64_t StepRight(const TextView& view, std::int64_t end) {
    if (end >= view.length || view.lineCount <= 0) return view.length;
    const std::int32_t line = LineOf(view, end);
    const std::int64_t lineEnd = view.lines[line + 1];
    std::int64_t at = view.lines[line];
    while (at <= end && at < lineEnd) {
        const char c = view.text[at];
        if (c == '\r' || c == '\n') return std::max(at, end);
        at += LeadAt(view, at) ? 2 : 1;
    }
    return std::min(at, lineEnd);
}

std::int64_t StepLines(const TextView& view, std::int64_t end, std::int64_t lines) {
    if (view.lineCount <= 0) return 0;
    std::int64_t line = LineOf(view, end);
    if (lines < 0 && end > view.lines[line]) ++line;
    const std::int64_t target = line + lines;
    if (target < 0) return 0;
    if (target >= view.lineCount) return view.length;
    return view.lines[target];
}

std::int64_t TopShowing(std::int64_t top, std::int32_t endLine, int visibleRows) {
    if (endLine < top + 1) return std::max<std::int64_t>(endLine - 1, 0);
    if (endLine > top + visibleRows) return endLine - visibleRows;
    return top;
}

std::int64_t HitTest(const TextView& view, std::int32_t line, int column, int tabWidth) {
    if (view.lineCount <= 0) return 0;
    if (line >= view.lineCount) return std::max<std::int64_t>(view.length - 1, 0);
    if (line < 0) line = 0;
    return view.lines[line] + ByteAtColumn(view.Line(line), tabWidth, column < 0 ? 0 : column);
}

UrlRange FindUrl(const TextView& view, std::int32_t line, int column, int tabWidth) {
    if (line < 0 || line >= view.lineCount) return {};
    const std::string_view text = view.Line(line);
    const std::int64_t start = view.lines[line];
    const std::int64_t c = ByteAtColumn(text, tabWidth, column < 0 ? 0 : column);
    if (static_cast<std::int64_t>(text.size()) < c) return {};
    const std::int64_t p = start + c;
    static constexpr std::string_view kSchemes[] = {"http://", "ftp://", "https://"};
    for (std::int64_t at = start; at < view.lines[line + 1]; at += LeadAt(view, at) ? 2 : 1) {
        if (LeadAt(view, at)) continue;
        for (const std::string_view scheme : kSchemes) {
            if (!StartsWithLower(view, at, scheme)) continue;
            std::int64_t end = at + static_cast<std::int64_t>(scheme.size());
            while (end < view.length && !EndsUrl(view, end)) ++end;
            // The byte just after the URL (the comma that ends it, say) still picks it.
            if (at <= p && end + 1 >= p) return {true, at, end};
            break;
        }
    }
    return {};
}

}  // namespace zq::viewer
