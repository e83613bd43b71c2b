#include "lighting/colour_picker.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tavrel;

TEST(HueToColour, EachSegmentMovesOneComponentAndOutOfRangeIsRed) {
    const struct {
        int hue;
        Rgb colour;
    } cases[] = {
        {-5, {255, 0, 0}},   {0, {255, 0, 0}},     {1, {255, 1, 0}},     {255, {255, 255, 0}},
        {256, {254, 255, 0}}, {510, {0, 255, 0}},   {511, {0, 255, 1}},   {765, {0, 255, 255}},
        {766, {0, 254, 255}}, {1020, {0, 0, 255}},  {1021, {1, 0, 255}},  {1275, {255, 0, 255}},
        {1276, {255, 0, 254}}, {1529, {255, 0, 1}}, {1530, {255, 0, 0}},  {9999, {255, 0, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(HueToColour(c.hue), c.colour) << "hue " << c.hue;
}

TEST(HueBar, ClickRowGivesHueAndReversedSliderPosition) {
    EXPECT_EQ(HueFromBarY(75), 0);
    EXPECT_EQ(HueSliderPosition(HueFromBarY(75)), 1530);
    EXPECT_EQ(HueFromBarY(238), 1520);
    EXPECT_EQ(HueFromBarY(157), 765);
    EXPECT_EQ(HueFromBarY(60), 0);      // above the bar: clamped
    EXPECT_EQ(HueFromBarY(400), 1530);  // below it
}

TEST(HueBar, DefaultSliderPositionMeansRed) {
    EXPECT_EQ(HueToColour(HueFromSliderPosition(1530)), (Rgb{255, 0, 0}));
}

TEST(Palette, CornersAndCentreFollowTheShadeFormula) {
    std::vector<uint32_t> px(kPaletteWidth * kPaletteHeight);
    ComputePalette({255, 0, 0}, px.data());
    auto at = [&](int col, int row) { return UnpackRgb(px[row * kPaletteWidth + col]); };
    EXPECT_EQ(at(0, 0), (Rgb{255, 255, 255}));  // white
    EXPECT_EQ(at(165, 0), (Rgb{255, 1, 1}));    // almost the hue
    EXPECT_EQ(at(0, 163), (Rgb{1, 1, 1}));      // almost black
    EXPECT_EQ(at(83, 82), (Rgb{127, 63, 63}));  // the centre of the page's palette

    ComputePalette({0, 255, 0}, px.data());
    EXPECT_EQ(at(83, 82), (Rgb{63, 127, 63}));
    EXPECT_EQ(at(165, 0), (Rgb{1, 255, 1}));
}

TEST(Palette, EveryRowDarkensAndEveryColumnMovesTowardsTheHue) {
    std::vector<uint32_t> px(kPaletteWidth * kPaletteHeight);
    ComputePalette(HueToColour(300), px.data());
    for (int row = 1; row < kPaletteHeight; ++row) {
        const Rgb above = UnpackRgb(px[(row - 1) * kPaletteWidth]);
        const Rgb here = UnpackRgb(px[row * kPaletteWidth]);
        ASSERT_LE(here.red, above.red) << row;
    }
    // Blue is 0 in the hue: it only falls along the top row.
    for (int col = 1; col < kPaletteWidth; ++col)
        ASSERT_LE(UnpackRgb(px[col]).blue, UnpackRgb(px[col - 1]).blue) << col;
}

TEST(Palette, RecomputesOnlyForANewHueColourAndReadsPagePoints) {
    Palette palette;
    EXPECT_TRUE(palette.Update({255, 0, 0}));
    EXPECT_FALSE(palette.Update({255, 0, 0}));
    EXPECT_EQ(palette.ColourAt(kPaletteCentre), (Rgb{127, 63, 63}));
    EXPECT_EQ(palette.ColourAt({102, 75}), (Rgb{255, 255, 255}));
    EXPECT_TRUE(palette.Update({0, 0, 255}));
    EXPECT_EQ(palette.ColourAt(kPaletteCentre), (Rgb{63, 63, 127}));
}
