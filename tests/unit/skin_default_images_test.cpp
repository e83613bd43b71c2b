// Pictures with a meaning of their own: the lighting page's hue bar follows the hue
// scale of its slider, the slider thumbs fit their tracks and point at the right
// place, every button has four distinct pictures, and the program's list bitmaps
// and icons have the sizes and transparent colours the program relies on.
#include <gtest/gtest.h>

#include "skin_default_loaded.h"

namespace skin_default_test {
namespace {

Colour HueColour(int h) {  // the lighting page's scale, 0 to 1530
    if (h <= 0 || h >= 1530) return {255, 0, 0};
    if (h <= 255) return {255, uint8_t(h), 0};
    if (h <= 510) return {uint8_t(510 - h), 255, 0};
    if (h <= 765) return {0, 255, uint8_t(h - 510)};
    if (h <= 1020) return {0, uint8_t(1020 - h), 255};
    if (h <= 1275) return {uint8_t(h - 1020), 0, 255};
    return {255, 0, uint8_t(1530 - h)};
}

constexpr Rect kHueBar{287, 75, 305, 239};
constexpr Rect kHueSlider{304, 66, 324, 250};
constexpr Rect kColourSlider{407, 142, 639, 156};

TEST(DefaultSkinImages, HueBarRowsShowTheHueAClickThereSelects) {
    std::optional<LoadedSkin> skin = LoadSkin(WindowByFile("Skin_light_control.ini"));
    ASSERT_TRUE(skin);
    for (int y = kHueBar.top; y < kHueBar.bottom; ++y) {
        // A click on row y selects hue (y - 75) * 1530 / 164.
        const Colour expected = HueColour((y - kHueBar.top) * 1530 / kHueBar.Height());
        for (int x = kHueBar.left; x < kHueBar.right; ++x) {
            const Colour c = skin->Normal().At(x, y);
            ASSERT_EQ(c, expected) << "pixel (" << x << ", " << y << ")";
        }
    }
}

struct Thumb {
    Image image;
    Colour key;  // the top-left colour, which the slider makes transparent
    bool Opaque(int x, int y) const { return !(image.At(x, y) == key); }
    // An arrow never fills the corners of its picture: when one corner is part of
    // the shape, the top-left one may be too, and the shape's own colour would be
    // taken for the transparent one.
    bool CornersTransparent() const {
        const int r = image.width - 1, b = image.height - 1;
        return !Opaque(0, 0) && !Opaque(r, 0) && !Opaque(0, b) && !Opaque(r, b);
    }
};

Thumb LoadThumb(const char* file) {
    std::optional<Image> image = ReadBmp(SkinsDir() / file);
    EXPECT_TRUE(image) << file;
    Thumb thumb{image.value_or(Image{1, 1, {Colour{}}}), {}};
    thumb.key = thumb.image.At(0, 0);
    return thumb;
}

TEST(DefaultSkinImages, HueThumbFitsItsTrackAndPointsAtTheSelectedHue) {
    Thumb thumb = LoadThumb("arrow_left.bmp");
    EXPECT_TRUE(thumb.CornersTransparent());
    ASSERT_LE(thumb.image.width, kHueSlider.Width());
    ASSERT_LE(thumb.image.height, kHueSlider.Height());
    // The tip is the opaque pixel furthest left; it must point at the hue bar row of
    // the thumb's hue wherever the slider puts the thumb.
    int tipX = thumb.image.width, tipY = -1;
    for (int y = 0; y < thumb.image.height; ++y)
        for (int x = 0; x < thumb.image.width; ++x)
            if (thumb.Opaque(x, y) && x < tipX) tipX = x, tipY = y;
    ASSERT_GE(tipY, 0) << "the thumb is invisible";
    EXPECT_LE(tipX, 1);
    const unsigned travel = kHueSlider.Height() - thumb.image.height;
    for (unsigned position = 0; position <= 1530; position += 17) {
        const unsigned hue = 1530 - position;
        const int thumbTop = int(travel * (1530 - position) / 1530);  // the slider's placement
        const int tipRow = kHueSlider.top + thumbTop + tipY;
        const int barRow = kHueBar.top + int(hue * kHueBar.Height() / 1530);
        EXPECT_NEAR(tipRow, barRow, 2) << "hue " << hue;
    }
}

TEST(DefaultSkinImages, ColourThumbFitsItsTrackAndHasAVisibleShape) {
    Thumb thumb = LoadThumb("arrow_below.bmp");
    EXPECT_TRUE(thumb.CornersTransparent());
    EXPECT_LE(thumb.image.width, kColourSlider.Width() / 8);
    EXPECT_LE(thumb.image.height, kColourSlider.Height());
    int opaque = 0;
    for (int y = 0; y < thumb.image.height; ++y)
        for (int x = 0; x < thumb.image.width; ++x) opaque += thumb.Opaque(x, y);
    EXPECT_GT(opaque, thumb.image.width * thumb.image.height / 3);
    EXPECT_LT(opaque, thumb.image.width * thumb.image.height);
}

int DifferingPixels(const Image& a, const Image& b, const Rect& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += !(a.At(x, y) == b.At(x, y));
    return n;
}

TEST(DefaultSkinImages, EveryButtonHasFourDistinctPictures) {
    for (const WindowSpec& window : AllWindowSpecs()) {
        std::optional<LoadedSkin> skin = LoadSkin(window);
        ASSERT_TRUE(skin);
        const std::vector<std::string> states = StateImageKeys(window);
        for (const std::string& key : window.buttonKeys) {
            // Labels show their text only; they are not meant to react.
            bool label = false;
            for (const CaptionSpec& c : window.captions) label |= c.key == key && c.scheme == Scheme::Label;
            if (label) continue;
            const Rect r = skin->entries.at(key);
            for (size_t i = 0; i < states.size(); ++i)
                for (size_t j = i + 1; j < states.size(); ++j)
                    EXPECT_GE(DifferingPixels(skin->images.at(states[i]), skin->images.at(states[j]), r),
                              r.Width() * r.Height() / 10)
                        << window.name << ", key " << key << ": " << states[i] << " and " << states[j];
        }
    }
}

std::optional<Image> ProgramBitmap(const char* name) { return ReadBmp(ProgramImagesDir() / name); }

TEST(DefaultProgramImages, ListBitmapsHaveTheirSizesOnATransparentBlackBackground) {
    const struct {
        const char* file;
        int width, height;
    } bitmaps[] = {{"key_down.bmp", 11, 14}, {"key_up.bmp", 11, 14}, {"clock.bmp", 15, 15}, {"mouse.bmp", 16, 18}};
    for (const auto& b : bitmaps) {
        SCOPED_TRACE(b.file);
        std::optional<Image> image = ProgramBitmap(b.file);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->width, b.width);
        EXPECT_EQ(image->height, b.height);
        int black = 0, orange = 0;
        for (const Colour& c : image->pixels) {
            black += c == kBlack;
            orange += c.r > 200 && c.g > 60 && c.g < 160 && c.b < 60;
        }
        EXPECT_EQ(image->At(0, 0), kBlack);
        EXPECT_GT(black, 0);
        EXPECT_GT(orange, image->width * image->height / 6);
    }
    // The two arrows point different ways: the down arrow is widest at its bottom half.
    std::optional<Image> down = ProgramBitmap("key_down.bmp"), up = ProgramBitmap("key_up.bmp");
    ASSERT_TRUE(down && up);
    auto inkInRow = [](const Image& image, int y) {
        int n = 0;
        for (int x = 0; x < image.width; ++x) n += !(image.At(x, y) == kBlack);
        return n;
    };
    EXPECT_GT(inkInRow(*down, 9), inkInRow(*down, 2));
    EXPECT_GT(inkInRow(*up, 4), inkInRow(*up, 11));
}

TEST(DefaultProgramImages, IconsHaveTheirSizesAndAVisibleShape) {
    std::vector<IconImage> app = ReadIco(ProgramImagesDir() / "app.ico");
    ASSERT_EQ(app.size(), 3u);
    EXPECT_EQ(app[0].width, 16);
    EXPECT_EQ(app[1].width, 32);
    EXPECT_EQ(app[2].width, 48);

    std::vector<IconImage> arrow = ReadIco(ProgramImagesDir() / "submenu_arrow.ico");
    ASSERT_EQ(arrow.size(), 1u);
    ASSERT_EQ(arrow[0].width, 32);
    ASSERT_EQ(arrow[0].height, 32);
    // A white arrow pointing right, inside the rows of the menu item it is drawn over
    // (the icon's top lies 9 pixels above a 20-pixel item).
    int whiteLeft = 0, whiteRight = 0, outsideItem = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const auto& p = arrow[0].rgba[size_t(y) * 32 + x];
            if (p[3] == 0) continue;
            if (y < 9 || y >= 29) ++outsideItem;
            if (p[0] == 255 && p[1] == 255 && p[2] == 255) (x < 9 ? whiteLeft : whiteRight)++;
        }
    EXPECT_EQ(outsideItem, 0);
    EXPECT_GT(whiteLeft + whiteRight, 6);
    EXPECT_GT(whiteLeft, whiteRight) << "the arrow should be widest at its left, pointing right";
}

}  // namespace
}  // namespace skin_default_test
