#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "config/shared_config.h"
#include "keys/dialog_result.h"
#include "keys/fixed_keyboard_layouts.h"
#include "keys/key_actions.h"
#include "keys/key_assign_model.h"
#include "keys/key_settings_model.h"
#include "keys/shortcut_model.h"

using namespace tavrel;

namespace {

std::unique_ptr<SharedConfig> DefaultConfig(int currentProfile = 0) {
    auto config = std::make_unique<SharedConfig>();
    ResetConfig(*config);
    SetDefaultProfiles(*config);
    config->CurrentProfile = currentProfile;
    return config;
}

// Stands in for the key assignment dialog: records what it was opened with and ends
// the way the test says.
class ScriptedDialog : public KeyAssignRunner {
public:
    ScriptedDialog(int result, uint8_t newKey) : outcome_{result, newKey} {}
    KeyAssignOutcome Run(const KeyAssignRequest& request) override {
        requests.push_back(request);
        return outcome_;
    }
    std::vector<KeyAssignRequest> requests;

private:
    KeyAssignOutcome outcome_;
};

constexpr int kEscPosition = 0;
constexpr int kEnterPosition = 43;
constexpr uint8_t kUsageA = 0x04;

}  // namespace

// ---- key settings page

TEST(KeySettingsModel, OkWithANewKeyStoresItInTheCurrentProfileAndRaisesItsFlag) {
    auto config = DefaultConfig(2);
    KeySettingsModel page(*config);
    ScriptedDialog dialog(kDialogOk, kUsageA);
    EXPECT_EQ(page.OnKeyClicked(kEscPosition, dialog), KeyClickOutcome::Stored);
    ASSERT_EQ(dialog.requests.size(), 1u);
    EXPECT_EQ(dialog.requests[0].keyPos, kEscPosition);
    EXPECT_EQ(dialog.requests[0].curKey, 0x29);
    EXPECT_EQ(config->profiles[2].standardKey[kEscPosition], kUsageA);
    EXPECT_EQ(config->iStandardKeyChanged[2], 1);
    EXPECT_EQ(config->iStandardKeyChanged[0], 0);
    EXPECT_EQ(config->profiles[0].standardKey[kEscPosition], 0x29);
    EXPECT_TRUE(page.IsRemapped(kEscPosition));
    EXPECT_FALSE(page.IsRemapped(kEnterPosition));
}

TEST(KeySettingsModel, CancelCloseAndOkWithoutAKeyChangeNothing) {
    const struct { int result; uint8_t key; } endings[] = {
        {kDialogCancel, kUsageA}, {kDialogClosed, kUsageA}, {kDialogOk, 0}, {0, kUsageA}};
    for (const auto& ending : endings) {
        auto config = DefaultConfig();
        const auto before = std::make_unique<SharedConfig>(*config);
        KeySettingsModel page(*config);
        ScriptedDialog dialog(ending.result, ending.key);
        EXPECT_EQ(page.OnKeyClicked(kEnterPosition, dialog), KeyClickOutcome::Unchanged);
        EXPECT_EQ(std::memcmp(config.get(), before.get(), sizeof(SharedConfig)), 0) << ending.result;
    }
}

TEST(KeySettingsModel, ReassigningTheDefaultUsageClearsTheMark) {
    auto config = DefaultConfig();
    config->profiles[0].standardKey[kEnterPosition] = kUsageA;
    KeySettingsModel page(*config);
    EXPECT_TRUE(page.IsRemapped(kEnterPosition));
    ScriptedDialog dialog(kDialogOk, DefaultStandardKey[kEnterPosition]);
    EXPECT_EQ(page.OnKeyClicked(kEnterPosition, dialog), KeyClickOutcome::Stored);
    EXPECT_FALSE(page.IsRemapped(kEnterPosition));
    EXPECT_EQ(config->iStandardKeyChanged[0], 1);
}

TEST(KeySettingsModel, AtTheRemapLimitNoDialogOpensEvenOnARemappedKey) {
    auto config = DefaultConfig();
    for (int p = 0; p < 31; ++p) config->profiles[(p % 3) + 1].standardKey[p] = 0xE7;
    config->profiles[0].standardKey[kEnterPosition] = kUsageA;
    KeySettingsModel page(*config);
    ScriptedDialog dialog(kDialogOk, 0x05);
    EXPECT_EQ(page.OnKeyClicked(kEnterPosition, dialog), KeyClickOutcome::NothingOpened);
    EXPECT_EQ(page.OnKeyClicked(kEscPosition, dialog), KeyClickOutcome::NothingOpened);
    EXPECT_TRUE(dialog.requests.empty());
    EXPECT_EQ(config->profiles[0].standardKey[kEnterPosition], kUsageA);

    config->profiles[0].standardKey[kEnterPosition] = DefaultStandardKey[kEnterPosition];  // 31 left
    EXPECT_EQ(page.OnKeyClicked(kEscPosition, dialog), KeyClickOutcome::Stored);
}

TEST(KeySettingsModel, MarksFollowTheCurrentProfileAndEmptyPositions) {
    auto config = DefaultConfig();
    config->profiles[1].standardKey[5] = kUsageA;
    config->profiles[1].standardKey[110] = kUsageA;  // a position without a key
    config->profiles[1].standardKey[0] = 0;          // a file that holds 0
    KeySettingsModel page(*config);
    for (bool mark : page.RemappedMarks()) EXPECT_FALSE(mark);
    config->CurrentProfile = 1;
    const auto marks = page.RemappedMarks();
    for (int p = 0; p < kKeyPositions; ++p) EXPECT_EQ(marks[p], p == 0 || p == 5 || p == 110) << p;
}

TEST(KeySettingsModel, AProfileSwitchWhileTheDialogIsOpenDoesNotMoveTheNewKey) {
    auto config = DefaultConfig(1);
    KeySettingsModel page(*config);
    class SwitchingDialog : public KeyAssignRunner {
    public:
        explicit SwitchingDialog(SharedConfig& c) : config(c) {}
        KeyAssignOutcome Run(const KeyAssignRequest&) override {
            config.CurrentProfile = 3;  // the keyboard switched profile meanwhile
            return {kDialogOk, kUsageA};
        }
        SharedConfig& config;
    } dialog(*config);
    EXPECT_EQ(page.OnKeyClicked(kEscPosition, dialog), KeyClickOutcome::Stored);
    EXPECT_EQ(config->profiles[1].standardKey[kEscPosition], kUsageA);
    EXPECT_EQ(config->profiles[3].standardKey[kEscPosition], 0x29);
    EXPECT_EQ(config->iStandardKeyChanged[1], 1);
    EXPECT_EQ(config->iStandardKeyChanged[3], 0);
}

TEST(KeySettingsModel, ClicksOutsideTheKeyPositionsOpenNothing) {
    auto config = DefaultConfig();
    KeySettingsModel page(*config);
    ScriptedDialog dialog(kDialogOk, kUsageA);
    EXPECT_EQ(page.OnKeyClicked(-1, dialog), KeyClickOutcome::NothingOpened);
    EXPECT_EQ(page.OnKeyClicked(kKeyPositions, dialog), KeyClickOutcome::NothingOpened);
    EXPECT_TRUE(dialog.requests.empty());
}

// ---- key assignment dialog

TEST(KeyAssignModel, OpensWithTheCurrentKeysNameInTheFieldAndBesideItsLabel) {
    KeyAssignModel dialog(UsKeyboardLayout());
    dialog.m_nKeyPos = kEscPosition;
    dialog.m_byCurKey = 0x29;
    dialog.Initialise();
    EXPECT_EQ(dialog.FieldText(), u"Esc");
    EXPECT_EQ(dialog.m_strCurName, u"Esc");
    EXPECT_EQ(dialog.m_byNewKey, 0);

    KeyAssignModel mouse(UsKeyboardLayout());
    mouse.m_byCurKey = 0xF0;
    mouse.Initialise();
    EXPECT_EQ(mouse.FieldText(), u"");
    EXPECT_EQ(mouse.m_strCurName, u"L-Button");
}

TEST(KeyAssignModel, EachCapturedKeyReplacesTheFieldAndTheNewKey) {
    KeyAssignModel dialog(UsKeyboardLayout());
    dialog.m_byCurKey = 0x29;
    dialog.Initialise();
    struct Report { uint32_t vk, flags; const char16_t* field; uint8_t usage; };
    const Report reports[] = {
        {0x0D, 0x01, u"Num Enter", 0x58}, {0x0D, 0x81, u"Num Enter", 0x58},
        {0x0D, 0x00, u"Enter", 0x28},     {0x0D, 0x80, u"Enter", 0x28},
        {0xA4, 0x20, u"Alt", 0xE2},       {0x09, 0x20, u"Tab", 0x2B},
        {0xA2, 0x00, u"Ctrl", 0xE0},      {0x43, 0x00, u"C", 0x06},
    };
    for (const Report& r : reports) {
        EXPECT_TRUE(dialog.OnCapturedKey(r.vk, r.flags));
        EXPECT_EQ(dialog.FieldText(), r.field);
        EXPECT_EQ(dialog.m_byNewKey, r.usage);
    }
    // F13 has no row: the field and the new key stay as they were.
    EXPECT_FALSE(dialog.OnCapturedKey(0x7C, 0x00));
    EXPECT_EQ(dialog.FieldText(), u"C");
    EXPECT_EQ(dialog.m_byNewKey, 0x06);
}

TEST(KeyAssignModel, CapturedKeysAreStoredAsPhysicalPositions) {
    KeyAssignModel dialog(GermanKeyboardLayout());
    dialog.OnCapturedKey(0x5A, 0x00);  // Z on a German keyboard, where US has Y
    EXPECT_EQ(dialog.FieldText(), u"Z");
    EXPECT_EQ(dialog.m_byNewKey, 0x1C);
}

TEST(KeyAssignModel, DefaultOffersThePositionsOwnKeyUnlessItHasNone) {
    KeyAssignModel dialog(UsKeyboardLayout());
    dialog.m_nKeyPos = kEnterPosition;
    dialog.m_byCurKey = kUsageA;
    dialog.Initialise();
    EXPECT_TRUE(dialog.OnDefault());
    EXPECT_EQ(dialog.m_byNewKey, 0x28);
    EXPECT_EQ(dialog.FieldText(), u"Enter");

    for (int keyPos : {108, 113, -1, 114}) {
        KeyAssignModel empty(UsKeyboardLayout());
        empty.m_nKeyPos = keyPos;
        empty.m_byCurKey = kUsageA;
        empty.Initialise();
        EXPECT_FALSE(empty.OnDefault()) << keyPos;
        EXPECT_EQ(empty.m_byNewKey, 0);
        EXPECT_EQ(empty.FieldText(), u"A");
    }
}

// ---- shortcut dialog

namespace {

MacroKeyInfo CombinationSlot(uint8_t flags, uint16_t code) {
    MacroKeyInfo slot;
    std::memset(&slot, 0, sizeof(slot));
    slot.byType = KindCombination;
    slot.byFlags = flags;
    slot.wCode = code;
    return slot;
}

std::vector<bool> Selected(const ShortcutModel& dialog) {
    std::vector<bool> selected;
    for (const ToggleState& t : dialog.ShowToggles()) selected.push_back(t.selected);
    return selected;
}

}  // namespace

TEST(ShortcutModel, OpensFromTheSlotAndStoresTheCapturedKeyAfterOk) {
    ShortcutModel dialog(UsKeyboardLayout());
    MacroKeyInfo slot = CombinationSlot(kModCtrl, 0x1E);  // Ctrl+1
    dialog.LoadFromSlot(slot);
    dialog.Initialise();
    EXPECT_EQ(dialog.FieldText(), u"1");
    EXPECT_EQ(Selected(dialog), (std::vector<bool>{false, true, false, false, false}));
    dialog.OnCapturedKey(0x74, 0x00);  // F5 down
    dialog.OnCapturedKey(0x74, 0x80);  // and up
    EXPECT_EQ(dialog.FieldText(), u"F5");
    dialog.StoreToSlot(slot);
    EXPECT_EQ(slot.wCode, 0x3E);
    EXPECT_EQ(slot.byFlags, kModCtrl);
}

TEST(ShortcutModel, LoadsEveryModifierBitAndIgnoresTheOthers) {
    ShortcutModel dialog(UsKeyboardLayout());
    dialog.m_abyMod[0] = 1;
    dialog.LoadFromSlot(CombinationSlot(0xFA, 0x1204));  // Shift, Win and unknown bits
    EXPECT_EQ(dialog.m_byKey, 0x04);
    EXPECT_EQ(dialog.m_abyMod, (std::array<uint8_t, 5>{0, 0, 1, 0, 1}));
    EXPECT_EQ(dialog.ModifierBits(), kModShift | kModWin);
}

TEST(ShortcutModel, TheNoModifierToggleOverridesAndThenRestoresTheOthers) {
    ShortcutModel dialog(UsKeyboardLayout());
    dialog.LoadFromSlot(CombinationSlot(kModCtrl | kModAlt, 0x06));
    dialog.OnToggleClicked(0, true);
    const auto overridden = dialog.ShowToggles();
    EXPECT_EQ(overridden[0], (ToggleState{true, true}));
    for (int i = 1; i < 5; ++i) EXPECT_EQ(overridden[i], (ToggleState{false, false})) << i;
    MacroKeyInfo slot = CombinationSlot(kModCtrl | kModAlt, 0x06);
    dialog.StoreToSlot(slot);
    EXPECT_EQ(slot.byFlags, 0);
    EXPECT_EQ(slot.wCode, 0x06);

    dialog.OnToggleClicked(0, false);
    EXPECT_EQ(Selected(dialog), (std::vector<bool>{false, true, false, true, false}));
    for (const ToggleState& t : dialog.ShowToggles()) EXPECT_TRUE(t.enabled);
    dialog.OnToggleClicked(2, true);
    dialog.OnToggleClicked(1, false);
    dialog.StoreToSlot(slot);
    EXPECT_EQ(slot.byFlags, kModShift | kModAlt);
}

TEST(ShortcutModel, AKeyWithoutARowEmptiesTheFieldAndTheKey) {
    ShortcutModel dialog(UsKeyboardLayout());
    dialog.LoadFromSlot(CombinationSlot(kModCtrl, 0x1E));
    dialog.Initialise();
    dialog.OnCapturedKey(0x7C, 0x00);  // F13
    EXPECT_EQ(dialog.FieldText(), u"");
    EXPECT_EQ(dialog.m_byKey, 0);
    MacroKeyInfo slot = CombinationSlot(kModCtrl, 0x1E);
    dialog.StoreToSlot(slot);
    EXPECT_EQ(slot.wCode, 0);
    EXPECT_EQ(slot.byFlags, kModCtrl);
}

TEST(ShortcutModel, ModifierKeysAndTheKeypadEnterAreCapturedAsKeys) {
    ShortcutModel dialog(UsKeyboardLayout());
    dialog.OnCapturedKey(0xA2, 0x00);
    EXPECT_EQ(dialog.m_byKey, 0xE0);
    EXPECT_EQ(dialog.FieldText(), u"Ctrl");
    dialog.OnCapturedKey(0x0D, 0x01);
    EXPECT_EQ(dialog.m_byKey, 0x58);
    EXPECT_EQ(dialog.FieldText(), u"Num Enter");
    dialog.OnCapturedKey(0x0D, 0x80);
    EXPECT_EQ(dialog.m_byKey, 0x28);
}

TEST(ShortcutModel, AnEmptySlotOpensWithAnEmptyFieldAndNoToggle) {
    ShortcutModel dialog(UsKeyboardLayout());
    dialog.LoadFromSlot(CombinationSlot(0, 0));
    dialog.Initialise();
    EXPECT_EQ(dialog.FieldText(), u"");
    EXPECT_EQ(Selected(dialog), (std::vector<bool>(5, false)));
}
