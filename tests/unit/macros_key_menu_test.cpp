#include <gtest/gtest.h>

#include <cstring>

#include "keys/fixed_keyboard_layouts.h"
#include "macros/macro_key_menu.h"
#include "macros/macro_names.h"
#include "macros_test_doubles.h"

using namespace tavrel;
using namespace tavrel::testing;

namespace {

LangTable PageStrings() {
    LangTable strings;
    for (int n = 500; n <= 526; ++n) strings.Append(FormatInt(n));
    return strings;
}

const MenuEntry& SubmenuA(const std::vector<MenuEntry>& menu) { return menu.at(0); }

}  // namespace

TEST(MacroKeyMenu, AnEmptyLibraryGivesOnlyTheManagerCommand) {
    VectorMacroStore library;
    const auto menu = BuildKeyMenu(MacroKeyInfo{}, library, false, PageStrings());
    const auto& a = SubmenuA(menu);
    EXPECT_EQ(a.text, u"501");
    ASSERT_EQ(a.submenu.size(), 1u);
    EXPECT_EQ(a.submenu[0].command, 1099);
    EXPECT_EQ(a.submenu[0].text, u"502");
}

TEST(MacroKeyMenu, TheTopMenuHoldsBAndCOnlyBelowTheRemapLimit) {
    VectorMacroStore library;
    const auto open = BuildKeyMenu(MacroKeyInfo{}, library, false, PageStrings());
    ASSERT_EQ(open.size(), 7u);
    EXPECT_EQ(open[1].text, u"503");
    EXPECT_EQ(open[1].itemWidth, 120);
    ASSERT_EQ(open[1].submenu.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(open[1].submenu[static_cast<size_t>(i)].command, 1013 + i);
        EXPECT_EQ(open[1].submenu[static_cast<size_t>(i)].text, FormatInt(504 + i));
    }
    EXPECT_EQ(open[2].text, u"512");
    const int cCommands[] = {1060, 1022, 1021, 1064, 1065, 1063, 1062, 1028, 1029, 1030};
    ASSERT_EQ(open[2].submenu.size(), 10u);
    for (size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(open[2].submenu[i].command, cCommands[i]);
        EXPECT_EQ(open[2].submenu[i].text, FormatInt(513 + static_cast<int>(i)));
    }
    EXPECT_TRUE(open[3].IsSeparator());
    EXPECT_EQ(open[4].command, 1001);
    EXPECT_EQ(open[5].command, 1002);
    EXPECT_EQ(open[6].command, 1040);
    EXPECT_EQ(open[6].text, u"525");

    const auto limited = BuildKeyMenu(MacroKeyInfo{}, library, true, PageStrings());
    ASSERT_EQ(limited.size(), 5u);
    EXPECT_EQ(limited[0].text, u"501");
    EXPECT_TRUE(limited[1].IsSeparator());
    EXPECT_EQ(limited[2].command, 1001);
}

TEST(MacroKeyMenu, TheMacroTheKeyPlaysIsMarked) {
    VectorMacroStore library;
    library.Add(u" Run ");
    library.Add(u"JUMP");
    library.Add(u"A macro name that is long");
    MacroKeyInfo slot{};
    slot.byType = 3;
    CopyToArray(slot.szText, u"jump");
    auto a = SubmenuA(BuildKeyMenu(slot, library, false, PageStrings())).submenu;
    ASSERT_EQ(a.size(), 5u);
    EXPECT_TRUE(a[1].IsSeparator());
    EXPECT_EQ(a[2].command, 1100);
    EXPECT_EQ(a[2].text, u"Run") << "shown trimmed";
    EXPECT_EQ(a[2].mark, 0);
    EXPECT_EQ(a[3].command, 1101);
    EXPECT_EQ(a[3].mark, 1);
    EXPECT_EQ(a[4].mark, 0);
    EXPECT_EQ(a[0].mark, -1);

    CopyToArray(slot.szText, u"Run");
    a = SubmenuA(BuildKeyMenu(slot, library, false, PageStrings())).submenu;
    EXPECT_EQ(a[2].mark, 0) << "the stored name is compared untrimmed";

    CopyToArray(slot.szText, u"A macro name that i");
    a = SubmenuA(BuildKeyMenu(slot, library, false, PageStrings())).submenu;
    EXPECT_EQ(a[4].mark, 1) << "a key holds 19 characters of a long name";

    slot.byType = 2;
    CopyToArray(slot.szText, u"JUMP");
    a = SubmenuA(BuildKeyMenu(slot, library, false, PageStrings())).submenu;
    for (const auto& item : a) EXPECT_NE(item.mark, 1);
}

TEST(MacroKeyMenu, EveryCommandStandsForItsChoiceCode) {
    const std::pair<int, int> table[] = {
        {1100, 3}, {1102, 3}, {1013, 24}, {1014, 25}, {1015, 26}, {1016, 27}, {1017, 28}, {1018, 29}, {1019, 30},
        {1020, 31}, {1060, 74}, {1022, 33}, {1021, 32}, {1064, 78}, {1065, 79}, {1063, 77}, {1062, 76},
        {1028, 39}, {1029, 40}, {1030, 41}, {1001, 48}, {1002, 2},  {1040, 1},
    };
    for (const auto& [command, choice] : table) EXPECT_EQ(ChoiceForCommand(command, 3), choice) << command;
    for (int command : {1099, 1103, 1000, 1023, 1061, 4000}) EXPECT_FALSE(ChoiceForCommand(command, 3)) << command;
}

TEST(MacroKeyMenu, AssigningAMacroCopiesItIntoTheSlot) {
    VectorMacroStore library;
    library.Add(u"Walk");
    MacroRecord& jump = library.Add(u"A macro name that is long", {Press(4, 30), Release(4)}, 7);
    jump.Events[2] = Press(9);  // beyond the count, copied all the same
    SharedConfig config{};
    config.CurrentProfile = 2;
    ASSERT_TRUE(AssignFromKeyMenu(config, 4, 1101, library, nullptr));
    const MacroKeyInfo& slot = config.profiles[2].MacroKeyInfo[4];
    EXPECT_EQ(slot.byType, 3);
    EXPECT_EQ(slot.byAction, 3);
    EXPECT_EQ(slot.wEventCount, 2);
    EXPECT_EQ(slot.iRepeat, 7);
    EXPECT_EQ(slot.iMacroIndex, 1);
    EXPECT_EQ(ArrayText(slot.szText), u"A macro name that i");
    EXPECT_EQ(std::memcmp(slot.Events, jump.Events, sizeof slot.Events), 0);
    EXPECT_EQ(config.iMacroKeyChanged[2][4], 1);
    EXPECT_EQ(config.iMacroKeyChanged[0][4], 0);
    EXPECT_TRUE(IsMacroInUse(config, u"A macro name that is long"));
}

TEST(MacroKeyMenu, AnotherChoiceAfterAMacroClearsItButKeepsRepeatAndIndex) {
    VectorMacroStore library;
    library.Add(u"Jump", {Press(4), Release(4)}, 5);
    SharedConfig config{};
    AssignFromKeyMenu(config, 0, 1100, library, nullptr);
    ASSERT_TRUE(AssignFromKeyMenu(config, 0, 1060, library, nullptr));
    const MacroKeyInfo& slot = config.profiles[0].MacroKeyInfo[0];
    EXPECT_EQ(slot.byAction, 74);
    EXPECT_EQ(slot.byType, 9);  // Alt+F4
    EXPECT_EQ(slot.byFlags, 4);
    EXPECT_EQ(slot.wCode, 0x3D);
    EXPECT_EQ(slot.wEventCount, 0);
    EXPECT_EQ(ArrayText(slot.szText), u"");
    EXPECT_EQ(slot.Events[0].byCode, 0);
    EXPECT_EQ(slot.iRepeat, 5);
    EXPECT_EQ(slot.iMacroIndex, 0);
}

TEST(MacroKeyMenu, TheShortcutDialogDecidesFlagsAndKey) {
    VectorMacroStore library;
    SharedConfig config{};
    MacroKeyInfo& slot = config.profiles[0].MacroKeyInfo[1];
    slot.byType = 2;
    slot.byFlags = 1;
    slot.wCode = 0x1E;  // Ctrl+1
    CopyToArray(slot.szText, u"left over");

    const MacroKeyInfo before = slot;
    EXPECT_FALSE(AssignFromKeyMenu(config, 1, 1002, library, nullptr));
    EXPECT_EQ(std::memcmp(&slot, &before, sizeof slot), 0) << "Cancel leaves the key as it was";
    EXPECT_EQ(config.iMacroKeyChanged[0][1], 0);

    ShortcutModel dialog(UsKeyboardLayout());
    dialog.LoadFromSlot(slot);
    dialog.OnCapturedKey(0x74, 0);  // F5
    dialog.OnToggleClicked(2, true);  // Shift as well
    ASSERT_TRUE(AssignFromKeyMenu(config, 1, 1002, library, &dialog));
    EXPECT_EQ(slot.wCode, 0x3E);
    EXPECT_EQ(slot.byFlags, 1 | 2);
    EXPECT_EQ(slot.byType, 2);
    EXPECT_EQ(slot.byAction, 2);
    EXPECT_EQ(ArrayText(slot.szText), u"");
    EXPECT_EQ(config.iMacroKeyChanged[0][1], 1);

    dialog.OnToggleClicked(0, true);  // no modifier overrides the toggles
    AssignFromKeyMenu(config, 1, 1002, library, &dialog);
    EXPECT_EQ(slot.byFlags, 0);
}

TEST(MacroKeyMenu, RestoringTheDefaultGivesCtrlAndTheKeysDigit) {
    VectorMacroStore library;
    SharedConfig config{};
    config.CurrentProfile = 1;
    ASSERT_TRUE(AssignFromKeyMenu(config, 5, 1001, library, nullptr));
    const MacroKeyInfo& slot = config.profiles[1].MacroKeyInfo[5];
    EXPECT_EQ(slot.byType, 2);
    EXPECT_EQ(slot.byFlags, 1);
    EXPECT_EQ(slot.wCode, 0x1E + 5);
    EXPECT_EQ(slot.byAction, 48);
}

TEST(MacroKeyMenu, CommandsTheMenuDoesNotProduceChangeNothing) {
    VectorMacroStore library;
    library.Add(u"Jump");
    SharedConfig config{};
    EXPECT_FALSE(AssignFromKeyMenu(config, 0, 1101, library, nullptr));
    EXPECT_FALSE(AssignFromKeyMenu(config, 0, 1099, library, nullptr));
    EXPECT_FALSE(AssignFromKeyMenu(config, 0, 2000, library, nullptr));
    EXPECT_EQ(config.iMacroKeyChanged[0][0], 0);
}
