#include "skin/slider_geometry.h"

#include <algorithm>
#include <cstdint>

namespace tavrel::slider {

int Clamp(int v, Range range) {
    if (v < range.min) return range.min;
    if (v > range.max) return range.max;
    return v;
}

int NormalisePosition(int v, Range range) {
    const auto u = static_cast<uint32_t>(v);
    if (u < static_cast<uint32_t>(range.min) || u > static_cast<uint32_t>(range.max)) return range.min;
    return v;
}

namespace {

// (length × (max − pos)) ÷ (max − min) in unsigned arithmetic. A travel shorter than
// the thumb or an empty range would make the quotient meaningless (or divide by
// zero), so the thumb then stays at the start of its travel.
int Offset(int length, Range range, int pos) {
    if (length <= 0 || range.max <= range.min || pos < range.min || pos > range.max) return 0;
    const uint64_t num = static_cast<uint64_t>(length) * static_cast<uint64_t>(range.max - pos);
    return static_cast<int>(num / static_cast<uint64_t>(range.max - range.min));
}

// min + (max − min) × part ÷ whole, clamped; whole ≤ 0 (thumb as large as its
// travel) gives the minimum instead of a division by zero.
int Fraction(Range range, int part, int whole) {
    if (whole <= 0) return range.min;
    const int64_t v = range.min + static_cast<int64_t>(range.max - range.min) * part / whole;
    return Clamp(static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)), range);
}

}  // namespace

Point ThumbOrigin(const Travel& travel, Size thumb, Range range, int pos, bool horizontal) {
    if (horizontal)
        return {travel.x0 + Offset(travel.width - travel.x0 - thumb.cx, range, pos), travel.y0};
    return {travel.x0, travel.y0 + Offset(travel.height - travel.y0 - thumb.cy, range, pos)};
}

Rect InitialThumbRect(const Travel& travel, Size thumb) {
    return {travel.x0 - thumb.cx / 2, travel.y0 - thumb.cy / 2, travel.x0 + thumb.cx / 2,
            travel.y0 + thumb.cy / 2};
}

DragStep Drag(const Travel& travel, Range range, bool horizontal, const Rect& before, int dx, int dy) {
    if (horizontal) {
        const int w = before.Width();
        const int value = Fraction(range, before.left - travel.x0, travel.width - travel.x0 - w);
        const int left = std::max(std::min(before.left + dx, travel.width - w), travel.x0);
        return {{left, travel.y0}, value};
    }
    const int h = before.Height();
    const int value = Fraction(range, travel.height - before.bottom, travel.height - travel.y0 - h);
    const int top = std::max(std::min(before.top + dy, travel.height - h), travel.y0);
    return {{travel.x0, top}, value};
}

int ReleasePosition(const Travel& travel, Range range, bool horizontal, const Rect& thumb) {
    const int e = horizontal
                      ? Fraction(range, thumb.left - travel.x0, travel.width - thumb.Width() - travel.x0)
                      : Fraction(range, thumb.top - travel.y0, travel.height - thumb.Height() - travel.y0);
    return range.max + range.min - e;
}

int TrackPositionFromDrag(Range range, bool horizontal, int value) {
    const int v = Clamp(value, range);
    return horizontal ? range.max + range.min - v : v + range.min;
}

int TrackPositionFromMouse(Range range, int x, int trackLeft, int trackWidth) {
    const int c = Fraction(range, x - trackLeft, trackWidth);
    return range.max + range.min - c;
}

Size TrackFillExtent(Range range, bool horizontal, int pos, Size client) {
    if (range.max <= 0) return {0, 0};  // the step below divides by the maximum
    if (horizontal) {
        const int64_t w = static_cast<int64_t>(client.cx / range.max) * (range.max - range.min - pos + 1);
        return {static_cast<int>(std::clamp<int64_t>(w, 0, client.cx)), client.cy};
    }
    const int64_t h = static_cast<int64_t>(client.cy / range.max) * (range.max - pos);
    return {client.cx, static_cast<int>(std::clamp<int64_t>(h, 0, client.cy))};
}

std::vector<Rect> ThumbShapeRuns(const uint32_t* pixels, int width, int height) {
    std::vector<Rect> runs;
    if (!pixels || width <= 0 || height <= 0) return runs;
    const uint32_t transparent = pixels[0] & 0x00FFFFFFu;
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(width);
        int x = 0;
        while (x < width) {
            while (x < width && (row[x] & 0x00FFFFFFu) == transparent) ++x;
            const int start = x;
            while (x < width && (row[x] & 0x00FFFFFFu) != transparent) ++x;
            if (x > start) runs.push_back({start, y, x, y + 1});
        }
    }
    return runs;
}

}  // namespace tavrel::slider
