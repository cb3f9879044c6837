#include "picture/GraphicGeometry.h"

#include <algorithm>

namespace zq::picture {

const std::array<StructZoomRatio, kZoomCount> kZoomTable{{
    {1, 5, L"1/5"},
    {1, 4, L"1/4"},
    {1, 3, L"1/3"},
    {1, 2, L"1/2"},
    {1, 1, L"1.0"},
    {3, 2, L"1.5"},
    {2, 1, L"2.0"},
    {3, 1, L"3.0"},
    {4, 1, L"4.0"},
    {5, 1, L"5.0"},
}};

namespace {

// Scroll bars for a size that may not fit: each bar a dimension needs takes
// room from the other dimension, which may then need its own bar.
void SetOverflow(const FitInput& in, FitResult& out) {
    bool needX = out.width > in.areaWidth;
    bool needY = out.height > in.areaHeight;
    if (needX && !needY) needY = out.height > in.areaHeight - in.scrollBar;
    if (needY && !needX) needX = out.width > in.areaWidth - in.scrollBar;
    out.scrollX = needX;
    out.scrollY = needY;
    out.overflowX = needX ? out.width - (in.areaWidth - (needY ? in.scrollBar : 0)) : 0;
    out.overflowY = needY ? out.height - (in.areaHeight - (needX ? in.scrollBar : 0)) : 0;
}

}  // namespace

FitResult FitPicture(const FitInput& in) {
    FitResult out;
    const int w = in.width;
    const int h = in.height;
    if (w <= 0 || h <= 0) return out;
    out.width = w;
    out.height = h;
    if (in.zoom >= 1 && in.zoom <= kZoomCount) {
        const StructZoomRatio& ratio = kZoomTable[static_cast<size_t>(in.zoom - 1)];
        out.width = w * ratio.numerator / ratio.denominator;
        out.height = h * ratio.numerator / ratio.denominator;
        SetOverflow(in, out);
        return out;
    }
    if ((w <= in.areaWidth && h <= in.areaHeight) || (!in.fitWidth && !in.fitHeight)) {
        SetOverflow(in, out);
        return out;
    }
    if (in.fitWidth && in.fitHeight) {
        if (static_cast<long long>(in.areaWidth) * h <= static_cast<long long>(in.areaHeight) * w) {
            out.width = in.areaWidth;
            out.height = static_cast<int>(static_cast<long long>(h) * in.areaWidth / w);
        } else {
            out.height = in.areaHeight;
            out.width = static_cast<int>(static_cast<long long>(w) * in.areaHeight / h);
        }
        return out;
    }
    if (in.fitWidth) {
        out.width = std::min(w, in.areaWidth);
        out.height = static_cast<int>(static_cast<long long>(out.width) * h / w);
        if (out.height > in.areaHeight) {
            out.width = w + in.scrollBar > in.areaWidth ? in.areaWidth - in.scrollBar : w;
            out.height = static_cast<int>(static_cast<long long>(out.width) * h / w);
            out.scrollY = true;
            out.overflowY = out.height - in.areaHeight;
        }
        return out;
    }
    out.height = std::min(h, in.areaHeight);
    out.width = static_cast<int>(static_cast<long long>(out.height) * w / h);
    if (out.width > in.areaWidth) {
        out.height = h + in.scrollBar > in.areaHeight ? in.areaHeight - in.scrollBar : h;
        out.width = static_cast<int>(static_cast<long long>(out.height) * w / h);
        out.scrollX = true;
        out.overflowX = out.width - in.areaWidth;
    }
    return out;
}

ScrollRange ScrollRangeFor(int overflow, int anchor) {
    if (overflow <= 0) return {};
    const auto steps = [](int pixels) { return pixels / kScrollStep + (pixels % kScrollStep != 0 ? 1 : 0); };
    switch (anchor) {
        case kAnchorEnd:
            return {-steps(overflow), 0};
        case kAnchorCentre: {
            const int half = (overflow + (overflow & 1)) / 2;
            return {-steps(half), steps(half)};
        }
        default:
            return {0, steps(overflow)};
    }
}

int OriginFor(int area, int size, int anchor, int position) {
    int origin = 0;
    if (anchor == kAnchorEnd) origin = area - size;
    if (anchor == kAnchorCentre) origin = (area - size) / 2;
    if (size <= area) return origin;
    // A scrolled picture never leaves a gap at either edge.
    return std::clamp(origin - position * kScrollStep, area - size, 0);
}

int NextZoom(int current, bool in, int displayedWidth, int width, const std::array<int, kZoomCount>& enabled) {
    const auto on = [&](int index) { return enabled[static_cast<size_t>(index - 1)] != 0; };
    if (current == 0) {
        if (width <= 0) return current;
        // ratio > displayed / width, compared without dividing.
        const auto larger = [&](int index) {
            const StructZoomRatio& r = kZoomTable[static_cast<size_t>(index - 1)];
            return static_cast<long long>(r.numerator) * width > static_cast<long long>(r.denominator) * displayedWidth;
        };
        if (in) {
            for (int i = 1; i <= kZoomCount; ++i)
                if (on(i) && larger(i)) return i;
        } else {
            for (int i = kZoomCount; i >= 1; --i)
                if (on(i) && !larger(i)) return i;
        }
        return current;
    }
    if (in) {
        for (int i = current + 1; i <= kZoomCount; ++i)
            if (on(i)) return i;
    } else {
        for (int i = current - 1; i >= 1; --i)
            if (on(i)) return i;
    }
    return current;
}

long ZoomPercent(int displayedWidth, int width) {
    return width > 0 ? static_cast<long>(static_cast<long long>(displayedWidth) * 100 / width) : 0;
}

}  // namespace zq::picture
