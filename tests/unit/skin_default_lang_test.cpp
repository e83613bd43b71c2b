// The language library's string table: a text for every number the windows load,
// each short enough for the place where it is shown.
#include <gtest/gtest.h>

#include <cmath>

#include "skin_default_loaded.h"

namespace skin_default_test {
namespace {

TEST(DefaultLanguageStrings, EveryNumberTheWindowsLoadHasAText) {
    const std::pair<int, int> ranges[] = {{101, 117}, {300, 308}, {400, 406}, {500, 526}, {600, 608},
                                          {700, 704}, {800, 810}, {900, 925}, {1000, 1004}, {1100, 1113},
                                          {1200, 1200}, {1400, 1401}};
    for (auto [first, last] : ranges)
        for (int n = first; n <= last; ++n) {
            auto it = LangStrings().find(n);
            ASSERT_NE(it, LangStrings().end()) << "string " << n << " is missing";
            EXPECT_FALSE(it->second.empty()) << "string " << n;
            EXPECT_LE(it->second.size(), 519u) << "string " << n << " is longer than a window reads";
        }
}

TEST(DefaultLanguageStrings, TextsFitTheirRectangles) {
    for (const WindowSpec& window : AllWindowSpecs())
        for (const TextSpec& text : window.texts) {
            if (!text.mustFit) continue;
            for (const std::string& s : text.texts) {
                SCOPED_TRACE(window.name + ", " + text.what + ": \"" + s + "\"");
                if (text.placement == Placement::Wrapped) {
                    int lines = WrappedLineCount(s, text.rect.Width(), text.height, text.weight);
                    EXPECT_LE(lines * text.height, text.rect.Height()) << lines << " lines";
                } else {
                    EXPECT_LE(ArialTextWidth(s, text.height, text.weight), text.rect.Width());
                }
            }
        }
}

TEST(DefaultLanguageStrings, CaptionsFitTheirButtons) {
    for (const WindowSpec& window : AllWindowSpecs()) {
        std::optional<LoadedSkin> skin = LoadSkin(window);
        ASSERT_TRUE(skin);
        for (const CaptionSpec& caption : window.captions) {
            const Rect button = skin->entries.at(caption.key);
            // Room left by the indent, the 5-pixel margins and a few pixels of face border.
            int room = button.Width() - 8;
            if (caption.align == Align::Left) room = button.Width() - caption.leftIndent - 5;
            if (caption.wordBreak && caption.align == Align::Centre) room = button.Width() - 10;
            for (const std::string& s : caption.texts)
                EXPECT_LE(ArialTextWidth(s, 13, caption.fontWeight), room)
                    << window.name << ", key " << caption.key << ": \"" << s << "\"";
        }
    }
}

}  // namespace
}  // namespace skin_default_test
