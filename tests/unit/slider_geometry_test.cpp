#include "skin/slider_geometry.h"

#include <gtest/gtest.h>

using namespace tavrel::slider;

namespace {

const Travel kColourTravel{0, 0, 232, 14};
const Size kColourThumb{11, 14};
const Range kColourRange{0, 255};
const Travel kHueTravel{0, 0, 20, 184};
const Size kHueThumb{12, 18};
const Range kHueRange{0, 1530};

}  // namespace

TEST(SliderPosition, OutOfRangeValuesBecomeTheMinimumAsUnsignedNumbers) {
    EXPECT_EQ(NormalisePosition(300, kColourRange), 0);
    EXPECT_EQ(NormalisePosition(-5, kColourRange), 0);
    EXPECT_EQ(NormalisePosition(255, kColourRange), 255);
    EXPECT_EQ(NormalisePosition(17, kColourRange), 17);
    EXPECT_EQ(NormalisePosition(3, Range{5, 10}), 5);
}

TEST(SliderPosition, MaximumSitsAtTheLeftOrTopEnd) {
    EXPECT_EQ(ThumbOrigin(kColourTravel, kColourThumb, kColourRange, 255, true), (Point{0, 0}));
    EXPECT_EQ(ThumbOrigin(kColourTravel, kColourThumb, kColourRange, 0, true), (Point{221, 0}));
    EXPECT_EQ(ThumbOrigin(kColourTravel, kColourThumb, kColourRange, 128, true), (Point{110, 0}));
    EXPECT_EQ(ThumbOrigin(kHueTravel, kHueThumb, kHueRange, 1530, false), (Point{0, 0}));
    EXPECT_EQ(ThumbOrigin(kHueTravel, kHueThumb, kHueRange, 0, false), (Point{0, 166}));
}

TEST(SliderPosition, DegenerateTravelOrRangeKeepsTheThumbAtItsStart) {
    EXPECT_EQ(ThumbOrigin({0, 0, 8, 14}, kColourThumb, kColourRange, 0, true), (Point{0, 0}));
    EXPECT_EQ(ThumbOrigin(kColourTravel, kColourThumb, Range{4, 4}, 4, true), (Point{0, 0}));
    EXPECT_EQ(ReleasePosition({0, 0, 11, 14}, kColourRange, true, {0, 0, 11, 14}), 255);
}

TEST(SliderThumb, CreatedCentredOnTheTravelOrigin) {
    EXPECT_EQ(InitialThumbRect(kColourTravel, kColourThumb), (Rect{-5, -7, 5, 7}));
}

TEST(SliderDrag, ThumbStaysInsideItsTravelAndReportsThePositionBeforeTheMove) {
    const Rect atLeft{0, 0, 11, 14};
    DragStep s = Drag(kColourTravel, kColourRange, true, atLeft, -10, 3);
    EXPECT_EQ(s.origin, (Point{0, 0}));
    EXPECT_EQ(s.value, 0);
    EXPECT_EQ(TrackPositionFromDrag(kColourRange, true, s.value), 255);

    s = Drag(kColourTravel, kColourRange, true, atLeft, 500, 0);
    EXPECT_EQ(s.origin, (Point{221, 0}));
    const Rect atRight{221, 0, 232, 14};
    s = Drag(kColourTravel, kColourRange, true, atRight, 1, 0);
    EXPECT_EQ(s.value, 255);
    EXPECT_EQ(TrackPositionFromDrag(kColourRange, true, s.value), 0);

    const Rect atTop{0, 0, 12, 18};
    s = Drag(kHueTravel, kHueRange, false, atTop, 5, -40);
    EXPECT_EQ(s.origin, (Point{0, 0}));
    EXPECT_EQ(s.value, 1530);
    EXPECT_EQ(TrackPositionFromDrag(kHueRange, false, s.value), 1530);
    s = Drag(kHueTravel, kHueRange, false, atTop, 0, 1000);
    EXPECT_EQ(s.origin, (Point{0, 166}));
}

TEST(SliderRelease, DroppingAtTheStartGivesTheMaximum) {
    EXPECT_EQ(ReleasePosition(kColourTravel, kColourRange, true, {0, 0, 11, 14}), 255);
    EXPECT_EQ(ReleasePosition(kColourTravel, kColourRange, true, {221, 0, 232, 14}), 0);
    EXPECT_EQ(ReleasePosition(kColourTravel, kColourRange, true, {110, 0, 121, 14}), 129);
    EXPECT_EQ(ReleasePosition(kHueTravel, kHueRange, false, {0, 0, 12, 18}), 1530);
    EXPECT_EQ(ReleasePosition(kHueTravel, kHueRange, false, {0, 166, 12, 184}), 0);
}

TEST(SliderRelease, SetPositionSurvivesARelease) {
    for (int pos : {0, 1, 77, 128, 254, 255}) {
        const Point o = ThumbOrigin(kColourTravel, kColourThumb, kColourRange, pos, true);
        const Rect r{o.x, o.y, o.x + kColourThumb.cx, o.y + kColourThumb.cy};
        EXPECT_NEAR(ReleasePosition(kColourTravel, kColourRange, true, r), pos, 2) << pos;
    }
}

TEST(SliderTrack, MouseWithButtonHeldReportsAReversedClampedPosition) {
    EXPECT_EQ(TrackPositionFromMouse(kColourRange, 407, 407, 232), 255);
    EXPECT_EQ(TrackPositionFromMouse(kColourRange, 639, 407, 232), 0);
    EXPECT_EQ(TrackPositionFromMouse(kColourRange, 700, 407, 232), 0);
    EXPECT_EQ(TrackPositionFromMouse(kColourRange, 300, 407, 232), 255);
    EXPECT_EQ(TrackPositionFromMouse(kColourRange, 523, 407, 232), 128);
    EXPECT_EQ(TrackPositionFromMouse(kColourRange, 500, 407, 0), 255);  // no width: no division
}

TEST(SliderTrack, FillCoversTheStartOfTheTrack) {
    EXPECT_EQ(TrackFillExtent(Range{0, 10}, true, 10, {100, 14}).cx, 10);
    EXPECT_EQ(TrackFillExtent(Range{0, 10}, true, 0, {100, 14}).cx, 100);
    EXPECT_EQ(TrackFillExtent(Range{0, 10}, false, 4, {20, 100}).cy, 60);
    // Every slider of the lighting page: the track is shorter than the range.
    EXPECT_EQ(TrackFillExtent(kColourRange, true, 0, {232, 14}).cx, 0);
    EXPECT_EQ(TrackFillExtent(kHueRange, false, 0, {20, 184}).cy, 0);
    EXPECT_EQ(TrackFillExtent(Range{0, 0}, true, 0, {232, 14}).cx, 0);
}

TEST(SliderThumb, PixelsOfTheTopLeftColourAreCutAway) {
    const uint32_t M = 0xFF00FF, B = 0x000000, W = 0xFFFFFF;
    const uint32_t px[] = {M, B, B, M,
                           B, M, W, B};
    const auto runs = ThumbShapeRuns(px, 4, 2);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0], (Rect{1, 0, 3, 1}));
    EXPECT_EQ(runs[1], (Rect{0, 1, 1, 2}));
    EXPECT_EQ(runs[2], (Rect{2, 1, 4, 2}));
    EXPECT_TRUE(ThumbShapeRuns(px, 0, 2).empty());
    const uint32_t alphaOnly[] = {0xFF000000, 0x00000000};
    EXPECT_TRUE(ThumbShapeRuns(alphaOnly, 2, 1).empty());  // alpha is no colour
}
