// Resource leaks of the whole program: the real main window, with the shipped skin and
// language library, runs in this process; every dialog and popup menu it can open is
// opened and closed 200 times, and pages and profiles are switched 1,000 times. The
// process's GDI and USER object counts must come back to where they were after one
// warm-up round (first uses fill caches that stay).
//
// The window is driven from inside its own modal loop: a script posted to a helper
// window clicks the buttons (WM_COMMAND with the button's handle, as a click sends
// it), and a second message, posted before each click, closes the dialog or menu the
// click opens from inside the nested loop that runs it.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "app/folder_storage.h"
#include "app/win/tavrel_dlg.h"
#include "config/data_folder.h"
#include "config/macro_library.h"
#include "config/win/win32_storage.h"
#include "macros/macro_key_menu.h"
#include "monitor/monitor_port.h"
#include "monitor/monitor_protocol.h"
#include "skin/app_dir.h"
#include "skin/win/ex_menu.h"
#include "tests/unit/support/link_doubles.h"
#include "tests/win/support/child_windows.h"
#include "tests/win/support/config_scratch_folder.h"
#include "tests/win/support/stage_folder.h"
#include "tests/win/support/gui_object_count.h"
#include "tests/win/window_test_support.h"
#include "window/win/window.h"

using namespace tavrel;
using tavrel::test::FolderOfThisProgram;

namespace {

constexpr int kDialogCycles = 200;
constexpr int kSwitches = 1000;
constexpr int kSwitchesPerPaint = 20;
constexpr size_t kManagerCancelButton = 6;
constexpr auto kStepTimeout = std::chrono::seconds(20);

// A monitor whose window is present (so applies post their command) and that answers
// every apply at once; no section, so the configuration comes from the files.
class InstantMonitor final : public SectionlessMonitorPort {
public:
    HWND mainWindow = nullptr;
    int applies = 0;
    int profileSelections = 0;

    bool FindMonitorWindow() override { return true; }
    void PostMonitorCommand(uint64_t wParam, int64_t) override {
        if (wParam == MONITOR_APPLY || wParam == MONITOR_APPLY_RESET) {
            ++applies;
            PostMessageW(mainWindow, kWmMonitorCommand, 0, MONITOR_APPLY_DONE);
        } else if (wParam == MONITOR_SELECT_PROFILE) {
            ++profileSelections;
        }
    }
};

// The visible, enabled dialog of this thread other than `except`: the modal dialog
// that is running.
HWND OpenDialog(HWND except) {
    struct Search {
        HWND except;
        HWND found = nullptr;
    } search{except};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            wchar_t name[16] = {};
            GetClassNameW(hwnd, name, 16);
            if (hwnd != s->except && lstrcmpW(name, L"#32770") == 0 && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
                s->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND OpenPopupMenuWindow() {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu) || GetWindowThreadProcessId(menu, nullptr) != GetCurrentThreadId()) return nullptr;
    return menu;
}

// Runs the script from the main window's loop, and the closing steps from whichever
// nested loop (a modal dialog's, a popup menu's) is running when they come up.
class Driver : public win::Window {
public:
    static constexpr UINT kRunScript = WM_APP + 1;
    static constexpr UINT kStep = WM_APP + 2;

    std::function<void()> script;

    bool Create() { return CreateEx(0, L"leak test driver", WS_POPUP, 0, 0, 1, 1, nullptr); }
    void Start() { PostMessageW(Hwnd(), kRunScript, 0, 0); }

    // `step` runs from the message loop until it returns true.
    void Arm(std::function<bool()> step) {
        step_ = std::move(step);
        armedAt_ = std::chrono::steady_clock::now();
        PostMessageW(Hwnd(), kStep, 0, 0);
    }
    bool Pending() const { return static_cast<bool>(step_); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kRunScript) {
            if (script) script();
            return 0;
        }
        if (message == kStep && step_) {
            if (step_()) {
                step_ = nullptr;
            } else if (std::chrono::steady_clock::now() - armedAt_ > kStepTimeout) {
                ADD_FAILURE() << "a dialog or menu did not come up in time";
                step_ = nullptr;
            } else {
                // Give the loop a moment before looking again.
                Sleep(1);
                PostMessageW(Hwnd(), kStep, 0, 0);
            }
            return 0;
        }
        return Window::WindowProc(message, wParam, lParam);
    }

private:
    std::function<bool()> step_;
    std::chrono::steady_clock::time_point armedAt_;
};

void Click(HWND owner, HWND button) {
    SendMessageW(owner, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

class ResourceLeakTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring exe = test::StagedFile(L"Tavrel.exe");
        SetAppDir(std::u16string(exe.begin(), exe.end()));
        InstallMenuHook();
        // LaunchMonitor finds this window and starts nothing.
        ASSERT_TRUE(monitorWindow_.CreateEx(0, reinterpret_cast<const wchar_t*>(kMonitorWindowTitle), WS_POPUP, 0, 0,
                                            1, 1, nullptr));
        ASSERT_TRUE(driver_.Create());
    }

    // Opens a modal dialog with `open` and closes it from its own loop (with WM_CLOSE,
    // or `close` for a dialog that takes no WM_CLOSE); true when a dialog came up and
    // `open` returned.
    bool CycleDialog(HWND mainWindow, const std::function<void()>& open,
                     const std::function<void(HWND)>& close = nullptr) {
        bool seen = false;
        driver_.Arm([&] {
            HWND dialog = OpenDialog(mainWindow);
            if (!dialog) return false;
            seen = true;
            if (close) {
                close(dialog);
            } else {
                PostMessageW(dialog, WM_CLOSE, 0, 0);
            }
            return true;
        });
        open();
        return seen && !driver_.Pending();
    }

    // Opens a popup menu with `open` and ends it from the menu's loop.
    bool CycleMenu(const std::function<void()>& open) {
        bool seen = false;
        driver_.Arm([&] {
            if (!OpenPopupMenuWindow()) return false;
            seen = true;
            EndMenu();
            return true;
        });
        open();
        return seen && !driver_.Pending();
    }

    test::ScratchFolder data_;
    Win32FileSystem files_;
    FixedDataFolder folder_{data_.Path()};
    InstantMonitor monitor_;
    win::Window monitorWindow_;
    Driver driver_;
};

struct MainWindowParts {
    std::vector<HWND> buttons;  // the nineteen, in MainButton order
    std::vector<HWND> pages;    // key settings, macros, advanced, lighting
    HWND Button(MainButton b) const { return buttons[static_cast<size_t>(b)]; }
};

}  // namespace

TEST(GuiObjectCount, SeesObjectsComeAndGo) {
    // A top-level window brings the thread's input-method window along; a child window
    // is one object.
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    const test::GuiObjectCounts before = test::CountGuiObjects();
    std::vector<HBRUSH> brushes;
    for (int i = 0; i < 5; ++i) brushes.push_back(CreateSolidBrush(RGB(i, 2, 3)));
    HMENU menu = CreatePopupMenu();
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 1, 1, parent, nullptr, nullptr, nullptr);
    const test::GuiObjectCounts during = test::CountGuiObjects();
    for (HBRUSH brush : brushes) DeleteObject(brush);
    DestroyMenu(menu);
    DestroyWindow(window);
    const test::GuiObjectCounts after = test::CountGuiObjects();
    DestroyWindow(parent);

    EXPECT_EQ(during.gdi - before.gdi, 5) << test::DescribeChange(before, during);
    EXPECT_EQ(during.user - before.user, 2) << test::DescribeChange(before, during);
    EXPECT_EQ(after.gdi, before.gdi) << test::DescribeChange(before, after);
    EXPECT_EQ(after.user, before.user) << test::DescribeChange(before, after);
}

TEST_F(ResourceLeakTest, DialogsMenusPagesAndProfilesGiveBackEveryObject) {
    FolderStorage storage(Storage{files_, folder_}, g_MacroLibrary);
    CTavrelDlg mainDialog(monitor_, storage);

    test::GuiObjectCounts baseline, afterDialogs, afterSwitching;
    int roundsCompleted = 0;
    std::vector<std::string> failures;

    driver_.script = [&] {
        HWND main = mainDialog.Hwnd();
        monitor_.mainWindow = main;
        MainWindowParts parts{ChildrenOfClass(main, L"Button"), ChildrenOfClass(main, L"#32770")};
        if (parts.buttons.size() != static_cast<size_t>(kMainButtonCount) || parts.pages.size() != 4) {
            failures.push_back("main window has " + std::to_string(parts.buttons.size()) + " buttons and " +
                               std::to_string(parts.pages.size()) + " pages");
            mainDialog.EndModal(IDCANCEL);
            return;
        }
        const std::vector<HWND> keyButtons = ChildrenOfClass(parts.pages[0], L"Button");
        const std::vector<HWND> macroButtons = ChildrenOfClass(parts.pages[1], L"Button");
        const std::vector<HWND> advancedButtons = ChildrenOfClass(parts.pages[2], L"Button");
        const std::vector<HWND> lightingButtons = ChildrenOfClass(parts.pages[3], L"Button");
        if (keyButtons.empty() || macroButtons.empty() || advancedButtons.size() < 3 || lightingButtons.size() < 2) {
            failures.push_back("a page lacks its buttons");
            mainDialog.EndModal(IDCANCEL);
            return;
        }

        // Every dialog and popup menu once; records what did not come up.
        const auto round = [&](int n) {
            const auto check = [&](bool ok, const char* what) {
                if (!ok) failures.push_back(std::string(what) + " in round " + std::to_string(n));
            };
            check(CycleDialog(main, [&] { Click(main, parts.Button(MainButton::Reset)); }), "reset warning");
            check(CycleDialog(main, [&] { Click(main, parts.Button(MainButton::GameLinkNew)); }), "new game link");
            check(CycleDialog(main, [&] { Click(main, parts.Button(MainButton::GameLinkEdit)); }), "edit game link");
            check(CycleDialog(
                      main, [&] { Click(main, parts.Button(MainButton::MacroManager)); },
                      [](HWND manager) {
                          // Its Cancel button: the seventh skinned button it creates.
                          const std::vector<HWND> buttons = ChildrenOfClass(manager, L"Button");
                          if (buttons.size() > kManagerCancelButton) {
                              PostMessageW(manager, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                                           reinterpret_cast<LPARAM>(buttons[kManagerCancelButton]));
                          }
                      }),
                  "macro manager");
            check(CycleDialog(main, [&] { Click(parts.pages[0], keyButtons[static_cast<size_t>(n % 10)]); }),
                  "key assignment");
            check(CycleMenu([&] { Click(parts.pages[1], macroButtons[0]); }), "macro key menu");
            check(CycleDialog(main,
                              [&] {
                                  SendMessageW(parts.pages[1], WM_COMMAND, MAKEWPARAM(kCmdKeyShortcut, 0), 0);
                              }),
                  "shortcut");
            check(CycleMenu([&] { Click(parts.pages[2], advancedButtons[2]); }), "response time menu");
            check(CycleMenu([&] { Click(parts.pages[3], lightingButtons[0]); }), "effect menu");
            check(CycleMenu([&] { Click(parts.pages[3], lightingButtons[1]); }), "speed menu");
            // The waiting dialog: the instant monitor's answer closes it.
            const int applies = monitor_.applies;
            Click(main, parts.Button(MainButton::Apply));
            check(monitor_.applies == applies + 1, "apply");
        };

        const auto switchPagesAndProfiles = [&](int count) {
            for (int i = 0; i < count; ++i) {
                Click(main, parts.Button(kPageButtons[i % 4]));
                Click(main, parts.Button(kProfileButtons[(i * 3) % 4]));
                // Painting a whole page is what takes time; every few switches is enough
                // to show a drawing path that keeps an object.
                if (i % kSwitchesPerPaint == 0) RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            }
            Click(main, parts.Button(MainButton::PageKeys));
            Click(main, parts.Button(MainButton::Profile1));
            RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        };

        // Warm-up: every window, page and profile once.
        round(0);
        switchPagesAndProfiles(4);
        baseline = test::CountGuiObjects();
        for (int n = 1; n <= kDialogCycles && failures.size() < 10; ++n) {
            round(n);
            roundsCompleted = n;
        }
        afterDialogs = test::CountGuiObjects();

        switchPagesAndProfiles(kSwitches);
        afterSwitching = test::CountGuiObjects();

        Click(main, parts.Button(MainButton::Cancel));
    };
    driver_.Start();
    mainDialog.DoModal(nullptr);

    for (const std::string& failure : failures) ADD_FAILURE() << failure;
    ASSERT_EQ(roundsCompleted, kDialogCycles);
    EXPECT_EQ(monitor_.applies, kDialogCycles + 1);
    EXPECT_GE(monitor_.profileSelections, kSwitches);
    EXPECT_EQ(afterDialogs.gdi, baseline.gdi) << test::DescribeChange(baseline, afterDialogs);
    EXPECT_EQ(afterDialogs.user, baseline.user) << test::DescribeChange(baseline, afterDialogs);
    EXPECT_EQ(afterSwitching.gdi, baseline.gdi) << test::DescribeChange(baseline, afterSwitching);
    EXPECT_EQ(afterSwitching.user, baseline.user) << test::DescribeChange(baseline, afterSwitching);
}
