#include "config/shared_config.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sstream>

#include "config/text.h"

using namespace tavrel;

namespace {

// SharedConfig is 107 KB: keep test copies off the stack.
std::unique_ptr<SharedConfig> NewConfig() { return std::make_unique<SharedConfig>(); }

std::unique_ptr<SharedConfig> DefaultConfig() {
    auto c = NewConfig();
    SetDefaultProfiles(*c);
    return c;
}

int SumFlags(const SharedConfig& c) {
    int sum = c.iProfileChanged + c.iHDDKeyboardChanged;
    for (auto& row : c.iMacroKeyChanged)
        for (int v : row) sum += v;
    for (int k = 0; k < kFlagSlots; ++k) {
        sum += c.iLightChanged[k] + c.iStandardKeyChanged[k] + c.iModifyKeyChanged[k] + c.iProfileImported[k] +
               c.iProfileReset[k] + c.iPerformanceChanged[k];
    }
    return sum;
}

}  // namespace

TEST(SharedConfigDefaults, FourProfilesAsShipped) {
    auto c = DefaultConfig();
    const int effects[4] = {5, 2, 3, 5};
    const char16_t* names[4] = {u"#1", u"#2", u"#3", u"#4"};
    EXPECT_EQ(c->CurrentProfile, 0);
    for (int k = 0; k < 4; ++k) {
        const ProfileRecord& p = Profile(*c, k);
        EXPECT_EQ(ArrayText(p.ProFileName), names[k]);
        EXPECT_EQ(ArrayText(p.GameFile), u"");
        EXPECT_EQ(p.LtEffectType, effects[k]);
        EXPECT_EQ(p.iRGBRed, 255);
        EXPECT_EQ(p.iRGBGreen, 0);
        EXPECT_EQ(p.iRGBBlue, 0);
        EXPECT_EQ(p.iCrlSliderPos, 1530);
        EXPECT_EQ(p.PollingRate, 1);
        EXPECT_EQ(p.iResponTime, 2);
        EXPECT_EQ(p.MediaOption, 0);
        EXPECT_EQ(p.HDDKeyboard, 1);
        EXPECT_EQ(p.LtSwitch, 1);
        EXPECT_EQ(p.iLtPulsation, 1);
        EXPECT_EQ(p.LtFlag, 1);
        EXPECT_EQ(p.LtColor, 2);
        EXPECT_EQ(p.LtControl, 4);
        EXPECT_EQ(p.LtSaving, 50);
        EXPECT_EQ(p.LtTimeout, 15);
        for (int v : p.ModifyKey) EXPECT_EQ(v, 1);
        EXPECT_EQ(std::memcmp(p.standardKey, DefaultStandardKey, kKeyPositions), 0);
        EXPECT_EQ(std::memcmp(p.GKey, DefaultGKey, 8), 0);
        for (int s = 0; s < 6; ++s) {
            const MacroKeyInfo& slot = p.MacroKeyInfo[s];
            EXPECT_EQ(slot.byIndex, s);
            EXPECT_EQ(slot.byType, 2);
            EXPECT_EQ(slot.byFlags, 1);  // Ctrl
            EXPECT_EQ(slot.byAction, 0);
            EXPECT_EQ(slot.wCode, 0x1E + s);
            EXPECT_EQ(slot.wEventCount, 0);
            EXPECT_EQ(slot.iRepeat, 0);
        }
        MacroKeyInfo zero{};
        for (int s = 6; s < 32; ++s) EXPECT_EQ(std::memcmp(&p.MacroKeyInfo[s], &zero, sizeof zero), 0) << s;
    }
}

TEST(SharedConfigDefaults, EveryByteOfTheDefaultKeyLayout) {
    // The 114 bytes in position order as the keyboard's default layout is documented,
    // copied as text rather than from our table: one wrong byte (the I position holding
    // J's code) still looks like a valid layout to every other test.
    const char* const layout =
        "29 3A 3B 3C 3D 3E 3F 40 41 42 43 44 45 46 47 48 35 1E 1F 20 21 22 23 24 25 26 27 2D 2E 2A 2B 14 "
        "1A 08 15 17 1C 18 0C 12 13 2F 30 28 39 04 16 07 09 0A 0B 0D 0E 0F 33 34 31 E1 1D 1B 06 19 05 11 "
        "10 36 37 38 E5 E0 E3 E2 2C E6 E7 65 E4 49 4C 50 4A 4D 52 51 4B 4E 4F 53 5F 5C 59 62 54 60 5D 5A "
        "55 61 5E 5B 63 56 57 58 64 85 89 86 00 00 00 00 00 00";
    std::istringstream bytes(layout);
    unsigned value = 0;
    int position = 0;
    for (; bytes >> std::hex >> value; ++position) {
        ASSERT_LT(position, kKeyPositions);
        EXPECT_EQ(DefaultStandardKey[position], value) << "position " << position;
    }
    EXPECT_EQ(position, kKeyPositions);
}

TEST(SharedConfigDefaults, ResetToDefaultsKeepsLightInfoReservedBytesAndFlagTail) {
    auto c = NewConfig();
    std::memset(c.get(), 0x5A, sizeof(SharedConfig));
    SetDefaultProfiles(*c);
    for (const ProfileRecord& p : c->profiles) {
        for (uint8_t b : p.apmLightInfo) EXPECT_EQ(b, 0x5A);
        for (uint8_t b : p.reserved0) EXPECT_EQ(b, 0x5A);
        for (uint8_t b : p.reserved1) EXPECT_EQ(b, 0x5A);
        for (uint8_t b : p.reserved2) EXPECT_EQ(b, 0x5A);
        for (uint8_t b : p.reserved3) EXPECT_EQ(b, 0x5A);
        // Slots are cleared whole, their own reserved bytes included.
        EXPECT_EQ(p.MacroKeyInfo[0].reserved0[0], 0);
        EXPECT_EQ(p.MacroKeyInfo[31].szPath[0], 0);
    }
    EXPECT_EQ(c->KeyboardPlugIn, 0x5A5A5A5A);
    EXPECT_EQ(c->iProfileImported[2], 0x5A5A5A5A);
}

TEST(SharedConfigDefaults, ResetConfigZeroesAllButKeyboardPlugIn) {
    auto c = NewConfig();
    std::memset(c.get(), 0x11, sizeof(SharedConfig));
    c->KeyboardPlugIn = 7;
    ResetConfig(*c);
    EXPECT_EQ(c->CurrentProfile, -1);
    EXPECT_EQ(c->KeyboardPlugIn, 7);
    EXPECT_EQ(SumFlags(*c), 0);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&c->profiles);
    for (size_t i = 0; i < sizeof(c->profiles); ++i) ASSERT_EQ(bytes[i], 0) << i;
}

TEST(SharedConfigFlags, ClearKeepsHddFlagAndKeyboardPlugIn) {
    auto c = DefaultConfig();
    MarkAllChanged(*c);
    c->iProfileImported[1] = 1;
    c->iHDDKeyboardChanged = 1;
    c->KeyboardPlugIn = 3;
    ClearChangeFlags(*c);
    EXPECT_EQ(c->iHDDKeyboardChanged, 1);
    EXPECT_EQ(c->KeyboardPlugIn, 3);
    EXPECT_EQ(SumFlags(*c), 1);  // only the HDD flag is left
}

TEST(SharedConfigFlags, MarkAllRaisesEntryFourButNotImportedOrHdd) {
    auto c = DefaultConfig();
    MarkAllChanged(*c);
    EXPECT_EQ(c->iProfileChanged, 1);
    for (int k = 0; k < kFlagSlots; ++k) {
        EXPECT_EQ(c->iLightChanged[k], 1);
        EXPECT_EQ(c->iStandardKeyChanged[k], 1);
        EXPECT_EQ(c->iModifyKeyChanged[k], 1);
        EXPECT_EQ(c->iProfileReset[k], 1);
        EXPECT_EQ(c->iPerformanceChanged[k], 1);
        EXPECT_EQ(c->iProfileImported[k], 0);
        for (int s = 0; s < 32; ++s) EXPECT_EQ(c->iMacroKeyChanged[k][s], 1);
    }
    EXPECT_EQ(c->iHDDKeyboardChanged, 0);
}

TEST(SharedConfigFlags, IdenticalBlocksClearEveryOwnedFlag) {
    auto applied = DefaultConfig();
    auto working = DefaultConfig();
    MarkAllChanged(*working);
    working->iHDDKeyboardChanged = 1;
    working->iProfileImported[0] = 1;
    working->KeyboardPlugIn = 9;
    ComputeChangeFlags(*applied, *working);
    EXPECT_EQ(SumFlags(*working), 1);
    EXPECT_EQ(working->iProfileImported[0], 1);
    EXPECT_EQ(working->KeyboardPlugIn, 9);
}

TEST(SharedConfigFlags, EachComparedFieldRaisesOnlyItsFlag) {
    struct Case {
        const char* what;
        void (*edit)(ProfileRecord&);
        int32_t SharedConfig::*single;  // a non-array flag, or null
        int32_t (SharedConfig::*perProfile)[kFlagSlots];
    };
    const Case cases[] = {
        {"red", [](ProfileRecord& p) { p.iRGBRed = 1; }, nullptr, nullptr},
        {"name", [](ProfileRecord& p) { p.ProFileName[0] = u'X'; }, nullptr, nullptr},
        {"pulsation", [](ProfileRecord& p) { p.iLtPulsation = 3; }, nullptr, nullptr},
        {"gkey", [](ProfileRecord& p) { p.GKey[0] = 0; }, nullptr, nullptr},
        {"light info", [](ProfileRecord& p) { p.apmLightInfo[3] = 1; }, nullptr, nullptr},
        {"timeout", [](ProfileRecord& p) { p.LtTimeout = 1; }, nullptr, &SharedConfig::iLightChanged},
        {"switch", [](ProfileRecord& p) { p.LtSwitch = 0; }, nullptr, &SharedConfig::iLightChanged},
        {"flag", [](ProfileRecord& p) { p.LtFlag = 0; }, nullptr, &SharedConfig::iLightChanged},
        {"effect", [](ProfileRecord& p) { p.LtEffectType = 1; }, nullptr, &SharedConfig::iLightChanged},
        {"polling", [](ProfileRecord& p) { p.PollingRate = 2; }, nullptr, &SharedConfig::iPerformanceChanged},
        {"respon", [](ProfileRecord& p) { p.iResponTime = 1; }, nullptr, &SharedConfig::iPerformanceChanged},
        {"keys", [](ProfileRecord& p) { p.standardKey[113] = 4; }, nullptr, &SharedConfig::iStandardKeyChanged},
        {"modify", [](ProfileRecord& p) { p.ModifyKey[5] = 0; }, nullptr, &SharedConfig::iModifyKeyChanged},
        {"hdd", [](ProfileRecord& p) { p.HDDKeyboard = 0; }, &SharedConfig::iHDDKeyboardChanged, nullptr},
    };
    for (const Case& c : cases) {
        auto applied = DefaultConfig();
        auto working = DefaultConfig();
        c.edit(working->profiles[2]);
        ComputeChangeFlags(*applied, *working);
        int expected = 0;
        if (c.single) {
            EXPECT_EQ(working.get()->*c.single, 1) << c.what;
            ++expected;
        }
        if (c.perProfile) {
            EXPECT_EQ((working.get()->*c.perProfile)[2], 1) << c.what;
            ++expected;
        }
        EXPECT_EQ(SumFlags(*working), expected) << c.what;
    }
}

TEST(SharedConfigFlags, SlotAndProfileIndexChanges) {
    auto applied = DefaultConfig();
    auto working = DefaultConfig();
    working->profiles[3].MacroKeyInfo[31].szPath[259] = u'z';
    working->CurrentProfile = 2;
    ComputeChangeFlags(*applied, *working);
    EXPECT_EQ(working->iMacroKeyChanged[3][31], 1);
    EXPECT_EQ(working->iProfileChanged, 1);
    EXPECT_EQ(SumFlags(*working), 2);
}

TEST(SharedConfigAccess, ProfileIndexOutsideTheBlockFallsBackToProfileZero) {
    auto c = DefaultConfig();
    EXPECT_EQ(&Profile(*c, 3), &c->profiles[3]);
    EXPECT_EQ(&Profile(*c, 4), &c->profiles[0]);
    EXPECT_EQ(&Profile(*c, -1), &c->profiles[0]);
    c->CurrentProfile = 2;
    EXPECT_EQ(&CurrentProfile(*c), &c->profiles[2]);
    c->CurrentProfile = 1000;
    EXPECT_EQ(&CurrentProfile(*c), &c->profiles[0]);
}

TEST(SharedConfigSanitize, IndexTextsAndEventCountsAreBounded) {
    const int32_t inputs[] = {-1, 0, 3, 4, 2000000000, INT32_MIN};
    const int32_t expected[] = {0, 0, 3, 0, 0, 0};
    for (size_t i = 0; i < std::size(inputs); ++i) {
        auto c = DefaultConfig();
        c->CurrentProfile = inputs[i];
        SanitizeConfig(*c);
        EXPECT_EQ(c->CurrentProfile, expected[i]) << inputs[i];
    }
    auto c = DefaultConfig();
    for (ProfileRecord& p : c->profiles) {
        std::fill(std::begin(p.ProFileName), std::end(p.ProFileName), u'n');
        std::fill(std::begin(p.GameFile), std::end(p.GameFile), u'g');
        std::fill(std::begin(p.MacroKeyInfo[7].szText), std::end(p.MacroKeyInfo[7].szText), u't');
        std::fill(std::begin(p.MacroKeyInfo[7].szPath), std::end(p.MacroKeyInfo[7].szPath), u'p');
        p.MacroKeyInfo[7].wEventCount = 9999;
        p.MacroKeyInfo[8].wEventCount = 50;
    }
    SanitizeConfig(*c);
    for (const ProfileRecord& p : c->profiles) {
        EXPECT_EQ(ArrayText(p.ProFileName).size(), 249u);
        EXPECT_EQ(ArrayText(p.GameFile).size(), 499u);
        EXPECT_EQ(ArrayText(p.MacroKeyInfo[7].szText).size(), 19u);
        EXPECT_EQ(ArrayText(p.MacroKeyInfo[7].szPath).size(), 259u);
        EXPECT_EQ(p.MacroKeyInfo[7].wEventCount, 50);
        EXPECT_EQ(p.MacroKeyInfo[8].wEventCount, 50);
        EXPECT_EQ(ArrayText(p.MacroKeyInfo[0].szText), u"");
    }
}

TEST(SharedConfigSanitize, AValidConfigurationIsLeftByteForByte) {
    auto c = DefaultConfig();
    c->CurrentProfile = 3;
    auto copy = std::make_unique<SharedConfig>(*c);
    SanitizeConfig(*c);
    EXPECT_EQ(std::memcmp(c.get(), copy.get(), sizeof(SharedConfig)), 0);
}
