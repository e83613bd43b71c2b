#include "window/key_filter.h"

#include <gtest/gtest.h>

using namespace tavrel;

TEST(KeyFilter, SwallowsOnlyKeyMessagesOfTheListedKeys) {
    const uint32_t withF1[] = {kVkReturn, kVkEscape, kVkSpace, kVkF1};
    for (uint32_t message : {kMsgKeyDown, kMsgKeyUp, kMsgSysKeyDown, kMsgSysKeyUp}) {
        for (uint32_t key : {kVkReturn, kVkEscape, kVkSpace}) {
            EXPECT_TRUE(IsSwallowedKeyMessage(message, key, kDefaultSwallowedKeys));
        }
        EXPECT_FALSE(IsSwallowedKeyMessage(message, kVkF1, kDefaultSwallowedKeys));
        EXPECT_TRUE(IsSwallowedKeyMessage(message, kVkF1, withF1));
        EXPECT_FALSE(IsSwallowedKeyMessage(message, 'A', withF1));
    }
    // WM_CHAR (0x102) of a blank and the mouse are not key-down/up messages.
    EXPECT_FALSE(IsSwallowedKeyMessage(0x0102, kVkSpace, kDefaultSwallowedKeys));
    EXPECT_FALSE(IsSwallowedKeyMessage(0x0201, kVkReturn, kDefaultSwallowedKeys));
}
