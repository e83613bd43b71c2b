// Position and travel arithmetic of the skinned slider: where the thumb sits for a
// position, what a drag or a release of the thumb means, and how much of the track's
// fill picture shows. Positions are reversed: the range maximum is at the left end of
// a horizontal slider and at the top end of a vertical one.
#pragma once

#include <cstdint>
#include <vector>

namespace tavrel::slider {

// Messages between the slider windows and the page that owns them (numbers fixed).
inline constexpr unsigned kMsgSliderPos = 1034;       // track to parent: wParam position, lParam ID
inline constexpr unsigned kMsgThumbDrag = 1035;       // thumb to track: lParam value
inline constexpr unsigned kMsgSliderReleased = 1036;  // track to parent: lParam ID

struct Range {
    int min = 0;
    int max = 10;
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
};

// Right and bottom exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// The area the thumb moves in: x0, y0, width, height (the track's client area).
struct Travel {
    int x0 = 0;
    int y0 = 0;
    int width = 0;
    int height = 0;
};

int Clamp(int v, Range range);

// The thumb's SetPos rule: a value outside the range, compared as unsigned numbers,
// becomes the minimum (so a negative value does too).
int NormalisePosition(int v, Range range);

// Top-left corner of the thumb for position pos (already normalised).
Point ThumbOrigin(const Travel& travel, Size thumb, Range range, int pos, bool horizontal);

// Rectangle of a thumb window created centred on the travel's origin.
Rect InitialThumbRect(const Travel& travel, Size thumb);

// One mouse move while dragging: the thumb's rectangle before the move (track client
// coordinates) and the pointer's offset from the press point.
struct DragStep {
    Point origin;  // where the thumb goes
    int value;     // posted to the track with kMsgThumbDrag
};
DragStep Drag(const Travel& travel, Range range, bool horizontal, const Rect& thumbBefore, int dx, int dy);

// The thumb's position after it is dropped with the given rectangle.
int ReleasePosition(const Travel& travel, Range range, bool horizontal, const Rect& thumb);

// The track's copy of the position on a kMsgThumbDrag value.
int TrackPositionFromDrag(Range range, bool horizontal, int value);

// Position reported when the mouse moves over the track with the left button held;
// x is in the parent's client coordinates, the track at trackLeft with trackWidth.
int TrackPositionFromMouse(Range range, int x, int trackLeft, int trackWidth);

// The part of the track (from its top-left corner) covered by the fill picture.
Size TrackFillExtent(Range range, bool horizontal, int pos, Size client);

// The thumb's shape: the horizontal runs of pixels whose colour differs from the
// top-left pixel. Pixels are 0x00RRGGBB, row-major from the top row; alpha ignored.
std::vector<Rect> ThumbShapeRuns(const uint32_t* pixels, int width, int height);

}  // namespace tavrel::slider
