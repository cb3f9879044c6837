#include <gtest/gtest.h>

#include "filer/FilerHeaderLayout.h"

using namespace zq::filer;

namespace {

const FilerMetrics kMetrics{16, 8};

bool Empty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}
bool Overlap(const RECT& a, const RECT& b) {
    return !Empty(a) && !Empty(b) && a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

TEST(FilerHeaderLayout, BoxesFitSideBySideWithoutOverlap) {
    struct Case {
        int width;
        FilerHeaderOptions options;
        bool drives;
        bool search;
        bool fileInfo;
        bool battery;
        int volumeLeft;  // -1: no volume box
    };
    const Case cases[] = {
        {1280, {true, true, true, false, 35}, true, true, true, true, 0},
        {1280, {false, false, true, true, 35}, false, true, true, false, 4},  // a viewer hides the battery
        // 150 characters: the search box gives way to the file information.
        {1200, {true, true, false, false, 35}, true, false, true, false, 0},
        {1000, {false, false, false, false, 35}, false, true, true, false, 4},
        {800, {true, true, false, false, 35}, true, false, false, false, 0},    // no room left for the file box
        {640, {false, false, false, false, 35}, false, false, true, false, 4},  // the volume box narrows
        // The volume box does not fit; the file information takes what is left.
        {400, {true, true, false, false, 35}, false, false, true, false, -1},
        {300, {true, true, false, false, 35}, false, false, false, false, -1},  // only the clock is left
    };
    for (const auto& c : cases) {
        const FilerHeaderBoxes b = ComputeHeaderBoxes(kMetrics, c.width, c.options);
        EXPECT_EQ(!Empty(b.volume), c.volumeLeft >= 0) << c.width;
        if (c.volumeLeft >= 0) {
            EXPECT_EQ(b.volume.left, c.volumeLeft * 8) << c.width;
            EXPECT_EQ(b.volume.bottom, 5 * 16);
        }
        EXPECT_EQ(!Empty(b.drives), c.drives) << c.width;
        EXPECT_EQ(!Empty(b.search), c.search) << c.width;
        if (!Empty(b.search) && !Empty(b.fileInfo)) {
            EXPECT_GE(b.fileInfo.right - b.fileInfo.left, kFileInfoChars * 8) << c.width;
        }
        EXPECT_EQ(!Empty(b.fileInfo), c.fileInfo) << c.width;
        // Without the drive box, the volume box gives way before the file information is clipped.
        if (!c.options.driveListOnHeader && !Empty(b.fileInfo) &&
            b.volume.right - b.volume.left > kMinVolumeBoxChars * 8) {
            EXPECT_GE(b.fileInfo.right - b.fileInfo.left, kFileInfoChars * 8) << c.width;
        }
        EXPECT_EQ(!Empty(b.battery), c.battery) << c.width;
        EXPECT_FALSE(Empty(b.clock));
        EXPECT_LE(b.clock.right, c.width);
        EXPECT_EQ(b.clock.right - b.clock.left, 21 * 8);  // "0000-00-00   00:00:00"
        const RECT all[] = {b.volume, b.drives, b.search, b.fileInfo, b.clock, b.battery};
        for (size_t i = 0; i < std::size(all); ++i)
            for (size_t j = i + 1; j < std::size(all); ++j) EXPECT_FALSE(Overlap(all[i], all[j])) << i << "," << j;
    }
}
