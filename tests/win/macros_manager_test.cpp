#include "macros/win/dlg_macro_man.h"

#include <gtest/gtest.h>

#include "../unit/macros_test_doubles.h"
#include "keys/fixed_keyboard_layouts.h"
#include "keys/win/capture_hook.h"
#include "macros/macro_key_menu.h"
#include "skin/app_dir.h"
#include "window_test_support.h"

using namespace tavrel;
using namespace tavrel::test;
using tavrel::testing::Press;
using tavrel::testing::Release;
using tavrel::testing::VectorMacroStore;

namespace {

// The manager shown modeless over an in-memory library, driven by the messages its
// controls and the capture hook send.
class MacroManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_nLastVk = g_nLastFlags = g_dwLastTick = 0;
        MenuKeySlot = MacroKeyInfo{};
        library.Add(u"Jump", {Press(0x04, 250), Release(0x04)}, 3);
        library.Add(u"Run");
    }
    void Open() {
        dialog = std::make_unique<CDlgMacroMan>(library, UsKeyboardLayout(), config);
        ASSERT_TRUE(dialog->Create(nullptr));
        ShowWindow(dialog->Hwnd(), SW_SHOW);
        PumpPending();
    }
    void TearDown() override {
        if (dialog && dialog->Hwnd()) DestroyWindow(dialog->Hwnd());
        PumpPending();
    }
    void Click(int skinKey) {
        const HWND button = dialog->Button(skinKey);
        SendMessageW(dialog->Hwnd(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    }
    void MenuCommand(int command) { SendMessageW(dialog->Hwnd(), WM_COMMAND, MAKEWPARAM(command, 0), 0); }
    void Key(UINT vk, LPARAM flags) { SendMessageW(dialog->Hwnd(), WM_CAPTURED_KEY, vk, flags); }

    VectorMacroStore library;
    SharedConfig config{};
    std::unique_ptr<CDlgMacroMan> dialog;
};

}  // namespace

TEST_F(MacroManagerTest, OpensWithTheMacroOfTheLastMenuKeySelected) {
    MenuKeySlot.byType = 3;
    CopyToArray(MenuKeySlot.szText, u"run");
    Open();
    EXPECT_EQ(dialog->MacroList().Count(), 2);
    EXPECT_EQ(dialog->MacroList().CurSel(), 1);
    EXPECT_EQ(dialog->EventList().Count(), 0);
    EXPECT_EQ(library.records[1]->iRepeat, 1) << "shown, so its count is set";
}

TEST_F(MacroManagerTest, ShowsTheEventsAndTheRepeatCountOfTheSelectedMacro) {
    Open();
    ASSERT_EQ(dialog->EventList().Count(), 3);
    EXPECT_EQ(dialog->EventList().Text(1), u"250 ms");
    EXPECT_EQ(dialog->EventList().Data(1), (1u << 16) | 140);
    wchar_t text[16] = {};
    GetWindowTextW(dialog->RepeatBox(), text, 16);
    EXPECT_STREQ(text, L"3");
    SetWindowTextW(dialog->RepeatBox(), L"300");
    GetWindowTextW(dialog->RepeatBox(), text, 16);
    EXPECT_STREQ(text, L"255");
    EXPECT_EQ(library.records[0]->iRepeat, 255);
}

TEST_F(MacroManagerTest, ListsShowWholeRowsAndScrollToAWholeLastRow) {
    std::vector<MacroEvent> events;
    for (int i = 0; i < 15; ++i) {
        events.push_back(Press(static_cast<uint8_t>(0x04 + i)));
        events.push_back(Release(static_cast<uint8_t>(0x04 + i)));
    }
    library.Add(u"Long", events);
    MenuKeySlot.byType = 3;
    CopyToArray(MenuKeySlot.szText, u"Long");
    // The shipped skin, whose list areas are not a whole number of rows high.
    const std::u16string appDir(ArrayText(g_szAppDir));
    const std::wstring exe = FolderOfThisProgram() + L"stage\\Tavrel.exe";
    SetAppDir(std::u16string(exe.begin(), exe.end()));
    Open();
    CopyToArray(g_szAppDir, appDir);
    for (CListBoxEx* list : {&dialog->MacroList(), &dialog->EventList()}) {
        const LONG style = GetWindowLongW(list->Hwnd(), GWL_STYLE);
        EXPECT_EQ(style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE), LBS_OWNERDRAWFIXED);
        RECT client{};
        GetClientRect(list->Hwnd(), &client);
        EXPECT_GT(client.bottom, 0);
        EXPECT_EQ(client.bottom % 18, 0) << "no row is cut at the bottom";
    }
    CListBoxEx& list = dialog->EventList();
    ASSERT_EQ(list.Count(), 30);
    SendMessageW(list.Hwnd(), LB_SETTOPINDEX, 29, 0);
    RECT client{}, last{};
    GetClientRect(list.Hwnd(), &client);
    SendMessageW(list.Hwnd(), LB_GETITEMRECT, 29, reinterpret_cast<LPARAM>(&last));
    EXPECT_EQ(last.bottom, client.bottom) << "scrolled to the end, the last row ends the list";
}

TEST_F(MacroManagerTest, NewCreatesAMacroAndRefusesADuplicateName) {
    Open();
    Click(4);
    ASSERT_TRUE(dialog->MacroList().IsEditing());
    SetWindowTextW(dialog->MacroList().EditControl(), L" Dash ");
    SendMessageW(dialog->MacroList().EditControl(), WM_KEYUP, VK_RETURN, 0);
    ASSERT_TRUE(PumpUntil([&] { return library.Count() == 3; }));
    EXPECT_EQ(ArrayText(library.records[2]->szName), u"Dash");
    EXPECT_EQ(dialog->MacroList().CurSel(), 2);

    Click(4);
    SetWindowTextW(dialog->MacroList().EditControl(), L"JUMP");
    SendMessageW(dialog->MacroList().EditControl(), WM_KEYUP, VK_RETURN, 0);
    ASSERT_TRUE(PumpUntil([&] { return dialog->MacroList().Count() == 3; }));
    EXPECT_EQ(library.Count(), 3);
}

TEST_F(MacroManagerTest, RecordingLocksTheDialogAndStoresTheKeys) {
    Open();
    // Pause switch left off: measured pauses depend on the machine's timing and would
    // add pause rows at random; they are covered by the recorder's unit tests.
    Click(7);
    EXPECT_TRUE(dialog->Editor().Recording());
    EXPECT_TRUE(IsCaptureHookInstalled());
    EXPECT_FALSE(IsWindowEnabled(dialog->Button(1)));
    EXPECT_FALSE(IsWindowEnabled(dialog->MacroList().Hwnd()));
    EXPECT_TRUE(IsWindowEnabled(dialog->EventList().Hwnd()));
    EXPECT_EQ(dialog->EventList().Count(), 0);
    Key(0x42, 0x00);
    Key(0x42, 0x00);  // auto-repeat
    Key(0x42, 0x80);
    EXPECT_EQ(dialog->EventList().Count(), 2) << "a held key gives one press and one release";
    Click(7);
    EXPECT_FALSE(dialog->Editor().Recording());
    EXPECT_FALSE(IsCaptureHookInstalled());
    EXPECT_TRUE(IsWindowEnabled(dialog->Button(1)));
    ASSERT_EQ(library.records[0]->iEventCount, 2);
    EXPECT_EQ(library.records[0]->Events[0].byCode, 0x05);
    EXPECT_EQ(library.records[0]->Events[1].byState, 2);
}

TEST_F(MacroManagerTest, TheEventMenuInsertsAClickAndEditsAPause) {
    Open();
    MenuCommand(1022);  // click of mouse button 1, nothing selected: appended
    ASSERT_EQ(library.records[0]->iEventCount, 4);
    EXPECT_EQ(library.records[0]->Events[2].byCode, 0xF0);
    EXPECT_EQ(dialog->EventList().Text(3), u"L-Button Down");

    dialog->EventList().SetCurSel(1);  // the pause row
    MenuCommand(1004);
    ASSERT_TRUE(dialog->EventList().IsEditing());
    SetWindowTextW(dialog->EventList().EditControl(), L"70000");
    SetFocus(dialog->Hwnd());
    ASSERT_TRUE(PumpUntil([&] { return dialog->EventList().Text(1) == u"65535 ms"; }));
    EXPECT_EQ(library.records[0]->Events[0].wDelay, 65535);
}

TEST_F(MacroManagerTest, TheDeleteButtonRefusesAMacroAKeyHolds) {
    CopyToArray(config.profiles[3].MacroKeyInfo[2].szText, u"Jump");
    Open();
    dialog->MacroList().SetCurSel(0);
    Click(5);
    PumpPending();
    EXPECT_EQ(library.Count(), 2);
    EXPECT_EQ(dialog->MacroList().Count(), 2);
}

TEST_F(MacroManagerTest, TheRightButtonOffersNoMenuWithoutAMacro) {
    library.records.clear();
    Open();
    EXPECT_FALSE(dialog->Editor().OffersEventMenu());
    MenuCommand(1022);
    EXPECT_EQ(dialog->EventList().Count(), 0);
    Click(7);
    EXPECT_FALSE(IsCaptureHookInstalled());
}
