// Everything the program writes over the default skin stays legible: every text
// rectangle, and every caption band of every button in each of its four pictures,
// has a background with a contrast ratio of at least 4.5:1 to the colour the text
// is drawn in there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "skin_default_loaded.h"

namespace skin_default_test {
namespace {

constexpr double kMinimumContrast = 4.5;
constexpr int kCaptionFontHeight = 13;

// Lowest contrast between `colour` and the pixels of `image` inside r.
double LowestContrast(const Image& image, Rect r, Colour colour, int* worstX = nullptr, int* worstY = nullptr) {
    r.left = std::max(r.left, 0), r.top = std::max(r.top, 0);
    r.right = std::min(r.right, image.width), r.bottom = std::min(r.bottom, image.height);
    double lowest = 21.0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            double c = ContrastRatio(image.At(x, y), colour);
            if (c < lowest) {
                lowest = c;
                if (worstX) *worstX = x, *worstY = y;
            }
        }
    return lowest;
}

Colour CaptionColour(Scheme scheme, int state) {  // state: 0 normal, 1 over, 2 down, 3 disabled
    switch (scheme) {
        case Scheme::Accent: return std::array<Colour, 4>{kAccentText, kDarkGrey, kWhite, kWhite}[state];
        case Scheme::Dark: return std::array<Colour, 4>{kBlack, kAccentText, kBlack, kBlack}[state];
        case Scheme::Label: return kAccentText;
    }
    return kBlack;
}

// Where a caption of the given width lands in its button: the rules of the skinned
// button's drawing (centred, left with indent, right; word-wrapped centred captions
// 9 pixels lower and 5 pixels in from each side; top or vertically centred).
Rect CaptionBand(const CaptionSpec& caption, const Rect& button, double textWidth) {
    Rect area{0, 0, button.Width(), button.Height()};
    if (caption.align == Align::Centre && caption.wordBreak) area = {5, 9, area.right - 5, area.bottom};
    if (caption.align == Align::Left) area.left += caption.leftIndent, area.right -= 5;
    const int w = int(std::ceil(textWidth));
    int left = caption.align == Align::Centre ? area.left + (area.Width() - w) / 2
               : caption.align == Align::Left ? area.left
                                              : area.right - w;
    int top = caption.top || caption.wordBreak ? area.top : (area.Height() - kCaptionFontHeight) / 2;
    return Rect{button.left + left, button.top + top, button.left + left + w, button.top + top + kCaptionFontHeight};
}

TEST(DefaultSkinContrast, EveryTextRectangleHasAContrastingBackground) {
    for (const WindowSpec& window : AllWindowSpecs()) {
        std::optional<LoadedSkin> skin = LoadSkin(window);
        ASSERT_TRUE(skin) << window.name;
        for (const TextSpec& text : window.texts) {
            int x = 0, y = 0;
            double lowest = LowestContrast(skin->Normal(), text.rect, text.colour, &x, &y);
            EXPECT_GE(lowest, kMinimumContrast)
                << window.name << ", " << text.what << " in " << ToString(text.rect) << ": pixel (" << x << ", "
                << y << ")";
        }
    }
}

TEST(DefaultSkinContrast, EveryButtonCaptionIsLegibleInEveryState) {
    for (const WindowSpec& window : AllWindowSpecs()) {
        std::optional<LoadedSkin> skin = LoadSkin(window);
        ASSERT_TRUE(skin) << window.name;
        const std::vector<std::string> stateKeys = StateImageKeys(window);
        for (const CaptionSpec& caption : window.captions) {
            ASSERT_TRUE(skin->entries.count(caption.key)) << window.name << " key " << caption.key;
            const Rect button = skin->entries.at(caption.key);
            for (const std::string& text : caption.texts) {
                Rect band = CaptionBand(caption, button, ArialTextWidth(text, kCaptionFontHeight, caption.fontWeight));
                for (int state = 0; state < 4; ++state) {
                    ASSERT_TRUE(skin->images.count(stateKeys[state]));
                    int x = 0, y = 0;
                    double lowest = LowestContrast(skin->images.at(stateKeys[state]), band,
                                                   CaptionColour(caption.scheme, state), &x, &y);
                    EXPECT_GE(lowest, kMinimumContrast)
                        << window.name << ", key " << caption.key << ", \"" << text << "\" in the " << stateKeys[state]
                        << " picture: pixel (" << x << ", " << y << ")";
                }
            }
        }
    }
}

double Luminance(Colour c) { return ContrastRatio(c, kBlack); }  // grows with the luminance

TEST(DefaultSkinContrast, KeycapLegendsAreLegibleInEveryState) {
    // The legends are part of the pictures: on each keycap face the ink is the
    // colour that stands out most from the face's typical (median) colour.
    const WindowSpec& page = WindowByFile("skin_main.ini");
    std::optional<LoadedSkin> skin = LoadSkin(page);
    ASSERT_TRUE(skin);
    for (const std::string& key : page.buttonKeys) {
        if (key == "112") continue;  // the space bar carries no legend
        const Rect r = skin->entries.at(key);
        const Rect face{r.left + 4, r.top + 3, r.right - 4, r.bottom - 6};
        for (const std::string& state : StateImageKeys(page)) {
            const Image& image = skin->images.at(state);
            std::vector<Colour> colours;
            for (int y = face.top; y < face.bottom; ++y)
                for (int x = face.left; x < face.right; ++x) colours.push_back(image.At(x, y));
            std::sort(colours.begin(), colours.end(),
                      [](Colour a, Colour b) { return Luminance(a) < Luminance(b); });
            const Colour median = colours[colours.size() / 2];
            double best = 1;
            for (const Colour& c : colours) best = std::max(best, ContrastRatio(c, median));
            EXPECT_GE(best, kMinimumContrast) << "key " << key << " in the " << state << " picture";
        }
    }
}

}  // namespace
}  // namespace skin_default_test
