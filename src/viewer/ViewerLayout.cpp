#include "viewer/ViewerLayout.h"

#include <algorithm>
#include <cstdio>

#include "filer/FilerCellWidth.h"
#include "settings/Settings.h"

namespace zq::viewer {

namespace {

bool Lead(std::string_view s, size_t i) {
    return i + 1 < s.size() && IsLeadByte(static_cast<std::uint8_t>(s[i]));
}

// Adds text to the row, joining it to the last run when the colours agree.
void Append(ViewerRow& row, int column, std::string_view bytes, COLORREF fore, COLORREF back) {
    if (!row.empty()) {
        ViewerRun& last = row.back();
        if (last.wide.empty() && last.fore == fore && last.back == back && last.column + RunCells(last) == column) {
            last.bytes.append(bytes);
            return;
        }
    }
    row.push_back({column, std::string(bytes), {}, fore, back});
}

std::string Format(const char* format, unsigned long long value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

}  // namespace

ViewerColors ViewerColorsFrom(const Settings& settings) {
    ViewerColors colors;
    colors.back = settings.BACK_GROUND_COLOR;
    colors.text = settings.VIEWER_COLOR;
    colors.control = settings.VIEWER_CONTROL_COLOR;
    colors.line = settings.VIEWER_LINE_COLOR;
    colors.status = settings.INTRO_VOLUME_COLOR;
    colors.userByteColors = settings.BINARYUSERCOLOR != 0;
    for (size_t i = 0; i < colors.bytes.size(); ++i) colors.bytes[i] = settings.binaryColors[i];
    return colors;
}

int RunCells(const ViewerRun& run) {
    if (!run.wide.empty()) return filer::TextCellWidth(run.wide);
    int cells = 0;
    for (size_t i = 0; i < run.bytes.size(); ++i, ++cells) {
        if (Lead(run.bytes, i)) {
            ++i;
            ++cells;
        }
    }
    return cells;
}

ViewerRow LayoutTextRow(const TextRowInput& in, const ViewerColors& colors) {
    ViewerRow row;
    int start = 0;
    if (in.lineNumbers) {
        Append(row, 0, Format("%05llu ", static_cast<unsigned long long>(in.number < 0 ? 0 : in.number)), colors.line,
               colors.back);
        start = kLineNumberCells;
    }
    const int tab = in.tabWidth > 0 ? in.tabWidth : 8;
    const auto selected = [&](size_t offset) {
        const auto at = static_cast<std::int64_t>(offset);
        return at >= in.selectFrom && at < in.selectTo;
    };
    int column = 0;
    bool lineBreak = false;
    size_t i = 0;
    for (; i < in.line.size(); ++i) {
        const char c = in.line[i];
        if (c == '\r' || c == '\n') {
            lineBreak = true;
            break;
        }
        const bool on = selected(i);
        const COLORREF fore = on ? colors.back : colors.text;
        const COLORREF back = on ? colors.text : colors.back;
        if (c == '\t') {
            // Tab stops are counted in the row's own columns, margin aside.
            const int spaces = tab - column % tab;
            Append(row, start + column, std::string(static_cast<size_t>(spaces), ' '), fore, back);
            column += spaces;
        } else if (Lead(in.line, i)) {
            Append(row, start + column, in.line.substr(i, 2), fore, back);
            column += 2;
            ++i;
        } else {
            // A control byte would show as the font's box.
            const unsigned char u = static_cast<unsigned char>(c);
            Append(row, start + column, u < 0x20 ? std::string_view(" ") : in.line.substr(i, 1), fore, back);
            column += 1;
        }
    }
    if (lineBreak && !in.lineEndMark.empty()) {
        const bool on = selected(i);
        row.push_back(
            {start + column, {}, std::wstring(in.lineEndMark), colors.control, on ? colors.text : colors.back});
    }
    return row;
}

std::int64_t ByteAtColumn(std::string_view line, int tabWidth, int column) {
    const int tab = tabWidth > 0 ? tabWidth : 8;
    int at = 0;
    for (size_t i = 0; i < line.size();) {
        int width = 1;
        size_t step = 1;
        if (line[i] == '\t') {
            width = tab - at % tab;
        } else if (line[i] == '\r' || line[i] == '\n') {
            break;
        } else if (Lead(line, i)) {
            width = 2;
            step = 2;
        }
        if (column < at + width) return static_cast<std::int64_t>(i);
        at += width;
        i += step;
    }
    return static_cast<std::int64_t>(line.size());
}

StatusLine LayoutStatus(const std::wstring& path, std::int64_t top, std::int64_t count, ViewerCharCode code,
                        bool binary, std::int64_t textLength) {
    static constexpr const wchar_t* kTags[] = {L"<S-JIS>", L"<EUC>", L"<UNICODE>", L"<JIS>", L"<UTF8>"};
    wchar_t position[64];
    std::swprintf(position, 64, L"(%lld/%lld)", static_cast<long long>(top),
                  static_cast<long long>(binary ? textLength / 16 : count));
    StatusLine status;
    status.text = path + L"," + position;
    if (binary || code < 0 || code > kCharCodeUtf8) return status;
    status.tag = kTags[code];
    // A short position keeps the tag where an 11-character one would put it.
    const int positionCells = std::max(11, filer::TextCellWidth(position));
    status.tagColumn = filer::TextCellWidth(path) + 1 + positionCells + 1;
    return status;
}

std::int64_t HexRowCount(std::int64_t textLength) {
    return textLength <= 0 ? 0 : (textLength + 15) / 16;
}

ViewerRow LayoutHexHeader(const ViewerColors& colors) {
    ViewerRow row;
    for (unsigned k = 0; k < 16; ++k)
        Append(row, 11 + 3 * static_cast<int>(k), Format("+%01llx", k), colors.line, colors.back);
    return row;
}

ViewerRow LayoutHexRow(std::string_view text, std::int64_t row, const ViewerColors& colors) {
    ViewerRow out;
    if (row < 0 || row * 16 >= static_cast<std::int64_t>(text.size())) return out;
    const size_t first = static_cast<size_t>(row) * 16;
    const std::string_view bytes = text.substr(first, 16);
    Append(out, 0, Format("%08llxH", static_cast<unsigned long long>(first)), colors.line, colors.back);
    for (size_t k = 0; k < bytes.size(); ++k) {
        const auto v = static_cast<std::uint8_t>(bytes[k]);
        const COLORREF digits = colors.userByteColors ? colors.bytes[v] : colors.text;
        Append(out, 11 + 3 * static_cast<int>(k), Format("%02llX", v), digits, colors.back);
    }
    // The characters, a two-byte one over its two columns; one whose first
    // byte ends the row shows as that byte alone.
    for (size_t k = 0; k < bytes.size(); ++k) {
        const auto v = static_cast<std::uint8_t>(bytes[k]);
        const int column = 60 + static_cast<int>(k);
        if (k < 15 && Lead(bytes, k)) {
            Append(out, column, bytes.substr(k, 2), colors.text, colors.back);
            ++k;
        } else if (v < 0x20 || v == 0x7F || IsLeadByte(v)) {
            Append(out, column, ".", colors.text, colors.back);
        } else {
            Append(out, column, bytes.substr(k, 1), colors.text, colors.back);
        }
    }
    return out;
}

std::int64_t ScrolledTop(std::int64_t top, std::int64_t delta, std::int64_t count, int visibleRows) {
    std::int64_t next = top + delta;
    next = std::min(next, count - visibleRows);
    return std::max<std::int64_t>(next, 0);
}

std::int64_t ScrolledHexTop(std::int64_t top, std::int64_t delta, std::int64_t rows, int visibleRows) {
    std::int64_t next = top + delta;
    next = std::min(next, rows - (visibleRows - 1));
    return std::max<std::int64_t>(next, 0);
}

bool MoreToScroll(std::int64_t top, int direction, std::int64_t count, int visibleRows, bool binary) {
    if (direction < 0) return top > 0;
    return binary ? top + visibleRows - 1 < count : top + visibleRows < count;
}

WideRun WidenRun(std::string_view bytes, int charWidth) {
    WideRun run;
    for (size_t i = 0; i < bytes.size();) {
        const int length = Lead(bytes, i) ? 2 : 1;
        wchar_t units[4] = {};
        int produced = ::MultiByteToWideChar(CP_ACP, 0, bytes.data() + i, length, units, 4);
        if (produced <= 0) {
            units[0] = L'?';
            produced = 1;
        }
        // Every unit but the first advances nothing: the character keeps the
        // cells of its bytes whatever width the font would give it.
        for (int u = 0; u < produced; ++u) {
            run.text.push_back(units[u]);
            run.advances.push_back(u == 0 ? length * charWidth : 0);
        }
        i += static_cast<size_t>(length);
    }
    return run;
}

}  // namespace zq::viewer
