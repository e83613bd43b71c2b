#include <gtest/gtest.h>

#include "macros/event_rows.h"
#include "macros/macro_names.h"
#include "macros_test_doubles.h"

using namespace tavrel;
using namespace tavrel::testing;

namespace {

constexpr uint8_t kA = 0x04, kB = 0x05;

MacroKeyInfo MacroKey(std::u16string_view name) {
    MacroKeyInfo slot{};
    slot.byType = 3;
    CopyToArray(slot.szText, name);
    return slot;
}

}  // namespace

// ---- Event rows and caret

TEST(MacroEventRows, EachEventGivesItsRowAndAPauseRowWhenItHasAPause) {
    const MacroEvent events[] = {Press(kA, 250), Release(kA), Press(0xF2), Release(0xF4, 7), Press(0x77), Press(0x58)};
    int caret = -1;
    const auto rows = BuildEventRows(events, 6, UsKeyboardLayout(), 3, &caret);
    const std::vector<EventRow> expected = {
        {u"A", RowData(0, 138)},          {u"250 ms", RowData(0, 140)},
        {u"A", RowData(1, 139)},          {u"M-Button Down", RowData(2, 143)},
        {u"Button 5 Up", RowData(3, 143)}, {u"7 ms", RowData(3, 140)},
        {u"", RowData(4, 138)},  // a code without a key name still has its row
        {u"Num Enter", RowData(5, 138)},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(caret, 5) << "the caret event's last row is its pause row";
    EXPECT_EQ(RowEvent(rows[1].data), 0);
    EXPECT_TRUE(IsPauseRow(rows[5].data));
}

TEST(MacroEventRows, CaretRowFollowsTheRequestAndKeepsTwoRowsBelowInView) {
    struct Case {
        int requested, rows, expected;
    } cases[] = {
        {10, 20, 12}, {-1, 20, 19}, {25, 20, 19}, {19, 20, 19}, {3, 20, 3}, {4, 20, 6},
        {16, 20, 18}, {17, 20, 17}, {0, 1, 0},    {-1, 0, -1},  {5, 6, 5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CaretRowAfterRefresh(c.requested, c.rows), c.expected) << c.requested << " of " << c.rows;
    }
}

TEST(MacroEditor, LoadingPutsTheCaretOnTheLastEventsRow) {
    EditorFixture f;
    std::vector<MacroEvent> events;
    for (int i = 0; i < 10; ++i) {
        events.push_back(Press(kA));
        events.push_back(Release(kA));
    }
    f.library.Add(u"Twenty", events);
    f.Open();
    ASSERT_EQ(f.editor.EventRows().size(), 20u);
    EXPECT_EQ(f.editor.CaretRow(), 19);
}

TEST(MacroEditor, TheCaretMovesToRow12Of20WhenItsEventIsOnRow10) {
    EditorFixture f;
    std::vector<MacroEvent> events(19, Press(kA));
    f.library.Add(u"Nineteen", events);
    f.Open();
    // A mouse press inserted in front of event 10 becomes event 10, on row 10 of 20.
    f.editor.OnEventMenuCommand(kCmdMouseFirst, SelectedRow{10, RowData(10, 138)});
    ASSERT_EQ(f.editor.EventRows().size(), 20u);
    ASSERT_EQ(f.editor.EventRows()[10].text, u"L-Button Down");
    EXPECT_EQ(f.editor.CaretRow(), 12);
    // Near either end of the list the caret stays on the event's own row.
    f.editor.OnEventMenuCommand(kCmdMouseFirst, SelectedRow{1, RowData(1, 138)});
    EXPECT_EQ(f.editor.CaretRow(), 1);
    f.editor.OnEventMenuCommand(kCmdMouseFirst, SelectedRow{19, RowData(19, 138)});
    EXPECT_EQ(f.editor.CaretRow(), 19) << "row 19 of 22 lies within three rows of the end";
}

// ---- Opening, loading and the repeat count

TEST(MacroEditor, AnEmptyLibraryLeavesNoMacroAndACountOfOne) {
    EditorFixture f;
    f.Open();
    EXPECT_FALSE(f.editor.HasRecord());
    EXPECT_EQ(f.editor.CurMacro(), -1);
    EXPECT_TRUE(f.editor.EventRows().empty());
    EXPECT_EQ(f.editor.RepeatBoxText(), u"1");
    EXPECT_FALSE(f.editor.RepeatOn());
}

TEST(MacroEditor, OpeningFromAKeyPreselectsTheMacroItPlays) {
    struct Case {
        std::vector<std::u16string> names;
        std::u16string keyName;
        int expected;
    } cases[] = {
        {{u"Walk", u"Jump", u"Run"}, u"Jump", 1},
        {{u"Walk", u"Jump", u"Run"}, u"jUMP", 1},
        // The key plays Jump: its own row, not a later row that merely begins with it.
        {{u"Jump", u"Jumper"}, u"Jump", 0},
        {{u"Jumper", u"Jump"}, u"Jump", 1},
        // A key holds 19 characters of a longer name: the row that begins with them.
        {{u"Walk", u"A macro name that is long"}, u"A macro name that i", 1},
        {{u"Walk", u"Run"}, u"Fly", 0},
        {{u"Walk", u"Run"}, u"", 0},
    };
    for (const Case& c : cases) {
        EditorFixture f;
        for (const auto& n : c.names) f.library.Add(n);
        f.Open(MacroKey(c.keyName));
        EXPECT_EQ(f.editor.CurMacro(), c.expected) << Utf16ToUtf8(c.keyName);
    }
    EditorFixture f;
    f.library.Add(u"Walk");
    f.library.Add(u"Jump");
    MacroKeyInfo notAMacro = MacroKey(u"Jump");
    notAMacro.byType = 2;
    f.Open(notAMacro);
    EXPECT_EQ(f.editor.CurMacro(), 0);
}

TEST(MacroEditor, ShowingAMacroSetsItsRepeatValueAndTheSwitch) {
    struct Case {
        int stored, shownCount, storedAfter;
        bool switchOn;
    } cases[] = {
        {0, 1, 1, false}, {1, 1, 1, false}, {5, 5, 5, true}, {255, 255, 255, true}, {-7, 1, 1, false}, {900, 255, 255, true},
    };
    for (const Case& c : cases) {
        EditorFixture f;
        MacroRecord& r = f.library.Add(u"M", {}, c.stored);
        f.Open();
        EXPECT_EQ(f.editor.RepeatBoxText(), FormatInt(c.shownCount)) << c.stored;
        EXPECT_EQ(f.editor.RepeatOn(), c.switchOn) << c.stored;
        EXPECT_EQ(r.iRepeat, c.storedAfter) << c.stored;
    }
}

TEST(MacroEditor, TheRepeatBoxKeepsItsValueBetween1And255) {
    struct Case {
        std::u16string typed;
        int value;
        bool rewritten;
    } cases[] = {
        {u"300", 255, true}, {u"256", 255, true}, {u"255", 255, false}, {u"0", 1, true},
        {u"abc", 1, true},   {u"", 1, true},      {u"  42", 42, false}, {u"7x", 7, false},
        {u"-5", 1, true},    {u"99999999999999999999999", 255, true},
    };
    for (const Case& c : cases) {
        EditorFixture f;
        MacroRecord& r = f.library.Add(u"M", {}, 3);
        f.Open();
        const auto rewrite = f.editor.OnRepeatText(c.typed);
        EXPECT_EQ(f.editor.RepeatCount(), c.value) << Utf16ToUtf8(c.typed);
        EXPECT_EQ(rewrite.has_value(), c.rewritten) << Utf16ToUtf8(c.typed);
        if (rewrite) {
            EXPECT_EQ(*rewrite, FormatInt(c.value));
        }
        EXPECT_EQ(r.iRepeat, c.value) << "the switch is on, so the count is stored";
    }
}

TEST(MacroEditor, TheRepeatSwitchChoosesBetweenPlayingOnceAndTheCount) {
    EditorFixture f;
    MacroRecord& r = f.library.Add(u"M");
    f.Open();
    ASSERT_FALSE(f.editor.RepeatOn());
    f.editor.OnRepeatText(u"12");
    EXPECT_EQ(r.iRepeat, 1) << "switch off: plays once";
    f.editor.OnRepeatSwitch();
    EXPECT_TRUE(f.editor.RepeatOn());
    EXPECT_EQ(r.iRepeat, 12);
    f.editor.OnRepeatText(u"20");
    EXPECT_EQ(r.iRepeat, 20);
    f.editor.OnRepeatSwitch();
    EXPECT_EQ(r.iRepeat, 1);
    EXPECT_EQ(f.editor.RepeatCount(), 20) << "the box keeps the count";
}

// ---- New and Delete

TEST(MacroEditor, ANewNameIsRefusedWhenItEqualsAnotherIgnoringCaseAndBlanks) {
    struct Case {
        std::u16string typed;
        bool created;
    } cases[] = {
        {u"Run", true}, {u"jump", false}, {u"  JUMP ", false}, {u"Walk", false},
        {u"   ", false}, {u"\t", false},  {u"Jumper", true},
    };
    for (const Case& c : cases) {
        EditorFixture f;
        f.library.Add(u"Jump");
        f.library.Add(u" walk ");  // a name from the file, with blanks around it
        f.Open();
        EXPECT_EQ(f.editor.OnNewMacroNamed(c.typed), c.created) << Utf16ToUtf8(c.typed);
        EXPECT_EQ(f.library.Count(), c.created ? 3 : 2);
        EXPECT_EQ(f.editor.MacroRows().size(), f.library.records.size());
        EXPECT_EQ(f.editor.CurMacro(), c.created ? 2 : 0);
    }
}

TEST(MacroEditor, ANewMacroIsStoredTrimmedAndBecomesTheCurrentMacro) {
    EditorFixture f;
    f.library.Add(u"Jump", {Press(kA), Release(kA)});
    f.Open();
    ASSERT_TRUE(f.editor.OnNewMacroNamed(u" Dash "));
    EXPECT_EQ(ArrayText(f.library.records[1]->szName), u"Dash");
    EXPECT_EQ(f.editor.MacroRows().back(), u" Dash ") << "the row keeps the text as typed";
    EXPECT_EQ(f.editor.CurMacro(), 1);
    EXPECT_TRUE(f.editor.HasRecord());
    EXPECT_TRUE(f.editor.EventRows().empty());
    EXPECT_EQ(f.library.records[1]->iRepeat, 1) << "shown, so its count is set";
}

TEST(MacroEditor, NewIsOfferedBelow99Macros) {
    EditorFixture f;
    for (int i = 0; i < 98; ++i) f.library.Add(FormatInt(i));
    f.Open();
    EXPECT_TRUE(f.editor.CanAddMacro());
    ASSERT_TRUE(f.editor.OnNewMacroNamed(u"last"));
    EXPECT_FALSE(f.editor.CanAddMacro());
}

TEST(MacroEditor, TheDeleteButtonRefusesAMacroThatAMacroKeyHolds) {
    EditorFixture f;
    f.library.Add(u"Jump");
    f.library.Add(u"Run");
    f.Open();
    SharedConfig config{};
    CopyToArray(config.profiles[2].MacroKeyInfo[5].szText, u"Jump");
    EXPECT_FALSE(f.editor.MayDeleteMacro(0, config));
    EXPECT_TRUE(f.editor.MayDeleteMacro(1, config));
    EXPECT_TRUE(f.editor.MayDeleteMacroByKey(0)) << "the Delete key asks all the same";
    EXPECT_FALSE(f.editor.MayDeleteMacro(-1, config));
    EXPECT_FALSE(f.editor.MayDeleteMacro(2, config));

    // The row keeps " Dash " as typed; the key holds the stored, trimmed name.
    ASSERT_TRUE(f.editor.OnNewMacroNamed(u" Dash "));
    EXPECT_TRUE(f.editor.MayDeleteMacro(2, config));
    CopyToArray(config.profiles[0].MacroKeyInfo[0].szText, u"Dash");
    EXPECT_FALSE(f.editor.MayDeleteMacro(2, config));
}

TEST(MacroEditor, DeletingShowsTheNextMacroAndTheLastOneLeavesNothing) {
    EditorFixture f;
    f.library.Add(u"A", {Press(kA)});
    f.library.Add(u"B", {Press(kB), Release(kB)}, 4);
    f.Open();
    f.editor.DeleteMacro(0);
    ASSERT_EQ(f.library.Count(), 1);
    EXPECT_EQ(f.editor.CurMacro(), 0);
    EXPECT_EQ(f.editor.EventCount(), 2);
    EXPECT_EQ(f.editor.RepeatBoxText(), u"4");
    f.editor.DeleteMacro(0);
    EXPECT_EQ(f.library.Count(), 0);
    EXPECT_EQ(f.editor.CurMacro(), -1);
    EXPECT_FALSE(f.editor.HasRecord());
    EXPECT_TRUE(f.editor.EventRows().empty());
    EXPECT_EQ(f.editor.RepeatBoxText(), u"1");
    EXPECT_TRUE(f.editor.MacroRows().empty());
}

TEST(MacroEditor, DeletingTheLastRowSelectsTheRowBeforeIt) {
    EditorFixture f;
    f.library.Add(u"A");
    f.library.Add(u"B");
    f.library.Add(u"C", {Press(kA)});
    f.Open();
    f.editor.OnMacroSelected(2);
    f.editor.DeleteMacro(1);
    EXPECT_EQ(f.editor.CurMacro(), 1);
    EXPECT_EQ(f.editor.EventCount(), 1) << "C moved up into row 1";
}

TEST(MacroNames, IsMacroInUseLooksAtTheSixMacroKeysOfEveryProfile) {
    SharedConfig config{};
    CopyToArray(config.profiles[3].MacroKeyInfo[0].szText, u"Jump");
    CopyToArray(config.profiles[0].MacroKeyInfo[6].szText, u"Run");
    CopyToArray(config.profiles[1].MacroKeyInfo[1].szText, u"A macro name that i");
    EXPECT_TRUE(IsMacroInUse(config, u"Jump"));
    EXPECT_FALSE(IsMacroInUse(config, u"jump")) << "letter case counts";
    EXPECT_FALSE(IsMacroInUse(config, u"Run")) << "slot 6 is not a macro key";
    EXPECT_FALSE(IsMacroInUse(config, u"")) << "keys that are no macro hold no name";
    EXPECT_TRUE(IsMacroInUse(config, u"A macro name that is long")) << "a key holds 19 characters of it";
}
