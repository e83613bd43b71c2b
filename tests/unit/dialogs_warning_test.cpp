#include "dialogs/warning_model.h"

#include <gtest/gtest.h>

using namespace tavrel;

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
