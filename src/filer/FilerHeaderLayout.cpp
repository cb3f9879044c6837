#include "filer/FilerHeaderLayout.h"

#include "filer/FilerCellWidth.h"
#include "filer/FilerHeaderText.h"

namespace zq::filer {

namespace {

constexpr int kHeaderLines = 5;

RECT Box(const FilerMetrics& m, int column, int chars, int line, int lines) {
    return {column * m.charWidth, line * m.lineHeight, (column + chars) * m.charWidth, (line + lines) * m.lineHeight};
}

}  // namespace

FilerHeaderBoxes ComputeHeaderBoxes(const FilerMetrics& m, int clientWidth, const FilerHeaderOptions& options) {
    FilerHeaderBoxes boxes;
    const int totalChars = clientWidth / m.charWidth;

    // The right column: the clock on the second line, the battery on the
    // fourth, each in the field its template asks for.
    const int clockChars = TextCellWidth(kClockTemplate);
    const int batteryChars = TextCellWidth(kBatteryTemplate);
    const int rightChars = (clockChars > batteryChars ? clockChars : batteryChars) + 2;
    const int rightColumn = totalChars - rightChars;
    if (rightColumn >= 0) {
        boxes.clock = Box(m, rightColumn + 1, clockChars, 1, 1);
        if (options.dispBatteryInfo && !options.viewerShown)
            boxes.battery = Box(m, rightColumn + 1, batteryChars, 3, 1);
    }
    const int limit = rightColumn > 0 ? rightColumn : totalChars;

    // Boxes from the left, each kept only when it fits before the right
    // column.  The search box only shows what is typed, so it gives way to
    // the cursor entry's file information when the header is narrow.
    int column = VolumeBoxIndent(options.dispVolumeAtHeader);
    const auto place = [&](RECT& box, int chars) {
        if (chars <= 0 || column + chars > limit) return;
        box = Box(m, column, chars, 0, kHeaderLines);
        column += chars;
    };
    int volumeChars = kVolumeBoxChars;
    if (!options.driveListOnHeader) {
        const int spare = limit - column - kFileInfoChars;
        if (spare < volumeChars) volumeChars = spare > kMinVolumeBoxChars ? spare : kMinVolumeBoxChars;
    }
    place(boxes.volume, volumeChars);
    if (options.driveListOnHeader) place(boxes.drives, options.driveBoxChars);
    if (limit - column >= kSearchBoxChars + kFileInfoChars) place(boxes.search, kSearchBoxChars);
    if (limit - column >= kMinFileInfoChars) place(boxes.fileInfo, limit - column);
    return boxes;
}

}  // namespace zq::filer
