#include <gtest/gtest.h>

#include "window/win/dialog.h"
#include "window/win/message_loop.h"
#include "window_test_support.h"

using namespace tavrel;
using namespace tavrel::win;

namespace {

constexpr UINT kMonitorCommand = 1224;
constexpr UINT kSwallowedAppMessage = WM_APP + 7;

// Counts the monitor command in its pre-translation (without swallowing it, as the
// main window does) and in its window procedure; swallows kSwallowedAppMessage.
class CountingMain : public Window {
public:
    int preTranslated = 0;
    int dispatched = 0;
    int swallowedDispatched = 0;
    int escapesDispatched = 0;
    bool inMenuLoop = false;
    int preTranslatedInMenuLoop = -1;
    bool PreTranslateMessage(MSG& msg) override {
        if (msg.hwnd != Hwnd()) return false;
        if (msg.message == kMonitorCommand) ++preTranslated;
        if (msg.message == kSwallowedAppMessage) return true;
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) return true;
        return false;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kMonitorCommand) ++dispatched;
        if (message == kSwallowedAppMessage) ++swallowedDispatched;
        if (message == WM_KEYDOWN && wParam == VK_ESCAPE) ++escapesDispatched;
        if (message == WM_ENTERMENULOOP) inMenuLoop = true;
        if (message == WM_EXITMENULOOP) inMenuLoop = false;
        if (message == WM_APP + 8) {
            preTranslatedInMenuLoop = inMenuLoop ? preTranslated : -1;
            EndMenu();
        }
        return Window::WindowProc(message, wParam, lParam);
    }
};

// A system-style loop: no pre-translation of its own.
void RunForeignLoopUntilEmpty() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

class EndOnApp : public Dialog {
public:
    EndOnApp() : Dialog(60002) {}
    std::function<void()> onInit;

protected:
    BOOL OnInitDialog() override {
        if (onInit) onInit();
        PostMessageW(Hwnd(), WM_APP, 0, 0);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) {
            EndModal(IDOK);
            return 0;
        }
        return Dialog::WindowProc(message, wParam, lParam);
    }
};

}  // namespace

TEST(WindowForeignLoop, OurModalLoopPreTranslatesEachMessageOnce) {
    CountingMain main;
    ASSERT_TRUE(main.CreateEx(0, L"counting main", WS_POPUP, 0, 0, 50, 50, nullptr));
    EndOnApp dialog;
    dialog.onInit = [&] { PostMessageW(main.Hwnd(), kMonitorCommand, 0, 3); };
    EXPECT_EQ(dialog.DoModal(main.Hwnd()), IDOK);
    EXPECT_EQ(main.preTranslated, 1);
    EXPECT_EQ(main.dispatched, 1);
}

TEST(WindowForeignLoop, SystemLoopsStillPreTranslateApplicationMessagesButNotInput) {
    ForeignLoopScope systemLoop;
    CountingMain main;
    ASSERT_TRUE(main.CreateEx(0, L"counting main", WS_POPUP, 0, 0, 50, 50, nullptr));
    PostMessageW(main.Hwnd(), kMonitorCommand, 0, 4);
    PostMessageW(main.Hwnd(), kSwallowedAppMessage, 0, 0);
    PostMessageW(main.Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    RunForeignLoopUntilEmpty();
    EXPECT_EQ(main.preTranslated, 1);
    EXPECT_EQ(main.dispatched, 1);
    EXPECT_EQ(main.swallowedDispatched, 0);  // swallowed by the pre-translation
    EXPECT_EQ(main.escapesDispatched, 1);    // input stays with the system's loop
}

// The menu's loop announces itself to its owner, one of our windows: that alone
// brings the pre-translation into the loop, and takes it away again afterwards.
TEST(WindowForeignLoop, MonitorCommandReachesThePreTranslationWhileAPopupMenuIsOpen) {
    CountingMain main;
    ASSERT_TRUE(main.CreateEx(0, L"menu owner", WS_POPUP, 0, 0, 50, 50, nullptr));
    ShowWindow(main.Hwnd(), SW_SHOWNOACTIVATE);
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 100, L"Item");
    PostMessageW(main.Hwnd(), kMonitorCommand, 0, 5);
    PostMessageW(main.Hwnd(), WM_APP + 8, 0, 0);  // closes the menu from inside its loop
    TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, main.Hwnd(), nullptr);
    DestroyMenu(menu);
    RunForeignLoopUntilEmpty();
    EXPECT_EQ(main.preTranslatedInMenuLoop, 1);  // handled inside the menu's own loop
    EXPECT_EQ(main.preTranslated, 1);
    EXPECT_EQ(main.dispatched, 1);

    // Once the menu is gone, a system loop pre-translates nothing until another begins.
    PostMessageW(main.Hwnd(), kSwallowedAppMessage, 0, 0);
    RunForeignLoopUntilEmpty();
    EXPECT_EQ(main.swallowedDispatched, 1);
}

TEST(WindowForeignLoop, ScopesNestAndAWindowGoneInsideItsLoopEndsIt) {
    CountingMain main;
    ASSERT_TRUE(main.CreateEx(0, L"counting main", WS_POPUP, 0, 0, 50, 50, nullptr));
    {
        ForeignLoopScope outer;
        {
            ForeignLoopScope inner;
        }
        PostMessageW(main.Hwnd(), kSwallowedAppMessage, 0, 0);
        RunForeignLoopUntilEmpty();
        EXPECT_EQ(main.swallowedDispatched, 0);  // the outer loop still runs
    }
    {
        CountingMain mover;
        ASSERT_TRUE(mover.CreateEx(0, L"mover", WS_POPUP, 0, 0, 50, 50, nullptr));
        SendMessageW(mover.Hwnd(), WM_ENTERSIZEMOVE, 0, 0);
        PostMessageW(main.Hwnd(), kSwallowedAppMessage, 0, 0);
        RunForeignLoopUntilEmpty();
        EXPECT_EQ(main.swallowedDispatched, 0);
        DestroyWindow(mover.Hwnd());  // no WM_EXITSIZEMOVE ever comes
    }
    PostMessageW(main.Hwnd(), kSwallowedAppMessage, 0, 0);
    RunForeignLoopUntilEmpty();
    EXPECT_EQ(main.swallowedDispatched, 1);
}
