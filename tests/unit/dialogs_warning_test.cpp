#include "dialogs/key_filter.h"
#include "dialogs/warning_model.h"

#include <gtest/gtest.h>

using namespace tavrel;

TEST(DialogsKeyFilter, SwallowsEnterEscapeSpaceInEveryKeyMessageAndF1OnlyWhereAsked) {
    const unsigned messages[] = {kMsgKeyDown, kMsgKeyUp, kMsgSysKeyDown, kMsgSysKeyUp};
    for (unsigned m : messages) {
        for (unsigned vk : {kVkReturn, kVkEscape, kVkSpace}) {
            EXPECT_TRUE(IsSwallowedKey(m, vk, SwallowedKeys::EnterEscapeSpace)) << m << " " << vk;
            EXPECT_TRUE(IsSwallowedKey(m, vk, SwallowedKeys::EnterEscapeSpaceAndF1)) << m << " " << vk;
        }
        EXPECT_TRUE(IsSwallowedKey(m, kVkF1, SwallowedKeys::EnterEscapeSpaceAndF1));
        EXPECT_FALSE(IsSwallowedKey(m, kVkF1, SwallowedKeys::EnterEscapeSpace));
        EXPECT_FALSE(IsSwallowedKey(m, 'A', SwallowedKeys::EnterEscapeSpaceAndF1));
        EXPECT_FALSE(IsSwallowedKey(m, 0x09 /* Tab */, SwallowedKeys::EnterEscapeSpaceAndF1));
    }
}

TEST(DialogsKeyFilter, LeavesCharacterAndMouseMessagesAlone) {
    const unsigned wmChar = 0x0102, wmLButtonDown = 0x0201;
    EXPECT_FALSE(IsSwallowedKey(wmChar, kVkReturn, SwallowedKeys::EnterEscapeSpaceAndF1));
    EXPECT_FALSE(IsSwallowedKey(wmLButtonDown, kVkEscape, SwallowedKeys::EnterEscapeSpaceAndF1));
}

TEST(DialogsWarning, ModeChoosesTheStringRange) {
    EXPECT_EQ(WarningStrings(0).first, 700);
    EXPECT_EQ(WarningStrings(0).last, 704);
    EXPECT_EQ(WarningStrings(1).first, 1000);
    EXPECT_EQ(WarningStrings(1).last, 1004);
    // A mode that was never set asks about the reset, never shows empty texts.
    EXPECT_EQ(WarningStrings(-1).first, 700);
    EXPECT_EQ(WarningStrings(7).first, 700);
}

TEST(DialogsWarning, OnlyTheOkButtonConfirms) {
    EXPECT_EQ(WarningResult(WarningButton::Ok), 1);
    EXPECT_EQ(WarningResult(WarningButton::Cancel), 2);
    EXPECT_EQ(WarningResult(WarningButton::Close), 2);
    EXPECT_TRUE(IsConfirmed(WarningResult(WarningButton::Ok)));
    EXPECT_FALSE(IsConfirmed(WarningResult(WarningButton::Close)));
    EXPECT_FALSE(IsConfirmed(-1));
}
