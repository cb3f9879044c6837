#pragma once
// Where the header's boxes stand in its five lines: volume information,
// drive selection, incremental search and file information from the left,
// the clock and the battery in a column at the right edge.
#include <windows.h>

#include "filer/FilerLayoutFont.h"

namespace zq::filer {

struct FilerHeaderOptions {
    bool dispVolumeAtHeader = false;  // DISP_VOLUME_AT_HEADER
    bool driveListOnHeader = false;   // DRIVE_LIST_ON_HEADER
    bool dispBatteryInfo = false;     // DISP_BATTERY_INFO
    bool viewerShown = false;         // a pane shows a viewer: no battery then
    int driveBoxChars = 35;           // ten letters three apart between the two arrows
};

// Boxes in pixels, frames included; an empty rectangle is a box not shown.
struct FilerHeaderBoxes {
    RECT volume{};
    RECT drives{};
    RECT search{};
    RECT fileInfo{};
    RECT clock{};    // the clock's text field
    RECT battery{};  // the battery's text field
};

// The volume box narrows down to the minimum before the file information is
// clipped: its long values (the current directory) are cut in any case.
inline constexpr int kVolumeBoxChars = 32;
inline constexpr int kMinVolumeBoxChars = 16;
inline constexpr int kSearchBoxChars = 26;
// The file information's items need this much to show in full; the box is
// still shown, clipped, down to the minimum.
inline constexpr int kFileInfoChars = 36;
inline constexpr int kMinFileInfoChars = 20;

[[nodiscard]] FilerHeaderBoxes ComputeHeaderBoxes(const FilerMetrics& metrics, int clientWidth,
                                                  const FilerHeaderOptions& options);

}  // namespace zq::filer
