#include "macros/win/dlg_macro_ctrl_panel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "config/text.h"
#include "config/shared_config.h"
#include "keys/fixed_keyboard_layouts.h"
#include "macros/macro_key_menu.h"
#include "window_test_support.h"
#include "../unit/macros_test_doubles.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

class MacroPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        WorkingConfig = SharedConfig{};
        WorkingConfig.CurrentProfile = 1;
        ASSERT_TRUE(parent.Create(800, 300));
        ASSERT_TRUE(page.CreatePage(parent.Hwnd()));
    }
    void TearDown() override { WorkingConfig = SharedConfig{}; }
    MacroKeyInfo& Slot(int i) { return WorkingConfig.profiles[1].MacroKeyInfo[i]; }

    RecordingWindow parent;
    tavrel::testing::VectorMacroStore library;
    std::vector<HWND> managerOpenedOver;
    CDlgMacroCtrlPanel page{WorkingConfig, library, [this](HWND owner) { managerOpenedOver.push_back(owner); },
                            UsKeyboardLayout()};
};

}  // namespace

TEST_F(MacroPageTest, ButtonsShowTheKeysOfTheCurrentProfile) {
    Slot(0).byType = 3;
    CopyToArray(Slot(0).szText, u"Jump");
    Slot(1).byType = 2;
    Slot(1).byFlags = 1;
    Slot(1).wCode = 0x1F;
    page.Refresh();
    EXPECT_EQ(page.KeyCaption(0), u"Jump");
    EXPECT_EQ(page.KeyCaption(1), u"Ctrl+2");
    EXPECT_EQ(page.KeyCaption(2), u"");
}

TEST_F(MacroPageTest, AMacroChosenFromTheMenuIsCopiedIntoTheKey) {
    library.Add(u"Walk");
    library.Add(u"Jump", {tavrel::testing::Press(0x04, 30), tavrel::testing::Release(0x04)}, 4);
    page.OnMenuCommand(kCmdFirstMacro + 1);  // no menu opened yet: key 0
    EXPECT_EQ(Slot(0).byType, 3);
    EXPECT_EQ(ArrayText(Slot(0).szText), u"Jump");
    EXPECT_EQ(Slot(0).wEventCount, 2);
    EXPECT_EQ(Slot(0).iMacroIndex, 1);
    EXPECT_EQ(WorkingConfig.iMacroKeyChanged[1][0], 1);
    EXPECT_EQ(page.KeyCaption(0), u"Jump");
    page.OnMenuCommand(1060);  // Alt+F4
    EXPECT_EQ(Slot(0).byType, 9);
    EXPECT_EQ(Slot(0).iRepeat, 4);
    EXPECT_EQ(ArrayText(Slot(0).szText), u"");
    EXPECT_EQ(page.KeyCaption(0), page.Lang().Get(13)) << "string 513 names Alt+F4";
}

TEST_F(MacroPageTest, TheManagerCommandOpensTheManagerOverThePageAndChangesNoKey) {
    const SharedConfig before = WorkingConfig;
    page.OnMenuCommand(1099);
    ASSERT_EQ(managerOpenedOver.size(), 1u);
    EXPECT_EQ(managerOpenedOver[0], page.Hwnd());
    EXPECT_EQ(std::memcmp(&before, &WorkingConfig, sizeof before), 0);
}
