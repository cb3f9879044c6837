#include "picture/GraphicGeometry.h"

#include <gtest/gtest.h>

namespace zq::picture {
namespace {

TEST(GraphicGeometry, FitsAPictureAsTheFlagsAndTheRatioSay) {
    struct Case {
        const char* what;
        FitInput in;
        FitResult want;
    };
    const Case cases[] = {
        {"smaller than the area: natural size whatever the flags",
         {100, 50, 800, 800, 16, true, true, 0},
         {100, 50, 0, 0, false, false}},
        {"both flags, wide", {1000, 500, 800, 800, 16, true, true, 0}, {800, 400, 0, 0, false, false}},
        {"both flags, tall", {500, 1000, 800, 800, 16, true, true, 0}, {400, 800, 0, 0, false, false}},
        {"width flag, too tall: a vertical bar takes its width",
         {1000, 2000, 800, 600, 16, true, false, 0},
         {784, 1568, 0, 968, false, true}},
        {"width flag, narrow enough for the bar",
         {700, 2000, 800, 600, 16, true, false, 0},
         {700, 2000, 0, 1400, false, true}},
        {"height flag, too wide", {2000, 1000, 800, 600, 16, false, true, 0}, {1168, 584, 368, 0, true, false}},
        {"no flag: natural size, both bars",
         {1000, 1000, 800, 600, 16, false, false, 0},
         {1000, 1000, 216, 416, true, true}},
        {"ratio 2/1, only across", {300, 200, 500, 500, 16, true, true, 7}, {600, 400, 100, 0, true, false}},
        {"ratio 1/2 divides down", {1001, 1001, 800, 800, 16, true, true, 4}, {500, 500, 0, 0, false, false}},
        {"one bar brings the other", {795, 610, 800, 600, 16, false, false, 5}, {795, 610, 11, 26, true, true}},
    };
    for (const Case& c : cases) {
        const FitResult got = FitPicture(c.in);
        EXPECT_EQ(got.width, c.want.width) << c.what;
        EXPECT_EQ(got.height, c.want.height) << c.what;
        EXPECT_EQ(got.overflowX, c.want.overflowX) << c.what;
        EXPECT_EQ(got.overflowY, c.want.overflowY) << c.what;
        EXPECT_EQ(got.scrollX, c.want.scrollX) << c.what;
        EXPECT_EQ(got.scrollY, c.want.scrollY) << c.what;
    }
}

TEST(GraphicGeometry, ScrollRangesAndOriginsFollowTheAnchoring) {
    struct Range {
        int overflow, anchor;
        ScrollRange want;
    };
    const Range ranges[] = {
        {120, kAnchorStart, {0, 3}}, {120, kAnchorEnd, {-3, 0}},    {120, kAnchorCentre, {-2, 2}},
        {100, kAnchorStart, {0, 2}}, {101, kAnchorCentre, {-2, 2}}, {99, kAnchorCentre, {-1, 1}},
        {0, kAnchorCentre, {0, 0}},
    };
    for (const Range& r : ranges)
        EXPECT_EQ(ScrollRangeFor(r.overflow, r.anchor), r.want) << r.overflow << " anchor " << r.anchor;

    struct Origin {
        int area, size, anchor, position, want;
    };
    const Origin origins[] = {
        {100, 60, kAnchorStart, 0, 0},    {100, 60, kAnchorEnd, 0, 40},      {100, 60, kAnchorCentre, 3, 20},
        {100, 220, kAnchorStart, 1, -50}, {100, 220, kAnchorStart, 3, -120}, {100, 220, kAnchorEnd, 0, -120},
        {100, 220, kAnchorEnd, -1, -70},  {100, 220, kAnchorCentre, 0, -60}, {100, 220, kAnchorCentre, -2, 0},
    };
    for (const Origin& o : origins)
        EXPECT_EQ(OriginFor(o.area, o.size, o.anchor, o.position), o.want)
            << o.area << "/" << o.size << " anchor " << o.anchor << " at " << o.position;
}

TEST(GraphicGeometry, ZoomStepsOverTheEnabledRatios) {
    std::array<int, kZoomCount> all{};
    all.fill(1);
    std::array<int, kZoomCount> gaps = all;
    gaps[3] = 0;  // 1/2
    gaps[5] = 0;  // 1.5
    struct Case {
        const char* what;
        int current;
        bool in;
        int displayed, width;
        const std::array<int, kZoomCount>* enabled;
        int want;
    };
    const Case cases[] = {
        {"fitted at 0.4, in", 0, true, 400, 1000, &all, 4},
        {"fitted at 0.4, out", 0, false, 400, 1000, &all, 3},
        {"fitted at 0.4, in past a disabled ratio", 0, true, 400, 1000, &gaps, 5},
        {"fitted at 1:1, in", 0, true, 1000, 1000, &all, 6},
        {"fitted at 1:1, out keeps 1:1", 0, false, 1000, 1000, &all, 5},
        {"fitted at 6x: nothing larger", 0, true, 6000, 1000, &all, 0},
        {"from 1.0 in, over 1.5", 5, true, 0, 1000, &gaps, 7},
        {"from 1/3 out", 3, false, 0, 1000, &all, 2},
        {"at the top end", 10, true, 0, 1000, &all, 10},
        {"at the bottom end", 1, false, 0, 1000, &all, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextZoom(c.current, c.in, c.displayed, c.width, *c.enabled), c.want) << c.what;
    EXPECT_EQ(ZoomPercent(400, 1000), 40);
    EXPECT_EQ(ZoomPercent(1, 3), 33);
}

}  // namespace
}  // namespace zq::picture
