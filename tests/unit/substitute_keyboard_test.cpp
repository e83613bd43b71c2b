// The substitute monitor's portable core: its command line, the flag summary and
// block comparison its log relies on, and the state its window shows.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "config/shared_config.h"
#include "config/text.h"
#include "monitor/monitor_protocol.h"
#include "substitute_monitor/substitute_keyboard.h"

namespace tavrel::substitute {
namespace {

// Strings 1100..1113 with the effect names the shipped language library has.
LangTable LightStrings() {
    LangTable table;
    for (int s = 1100; s <= 1113; ++s) {
        table.Append(s == 1105 ? u"Off" : s == 1106 ? u"Static" : s == 1107 ? u"Breathing" : s == 1108 ? u"Spectrum"
                     : s == 1112 ? u"Wave" : u"");
    }
    return table;
}

std::unique_ptr<SharedConfig> DefaultBlock() {
    auto block = std::make_unique<SharedConfig>();
    std::memset(block.get(), 0, sizeof(SharedConfig));
    SetDefaultProfiles(*block);
    block->KeyboardPlugIn = 1;
    return block;
}

TEST(SubstituteOptions, ParsesStartSettingsAndRequestsInOrder) {
    std::string error;
    auto options = ParseOptions({u"--log", u"C:\\t\\mon.log", u"--apply-delay", u"25", u"--unplugged",
                                 u"--never-answer", u"--seed-profile", u"7", u"--seed-flags", u"--seed-name",
                                 u"Night", u"--report-profile", u"next", u"--report-effect", u"2", u"--hold-mutex",
                                 u"1500", u"--abandon-mutex", u"--no-section"},
                                error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->logPath, u"C:\\t\\mon.log");
    EXPECT_EQ(options->applyDelayMs, 25);
    EXPECT_TRUE(options->unplugged);
    EXPECT_TRUE(options->neverAnswer);
    EXPECT_TRUE(options->noSection);
    EXPECT_EQ(options->seedProfile, 7);
    EXPECT_TRUE(options->seedFlags);
    EXPECT_EQ(options->seedName, u"Night");
    ASSERT_EQ(options->requests.size(), 4u);
    EXPECT_EQ(options->requests[0].action, kReportProfile);
    EXPECT_EQ(options->requests[0].argument, kNext);
    EXPECT_EQ(options->requests[1].action, kReportEffect);
    EXPECT_EQ(options->requests[1].argument, 2);
    EXPECT_EQ(options->requests[2].action, kHoldMutex);
    EXPECT_EQ(options->requests[2].argument, 1500);
    EXPECT_EQ(options->requests[3].action, kAbandonMutex);
}

TEST(SubstituteOptions, DefaultsWithoutArguments) {
    std::string error;
    auto options = ParseOptions({}, error);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->applyDelayMs, kDefaultApplyDelayMs);
    EXPECT_FALSE(options->unplugged);
    EXPECT_TRUE(options->requests.empty());
}

TEST(SubstituteOptions, RejectsBadInput) {
    const std::vector<std::vector<std::u16string>> bad = {
        {u"--bogus"},
        {u"--log"},
        {u"--apply-delay", u"soon"},
        {u"--apply-delay", u"-5"},
        {u"--apply-delay", u"99999999"},
        {u"--report-profile", u"1x"},
        {u"--seed-profile", u"-"},
        {u"--hold-mutex", u"123456789012345"},
    };
    for (const auto& args : bad) {
        std::string error;
        EXPECT_FALSE(ParseOptions(args, error)) << Utf16ToUtf8(args[0]);
        EXPECT_FALSE(error.empty());
    }
}

TEST(SubstituteFlags, SummaryNamesEveryRaisedFlag) {
    auto block = DefaultBlock();
    EXPECT_EQ(SummarizeFlags(*block), "none");

    block->iProfileChanged = 1;
    block->iLightChanged[0] = 1;
    block->iLightChanged[2] = 1;
    block->iPerformanceChanged[3] = 1;
    block->iMacroKeyChanged[1][5] = 1;
    block->iProfileImported[1] = 1;
    block->KeyboardPlugIn = 0;  // not a flag
    EXPECT_EQ(SummarizeFlags(*block),
              "iProfileChanged iLightChanged=0,2 iPerformanceChanged=3 iProfileImported=1 iMacroKeyChanged=1.5");
}

TEST(SubstituteFlags, SummaryOfAResetListsEveryMarkedEntry) {
    auto block = DefaultBlock();
    MarkAllChanged(*block);
    std::string summary = SummarizeFlags(*block);
    EXPECT_NE(summary.find("iProfileChanged"), std::string::npos);
    EXPECT_NE(summary.find("iProfileReset=0,1,2,3,4"), std::string::npos);
    EXPECT_NE(summary.find("iStandardKeyChanged=0,1,2,3,4"), std::string::npos);
    EXPECT_NE(summary.find("iMacroKeyChanged=0.0,0.1"), std::string::npos);
    EXPECT_NE(summary.find("4.31"), std::string::npos);
    EXPECT_EQ(summary.find("iHDDKeyboardChanged"), std::string::npos);
}

TEST(SubstituteCompare, CountsChangedBytesByField) {
    auto before = DefaultBlock();
    auto after = std::make_unique<SharedConfig>(*before);
    EXPECT_EQ(CompareBlocks(*before, *after).bytes, 0u);
    EXPECT_EQ(JoinFields(CompareBlocks(*before, *after).fields), "none");

    CopyToArray(Profile(*after, 0).ProFileName, u"#9");  // one code unit: one byte differs
    Profile(*after, 2).iRGBGreen = 0x0101;                // two bytes
    Profile(*after, 3).MacroKeyInfo[4].byType = 3;
    after->iLightChanged[2] = 1;
    BlockChange change = CompareBlocks(*before, *after);
    EXPECT_EQ(change.bytes, 5u);
    EXPECT_EQ(JoinFields(change.fields),
              "profiles[0].ProFileName,profiles[2].iRGBGreen,profiles[3].MacroKeyInfo[4],iLightChanged");
}

TEST(SubstituteCompare, ListsAtMostTheRequestedNumberOfFields) {
    auto before = DefaultBlock();
    auto after = std::make_unique<SharedConfig>(*before);
    for (int k = 0; k < kProfileCount; ++k) {
        Profile(*after, k).LtSaving = 1;
        Profile(*after, k).LtTimeout = 1;
    }
    BlockChange change = CompareBlocks(*before, *after, 3);
    EXPECT_EQ(JoinFields(change.fields), "profiles[0].LtSaving,profiles[0].LtTimeout,profiles[1].LtSaving,+5");
}

TEST(SubstituteCompare, EveryByteOfTheBlockBelongsToAField) {
    auto before = std::make_unique<SharedConfig>();
    auto after = std::make_unique<SharedConfig>();
    std::memset(before.get(), 0, sizeof(SharedConfig));
    std::memset(after.get(), 0xFF, sizeof(SharedConfig));
    EXPECT_EQ(CompareBlocks(*before, *after).bytes, sizeof(SharedConfig));
}

TEST(SubstituteSlots, DescribesEachAssignmentKind) {
    MacroKeyInfo slot{};
    EXPECT_EQ(DescribeSlot(slot), "none");
    slot.byType = 2;
    slot.byFlags = 1 | 4;
    slot.wCode = 0x1E;
    EXPECT_EQ(DescribeSlot(slot), "Ctrl+Alt+1");
    slot = MacroKeyInfo{};
    slot.byType = 3;
    slot.wEventCount = 9999;  // a hostile count is shown bounded
    CopyToArray(slot.szText, u"Combo");
    EXPECT_EQ(DescribeSlot(slot), "macro \"Combo\" (50 events)");
    slot = MacroKeyInfo{};
    slot.byType = 7;
    slot.byFlags = 3;
    EXPECT_EQ(DescribeSlot(slot), "mouse button 3");
    slot = MacroKeyInfo{};
    slot.byType = 11;
    std::fill(std::begin(slot.szPath), std::end(slot.szPath), u'x');  // no terminator
    EXPECT_EQ(DescribeSlot(slot), "run \"" + std::string(kSlotPathChars, 'x') + "\"");
}

TEST(SubstituteSlots, LogsTheStoredFieldsWithTheUsedEventsOnly) {
    MacroKeyInfo slot{};
    slot.byType = 3;
    slot.byAction = 3;
    slot.iRepeat = 2;
    slot.wEventCount = 2;
    CopyToArray(slot.szText, u"Combo");
    slot.Events[0] = MacroEvent{0x04, 1, 0x02EE};
    slot.Events[1] = MacroEvent{0x04, 2, 0};
    slot.Events[2] = MacroEvent{0x05, 1, 7};  // beyond the count: not logged
    const std::vector<std::pair<std::string, std::string>> expected{
        {"type", "3"},           {"flags", "0"}, {"action", "3"},   {"code", "00"},
        {"name", "\"Combo\""}, {"count", "2"}, {"repeat", "2"}, {"events", "0401EE0204020000"}};
    EXPECT_EQ(SlotFields(slot), expected);

    slot.wEventCount = 60000;  // a hostile count reads no further than the 50 events
    const auto fields = SlotFields(slot);
    EXPECT_EQ(fields[5].second, "50");
    EXPECT_EQ(fields[7].second.size(), 50u * 8u);

    MacroKeyInfo shortcut{};
    shortcut.byType = 2;
    shortcut.byFlags = 3;
    shortcut.wCode = 0x0E;
    EXPECT_EQ(SlotFields(shortcut)[3].second, "0E");
    EXPECT_EQ(SlotFields(shortcut)[7].second, "");
}

TEST(SubstituteKeyboard, ApplyTakesTheBlockAndReportsWhatChanged) {
    Keyboard keyboard;
    auto block = std::make_unique<SharedConfig>(keyboard.Held());
    block->CurrentProfile = 2;
    block->iProfileChanged = 1;
    Profile(*block, 2).standardKey[0] = 0x04;
    Profile(*block, 2).standardKey[1] = 0x05;
    Profile(*block, 2).iRGBBlue = 300;
    BlockChange change = keyboard.Apply(*block, MONITOR_APPLY);
    EXPECT_EQ(JoinFields(change.fields), "CurrentProfile,profiles[2].iRGBBlue,profiles[2].standardKey,iProfileChanged");
    EXPECT_EQ(keyboard.ActiveProfile(), 2);
    EXPECT_EQ(keyboard.RemappedKeys(), 2);
    EXPECT_EQ(keyboard.SwatchColour(), (std::array<int, 3>{255, 0, 255}));
    auto lines = keyboard.ViewLines();
    EXPECT_EQ(lines[1], "Active profile: 3  \"#3\"");
    EXPECT_EQ(lines[12], "Last command: MONITOR_APPLY");
    EXPECT_EQ(lines[13], "Flags: iProfileChanged");
}

TEST(SubstituteKeyboard, AnOutOfRangeProfileFromTheProgramKeepsTheActiveOne) {
    Keyboard keyboard;
    ASSERT_TRUE(keyboard.SelectProfile(1));
    auto block = std::make_unique<SharedConfig>(keyboard.Held());
    block->CurrentProfile = 9;
    keyboard.Apply(*block, MONITOR_APPLY);
    EXPECT_EQ(keyboard.ActiveProfile(), 1);
    EXPECT_FALSE(keyboard.SelectProfile(4));
    EXPECT_FALSE(keyboard.SelectProfile(-1));
    EXPECT_EQ(keyboard.ActiveProfile(), 1);
}

TEST(SubstituteKeyboard, OwnKeysStepThroughProfilesAndEffects) {
    Keyboard keyboard;
    EXPECT_EQ(keyboard.NextProfile(), 1);
    keyboard.SelectProfile(3);
    EXPECT_EQ(keyboard.NextProfile(), 0);
    // Profile 3 starts with effect 5, which is code 2: the next code is 3.
    EXPECT_EQ(keyboard.NextEffectCode(), 3);
    auto block = std::make_unique<SharedConfig>(keyboard.Held());
    Profile(*block, 3).LtEffectType = 4;  // code 4: wraps to 1
    keyboard.Hold(*block);
    EXPECT_EQ(keyboard.NextEffectCode(), 1);
}

TEST(SubstituteKeyboard, ViewShowsTheSixMacroKeysAndTheFaults) {
    Keyboard keyboard;
    keyboard.plugged = false;
    keyboard.neverAnswer = true;
    auto lines = keyboard.ViewLines();
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[0], "Keyboard: UNPLUGGED");
    EXPECT_EQ(lines[4], "Polling rate: 500 Hz   Response time: 2 ms");
    EXPECT_EQ(lines[2], "Effect: (5)   Speed: 3 (1)");  // no language library: the number alone
    EXPECT_EQ(lines[6], "Macro key 1: Ctrl+1");
    EXPECT_EQ(lines[11], "Macro key 6: Ctrl+6");
    keyboard.lightStrings = LightStrings();
    EXPECT_EQ(keyboard.ViewLines()[2], "Effect: Wave (5)   Speed: 3 (1)");
    auto block = std::make_unique<SharedConfig>(keyboard.Held());
    Profile(*block, 1).iRGBGreen = 0xA0;
    Profile(*block, 2).iLtPulsation = 7;
    EXPECT_EQ(LightingOfProfiles(*block, keyboard.lightStrings),
              "Wave (5), speed 3 (1), colour FF0000|Static (2), colour FFA000|"
              "Breathing (3), speed (7), colour FF0000|Wave (5), speed 3 (1), colour FF0000");
    EXPECT_EQ(lines[14], "Answers: never (fault)   answered: 0");
}

TEST(SubstituteKeyboard, InitialBlockFollowsTheSeedOptions) {
    Options options;
    options.seedProfile = 7;
    options.seedFlags = true;
    options.seedName = u"Seeded";
    options.unplugged = true;
    auto block = std::make_unique<SharedConfig>();
    Keyboard::MakeInitialBlock(*block, options);
    EXPECT_EQ(block->CurrentProfile, 7);
    EXPECT_EQ(block->iProfileReset[2], 1);
    EXPECT_EQ(ArrayText(Profile(*block, 0).ProFileName), u"Seeded");
    EXPECT_EQ(block->KeyboardPlugIn, 0);
    Keyboard::MakeInitialBlock(*block, Options{});
    EXPECT_EQ(block->KeyboardPlugIn, 1);
    EXPECT_EQ(SummarizeFlags(*block), "none");
}

TEST(SubstituteLog, LinesAreKeyValueItemsWithQuotedTexts) {
    EXPECT_EQ(LogLine("apply", {{"mode", "MONITOR_APPLY"}, {"name", Quoted("a \"b\"\\c\nd")}}),
              "event=apply mode=MONITOR_APPLY name=\"a \\\"b\\\"\\\\c d\"");
    EXPECT_EQ(RequestName(MONITOR_APPLY_RESET), "MONITOR_APPLY_RESET");
    EXPECT_EQ(RequestName(5), "unknown-5");
    EXPECT_EQ(ReportName(MONITOR_EFFECT_CHANGED), "MONITOR_EFFECT_CHANGED");
}

}  // namespace
}  // namespace tavrel::substitute
