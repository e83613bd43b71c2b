#include "window/win/dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window_test_support.h"

using namespace tavrel;
using namespace tavrel::win;

namespace {

constexpr UINT kMonitorCommand = 1224;  // WM_MONITOR_COMMAND
constexpr UINT kMissingTemplate = 60000;  // no such resource: the empty template is used

// A main window stand-in whose pre-translation takes the monitor's command.
class MainStandIn : public Window {
public:
    int monitorCommands = 0;
    LPARAM lastCode = 0;
    bool PreTranslateMessage(MSG& msg) override {
        if (msg.message == kMonitorCommand && msg.hwnd == Hwnd()) {
            ++monitorCommands;
            lastCode = msg.lParam;
            return true;
        }
        return false;
    }
};

// Records the order of what it receives and runs a scripted action on WM_APP.
class ScriptedDialog : public Dialog {
public:
    ScriptedDialog() : Dialog(kMissingTemplate) {}
    std::vector<std::string> events;
    std::function<void(ScriptedDialog&)> onInit;
    std::function<void(ScriptedDialog&)> onApp;
    int keyMessagesSeen = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_CREATE:
            events.push_back("create");
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
            ++keyMessagesSeen;
            break;
        case WM_APP:
            if (onApp) onApp(*this);
            return 0;
        default:
            break;
        }
        return Dialog::WindowProc(message, wParam, lParam);
    }
    BOOL OnInitDialog() override {
        events.push_back("init");
        if (onInit) onInit(*this);
        return TRUE;
    }
};

}  // namespace

TEST(WindowDialog, CreateReachesTheObjectBeforeDialogInitialisation) {
    ScriptedDialog dialog;
    dialog.onInit = [](ScriptedDialog& d) { d.EndModal(IDOK); };
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    EXPECT_EQ(dialog.events, (std::vector<std::string>{"create", "init"}));
    EXPECT_EQ(dialog.Hwnd(), nullptr);  // destroyed and unbound after the run
}

TEST(WindowDialog, ModalRunSwallowsKeysAndTheMainWindowStillGetsMonitorCommands) {
    MainStandIn main;
    ASSERT_TRUE(main.CreateEx(0, L"main stand-in", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr));

    ScriptedDialog dialog;
    dialog.SetSwallowedKeys({VK_RETURN, VK_ESCAPE, VK_SPACE, VK_F1});
    bool ownerDisabledDuringRun = false;
    dialog.onInit = [&](ScriptedDialog& d) {
        // Unswallowed, Escape or Enter would end the run through the dialog manager.
        for (UINT key : {VK_ESCAPE, VK_RETURN, VK_SPACE, VK_F1}) {
            PostMessageW(d.Hwnd(), WM_KEYDOWN, key, 0);
            PostMessageW(d.Hwnd(), WM_KEYUP, key, 0);
        }
        PostMessageW(main.Hwnd(), kMonitorCommand, 0, 2);
        PostMessageW(d.Hwnd(), WM_APP, 0, 0);
    };
    dialog.onApp = [&](ScriptedDialog& d) {
        ownerDisabledDuringRun = !IsWindowEnabled(main.Hwnd());
        d.EndModal(main.monitorCommands == 1 ? IDOK : -1);
    };
    EXPECT_EQ(dialog.DoModal(main.Hwnd()), IDOK);
    EXPECT_EQ(main.monitorCommands, 1);
    EXPECT_EQ(main.lastCode, 2);
    EXPECT_EQ(dialog.keyMessagesSeen, 0);
    EXPECT_TRUE(ownerDisabledDuringRun);
    EXPECT_TRUE(IsWindowEnabled(main.Hwnd()));
}

TEST(WindowDialog, OtherKeysStillReachTheDialog) {
    ScriptedDialog dialog;
    dialog.onInit = [](ScriptedDialog& d) {
        PostMessageW(d.Hwnd(), WM_KEYDOWN, 'A', 0);
        PostMessageW(d.Hwnd(), WM_APP, 0, 0);
    };
    dialog.onApp = [](ScriptedDialog& d) { d.EndModal(IDOK); };
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    EXPECT_EQ(dialog.keyMessagesSeen, 1);
}

TEST(WindowDialog, CloseEndsWithCancelAndMinusOneIsKept) {
    ScriptedDialog closing;
    closing.onInit = [](ScriptedDialog& d) { PostMessageW(d.Hwnd(), WM_CLOSE, 0, 0); };
    EXPECT_EQ(closing.DoModal(nullptr), IDCANCEL);

    ScriptedDialog minusOne;
    minusOne.onInit = [](ScriptedDialog& d) { PostMessageW(d.Hwnd(), WM_APP, 0, 0); };
    minusOne.onApp = [](ScriptedDialog& d) { d.EndModal(-1); };
    EXPECT_EQ(minusOne.DoModal(nullptr), -1);

    // The same object runs again with a fresh window.
    minusOne.onApp = [](ScriptedDialog& d) { d.EndModal(IDOK); };
    EXPECT_EQ(minusOne.DoModal(nullptr), IDOK);
}

TEST(WindowDialog, EndingAnOuterRunEndsTheRunsNestedInIt) {
    ScriptedDialog outer;
    ScriptedDialog inner;
    INT_PTR innerResult = 0;
    outer.onInit = [](ScriptedDialog& d) { PostMessageW(d.Hwnd(), WM_APP, 0, 0); };
    outer.onApp = [&](ScriptedDialog& d) {
        inner.onInit = [&](ScriptedDialog& i) { PostMessageW(i.Hwnd(), WM_APP, 0, 0); };
        inner.onApp = [&](ScriptedDialog&) { outer.EndModal(IDOK); };
        innerResult = inner.DoModal(d.Hwnd());
    };
    EXPECT_EQ(outer.DoModal(nullptr), IDOK);
    EXPECT_EQ(innerResult, IDCANCEL);
}

TEST(WindowDialog, ChildPageIsAChildOfItsParent) {
    MainStandIn main;
    ASSERT_TRUE(main.CreateEx(0, L"page host", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr));
    ScriptedDialog page;
    ASSERT_TRUE(page.Create(main.Hwnd()));
    EXPECT_EQ(GetParent(page.Hwnd()), main.Hwnd());
    EXPECT_TRUE(GetWindowLongPtrW(page.Hwnd(), GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(page.events, (std::vector<std::string>{"create", "init"}));
    EXPECT_EQ(Window::FromHandle(page.Hwnd()), &page);
    DestroyWindow(main.Hwnd());
    EXPECT_EQ(page.Hwnd(), nullptr);  // destroyed with its parent
}

TEST(WindowDialog, ForeignWindowsAreNotTakenForOurs) {
    HWND foreign = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(foreign, nullptr);
    SetWindowLongPtrW(foreign, GWLP_USERDATA, 12345);
    EXPECT_EQ(Window::FromHandle(foreign), nullptr);
    DestroyWindow(foreign);
}

TEST(WindowDialog, SubclassedControlGetsItsMessagesAndGivesBackItsProcedure) {
    class Counting : public Window {
    public:
        int texts = 0;

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_SETTEXT) ++texts;
            return Window::WindowProc(message, wParam, lParam);
        }
    } counting;
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    const LONG_PTR original = GetWindowLongPtrW(edit, GWLP_WNDPROC);
    ASSERT_TRUE(counting.Subclass(edit));
    SetWindowTextW(edit, L"abc");
    wchar_t text[8] = {};
    GetWindowTextW(edit, text, 8);
    EXPECT_EQ(std::wstring(text), L"abc");  // the previous procedure still ran
    EXPECT_EQ(counting.texts, 1);
    counting.Unsubclass();
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), original);
    DestroyWindow(edit);
}
