#include "keys/key_codes.h"

#include <gtest/gtest.h>

#include <set>

#include "keys/fixed_keyboard_layouts.h"

using namespace tavrel;

namespace {

const KeyboardLayout& Us() { return UsKeyboardLayout(); }
const KeyboardLayout& German() { return GermanKeyboardLayout(); }

}  // namespace

TEST(KeyCodeTable, HoldsEachVirtualKeyAndUsageOnceAndScanCodesOnlyForLettersToF12) {
    std::set<uint32_t> vks, usages;
    for (const KeyCodeRow& row : KeyCodeTable) {
        EXPECT_TRUE(vks.insert(row.virtualKey).second) << std::hex << row.virtualKey;
        EXPECT_TRUE(usages.insert(row.usage).second) << std::hex << row.usage;
        const bool scanCoded = row.usage >= 0x04 && row.usage <= 0x45;
        EXPECT_EQ(row.scanCode != 0, scanCoded) << std::hex << row.usage;
    }
    EXPECT_EQ(usages.count(0x32), 0u);
}

TEST(KeyCodeTable, RowsAreInTheirFixedOrder) {
    struct Row { size_t number; uint32_t usage, vk, scan; };
    const Row rows[] = {
        {1, 0x04, 0x41, 0x1E},  {26, 0x1D, 0x5A, 0x2C},  {27, 0x1E, 0x31, 0x02},
        {36, 0x27, 0x30, 0x0B}, {37, 0x28, 0x0D, 0x1C},  {41, 0x2C, 0x20, 0x39},
        {42, 0x2D, 0xBD, 0x0C}, {47, 0x33, 0xBA, 0x27},  {52, 0x38, 0xBF, 0x35},
        {53, 0x39, 0x14, 0x3A}, {64, 0x44, 0x7A, 0x57},  {65, 0x45, 0x7B, 0x58},
        {66, 0x46, 0x2C, 0},    {78, 0x52, 0x26, 0},     {79, 0x53, 0x90, 0},
        {84, 0x58, 0x6C, 0},    {90, 0x5F, 0x67, 0},     {91, 0x5E, 0x66, 0},
        {95, 0x63, 0x6E, 0},    {96, 0x64, 0xE2, 0},     {97, 0x65, 0x5D, 0},
        {98, 0xE0, 0xA2, 0},    {105, 0xE7, 0x5C, 0},    {106, 0x86, 0xC1, 0},
        {108, 0x89, 0xFF, 0},   {109, 0x70, 0xA6, 0},    {126, 0x81, 0xB7, 0},
        {127, 0xF0, 0xF0, 0},   {131, 0xF4, 0xF4, 0},
    };
    ASSERT_EQ(KeyCodeTable.size(), 131u);
    for (const Row& r : rows) {
        const KeyCodeRow& row = KeyCodeTable[r.number - 1];
        EXPECT_EQ(row.usage, r.usage) << "row " << r.number;
        EXPECT_EQ(row.virtualKey, r.vk) << "row " << r.number;
        EXPECT_EQ(row.scanCode, r.scan) << "row " << r.number;
    }
}

TEST(KeyCodes, UsageToVirtualKeyFollowsTheLayoutExceptForPunctuation) {
    struct Case { uint32_t usage; uint32_t us; uint32_t german; };
    const Case cases[] = {
        {0x1C, 0x59, 0x5A},  // the Y position: Y on US, Z on German
        {0x1D, 0x5A, 0x59},
        {0x04, 0x41, 0x41},
        {0x2D, 0xBD, 0xBD},  // punctuation keeps its own virtual key on every layout
        {0x2F, 0xDB, 0xDB},
        {0x38, 0xBF, 0xBF},
        {0x28, 0x0D, 0x0D},
        {0x45, 0x7B, 0x7B},
        {0x58, 0x6C, 0x6C},  // keypad Enter
        {0x62, 0x60, 0x60},
        {0x70, 0xA6, 0xA6},
        {0xE0, 0xA2, 0xA2},
        {0xF4, 0xF4, 0xF4},
    };
    for (const Case& c : cases) {
        const KeyLookup us = TanslateUID2VK(c.usage, Us());
        const KeyLookup de = TanslateUID2VK(c.usage, German());
        EXPECT_TRUE(us.ok && de.ok) << std::hex << c.usage;
        EXPECT_EQ(us.code, c.us) << std::hex << c.usage;
        EXPECT_EQ(de.code, c.german) << std::hex << c.usage;
    }
}

TEST(KeyCodes, UsagesWithoutARowTranslateToNothing) {
    for (uint32_t usage : {0x00u, 0x01u, 0x32u, 0x66u, 0x82u, 0xE8u, 0xF5u, 0xFFu, 0x104u}) {
        const KeyLookup vk = TanslateUID2VK(usage, Us());
        EXPECT_FALSE(vk.ok) << std::hex << usage;
        EXPECT_EQ(vk.code, 0u);
    }
}

TEST(KeyCodes, VirtualKeyToUsageMapsBackToThePhysicalPosition) {
    struct Case { uint32_t vk; uint32_t us; uint32_t german; };
    const Case cases[] = {
        {0xA2, 0xE0, 0xE0}, {0x0D, 0x28, 0x28}, {0x6C, 0x58, 0x58},
        {0x59, 0x1C, 0x1D},  // Y sits where US has Z on a German keyboard
        {0x5A, 0x1D, 0x1C},
        {0xBA, 0x33, 0x2F},  // VK_OEM_1 is the key right of P on a German keyboard
        {0xBD, 0x2D, 0x38},
        {0x70, 0x3A, 0x3A}, {0x60, 0x62, 0x62}, {0xA6, 0x70, 0x70}, {0xF0, 0xF0, 0xF0},
    };
    for (const Case& c : cases) {
        const KeyLookup us = TranslateVK2UID(c.vk, Us());
        const KeyLookup de = TranslateVK2UID(c.vk, German());
        EXPECT_TRUE(us.ok && de.ok) << std::hex << c.vk;
        EXPECT_EQ(us.code, c.us) << std::hex << c.vk;
        EXPECT_EQ(de.code, c.german) << std::hex << c.vk;
    }
    for (uint32_t vk : {0x00u, 0x7Cu, 0xE3u, 0xF5u, 0x100u}) {
        const KeyLookup usage = TranslateVK2UID(vk, Us());
        EXPECT_FALSE(usage.ok) << std::hex << vk;
        EXPECT_EQ(usage.code, 0u);
    }
}

TEST(KeyCodes, EveryUsageSurvivesTheRoundTripOnItsLayout) {
    for (const KeyCodeRow& row : KeyCodeTable) {
        const KeyLookup vk = TanslateUID2VK(row.usage, Us());
        ASSERT_TRUE(vk.ok);
        EXPECT_EQ(TranslateVK2UID(vk.code, Us()).code, row.usage) << std::hex << row.usage;
        const bool punctuation = row.usage >= 0x2D && row.usage <= 0x38;
        if (!punctuation) {
            const KeyLookup germanVk = TanslateUID2VK(row.usage, German());
            EXPECT_EQ(TranslateVK2UID(germanVk.code, German()).code, row.usage) << std::hex << row.usage;
        }
    }
}

TEST(KeyCodes, AKeyTheLayoutCannotPlaceKeepsItsOwnUsage) {
    // A layout without the minus key answers scan code 0 for it; rows without a scan
    // code carry 0 too, and must not be taken for the key's position.
    const FixedKeyboardLayout sparse({{0x1E, 0x41}});
    EXPECT_EQ(TranslateVK2UID(0xBD, sparse).code, 0x2Du);
    EXPECT_EQ(TranslateVK2UID(0x42, sparse).code, 0x05u);
    EXPECT_EQ(TranslateVK2UID(0x41, sparse).code, 0x04u);
}

TEST(KeyCodes, NamesAreFixedEnglishTexts) {
    struct Case { uint32_t vk; const char16_t* name; };
    const Case cases[] = {
        {0x30, u"0"}, {0x39, u"9"}, {0x41, u"A"}, {0x5A, u"Z"}, {0x60, u"Num 0"}, {0x69, u"Num 9"},
        {0x70, u"F1"}, {0x79, u"F10"}, {0x7B, u"F12"}, {0x08, u"BackSpace"}, {0x0D, u"Enter"},
        {0x1B, u"Esc"}, {0x20, u"Space"}, {0x2C, u"Prnt Scrn"}, {0x2F, u"Help"},
        {0x5B, u"Left Windows"}, {0x5D, u"APP"}, {0x6C, u"Num Enter"}, {0x6E, u"Num Del"},
        {0x90, u"Num Lock"}, {0x91, u"Scroll Lock"}, {0xA2, u"Ctrl"}, {0xA5, u"Right Alt"},
        {0xC0, u"`"}, {0xC1, u"-\\"}, {0xC2, u"Num ."}, {0xDC, u"\\"}, {0xFF, u"\\"},
        {0xE2, u"|\\"}, {0xF0, u"L-Button"}, {0xF4, u"Button 5"},
        {0x00, u""}, {0x2A, u""}, {0x7C, u""}, {0xA6, u"" }, {0xB7, u""}, {0xF5, u""},
    };
    for (const Case& c : cases) EXPECT_EQ(GetVKName(c.vk), c.name) << std::hex << c.vk;
    for (uint32_t vk = 0; vk < 0x08; ++vk) EXPECT_EQ(GetVKName(vk), u"") << vk;
    for (uint32_t vk = 0x100; vk < 0x10000; vk += 0x7F) EXPECT_EQ(GetVKName(vk), u"") << vk;
    EXPECT_EQ(GetVKName(0xFFFFFFFFu), u"");
}

TEST(KeyCodes, AStoredUsageIsNamedThroughItsVirtualKey) {
    EXPECT_EQ(UsageName(0x1C, Us()), u"Y");
    EXPECT_EQ(UsageName(0x1C, German()), u"Z");
    EXPECT_EQ(UsageName(0x58, Us()), u"Num Enter");
    EXPECT_EQ(UsageName(0x70, Us()), u"");
    EXPECT_EQ(UsageName(0x00, Us()), u"");
    EXPECT_EQ(UsageName(0x29, Us()), u"Esc");
}

TEST(KeyCodes, CapturedEnterWithTheExtendedFlagIsTheKeypadEnter) {
    EXPECT_EQ(CapturedVirtualKey(0x0D, 0x01), 0x6Cu);
    EXPECT_EQ(CapturedVirtualKey(0x0D, 0x81), 0x6Cu);
    EXPECT_EQ(CapturedVirtualKey(0x0D, 0x80), 0x0Du);
    EXPECT_EQ(CapturedVirtualKey(0x25, 0x01), 0x25u);
}
