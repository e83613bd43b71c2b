#include <gtest/gtest.h>

#include "macros_test_doubles.h"

using namespace tavrel;
using namespace tavrel::testing;

namespace {

constexpr uint32_t kVkA = 0x41, kVkB = 0x42, kVkShift = 0xA0, kVkEnter = 0x0D;
constexpr uint32_t kDown = 0x00, kUp = 0x80, kExtended = 0x01;
constexpr uint8_t kA = 0x04, kB = 0x05;

std::vector<MacroEvent> EventsOf(const MacroRecord& r) {
    return std::vector<MacroEvent>(r.Events, r.Events + r.iEventCount);
}

struct Recorder : EditorFixture {
    explicit Recorder(std::vector<MacroEvent> events = {}) : record(library.Add(u"M", events)) { Open(); }
    void Key(uint32_t vk, uint32_t flags, uint32_t afterMs = 0) {
        ticks.now += afterMs;
        editor.OnCapturedKey(vk, flags);
    }
    void Stroke(uint32_t vk, uint32_t afterMs = 0) {
        Key(vk, kDown, afterMs);
        Key(vk, kUp, afterMs);
    }
    MacroRecord& record;
};

}  // namespace

TEST(MacroRecorder, AHeldKeyGivesOnePressAndOneRelease) {
    Recorder r;
    r.editor.OnRecordButton();
    for (int i = 0; i < 30; ++i) r.Key(kVkA, kDown, 33);  // a second of auto-repeat
    r.Key(kVkA, kUp, 33);
    r.editor.OnRecordButton();
    EXPECT_EQ(EventsOf(r.record), (std::vector<MacroEvent>{Press(kA), Release(kA)}));
    EXPECT_EQ(r.host.hooksInstalled, 1);
    EXPECT_EQ(r.host.hooksRemoved, 1);
}

TEST(MacroRecorder, ThePauseSwitchStoresTheMeasuredIntervalsUpTo65535) {
    Recorder r;
    r.editor.OnPauseSwitch();
    r.editor.OnRecordButton();
    r.Key(kVkA, kDown, 5);
    r.Key(kVkA, kUp, 120);
    r.Key(kVkB, kDown, 70000);
    r.Key(kVkB, kUp, 95);
    r.editor.OnRecordButton();
    EXPECT_EQ(EventsOf(r.record),
              (std::vector<MacroEvent>{Press(kA, 120), Release(kA, 65535), Press(kB, 95), Release(kB, 0)}));
}

TEST(MacroRecorder, WithoutThePauseSwitchNoEventGetsAPause) {
    Recorder r;
    r.editor.OnRecordButton();
    r.Stroke(kVkA, 300);
    r.Stroke(kVkB, 300);
    r.editor.OnRecordButton();
    ASSERT_EQ(r.record.iEventCount, 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(r.record.Events[i].wDelay, 0);
}

TEST(MacroRecorder, APauseSurvivesTheTickCountWrappingAround) {
    Recorder r;
    r.editor.OnPauseSwitch();
    r.ticks.now = 0xFFFFFF00u;
    r.editor.OnRecordButton();
    r.Key(kVkA, kDown);
    r.ticks.now = 0x100;
    r.Key(kVkA, kUp);
    r.editor.OnRecordButton();
    EXPECT_EQ(r.record.Events[0].wDelay, 512);
}

TEST(MacroRecorder, ModifiersAreKeysInTypedOrder) {
    Recorder r;
    r.editor.OnRecordButton();
    r.Key(kVkShift, kDown);
    r.Key(kVkA, kDown);
    r.Key(kVkA, kUp);
    r.Key(kVkShift, kUp);
    r.editor.OnRecordButton();
    EXPECT_EQ(EventsOf(r.record), (std::vector<MacroEvent>{Press(0xE1), Press(kA), Release(kA), Release(0xE1)}));
}

TEST(MacroRecorder, TheKeypadEnterKeepsItsOwnCode) {
    Recorder r;
    r.editor.OnRecordButton();
    r.Key(kVkEnter, kDown | kExtended);
    r.Key(kVkEnter, kUp | kExtended);
    r.Key(kVkEnter, kDown);
    r.Key(kVkEnter, kUp);
    r.Key(0x7C, kDown);  // F13: no device code
    r.editor.OnRecordButton();
    EXPECT_EQ(EventsOf(r.record),
              (std::vector<MacroEvent>{Press(0x58), Release(0x58), Press(0x28), Release(0x28), Press(0)}));
}

TEST(MacroRecorder, RecordAfterIntoA48EventMacroTakesOneKeystrokeAndStops) {
    Recorder r(std::vector<MacroEvent>(48, Press(kB)));
    r.editor.OnEventMenuCommand(kCmdRecordAfter, std::nullopt);
    ASSERT_TRUE(r.editor.Recording());
    r.Key(kVkA, kDown);
    EXPECT_TRUE(r.editor.Recording());
    r.Key(kVkA, kUp);
    EXPECT_FALSE(r.editor.Recording());
    EXPECT_EQ(r.host.hooksRemoved, 1);
    EXPECT_EQ(r.host.eventListFocused, 1);
    r.Stroke(kVkB);  // reports that were still queued
    ASSERT_EQ(r.record.iEventCount, 50);
    EXPECT_EQ(r.record.Events[48], Press(kA));
    EXPECT_EQ(r.record.Events[49], Release(kA));
    EXPECT_EQ(r.editor.EventRows().size(), 50u);
}

TEST(MacroRecorder, RecordBeforeTheFirstEventInsertsInTypedOrderWithPauses) {
    Recorder r({Press(kB), Release(kB), Press(kB), Release(kB)});
    r.editor.OnPauseSwitch();
    r.editor.OnEventMenuCommand(kCmdRecordBefore, SelectedRow{0, RowData(0, 138)});
    r.Key(kVkA, kDown, 10);
    r.Key(kVkA, kUp, 40);
    r.Key(kVkShift, kDown, 50);
    r.Key(kVkShift, kUp, 60);
    r.editor.OnRecordButton();
    EXPECT_EQ(EventsOf(r.record),
              (std::vector<MacroEvent>{Press(kA, 40), Release(kA, 50), Press(0xE1, 60), Release(0xE1), Press(kB),
                                       Release(kB), Press(kB), Release(kB)}));
}

TEST(MacroRecorder, RecordAfterAPauseRowGoesBehindThatPause) {
    Recorder r({Press(kB, 300), Release(kB)});
    r.editor.OnEventMenuCommand(kCmdRecordAfter, SelectedRow{1, RowData(0, 140)});
    r.Stroke(kVkA);
    r.editor.OnRecordButton();
    EXPECT_EQ(EventsOf(r.record),
              (std::vector<MacroEvent>{Press(kB, 300), Press(kA), Release(kA), Release(kB)}));
}

TEST(MacroRecorder, RecordAfterTheLastEventAppendsLikeNoSelection) {
    for (const std::optional<SelectedRow>& selected : {std::optional<SelectedRow>(SelectedRow{1, RowData(1, 139)}),
                                                        std::optional<SelectedRow>()}) {
        Recorder r({Press(kB), Release(kB)});
        r.editor.OnEventMenuCommand(kCmdRecordAfter, selected);
        r.Stroke(kVkA);
        r.editor.OnRecordButton();
        EXPECT_EQ(EventsOf(r.record), (std::vector<MacroEvent>{Press(kB), Release(kB), Press(kA), Release(kA)}));
    }
}

TEST(MacroRecorder, AFullMacroEndingWithAPressIgnoresTheSamePressNextTime) {
    Recorder r(std::vector<MacroEvent>(49, Press(kB)));
    r.editor.OnEventMenuCommand(kCmdRecordAfter, std::nullopt);
    r.Key(kVkA, kDown);
    ASSERT_FALSE(r.editor.Recording());
    r.editor.OnRecordButton();  // start anew: the events are replaced
    r.Key(kVkA, kDown);
    r.Key(kVkA, kUp);
    r.editor.OnRecordButton();
    EXPECT_EQ(EventsOf(r.record), (std::vector<MacroEvent>{Release(kA)}));
}

TEST(MacroRecorder, TheFirstEventNeverTakesAPauseFromAnEarlierRecording) {
    Recorder r({Press(kB, 0)});
    r.editor.OnPauseSwitch();
    r.editor.OnEventMenuCommand(kCmdRecordAfter, std::nullopt);
    r.Key(kVkA, kDown, 500);
    r.editor.OnRecordButton();
    r.editor.OnEventMenuCommand(kCmdRecordAfter, std::nullopt);
    r.Key(kVkA, kUp, 800);
    r.editor.OnRecordButton();
    EXPECT_EQ(EventsOf(r.record), (std::vector<MacroEvent>{Press(kB), Press(kA), Release(kA)}));
}

TEST(MacroRecorder, TheRecordButtonReplacesTheEventsWhenTheRecordingStops) {
    Recorder r({Press(kB), Release(kB)});
    r.editor.OnRecordButton();
    EXPECT_TRUE(r.editor.EventRows().empty());
    EXPECT_EQ(r.record.iEventCount, 2) << "the library keeps the old events until the stop";
    r.Key(kVkA, kDown);
    r.editor.OnRecordButton();
    EXPECT_EQ(EventsOf(r.record), (std::vector<MacroEvent>{Press(kA)}));
    EXPECT_EQ(r.record.Events[1], MacroEvent{}) << "entries after the used ones are zero";
}

TEST(MacroRecorder, NothingRecordsWithoutAMacro) {
    EditorFixture f;
    f.Open();
    f.editor.OnRecordButton();
    EXPECT_FALSE(f.editor.Recording());
    EXPECT_EQ(f.host.hooksInstalled, 0);
    f.editor.OnCapturedKey(kVkA, kDown);
    EXPECT_EQ(f.editor.EventCount(), 0);
}

TEST(MacroRecorder, TheMacroListAndTheMenuAreLockedWhileRecording) {
    Recorder r({Press(kB)});
    r.library.Add(u"Other", {Press(kA), Release(kA)});
    r.editor.OnRecordButton();
    EXPECT_FALSE(r.editor.OffersEventMenu());
    r.editor.OnMacroSelected(1);
    EXPECT_EQ(r.editor.CurMacro(), 0);
    EXPECT_FALSE(r.editor.MayDeleteMacroByKey(0));
    r.editor.OnRecordButton();
    EXPECT_TRUE(r.editor.OffersEventMenu());
}
