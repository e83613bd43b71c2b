// The key settings page, the key assignment dialog and the shortcut dialog as real
// windows: keys injected with SendInput while a dialog runs modally, buttons clicked
// through their commands, and what the page and the macro page get back.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/shared_config.h"
#include "keys/win/capture_hook.h"
#include "keys/win/dlg_key_assi.h"
#include "keys/win/dlg_main_ctrl_panel.h"
#include "keys/win/dlg_shortcut.h"

using namespace tavrel;

namespace {

// Drives a modal run from a thread timer: each step is retried every tick until it
// returns true. Should the script stall, the dialog is cancelled so the test ends.
class Script {
public:
    explicit Script(std::vector<std::function<bool()>> steps) : steps_(std::move(steps)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 30, &Script::Tick);
    }
    ~Script() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool Finished() const { return next_ == steps_.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        Script* self = current_;
        if (!self || self->Finished()) return;
        if (++self->ticks_ > 300) {  // about nine seconds
            if (auto* dialog = dynamic_cast<win::Dialog*>(win::Window::FromHandle(GetActiveWindow())))
                dialog->EndModal(IDCANCEL);
            return;
        }
        if (self->steps_[self->next_]()) ++self->next_;
    }

    static inline Script* current_ = nullptr;
    std::vector<std::function<bool()>> steps_;
    size_t next_ = 0;
    int ticks_ = 0;
    UINT_PTR timer_ = 0;
};

template <typename T>
T* OpenDialog() {
    T* found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM out) -> BOOL {
            if (auto* dialog = dynamic_cast<T*>(win::Window::FromHandle(hwnd))) {
                *reinterpret_cast<T**>(out) = dialog;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void SendKey(WORD vk, bool extended = false) {
    INPUT inputs[2]{};
    for (int i = 0; i < 2; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = vk;
        inputs[i].ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        inputs[i].ki.dwFlags = (i == 1 ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    }
    SendInput(2, inputs, sizeof(INPUT));
}

std::wstring TextOf(HWND window) {
    wchar_t text[128] = L"";
    GetWindowTextW(window, text, 128);
    return text;
}

void Click(HWND dialog, HWND button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// A toggle flips itself on the release of the left button.
void ClickToggle(HWND toggle) {
    SendMessageW(toggle, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(toggle, WM_LBUTTONUP, 0, 0);
}

MacroKeyInfo CombinationSlot(uint8_t flags, uint16_t code) {
    MacroKeyInfo slot;
    std::memset(&slot, 0, sizeof(slot));
    slot.byType = 2;
    slot.byFlags = flags;
    slot.wCode = code;
    return slot;
}

bool HasDisplay() {
    HWND probe = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (!probe) return false;
    DestroyWindow(probe);
    return true;
}

#define REQUIRE_DISPLAY() \
    if (!HasDisplay()) GTEST_SKIP() << "no window station (no display)"

}  // namespace

// ---- shortcut dialog, through the macro page's contract

TEST(ShortcutDialog, ACapturedKeyAndOkReachTheSlot) {
    REQUIRE_DISPLAY();
    MacroKeyInfo slot = CombinationSlot(1, 0x1E);  // Ctrl+1
    std::wstring fieldAtStart;
    bool ctrlShownAtStart = false;
    Script script({
        [&] {
            auto* d = OpenDialog<CDlgShortCut>();
            if (!d) return false;
            fieldAtStart = TextOf(d->KeyField());
            ctrlShownAtStart = d->ToggleChecked(1) && !d->ToggleChecked(0);
            SendKey(VK_F5);
            return true;
        },
        [&] {
            auto* d = OpenDialog<CDlgShortCut>();
            if (TextOf(d->KeyField()) != L"F5") return false;
            Click(d->Hwnd(), d->OkButton());
            return true;
        },
    });
    EXPECT_EQ(RunShortcutDialog(nullptr, slot), IDOK);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(fieldAtStart, L"1");
    EXPECT_TRUE(ctrlShownAtStart);
    EXPECT_EQ(slot.wCode, 0x3E);
    EXPECT_EQ(slot.byFlags, 1);
    EXPECT_FALSE(IsCaptureHookInstalled());
}

TEST(ShortcutDialog, CancelAndCloseLeaveTheSlotExactlyAsItWas) {
    REQUIRE_DISPLAY();
    for (bool viaClose : {false, true}) {
        MacroKeyInfo slot = CombinationSlot(5, 0x06);
        const MacroKeyInfo before = slot;
        Script script({
            [&] {
                auto* d = OpenDialog<CDlgShortCut>();
                if (!d) return false;
                SendKey('Q');
                return true;
            },
            [&] {
                auto* d = OpenDialog<CDlgShortCut>();
                if (TextOf(d->KeyField()) != L"Q") return false;
                Click(d->Hwnd(), viaClose ? d->CloseButton() : d->CancelButton());
                return true;
            },
        });
        EXPECT_EQ(RunShortcutDialog(nullptr, slot), IDCANCEL);
        EXPECT_TRUE(script.Finished());
        EXPECT_EQ(std::memcmp(&slot, &before, sizeof(slot)), 0);
    }
}

TEST(ShortcutDialog, TheNoModifierToggleDisablesTheOthersAndClearsTheFlags) {
    REQUIRE_DISPLAY();
    MacroKeyInfo slot = CombinationSlot(1 | 4, 0x06);  // Ctrl+Alt+C
    bool othersOffAndDisabled = false, restored = false;
    Script script({
        [&] {
            auto* d = OpenDialog<CDlgShortCut>();
            if (!d) return false;
            ClickToggle(d->ToggleButton(0));
            othersOffAndDisabled = d->ToggleChecked(0);
            for (int i = 1; i < 5; ++i)
                othersOffAndDisabled = othersOffAndDisabled && !d->ToggleChecked(i) && !IsWindowEnabled(d->ToggleButton(i));
            ClickToggle(d->ToggleButton(0));
            restored = !d->ToggleChecked(0) && d->ToggleChecked(1) && !d->ToggleChecked(2) && d->ToggleChecked(3) &&
                       IsWindowEnabled(d->ToggleButton(2));
            ClickToggle(d->ToggleButton(0));
            Click(d->Hwnd(), d->OkButton());
            return true;
        },
    });
    EXPECT_EQ(RunShortcutDialog(nullptr, slot), IDOK);
    EXPECT_TRUE(othersOffAndDisabled);
    EXPECT_TRUE(restored);
    EXPECT_EQ(slot.byFlags, 0);
    EXPECT_EQ(slot.wCode, 0x06);
}

// ---- key assignment dialog

TEST(KeyAssignDialog, TheKeypadEnterIsToldFromTheMainEnter) {
    REQUIRE_DISPLAY();
    CDlgKeyAssi dialog;
    dialog.Model().m_nKeyPos = 0;
    dialog.Model().m_byCurKey = 0x29;
    std::wstring fieldAtStart, afterKeypad;
    Script script({
        [&] {
            if (!dialog.Hwnd()) return false;
            fieldAtStart = TextOf(dialog.KeyField());
            SendKey(VK_RETURN, true);
            return true;
        },
        [&] {
            if (TextOf(dialog.KeyField()) != L"Num Enter") return false;
            afterKeypad = L"Num Enter";
            EXPECT_EQ(dialog.Model().m_byNewKey, 0x58);
            SendKey(VK_RETURN, false);
            return true;
        },
        [&] {
            if (TextOf(dialog.KeyField()) != L"Enter") return false;
            Click(dialog.Hwnd(), dialog.OkButton());
            return true;
        },
    });
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(fieldAtStart, L"Esc");
    EXPECT_EQ(dialog.Model().m_strCurName, u"Esc");
    EXPECT_EQ(dialog.Model().m_byNewKey, 0x28);
    EXPECT_FALSE(IsCaptureHookInstalled());
}

TEST(KeyAssignDialog, DefaultOffersThePositionsKeyAndTheCloseButtonEndsWithMinusOne) {
    REQUIRE_DISPLAY();
    CDlgKeyAssi dialog;
    dialog.Model().m_nKeyPos = 43;  // Enter
    dialog.Model().m_byCurKey = 0x04;
    Script script({
        [&] {
            if (!dialog.Hwnd()) return false;
            Click(dialog.Hwnd(), dialog.DefaultButton());
            return true;
        },
        [&] {
            if (TextOf(dialog.KeyField()) != L"Enter") return false;
            Click(dialog.Hwnd(), dialog.CloseButton());
            return true;
        },
    });
    EXPECT_EQ(dialog.DoModal(nullptr), -1);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(dialog.Model().m_byNewKey, 0x28);
    EXPECT_FALSE(IsCaptureHookInstalled());
}

// ---- key settings page

namespace {

class KeyPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HasDisplay()) GTEST_SKIP() << "no window station (no display)";
        config_ = std::make_unique<SharedConfig>();
        ResetConfig(*config_);
        SetDefaultProfiles(*config_);
        config_->CurrentProfile = 1;
        main_ = CreateWindowW(L"STATIC", L"main window", WS_OVERLAPPEDWINDOW, 0, 0, 800, 400, nullptr,
                              nullptr, nullptr, nullptr);
        page_ = std::make_unique<CDlgMainCtrlPanel>(*config_);
        ASSERT_TRUE(page_->CreatePage(main_));
        page_->RefreshKeys();
    }
    void TearDown() override {
        page_.reset();
        if (main_) DestroyWindow(main_);
    }
    void ClickKey(int keyPos) {
        SendMessageW(page_->PageHwnd(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                     reinterpret_cast<LPARAM>(page_->KeyButton(keyPos)));
    }

    std::unique_ptr<SharedConfig> config_;
    HWND main_ = nullptr;
    std::unique_ptr<CDlgMainCtrlPanel> page_;
};

}  // namespace

TEST_F(KeyPageTest, ACapturedKeyAndOkRemapThePositionOfTheCurrentProfile) {
    bool dialogSawEsc = false;
    Script script({
        [&] {
            auto* d = OpenDialog<CDlgKeyAssi>();
            if (!d) return false;
            dialogSawEsc = d->Model().m_byCurKey == 0x29 && TextOf(d->KeyField()) == L"Esc";
            SendKey('A');
            return true;
        },
        [&] {
            auto* d = OpenDialog<CDlgKeyAssi>();
            if (TextOf(d->KeyField()) != L"A") return false;
            Click(d->Hwnd(), d->OkButton());
            return true;
        },
    });
    EXPECT_FALSE(page_->KeyMarked(0));
    ClickKey(0);
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(dialogSawEsc);
    EXPECT_EQ(config_->profiles[1].standardKey[0], 0x04);
    EXPECT_EQ(config_->iStandardKeyChanged[1], 1);
    EXPECT_TRUE(page_->KeyMarked(0));
    EXPECT_FALSE(IsCaptureHookInstalled());
}

TEST_F(KeyPageTest, CancelChangesNothing) {
    Script script({
        [&] {
            auto* d = OpenDialog<CDlgKeyAssi>();
            if (!d) return false;
            SendKey('B');
            return true;
        },
        [&] {
            auto* d = OpenDialog<CDlgKeyAssi>();
            if (TextOf(d->KeyField()) != L"B") return false;
            Click(d->Hwnd(), d->CancelButton());
            return true;
        },
    });
    const auto before = std::make_unique<SharedConfig>(*config_);
    ClickKey(5);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(std::memcmp(config_.get(), before.get(), sizeof(SharedConfig)), 0);
    EXPECT_FALSE(page_->KeyMarked(5));
}

TEST_F(KeyPageTest, AtTheRemapLimitAClickOpensNothing) {
    for (int p = 0; p < 32; ++p) config_->profiles[p % 4].standardKey[p] = 0xE7;
    page_->RefreshKeys();
    EXPECT_TRUE(page_->KeyMarked(1));   // position 1 of profile 1 was remapped
    EXPECT_FALSE(page_->KeyMarked(0));  // position 0 belongs to profile 0
    bool opened = false;
    Script watch({[&] {
        if (auto* d = OpenDialog<CDlgKeyAssi>()) {
            opened = true;
            d->EndModal(IDCANCEL);
        }
        return false;
    }});
    ClickKey(1);  // returns at once: no modal run
    EXPECT_FALSE(opened);
    EXPECT_EQ(config_->profiles[1].standardKey[1], 0xE7);
    EXPECT_EQ(config_->iStandardKeyChanged[1], 0);
}

TEST_F(KeyPageTest, SwitchingTheProfileReMarksEveryButton) {
    config_->profiles[2].standardKey[10] = 0x04;
    config_->profiles[2].standardKey[110] = 0x04;
    EXPECT_FALSE(page_->KeyMarked(10));
    config_->CurrentProfile = 2;
    page_->Refresh();
    for (int p = 0; p < kKeyPositions; ++p) EXPECT_EQ(page_->KeyMarked(p), p == 10 || p == 110) << p;
}
