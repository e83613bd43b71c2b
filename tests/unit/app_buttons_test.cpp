#include "app/buttons.h"

#include <gtest/gtest.h>

#include <set>

using namespace tavrel;

TEST(AppMainButtons, NineteenButtonsInCreationOrderWithTheirSkinKeys) {
    const int keys[] = {1, 2, 3, 4, 25, 10, 6, 7, 8, 9, 11, 12, 13, 15, 21, 22, 20, 16, 17};
    std::set<int> seen;
    for (int i = 0; i < kMainButtonCount; ++i) {
        EXPECT_EQ(kMainButtons[i].skinKey, keys[i]) << i;
        EXPECT_EQ(static_cast<int>(kMainButtons[i].button), i);
        seen.insert(kMainButtons[i].skinKey);
    }
    EXPECT_EQ(seen.size(), 19u);
}

TEST(AppMainButtons, CaptionsComeFromTheMainTableAndProfilesTwoToFourAreNumbered) {
    LangTable table;
    for (int n = kMainFirstString; n <= kMainLastString; ++n) table.Append(u"s" + std::u16string(1, char16_t(u'A' + n - 101)));
    auto caption = [&](MainButton b) { return MainButtonCaption(kMainButtons[static_cast<int>(b)], table); };
    EXPECT_EQ(caption(MainButton::PageKeys), u"sA");        // 101
    EXPECT_EQ(caption(MainButton::PageLighting), u"sP");    // 116
    EXPECT_EQ(caption(MainButton::Reset), u"sO");           // 115
    EXPECT_EQ(caption(MainButton::Profile1), u"sD");        // 104
    EXPECT_EQ(caption(MainButton::Profile2), u"sI 1");      // 109 and 1
    EXPECT_EQ(caption(MainButton::Profile4), u"sI 3");
    EXPECT_EQ(caption(MainButton::Ok), u"sK");              // 111
    EXPECT_EQ(caption(MainButton::Apply), u"sL");           // 112
    EXPECT_EQ(caption(MainButton::Minimize), u"");
    EXPECT_EQ(caption(MainButton::Close), u"");
}

TEST(AppMainButtons, OnlyResetApplyCancelAndOkTakeTheDialogColours) {
    for (const MainButtonDef& desc : kMainButtons) {
        const bool expected = desc.button == MainButton::Reset || desc.button == MainButton::Apply ||
                              desc.button == MainButton::Cancel || desc.button == MainButton::Ok;
        EXPECT_EQ(desc.dialogColours, expected) << desc.skinKey;
    }
}

TEST(AppMainButtons, AMissingLanguageLibraryLeavesEmptyCaptionsButKeepsTheNumber) {
    LangTable empty;
    EXPECT_EQ(MainButtonCaption(kMainButtons[0], empty), u"");
    EXPECT_EQ(MainButtonCaption(kMainButtons[static_cast<int>(MainButton::Profile3)], empty), u" 2");
}
