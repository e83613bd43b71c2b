#include <gtest/gtest.h>

#include "macros_test_doubles.h"

using namespace tavrel;
using namespace tavrel::testing;

namespace {

constexpr uint8_t kA = 0x04, kB = 0x05, kC = 0x06;

std::vector<MacroEvent> EventsOf(const MacroRecord& r) {
    return std::vector<MacroEvent>(r.Events, r.Events + r.iEventCount);
}

struct Editing : EditorFixture {
    explicit Editing(std::vector<MacroEvent> events) : record(library.Add(u"M", events)) { Open(); }
    // The event list's row index holding the first row of event e.
    SelectedRow RowOf(int e, bool pause = false) const {
        const auto& rows = editor.EventRows();
        for (size_t i = 0; i < rows.size(); ++i) {
            if (RowEvent(rows[i].data) == e && IsPauseRow(rows[i].data) == pause) return {static_cast<int>(i), rows[i].data};
        }
        ADD_FAILURE() << "no row for event " << e;
        return {};
    }
    MacroRecord& record;
};

const std::vector<MacroEvent> kFour = {Press(kA), Release(kA), Press(kB), Release(kB)};

}  // namespace

TEST(MacroEventMenu, InsertPauseGivesTheEventInFrontAOneMillisecondPauseOnce) {
    Editing m(kFour);
    m.editor.OnEventMenuCommand(kCmdInsertPause, m.RowOf(3));
    EXPECT_EQ(m.record.Events[2].wDelay, 1);
    ASSERT_EQ(m.editor.EventRows().size(), 5u);
    EXPECT_EQ(m.editor.EventRows()[3], (EventRow{u"1 ms", RowData(2, 140)}));
    const auto rowsBefore = m.editor.EventRows();
    m.editor.OnEventMenuCommand(kCmdInsertPause, m.RowOf(3));
    EXPECT_EQ(m.editor.EventRows(), rowsBefore);
}

TEST(MacroEventMenu, InsertPauseNeedsAKeyRowAfterTheFirstEvent) {
    Editing m({Press(kA, 40), Release(kA), Press(kB)});
    const auto before = EventsOf(m.record);
    m.editor.OnEventMenuCommand(kCmdInsertPause, m.RowOf(0));
    m.editor.OnEventMenuCommand(kCmdInsertPause, m.RowOf(0, true));
    m.editor.OnEventMenuCommand(kCmdInsertPause, m.RowOf(1));  // event 0 already has a pause
    m.editor.OnEventMenuCommand(kCmdInsertPause, std::nullopt);
    EXPECT_EQ(EventsOf(m.record), before);
}

TEST(MacroEventMenu, DeleteRemovesAPauseOrAnEvent) {
    Editing m({Press(kA, 250), Release(kA), Press(kB), Release(kB)});
    m.editor.OnEventMenuCommand(kCmdDeleteEvent, m.RowOf(0, true));
    EXPECT_EQ(EventsOf(m.record), (std::vector<MacroEvent>{Press(kA), Release(kA), Press(kB), Release(kB)}));
    m.editor.OnEventMenuCommand(kCmdDeleteEvent, m.RowOf(1));
    EXPECT_EQ(EventsOf(m.record), (std::vector<MacroEvent>{Press(kA), Press(kB), Release(kB)}));
    EXPECT_EQ(m.record.Events[3], MacroEvent{}) << "the freed entry is cleared";
    m.editor.OnEventMenuCommand(kCmdDeleteEvent, std::nullopt);
    EXPECT_EQ(m.record.iEventCount, 3);
    m.editor.OnEventMenuCommand(kCmdDeleteEvent, m.RowOf(2));
    EXPECT_EQ(EventsOf(m.record), (std::vector<MacroEvent>{Press(kA), Press(kB)}));
}

TEST(MacroEventMenu, MouseCommandsInsertInFrontOfTheSelectedEvent) {
    struct Case {
        int command;
        std::optional<int> selectedEvent;
        std::vector<MacroEvent> expected;
    } cases[] = {
        {1025, 0, {Press(0xF1), Release(0xF1), Press(kA), Release(kA)}},  // click of button 2
        {1020, 1, {Press(kA), Press(0xF0), Release(kA)}},
        {1033, std::nullopt, {Press(kA), Release(kA), Release(0xF4)}},
        {1028, 1, {Press(kA), Press(0xF2), Release(0xF2), Release(kA)}},
    };
    for (const Case& c : cases) {
        Editing m({Press(kA), Release(kA)});
        std::optional<SelectedRow> sel;
        if (c.selectedEvent) sel = m.RowOf(*c.selectedEvent);
        m.editor.OnEventMenuCommand(c.command, sel);
        EXPECT_EQ(EventsOf(m.record), c.expected) << c.command;
    }
}

TEST(MacroEventMenu, AClickNeedsRoomForTwoEventsAPressForOne) {
    Editing m(std::vector<MacroEvent>(49, Press(kC)));
    m.editor.OnEventMenuCommand(1022, std::nullopt);
    EXPECT_EQ(m.record.iEventCount, 49);
    m.editor.OnEventMenuCommand(1020, std::nullopt);
    EXPECT_EQ(m.record.iEventCount, 50);
    EXPECT_EQ(m.record.Events[49], Press(0xF0));
    m.editor.OnEventMenuCommand(1021, std::nullopt);
    EXPECT_EQ(m.record.iEventCount, 50);
}

TEST(MacroEventMenu, EditingAPauseKeepsItBetween1And65535) {
    struct Case {
        std::u16string typed;
        int stored;
    } cases[] = {{u"70000", 65535}, {u"0", 1}, {u"abc", 1}, {u" 320", 320}, {u"65535", 65535}, {u"999999999999999999999", 65535}};
    for (const Case& c : cases) {
        Editing m({Press(kA), Release(kA, 250), Press(kB)});
        const SelectedRow pause = m.RowOf(1, true);
        ASSERT_TRUE(m.editor.OnEventMenuCommand(kCmdEditPause, pause));
        const EventRow row = m.editor.OnPauseEditDone(pause.index, c.typed);
        EXPECT_EQ(m.record.Events[1].wDelay, c.stored) << Utf16ToUtf8(c.typed);
        EXPECT_EQ(row, (EventRow{PauseText(c.stored), RowData(1, 140)}));
        EXPECT_EQ(m.editor.EventRows()[static_cast<size_t>(pause.index)], row);
    }
}

TEST(MacroEventMenu, EditPauseOpensTheEditorOnlyOnAPauseRow) {
    Editing m({Press(kA, 10), Release(kA)});
    EXPECT_FALSE(m.editor.OnEventMenuCommand(kCmdEditPause, m.RowOf(0)));
    EXPECT_FALSE(m.editor.OnEventMenuCommand(kCmdEditPause, std::nullopt));
    EXPECT_TRUE(m.editor.OnEventMenuCommand(kCmdEditPause, m.RowOf(0, true)));
    EXPECT_EQ(m.record.Events[0].wDelay, 10);
}

TEST(MacroEventMenu, OtherCommandsAndAnEmptyLibraryChangeNothing) {
    Editing m(kFour);
    for (int command = 1006; command <= 1019; ++command) m.editor.OnEventMenuCommand(command, m.RowOf(2));
    EXPECT_EQ(EventsOf(m.record), kFour);

    EditorFixture empty;
    empty.Open();
    EXPECT_FALSE(empty.editor.OffersEventMenu());
    for (int command : {1001, 1002, 1003, 1004, 1005, 1020, 1022, 1034}) {
        EXPECT_FALSE(empty.editor.OnEventMenuCommand(command, std::nullopt));
    }
    EXPECT_FALSE(empty.editor.Recording());
    EXPECT_EQ(empty.editor.EventCount(), 0);
    EXPECT_EQ(empty.library.Count(), 0);
}

TEST(MacroEventMenu, TheMenuOffersSixItemsAndFiveMouseButtons) {
    LangTable strings;
    for (int n = 900; n <= 925; ++n) strings.Append(FormatInt(n));
    const auto menu = MacroEditor::EventMenu(strings);
    ASSERT_EQ(menu.size(), 6u);
    const int commands[] = {1001, 1002, 1003, 0, 1004, 1005};
    const char16_t* texts[] = {u"912", u"913", u"914", u"917", u"915", u"916"};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(menu[i].command, commands[i]);
        EXPECT_EQ(menu[i].text, texts[i]);
        EXPECT_EQ(menu[i].mark, -1);
    }
    const auto& mouse = menu[3];
    ASSERT_TRUE(mouse.isSubmenu);
    ASSERT_EQ(mouse.submenu.size(), 6u);
    EXPECT_TRUE(mouse.submenu[5].IsSeparator());
    for (int n = 0; n < 5; ++n) {
        const auto& button = mouse.submenu[static_cast<size_t>(n)];
        EXPECT_EQ(button.text, FormatInt(918 + n));
        ASSERT_EQ(button.submenu.size(), 3u);
        for (int m = 0; m < 3; ++m) {
            EXPECT_EQ(button.submenu[static_cast<size_t>(m)].command, 1020 + 3 * n + m);
            EXPECT_EQ(button.submenu[static_cast<size_t>(m)].text, FormatInt(923 + m));
        }
    }
}
