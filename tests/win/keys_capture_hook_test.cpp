// The capture hook against the real platform: keys injected with SendInput reach the
// capturing window as WM_CAPTURED_KEY reports and no other window.
#include "keys/win/capture_hook.h"

#include <gtest/gtest.h>

#include <vector>

#include "keys/key_codes.h"
#include "keys/win/system_keyboard_layout.h"

using namespace tavrel;

namespace {

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<Received> g_atTarget;
std::vector<Received> g_atFocus;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool target = GetPropW(window, L"keys_test_target") != nullptr;
    if (message == WM_CAPTURED_KEY || (message >= WM_KEYFIRST && message <= WM_KEYLAST))
        (target ? g_atTarget : g_atFocus).push_back({message, wParam, lParam});
    return DefWindowProcW(window, message, wParam, lParam);
}

class CaptureHookTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KeysCaptureHookTest";
        RegisterClassW(&wc);
        target_ = CreateWindowW(wc.lpszClassName, L"capture target", WS_OVERLAPPEDWINDOW, 10, 10, 200,
                                100, nullptr, nullptr, wc.hInstance, nullptr);
        focus_ = CreateWindowW(wc.lpszClassName, L"focused window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 250,
                               10, 200, 100, nullptr, nullptr, wc.hInstance, nullptr);
        if (target_ == nullptr || focus_ == nullptr) GTEST_SKIP() << "no window station (no display)";
        SetPropW(target_, L"keys_test_target", reinterpret_cast<HANDLE>(1));
        SetForegroundWindow(focus_);
        SetFocus(focus_);
        Pump(100);
        g_atTarget.clear();
        g_atFocus.clear();
    }
    void TearDown() override {
        RemoveCaptureHook();
        if (target_) DestroyWindow(target_);
        if (focus_) DestroyWindow(focus_);
    }

    // Runs the message loop until `done` holds or the time is up.
    template <typename Done>
    static bool PumpUntil(Done done, DWORD timeoutMs = 5000) {
        const DWORD start = GetTickCount();
        while (!done()) {
            if (GetTickCount() - start > timeoutMs) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        return true;
    }
    static void Pump(DWORD ms) {
        PumpUntil([] { return false; }, ms);
    }

    static void Send(WORD vk, bool up, bool extended = false) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
        ASSERT_EQ(SendInput(1, &input, sizeof(input)), 1u);
    }

    static size_t Reports() {
        size_t n = 0;
        for (const Received& r : g_atTarget) n += r.message == WM_CAPTURED_KEY;
        return n;
    }

    HWND target_ = nullptr;
    HWND focus_ = nullptr;
};

}  // namespace

TEST_F(CaptureHookTest, APressAndReleaseReachOnlyTheTargetAsTwoReports) {
    InstallCaptureHook(target_);
    ASSERT_TRUE(IsCaptureHookInstalled());
    Send('A', false);
    Send('A', true);
    ASSERT_TRUE(PumpUntil([] { return Reports() >= 2; }));
    Pump(200);  // anything that leaked to the focused window has arrived by now
    ASSERT_EQ(g_atTarget.size(), 2u);
    EXPECT_EQ(g_atTarget[0].message, WM_CAPTURED_KEY);
    EXPECT_EQ(g_atTarget[0].wParam, WPARAM('A'));
    EXPECT_EQ(g_atTarget[0].lParam, 0x00);
    EXPECT_EQ(g_atTarget[1].wParam, WPARAM('A'));
    EXPECT_EQ(g_atTarget[1].lParam, 0x80);
    EXPECT_TRUE(g_atFocus.empty());
}

TEST_F(CaptureHookTest, TheKeypadEnterCarriesTheExtendedBit) {
    InstallCaptureHook(target_);
    Send(VK_RETURN, false, true);
    Send(VK_RETURN, true, true);
    Send(VK_RETURN, false, false);
    ASSERT_TRUE(PumpUntil([] { return Reports() >= 3; }));
    EXPECT_EQ(g_atTarget[0].wParam, WPARAM(VK_RETURN));
    EXPECT_EQ(g_atTarget[0].lParam, 0x01);
    EXPECT_EQ(g_atTarget[1].lParam, 0x81);
    EXPECT_EQ(g_atTarget[2].lParam, 0x00);
    EXPECT_EQ(CapturedVirtualKey(static_cast<uint32_t>(g_atTarget[0].wParam),
                                 static_cast<uint32_t>(g_atTarget[0].lParam)),
              kVkKeypadEnter);
}

TEST_F(CaptureHookTest, AfterRemovalKeysReachTheFocusedWindowAgainAndASecondRemovalIsHarmless) {
    InstallCaptureHook(target_);
    EXPECT_EQ(RemoveCaptureHook(), 1);
    EXPECT_FALSE(IsCaptureHookInstalled());
    EXPECT_EQ(RemoveCaptureHook(), 1);
    Send('B', false);
    Send('B', true);
    ASSERT_TRUE(PumpUntil([] { return g_atFocus.size() >= 2; }));
    EXPECT_EQ(Reports(), 0u);
    EXPECT_EQ(g_atFocus[0].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(g_atFocus[0].wParam, WPARAM('B'));
}

TEST_F(CaptureHookTest, InstallingAgainReplacesTheEarlierHook) {
    InstallCaptureHook(focus_);
    InstallCaptureHook(target_);
    Send('C', false);
    ASSERT_TRUE(PumpUntil([] { return Reports() >= 1; }));
    Pump(200);
    EXPECT_EQ(Reports(), 1u);  // one hook: one report, at the latest target
    EXPECT_TRUE(g_atFocus.empty());
    RemoveCaptureHook();
    Send('C', true);
    ASSERT_TRUE(PumpUntil([] { return !g_atFocus.empty(); }));  // nothing left swallowing keys
}

TEST(SystemKeyboardLayout, TranslatesLettersAndDigitsOfTheSessionLayout) {
    const KeyboardLayout& layout = SystemLayout();
    EXPECT_EQ(TanslateUID2VK(0x04, layout).code, 0x41u);
    EXPECT_EQ(TanslateUID2VK(0x1E, layout).code, 0x31u);
    EXPECT_EQ(TanslateUID2VK(0x28, layout).code, 0x0Du);
    EXPECT_EQ(TanslateUID2VK(0x3A, layout).code, 0x70u);
    EXPECT_EQ(TranslateVK2UID(0x41, layout).code, 0x04u);
    EXPECT_EQ(TranslateVK2UID(0x6C, layout).code, 0x58u);
    EXPECT_EQ(TranslateVK2UID(0xA2, layout).code, 0xE0u);
}
