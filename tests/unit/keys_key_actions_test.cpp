#include "keys/key_actions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>

#include "config/shared_config.h"
#include "config/text.h"
#include "keys/fixed_keyboard_layouts.h"

using namespace tavrel;

namespace {

// Strings 500 to 525, each text naming its number.
LangTable ActionNames() {
    LangTable table;
    for (int n = 500; n <= 525; ++n) table.Append(u"S" + FormatInt(n));
    return table;
}

MacroKeyInfo Slot(uint8_t type, uint8_t flags = 0, uint16_t code = 0) {
    MacroKeyInfo slot;
    std::memset(&slot, 0, sizeof(slot));
    slot.byType = type;
    slot.byFlags = flags;
    slot.wCode = code;
    return slot;
}

std::u16string Text(const MacroKeyInfo& slot, const KeyboardLayout& layout = UsKeyboardLayout()) {
    return GetKeyActionText(slot, ActionNames(), layout);
}

std::unique_ptr<SharedConfig> DefaultConfig() {
    auto config = std::make_unique<SharedConfig>();
    ResetConfig(*config);
    SetDefaultProfiles(*config);
    config->CurrentProfile = 0;
    return config;
}

}  // namespace

TEST(ActionToAssignment, EveryChoiceOfTheTableGivesItsKindFlagsAndCode) {
    struct Case { int choice; KeyAssignment expected; };
    const Case cases[] = {
        {1, {1, 0, 0}},      {2, {2, 0, 0}},      {3, {3, 0, 0}},      {16, {4, 1, 0}},
        {17, {4, 4, 0}},     {18, {4, 5, 0}},     {19, {4, 6, 0}},     {24, {6, 0, 0xB2}},
        {25, {6, 0, 0xB0}},  {26, {6, 0, 0xB1}},  {27, {6, 0, 0xC4}},  {28, {6, 0, 0xBB}},
        {29, {6, 0, 0xB9}},  {30, {6, 0, 0xBA}},  {31, {6, 0, 0xB8}},  {32, {6, 0, 0xB3}},
        {33, {6, 0, 0xB4}},  {34, {6, 0, 0xBD}},  {35, {6, 0, 0xBE}},  {36, {6, 0, 0xBF}},
        {37, {6, 0, 0xC7}},  {38, {6, 0, 0xC1}},  {39, {6, 0, 0xB7}},  {40, {6, 0, 0xC5}},
        {41, {6, 0, 0xC6}},  {78, {6, 0, 0x4E}},  {79, {6, 0, 0x4F}},  {64, {9, 1, 0x1B}},
        {65, {9, 1, 0x06}},  {66, {9, 1, 0x19}},  {67, {9, 1, 0x04}},  {68, {9, 1, 0x09}},
        {69, {9, 1, 0x11}},  {70, {9, 1, 0x13}},  {71, {9, 1, 0x16}},  {72, {9, 1, 0x1D}},
        {73, {9, 4, 0x2B}},  {74, {9, 4, 0x3D}},  {75, {9, 8, 0x0F}},  {76, {9, 8, 0x15}},
        {77, {9, 8, 0x07}},  {240, {7, 1, 0}},    {241, {7, 2, 0}},    {242, {7, 3, 0}},
        {243, {7, 4, 0}},    {244, {7, 5, 0}},    {245, {8, 0, 0}},    {246, {5, 0, 0}},
    };
    for (const Case& c : cases) {
        const auto result = ActionToAssignment(4, c.choice);
        ASSERT_TRUE(result.has_value()) << c.choice;
        EXPECT_EQ(*result, c.expected) << c.choice;
    }
    EXPECT_EQ(ActionToAssignment(0, 11), (KeyAssignment{11, 1, 0}));
    EXPECT_EQ(ActionToAssignment(31, 11), (KeyAssignment{11, 32, 0}));
}

TEST(ActionToAssignment, RestoreDefaultDependsOnTheSlot) {
    for (int slot = 0; slot <= 5; ++slot)
        EXPECT_EQ(ActionToAssignment(slot, 48), (KeyAssignment{2, 1, static_cast<uint16_t>(0x1E + slot)}));
    for (int slot = 6; slot <= 9; ++slot)
        EXPECT_EQ(ActionToAssignment(slot, 48), (KeyAssignment{2, static_cast<uint8_t>(slot - 1), 0}));
    const uint16_t navigation[] = {0x49, 0x4A, 0x4B, 0x4C, 0x4D};
    for (int slot = 10; slot <= 14; ++slot)
        EXPECT_EQ(ActionToAssignment(slot, 48), (KeyAssignment{10, 0, navigation[slot - 10]}));
    for (int slot : {15, 31, 32, -1}) EXPECT_FALSE(ActionToAssignment(slot, 48).has_value()) << slot;
}

TEST(ActionToAssignment, ChoicesOutsideTheTableAssignNothing) {
    for (int choice : {-1, 0, 4, 10, 12, 15, 20, 23, 42, 47, 49, 63, 80, 239, 247, 1001})
        EXPECT_FALSE(ActionToAssignment(0, choice).has_value()) << choice;
    EXPECT_FALSE(ActionToAssignment(-1, 11).has_value());
    EXPECT_FALSE(ActionToAssignment(32, 11).has_value());
}

TEST(KeyActionText, CombinationsShowTheirModifiersThenTheKeyName) {
    EXPECT_EQ(Text(Slot(2, 0, 0x3A)), u"F1");
    EXPECT_EQ(Text(Slot(2, 15, 0x3A)), u"Ctrl+Shift+Alt+Win+F1");
    EXPECT_EQ(Text(Slot(2, 0x13, 0x3A)), u"Ctrl+Shift+F1");
    EXPECT_EQ(Text(Slot(2, 3, 0x06)), u"Ctrl+Shift+C");
    EXPECT_EQ(Text(Slot(2, 5, 0)), u"Ctrl+Alt+");      // restore default of slot 6
    EXPECT_EQ(Text(Slot(2, 8, 0x70)), u"Win+");        // a media key has no name
    EXPECT_EQ(Text(Slot(2, 1, 0x1C), GermanKeyboardLayout()), u"Ctrl+Z");
    EXPECT_EQ(Text(Slot(2, 0, 0x011E)), u"");          // not a byte: no key
    EXPECT_EQ(Text(Slot(10, 0x0F, 0x49)), u"Insert");  // a plain key has no prefix
    EXPECT_EQ(Text(Slot(10, 0, 0x1C), GermanKeyboardLayout()), u"Z");
}

TEST(KeyActionText, LanguageStringsNameActionsFunctionsAndPresets) {
    EXPECT_EQ(Text(Slot(1)), u"S525");
    struct Case { uint16_t code; int string; };
    const Case functions[] = {{0xB2, 504}, {0xB0, 505}, {0xB1, 506}, {0xC4, 507}, {0xBB, 508},
                              {0xB9, 509}, {0xBA, 510}, {0xB8, 511}, {0xB4, 514}, {0xB3, 515},
                              {0x4E, 516}, {0x4F, 517}, {0xB7, 520}, {0xC5, 521}, {0xC6, 522}};
    for (const Case& c : functions) EXPECT_EQ(Text(Slot(6, 0, c.code)), u"S" + FormatInt(c.string));
    EXPECT_EQ(Text(Slot(6, 0, 0xC0)), u"Screensave");
    EXPECT_EQ(Text(Slot(6, 0, 0xC2)), u"Explorer");
    EXPECT_EQ(Text(Slot(9, 4, 0x3D)), u"S513");
    EXPECT_EQ(Text(Slot(9, 8, 0x07)), u"S518");
    EXPECT_EQ(Text(Slot(9, 8, 0x15)), u"S519");
}

TEST(KeyActionText, ValuesWithoutALanguageStringShowADistinctEnglishText) {
    const MacroKeyInfo slots[] = {
        Slot(4, 1), Slot(4, 4), Slot(4, 5), Slot(4, 6), Slot(5), Slot(8), Slot(7, 1), Slot(7, 2),
        Slot(7, 3), Slot(7, 4), Slot(7, 5), Slot(6, 0, 0xBD), Slot(6, 0, 0xBE), Slot(6, 0, 0xBF),
        Slot(6, 0, 0xC1), Slot(6, 0, 0xC7),
    };
    std::set<std::u16string> texts;
    for (const MacroKeyInfo& slot : slots) {
        const std::u16string text = Text(slot);
        EXPECT_FALSE(text.empty()) << int(slot.byType) << "/" << int(slot.byFlags) << "/" << slot.wCode;
        EXPECT_TRUE(texts.insert(text).second) << Utf16ToUtf8(text);
    }
    EXPECT_EQ(Text(Slot(7, 1)), u"Left mouse button");
    const char16_t* presets[] = {u"Cut (Ctrl+X)", u"Copy (Ctrl+C)", u"Paste (Ctrl+V)",
                                 u"Select all (Ctrl+A)", u"Find (Ctrl+F)", u"New (Ctrl+N)",
                                 u"Print (Ctrl+P)", u"Save (Ctrl+S)", u"Undo (Ctrl+Z)",
                                 u"Switch window (Alt+Tab)", u"Lock computer (Win+L)"};
    const int presetChoices[] = {64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 75};
    for (size_t i = 0; i < std::size(presetChoices); ++i) {
        const KeyAssignment a = *ActionToAssignment(0, presetChoices[i]);
        EXPECT_EQ(Text(Slot(a.byType, a.byFlags, a.wCode)), presets[i]);
    }
}

TEST(KeyActionText, UnknownValuesShowNothing) {
    const MacroKeyInfo slots[] = {
        Slot(0, 1, 0x3A), Slot(12, 1, 0x3A), Slot(255), Slot(4, 0), Slot(4, 2), Slot(4, 7),
        Slot(7, 0), Slot(7, 6), Slot(6, 0, 0), Slot(6, 0, 0xB5), Slot(6, 0, 0x1B2),
        Slot(9, 1, 0x3D), Slot(9, 0, 0x1B), Slot(9, 2, 0x1B),
    };
    for (const MacroKeyInfo& slot : slots)
        EXPECT_EQ(Text(slot), u"") << int(slot.byType) << "/" << int(slot.byFlags) << "/" << slot.wCode;
}

TEST(KeyActionText, MacrosShowTheirStoredNameAndLaunchesTheirFileName) {
    MacroKeyInfo macro = Slot(3);
    CopyToArray(macro.szText, u"A name of 19 chars!");
    EXPECT_EQ(Text(macro), u"A name of 19 chars!");
    std::fill(std::begin(macro.szText), std::end(macro.szText), u'x');  // unterminated
    EXPECT_EQ(Text(macro), std::u16string(20, u'x'));

    struct Case { const char16_t* path; const char16_t* shown; };
    const Case launches[] = {
        {u"D:\\Games\\Race\\race.exe", u"race.exe"}, {u"D:\\Games\\Race\\race", u"race"},
        {u"", u""}, {u"race.exe", u"race.exe"}, {u"C:race.exe", u"race.exe"},
        {u"D:/Games/run.bat", u"run.bat"}, {u"D:\\Games\\", u""},
    };
    for (const Case& c : launches) {
        MacroKeyInfo launch = Slot(11, 1);
        CopyToArray(launch.szPath, c.path);
        EXPECT_EQ(Text(launch), c.shown) << Utf16ToUtf8(c.path);
    }
}

TEST(KeyActionText, EveryMenuChoiceShowsAText) {
    for (int choice : {1, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 39, 40, 41, 48, 74, 76, 77, 78, 79}) {
        for (int slot = 0; slot < 6; ++slot) {
            const KeyAssignment a = *ActionToAssignment(slot, choice);
            EXPECT_FALSE(Text(Slot(a.byType, a.byFlags, a.wCode)).empty()) << choice << " " << slot;
        }
    }
    EXPECT_EQ(Text(Slot(2, 1, 0x1E + 5)), u"Ctrl+6");
}

TEST(RemapLimit, CountsRemappedKeysAndFunctionSlotsOfAllFourProfiles) {
    auto config = DefaultConfig();
    EXPECT_EQ(CountRemaps(*config), 0);
    // 31 remapped standard keys spread over the four profiles.
    int remapped = 0;
    for (int k = 0; k < kProfileCount; ++k)
        for (int p = 0; p < 8 && remapped < 31; ++p, ++remapped)
            config->profiles[k].standardKey[p * 10] = 0x04 + (DefaultStandardKey[p * 10] == 0x04);
    EXPECT_EQ(CountRemaps(*config), 31);
    EXPECT_FALSE(IsRemapLimitReached(*config));

    config->profiles[3].MacroKeyInfo[6].byType = KindFunction;  // slot 6 does not count
    config->profiles[3].MacroKeyInfo[31].byType = KindFunction;
    EXPECT_FALSE(IsRemapLimitReached(*config));
    config->profiles[2].MacroKeyInfo[5].byType = KindFunction;
    EXPECT_EQ(CountRemaps(*config), 32);
    EXPECT_TRUE(IsRemapLimitReached(*config));
}

TEST(RemapLimit, AnEmptyPositionCountsUnlessItsDefaultIsEmptyToo) {
    auto config = DefaultConfig();
    config->profiles[1].standardKey[108] = 0x04;  // a position without a key
    config->profiles[1].standardKey[0] = 0x00;    // Esc emptied
    EXPECT_EQ(CountRemaps(*config), 2);
    for (int p = 0; p < kKeyPositions; ++p) config->profiles[0].standardKey[p] = 0xFF;
    EXPECT_EQ(CountRemaps(*config), 2 + kKeyPositions);
    EXPECT_TRUE(IsRemapLimitReached(*config));
}

TEST(RemapLimit, TheProcessWideVariantReadsWorkingConfig) {
    auto saved = std::make_unique<SharedConfig>(WorkingConfig);
    auto config = DefaultConfig();
    WorkingConfig = *config;
    EXPECT_FALSE(IsRemapLimitReached());
    for (int p = 0; p < 32; ++p) WorkingConfig.profiles[p % 4].standardKey[p] ^= 0x01;
    EXPECT_TRUE(IsRemapLimitReached());
    WorkingConfig = *saved;
}
