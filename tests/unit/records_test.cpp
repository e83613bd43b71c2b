#include "config/records.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace tavrel;

TEST(Records, ProfileKStartsAtItsFixedOffsetInTheBlock) {
    static SharedConfig config;
    const auto* base = reinterpret_cast<const unsigned char*>(&config);
    for (int k = 0; k < kProfileCount; ++k) {
        const auto* profile = reinterpret_cast<const unsigned char*>(&config.profiles[k]);
        EXPECT_EQ(profile - base, 4 + k * 26700) << "profile " << k;
    }
    const auto* slot = reinterpret_cast<const unsigned char*>(&config.profiles[1].MacroKeyInfo[31]);
    EXPECT_EQ(slot - base, 4 + 26700 + 1712 + 31 * 780);
}
