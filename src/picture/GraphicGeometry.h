#pragma once
// The arithmetic of the Graphic mode, without windows: the zoom table, the
// display size of a picture in an area, the scroll ranges and the picture's
// origin for an anchoring, and the zoom steps.  All divisions are integer
// divisions, as the drawing code expects.
#include <array>

namespace zq::picture {

struct StructZoomRatio {
    int numerator;
    int denominator;
    const wchar_t* label;
};

// Zoom index 1..10 is kZoomTable[index - 1]; index 0 is the fitted state.
inline constexpr int kZoomCount = 10;
extern const std::array<StructZoomRatio, kZoomCount> kZoomTable;

// Where a picture is anchored along one axis: left/top, right/bottom, centre.
enum Anchor : int { kAnchorStart = 0, kAnchorEnd = 1, kAnchorCentre = 2 };

struct FitInput {
    int width = 0;  // the picture's
    int height = 0;
    int areaWidth = 0;
    int areaHeight = 0;
    int scrollBar = 0;       // the thickness of a scroll bar
    bool fitWidth = false;   // "幅をスケーリングする"
    bool fitHeight = false;  // "高さをスケーリングする"
    int zoom = 0;            // 0: no ratio, 1..10: a row of kZoomTable
};

struct FitResult {
    int width = 0;  // displayed
    int height = 0;
    int overflowX = 0;  // what does not fit across, 0 when it all does
    int overflowY = 0;
    bool scrollX = false;  // a horizontal scroll bar is needed
    bool scrollY = false;
};

[[nodiscard]] FitResult FitPicture(const FitInput& in);

struct ScrollRange {
    int minimum = 0;
    int maximum = 0;
    bool operator==(const ScrollRange&) const = default;
};

// Scroll positions count 50-pixel steps.
inline constexpr int kScrollStep = 50;
[[nodiscard]] ScrollRange ScrollRangeFor(int overflow, int anchor);
// The picture's left (top) edge in the area at scroll position `position`.
[[nodiscard]] int OriginFor(int area, int size, int anchor, int position);

// The next zoom index for @Zoomin (in) or @Zoomout; `current` when none
// qualifies.  From index 0 the choice compares the ratios with displayedWidth / width.
[[nodiscard]] int NextZoom(int current, bool in, int displayedWidth, int width,
                           const std::array<int, kZoomCount>& enabled);

// The percentage of the title: displayed width x 100 / picture width.
[[nodiscard]] long ZoomPercent(int displayedWidth, int width);

}  // namespace zq::picture
