// The program's own dialogs under Wine: how the waiting dialog starts an apply and
// ends, that keys never answer the waiting and warning dialogs, what each warning
// button answers, and what the game link dialog stores.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/win/profile_man_dialog.h"
#include "config/shared_config.h"
#include "config/text.h"
#include "dialogs/win/warning_dialog.h"
#include "monitor/monitor_protocol.h"
#include "monitor/win/waiting_dialog.h"
#include "skin/app_dir.h"
#include "tests/win/support/child_windows.h"
#include "tests/win/window_test_support.h"

using namespace tavrel;

namespace {

// Runs `step` on the user-interface thread every few milliseconds while a modal loop
// is up, until it returns true.
class Driver {
public:
    explicit Driver(std::function<bool()> step) {
        Current() = std::move(step);
        timer_ = SetTimer(nullptr, 0, 20, &Driver::Tick);
    }
    ~Driver() {
        KillTimer(nullptr, timer_);
        Current() = nullptr;
    }

private:
    static std::function<bool()>& Current() {
        static std::function<bool()> step;
        return step;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (Current() && Current()()) Current() = nullptr;
    }
    UINT_PTR timer_;
};


void PostKeys(HWND target) {
    for (UINT vk : {VK_RETURN, VK_ESCAPE, VK_SPACE, VK_F1}) {
        PostMessageW(target, WM_KEYDOWN, vk, 1);
        PostMessageW(target, WM_KEYUP, vk, 0xC0000001);
    }
}

void Click(HWND dialog, HWND button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// A stand-in for the main window: records the commands it receives.
class FakeMain {
public:
    FakeMain() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &FakeMain::Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TavrelTestFakeMain";
        RegisterClassW(&wc);
        hwnd = CreateWindowExW(0, wc.lpszClassName, L"fake main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               wc.hInstance, nullptr);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~FakeMain() { DestroyWindow(hwnd); }

    HWND hwnd = nullptr;
    std::vector<std::pair<WPARAM, LPARAM>> commands;
    std::function<void()> onCommand;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT m, WPARAM w, LPARAM l) {
        auto* self = reinterpret_cast<FakeMain*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && m == kWmMonitorCommand) {
            self->commands.emplace_back(w, l);
            if (self->onCommand) self->onCommand();
            return 0;
        }
        return DefWindowProcW(hwnd, m, w, l);
    }
};

}  // namespace

TEST(AppWaitingDialog, StartsTheApplyWithItsModeAndEndsOnlyOnClose) {
    for (int mode : {0, 1}) {
        FakeMain main;
        CDlgWaitting dialog;
        dialog.m_nMode = mode;
        dialog.m_hMainWindow = main.hwnd;
        bool aliveAfterKeys = false;
        main.onCommand = [&] {
            // Keys first; if one of them ended the run, the check below never runs.
            PostKeys(dialog.Hwnd());
            PostMessageW(main.hwnd, WM_NULL, 0, 0);
        };
        Driver driver([&] {
            if (main.commands.empty() || !dialog.Hwnd()) return false;
            MSG pending;
            if (PeekMessageW(&pending, dialog.Hwnd(), WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE)) return false;
            aliveAfterKeys = IsWindow(dialog.Hwnd()) && dialog.IsModal();
            wchar_t title[64] = {};
            GetWindowTextW(dialog.Hwnd(), title, 64);
            EXPECT_STREQ(title, L"Orvane Gaming Keyboard waiting");
            PostMessageW(dialog.Hwnd(), WM_CLOSE, 0, 0);
            return true;
        });
        EXPECT_EQ(dialog.DoModal(main.hwnd), IDCANCEL);
        ASSERT_EQ(main.commands.size(), 1u) << mode;
        EXPECT_EQ(main.commands[0].first, static_cast<WPARAM>(mode));
        EXPECT_EQ(main.commands[0].second, MONITOR_START_APPLY);
        EXPECT_TRUE(aliveAfterKeys) << mode;
    }
}

TEST(AppWarningDialog, OnlyOkConfirmsAndKeysNeverAnswer) {
    struct Case {
        int mode;
        int button;  // creation order: OK, Cancel, close
        INT_PTR expected;
    };
    for (const Case c : {Case{0, 0, IDOK}, Case{0, 1, IDCANCEL}, Case{0, 2, IDCANCEL}, Case{1, 0, IDOK},
                         Case{1, 2, IDCANCEL}}) {
        CDlgWarning dialog;
        dialog.m_nMode = c.mode;
        int phase = 0;
        Driver driver([&] {
            HWND hwnd = dialog.Hwnd();
            if (!hwnd) return false;
            if (phase == 0) {
                PostKeys(hwnd);
                phase = 1;
                return false;
            }
            const auto buttons = DescendantsOfClass(hwnd, L"Button");
            EXPECT_EQ(buttons.size(), 3u);
            if (buttons.size() != 3) {
                PostMessageW(hwnd, WM_CLOSE, 0, 0);
                return true;
            }
            Click(hwnd, buttons[static_cast<size_t>(c.button)]);
            return true;
        });
        EXPECT_EQ(dialog.DoModal(nullptr), c.expected) << c.mode << " " << c.button;
    }
}

TEST(AppGameLinkDialog, OkStoresTheTypedNameAndCancelKeepsTheRecord) {
    auto working = std::make_unique<SharedConfig>();
    ResetConfig(*working);
    SetDefaultProfiles(*working);
    working->CurrentProfile = 1;
    CopyToArray(working->profiles[1].ProFileName, u"OLD");
    CopyToArray(working->profiles[1].GameFile, u"C:\\Games\\Old.exe");

    for (bool ok : {false, true}) {
        CDlgProfileMan dialog(*working, 0);
        std::wstring shownName, shownGame;
        Driver driver([&] {
            HWND hwnd = dialog.Hwnd();
            if (!hwnd) return false;
            const auto edits = DescendantsOfClass(hwnd, L"Edit");
            const auto buttons = DescendantsOfClass(hwnd, L"Button");
            EXPECT_EQ(edits.size(), 2u);
            EXPECT_EQ(buttons.size(), 4u);
            if (edits.size() != 2 || buttons.size() != 4) {
                PostMessageW(hwnd, WM_CLOSE, 0, 0);
                return true;
            }
            wchar_t text[600] = {};
            GetWindowTextW(edits[0], text, 600);
            shownName = text;
            GetWindowTextW(edits[1], text, 600);
            shownGame = text;
            EXPECT_FALSE(IsWindowEnabled(edits[1]));
            SetWindowTextW(edits[0], L"NEW NAME");
            Click(hwnd, buttons[ok ? 0 : 1]);  // creation order: OK, Cancel, close, browse
            return true;
        });
        EXPECT_EQ(dialog.DoModal(nullptr), ok ? IDOK : IDCANCEL);
        EXPECT_EQ(shownName, L"OLD");
        // The edit holds the path in capitals, and OK stores it as the edit holds it.
        EXPECT_EQ(shownGame, L"C:\\GAMES\\OLD.EXE");
        EXPECT_EQ(ArrayText(working->profiles[1].ProFileName), ok ? u"NEW NAME" : u"OLD");
        EXPECT_EQ(ArrayText(working->profiles[1].GameFile), ok ? u"C:\\GAMES\\OLD.EXE" : u"C:\\Games\\Old.exe");
    }
}

TEST(AppGameLinkDialog, TheLinkedElsewhereCheckUsesTheCapitalsTheEditShows) {
    // Accented Greek, y with diaeresis, Armenian and Latin Extended-B.
    const std::u16string browsed = u"C:\\\u0561\u057C\\\u03AC\u00FF \u0180.exe";
    auto working = std::make_unique<SharedConfig>();
    ResetConfig(*working);
    SetDefaultProfiles(*working);
    working->CurrentProfile = 1;
    CopyToArray(working->profiles[1].GameFile, browsed);
    CDlgProfileMan dialog(*working, 0);
    std::u16string shown;
    Driver driver([&] {
        HWND hwnd = dialog.Hwnd();
        if (!hwnd) return false;
        const auto edits = DescendantsOfClass(hwnd, L"Edit");
        if (edits.size() == 2) {
            wchar_t text[600] = {};
            GetWindowTextW(edits[1], text, 600);
            shown = reinterpret_cast<const char16_t*>(text);
        }
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
        return true;
    });
    dialog.DoModal(nullptr);
    EXPECT_EQ(shown, u"C:\\\u0531\u054C\\\u0386\u0178 \u0243.EXE");
    const PlatformCaseMapping platform;
    EXPECT_EQ(platform.Upper(browsed), shown);

    // Stored in those capitals for profile 1, the game browsed in its own case from
    // profile 0 is the same game.
    CopyToArray(working->profiles[1].GameFile, shown);
    working->CurrentProfile = 0;
    GameLinkModel model(*working, 0, platform);
    EXPECT_EQ(model.Browse(browsed), GameLinkModel::BrowseResult::LinkedElsewhere);
}

TEST(AppGameLinkDialog, ModeOneStartsEmpty) {
    auto working = std::make_unique<SharedConfig>();
    ResetConfig(*working);
    SetDefaultProfiles(*working);
    working->CurrentProfile = 0;
    CopyToArray(working->profiles[0].ProFileName, u"SET");
    CDlgProfileMan dialog(*working, 1);
    int nonEmpty = -1;
    Driver driver([&] {
        HWND hwnd = dialog.Hwnd();
        if (!hwnd) return false;
        nonEmpty = 0;
        for (HWND edit : DescendantsOfClass(hwnd, L"Edit")) nonEmpty += GetWindowTextLengthW(edit) > 0 ? 1 : 0;
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
        return true;
    });
    dialog.DoModal(nullptr);
    EXPECT_EQ(nonEmpty, 0);
    EXPECT_EQ(ArrayText(working->profiles[0].ProFileName), u"SET");
}

TEST(AppGameLinkDialog, SpaceReachesTheNameWhileEnterAndEscapeEndNothing) {
    auto working = std::make_unique<SharedConfig>();
    ResetConfig(*working);
    SetDefaultProfiles(*working);
    // The shipped skin: an edit without automatic scrolling takes only what fits its width.
    const std::u16string appDir(ArrayText(g_szAppDir));
    const std::wstring exe = test::FolderOfThisProgram() + L"stage\\Tavrel.exe";
    SetAppDir(std::u16string(exe.begin(), exe.end()));
    CDlgProfileMan dialog(*working, 1);
    int phase = 0;
    Driver driver([&] {
        HWND hwnd = dialog.Hwnd();
        if (!hwnd) return false;
        const auto edits = DescendantsOfClass(hwnd, L"Edit");
        const auto buttons = DescendantsOfClass(hwnd, L"Button");
        if (edits.size() != 2 || buttons.size() != 4) {
            ADD_FAILURE() << "controls missing";
            PostMessageW(hwnd, WM_CLOSE, 0, 0);
            return true;
        }
        // One key per step, so each character lands before the next. Letters come as
        // characters; Space, Enter and Escape as key presses only, so a blank reaches the
        // name only if the dialog's loop lets the Space key through.
        const std::wstring keys = L" Team\r a\x1B ";
        if (phase < static_cast<int>(keys.size())) {
            const wchar_t c = keys[static_cast<size_t>(phase++)];
            if (c != L' ' && c != L'\r' && c != L'\x1B') {
                PostMessageW(edits[0], WM_CHAR, c, 1);
                return false;
            }
            const UINT vk = c == L' ' ? VK_SPACE : c == L'\r' ? VK_RETURN : VK_ESCAPE;
            const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
            PostMessageW(edits[0], WM_KEYDOWN, vk, scan | 1);
            PostMessageW(edits[0], WM_KEYUP, vk, scan | 0xC0000001);
            return false;
        }
        Click(hwnd, buttons[0]);  // OK
        return true;
    });
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    CopyToArray(g_szAppDir, appDir);
    EXPECT_EQ(ArrayText(working->profiles[0].ProFileName), u" TEAM A ");
}

TEST(AppGameLinkDialog, AnUnreadableSkinPictureIsNamedAndTheDialogDoesNotOpen) {
    // The layout names a normal picture that is not there; the mask it does not name.
    const std::wstring folder = test::MakeTempFolder(L"broken_skin");
    CreateDirectoryW((folder + L"Skins").c_str(), nullptr);
    {
        std::ofstream ini(std::filesystem::path(folder + L"Skins\\skin_Profile.ini"), std::ios::binary);
        ini << "[SCREEN]\r\nNormal=gone.bmp\r\n";
    }
    SetAppDir(std::u16string(folder.begin(), folder.end()) + u"Tavrel.exe");
    auto working = std::make_unique<SharedConfig>();
    ResetConfig(*working);
    SetDefaultProfiles(*working);
    CopyToArray(working->profiles[0].GameFile, u"C:\\Games\\Kept.exe");

    CDlgProfileMan dialog(*working, 1);
    std::wstring told;
    Driver driver([&] {
        HWND box = FindWindowW(L"#32770", L"Error");
        if (!box) {
            // A dialog that opened after all is closed, so the test fails instead of waiting.
            HWND opened = dialog.Hwnd();
            if (opened && IsWindowVisible(opened)) PostMessageW(opened, WM_CLOSE, 0, 0);
            return opened && IsWindowVisible(opened);
        }
        for (HWND text : DescendantsOfClass(box, L"Static")) {
            wchar_t buffer[1024] = {};
            GetWindowTextW(text, buffer, 1024);
            told += buffer;
        }
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    });
    const INT_PTR result = dialog.DoModal(nullptr);
    SetAppDir(u"");
    DeleteFileW((folder + L"Skins\\skin_Profile.ini").c_str());
    RemoveDirectoryW((folder + L"Skins").c_str());
    RemoveDirectoryW(folder.c_str());

    EXPECT_EQ(result, -1);
    EXPECT_EQ(dialog.Hwnd(), nullptr);
    EXPECT_NE(told.find(folder + L"Skins\\gone.bmp"), std::wstring::npos) << told;
    EXPECT_EQ(ArrayText(working->profiles[0].GameFile), u"C:\\Games\\Kept.exe");
}
