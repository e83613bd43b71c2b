// The default skin fits the windows: every window finds its layout file, its five
// images of one size and exactly the "BUTTONPOS" keys it reads; every button, text
// and fixed control lies inside the window's outline; nothing covers anything else.
#include <gtest/gtest.h>

#include <set>

#include "skin_default_loaded.h"

namespace skin_default_test {
namespace {

bool InsideOutline(const LoadedSkin& skin, const Rect& r) {
    const Image& mask = skin.Mask();
    if (r.left < 0 || r.top < 0 || r.right > mask.width || r.bottom > mask.height) return false;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (mask.At(x, y) == kWhite) return false;
    return true;
}

TEST(DefaultSkinLayout, EveryWindowHasItsFiveImagesOfOneSize) {
    for (const WindowSpec& window : AllWindowSpecs()) {
        SCOPED_TRACE(window.name);
        std::optional<LoadedSkin> skin = LoadSkin(window);
        ASSERT_TRUE(skin) << window.layoutFile << " is missing";
        std::vector<std::string> keys = StateImageKeys(window);
        keys.push_back("Mask");
        for (const std::string& key : keys) {
            ASSERT_TRUE(skin->images.count(key)) << "no readable image for " << key;
            EXPECT_EQ(skin->images.at(key).width, skin->Normal().width) << key;
            EXPECT_EQ(skin->images.at(key).height, skin->Normal().height) << key;
        }
        // The main window reads "Disable", the others "Disabled"; never both.
        EXPECT_EQ(skin->ini["SCREEN"].count(window.disableKey ? "Disabled" : "Disable"), 0u);
        if (window.width) {
            EXPECT_EQ(skin->Normal().width, window.width);
        }
        if (window.height) {
            EXPECT_EQ(skin->Normal().height, window.height);
        }
    }
}

TEST(DefaultSkinLayout, EachWindowFindsExactlyTheKeysItReads) {
    for (const WindowSpec& window : AllWindowSpecs()) {
        SCOPED_TRACE(window.name);
        std::optional<LoadedSkin> skin = LoadSkin(window);
        ASSERT_TRUE(skin);
        std::set<std::string> expected(window.buttonKeys.begin(), window.buttonKeys.end());
        expected.insert(window.controlKeys.begin(), window.controlKeys.end());
        std::set<std::string> present;
        for (const auto& [key, rect] : skin->entries) present.insert(key);
        EXPECT_EQ(present, expected);
        for (const std::string& key : expected) {
            ASSERT_TRUE(skin->entries.count(key)) << "key " << key;
            const Rect& r = skin->entries.at(key);
            EXPECT_FALSE(r.Empty()) << "key " << key << " has no size";
            EXPECT_TRUE(InsideOutline(*skin, r)) << "key " << key << " at " << ToString(r);
        }
    }
}

TEST(DefaultSkinLayout, KeySettingsPageHasKeysForPositionsZeroTo107Only) {
    std::optional<LoadedSkin> skin = LoadSkin(WindowByFile("skin_main.ini"));
    ASSERT_TRUE(skin);
    for (int position = 0; position < 114; ++position) {
        const std::string key = std::to_string(40 + position);
        EXPECT_EQ(skin->entries.count(key), position < 108 ? 1u : 0u) << "position " << position;
    }
}

TEST(DefaultSkinLayout, ButtonsTextsAndFixedPlacesDoNotCoverEachOther) {
    for (const WindowSpec& window : AllWindowSpecs()) {
        SCOPED_TRACE(window.name);
        std::optional<LoadedSkin> skin = LoadSkin(window);
        ASSERT_TRUE(skin);
        std::vector<std::pair<std::string, Rect>> entries(skin->entries.begin(), skin->entries.end());
        for (size_t i = 0; i < entries.size(); ++i) {
            for (size_t j = i + 1; j < entries.size(); ++j)
                EXPECT_FALSE(entries[i].second.Intersects(entries[j].second))
                    << "keys " << entries[i].first << " and " << entries[j].first;
            for (const Rect& fixed : window.fixedRects)
                EXPECT_FALSE(entries[i].second.Intersects(fixed))
                    << "key " << entries[i].first << " covers " << ToString(fixed);
            for (const TextSpec& text : window.texts)
                EXPECT_FALSE(entries[i].second.Intersects(text.rect))
                    << "key " << entries[i].first << " covers " << text.what;
        }
        for (const Rect& fixed : window.fixedRects)
            EXPECT_TRUE(InsideOutline(*skin, fixed)) << ToString(fixed) << " lies outside the window";
        for (const TextSpec& text : window.texts)
            EXPECT_TRUE(InsideOutline(*skin, text.rect)) << text.what << " lies outside the window";
    }
}

TEST(DefaultSkinLayout, PagesAreSolidRectanglesOfThePageAreaSize) {
    for (const char* file : {"skin_main.ini", "Skin_Macro_control.ini", "Skin_color_control.ini",
                             "Skin_light_control.ini"}) {
        SCOPED_TRACE(file);
        std::optional<LoadedSkin> skin = LoadSkin(WindowByFile(file));
        ASSERT_TRUE(skin);
        EXPECT_TRUE(InsideOutline(*skin, {0, 0, 785, 267}));
    }
}

TEST(DefaultSkinLayout, MaskIsPureWhiteOutsideAndDarkInside) {
    // Only pure white is outside; a window whose mask came out near-white would be
    // whole but invisible to the eye in the file, so the inside is drawn dark.
    for (const WindowSpec& window : AllWindowSpecs()) {
        SCOPED_TRACE(window.name);
        std::optional<LoadedSkin> skin = LoadSkin(window);
        ASSERT_TRUE(skin);
        const Image& mask = skin->Mask();
        size_t inside = 0;
        for (const Colour& c : mask.pixels) {
            if (c == kWhite) continue;
            ++inside;
            EXPECT_LT(int(c.r) + c.g + c.b, 3 * 128) << "a light mask pixel inside the window";
            if (int(c.r) + c.g + c.b >= 3 * 128) break;
        }
        EXPECT_GT(inside, mask.pixels.size() * 9 / 10);
    }
}

}  // namespace
}  // namespace skin_default_test
