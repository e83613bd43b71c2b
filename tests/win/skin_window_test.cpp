#include <gtest/gtest.h>

#include <windowsx.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "skin/app_dir.h"
#include "skin/win/skinned_window.h"
#include "window_test_support.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

constexpr UINT kNoTemplate = 60001;  // the empty built-in template is used

class TestSkinnedWindow : public SkinnedWindow {
public:
    explicit TestSkinnedWindow(bool erase = true)
        : SkinnedWindow(kNoTemplate, SkinSource{u"Skins\\test_skin.ini", 1400, 1403, erase, SkinDrag::Self}) {}
    CBitmapBtn first, seventh;
    RECT firstRect{}, seventhRect{};
    int paints = 0;
    int cuts = 0;

protected:
    void CreateSkinControls(SkinBuilder& skin) override {
        firstRect = skin.CreateButton(first, 1);
        seventhRect = skin.CreateButton(seventh, 7);
    }
    void PaintSkin(HDC dc) override {
        ++paints;
        SetPixel(dc, 0, 0, RGB(1, 2, 3));
    }
    void CutFromBackground(HDC) override {
        EXPECT_TRUE(Background());
        ++cuts;
    }
};

class WhenShownSkinnedWindow : public TestSkinnedWindow {
public:
    WhenShownSkinnedWindow() { m_skinSpec.picturesWhenShown = true; }
};

class SkinnedWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = MakeTempFolder(L"skinned_window");
        CreateDirectoryW((folder + L"Skins").c_str(), nullptr);
        SetAppDir(std::u16string(folder.begin(), folder.end()) + u"program.exe");
    }
    void TearDown() override {
        for (const wchar_t* name : {L"test_skin.ini", L"mask.bmp", L"normal.bmp", L"down.bmp", L"over.bmp", L"disabled.bmp"})
            DeleteFileW((folder + L"Skins\\" + name).c_str());
        RemoveDirectoryW((folder + L"Skins").c_str());
        RemoveDirectoryW(folder.c_str());
    }
    void WriteSkin() {
        std::ofstream ini(std::filesystem::path(folder + L"Skins\\test_skin.ini"), std::ios::binary);
        ini << "[SCREEN]\r\nMask=mask.bmp\r\nNormal=normal.bmp\r\nDown=down.bmp\r\nOver=over.bmp\r\nDisabled=disabled.bmp\r\n"
            << "[BUTTONPOS]\r\n1=First,10,5,20,12,x.bmp\r\n07=Seventh,30,5,20,12,x.bmp\r\n";
        ini.close();
        // The mask's left column and its top-right corner are white: outside the window.
        ASSERT_TRUE(WriteBmp(folder + L"Skins\\mask.bmp", 80, 50, [](int x, int y) -> uint32_t {
            return (x == 0 || (x >= 70 && y < 10)) ? 0xFFFFFF : 0x000000;
        }));
        for (auto [name, colour] : {std::pair{L"normal.bmp", 0xC00000u}, std::pair{L"down.bmp", 0x0000C0u},
                                    std::pair{L"over.bmp", 0x00C000u}, std::pair{L"disabled.bmp", 0x808080u}}) {
            const uint32_t c = colour;
            ASSERT_TRUE(WriteBmp(folder + L"Skins\\" + name, 80, 50, [c](int, int) { return c; }));
        }
    }

    std::wstring folder;
};

// Dispatches the thread's queued messages until none is left, answering every error
// message box they open; the texts of those boxes, in order.
std::vector<std::wstring> DrainClosingErrorBoxes() {
    static std::vector<std::wstring> told;
    told.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND box = FindWindowW(L"#32770", L"Error");
        if (!box || !IsWindowEnabled(box)) return;
        std::wstring text;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t buffer[1024] = {};
            GetWindowTextW(child, buffer, 1024);
            text += buffer;
        }
        told.push_back(text);
        EnableWindow(box, FALSE);  // answered: not counted again before it closes
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    PumpPending();
    KillTimer(nullptr, timer);
    return told;
}

}  // namespace

TEST_F(SkinnedWindowTest, TakesSizeOutlineAndButtonsFromItsSkin) {
    WriteSkin();
    TestSkinnedWindow window(false);
    ASSERT_TRUE(window.Create(nullptr));
    RECT rect{};
    GetWindowRect(window.Hwnd(), &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right - rect.left, 80);
    EXPECT_EQ(rect.bottom - rect.top, 50);

    win::UniqueRegion outline(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(window.Hwnd(), outline.Get()), ERROR);
    EXPECT_FALSE(PtInRegion(outline.Get(), 0, 20));
    EXPECT_TRUE(PtInRegion(outline.Get(), 1, 20));
    EXPECT_FALSE(PtInRegion(outline.Get(), 75, 5));
    EXPECT_TRUE(PtInRegion(outline.Get(), 75, 15));

    EXPECT_EQ(window.firstRect.left, 10);
    EXPECT_EQ(window.firstRect.bottom, 17);
    EXPECT_EQ(GetDlgCtrlID(window.first.Hwnd()), 0);
    EXPECT_EQ(GetParent(window.first.Hwnd()), window.Hwnd());
    // "07" does not answer key 7: that button exists with a zero rectangle.
    ASSERT_NE(window.seventh.Hwnd(), nullptr);
    EXPECT_EQ(window.seventhRect.left, 0);
    EXPECT_EQ(window.seventhRect.right, 0);
    EXPECT_TRUE(window.first.m_bmpNormal);
    EXPECT_FALSE(window.seventh.m_bmpNormal);
    EXPECT_EQ(window.cuts, 1);

    // The language range is kept whole even without the library.
    EXPECT_EQ(window.Lang().Size(), 4u);

    // Painting draws into the background picture itself; no erasing was asked for.
    ShowWindow(window.Hwnd(), SW_SHOWNOACTIVATE);
    RedrawWindow(window.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GE(window.paints, 1);
    win::WindowDc screen(nullptr);
    {
        win::MemoryDc back(screen, window.Background());
        EXPECT_EQ(PixelRgb(back, 0, 0), 0x010203u);
        EXPECT_EQ(PixelRgb(back, 40, 40), 0xC00000u);
    }
    win::WindowDc dc(window.Hwnd());
    EXPECT_EQ(SendMessageW(window.Hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0), 0);

    DestroyWindow(window.Hwnd());
    EXPECT_FALSE(window.Background());
}

TEST_F(SkinnedWindowTest, AWindowThatReadsItsPicturesWhenShownHasTheSameOnesOnceShown) {
    WriteSkin();
    // A top-level window, and a page shown while its parent is still hidden.
    RecordingWindow hiddenParent;
    ASSERT_TRUE(hiddenParent.Create());
    for (HWND parent : {HWND{nullptr}, hiddenParent.Hwnd()}) {
        SCOPED_TRACE(parent ? "page" : "top-level");
        WhenShownSkinnedWindow window;
        ASSERT_TRUE(window.Create(parent));
        RECT rect{};
        GetWindowRect(window.Hwnd(), &rect);
        EXPECT_EQ(rect.right - rect.left, 80);  // the size comes from the file's header
        EXPECT_EQ(rect.bottom - rect.top, 50);
        EXPECT_FALSE(window.Background());
        EXPECT_FALSE(window.first.m_bmpNormal);
        EXPECT_EQ(window.cuts, 0);

        ShowWindow(window.Hwnd(), SW_SHOWNOACTIVATE);
        ASSERT_TRUE(window.Background());
        ASSERT_TRUE(window.first.m_bmpNormal);
        EXPECT_EQ(window.cuts, 1);
        {
            win::WindowDc screen(nullptr);
            win::MemoryDc normal(screen, window.first.m_bmpNormal.Get());
            EXPECT_EQ(PixelRgb(normal, 0, 0), 0xC00000u);
        }
        ShowWindow(window.Hwnd(), SW_HIDE);
        ShowWindow(window.Hwnd(), SW_SHOWNOACTIVATE);
        EXPECT_EQ(window.cuts, 1);
        DestroyWindow(window.Hwnd());
    }

}

TEST_F(SkinnedWindowTest, APictureUnreadableWhenFirstWantedIsNamedOnceAndTheWindowStaysPlain) {
    WriteSkin();
    WhenShownSkinnedWindow window;
    ASSERT_TRUE(window.Create(nullptr));
    ASSERT_TRUE(DeleteFileW((folder + L"Skins\\normal.bmp").c_str()));
    ASSERT_TRUE(DeleteFileW((folder + L"Skins\\down.bmp").c_str()));
    ShowWindow(window.Hwnd(), SW_SHOWNOACTIVATE);
    RedrawWindow(window.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    // The pressed look is first wanted: its picture is gone too.
    window.first.SetCheck(true);
    RedrawWindow(window.first.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_FALSE(window.Background());
    EXPECT_FALSE(window.first.m_bmpDown);
    EXPECT_GE(window.paints, 1);

    const std::vector<std::wstring> told = DrainClosingErrorBoxes();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_NE(told[0].find(folder + L"Skins\\normal.bmp"), std::wstring::npos) << told[0];
    EXPECT_NE(told[1].find(folder + L"Skins\\down.bmp"), std::wstring::npos) << told[1];

    // Once: showing and drawing again tell nothing more, and the window still paints.
    const int paints = window.paints;
    ShowWindow(window.Hwnd(), SW_HIDE);
    ShowWindow(window.Hwnd(), SW_SHOWNOACTIVATE);
    RedrawWindow(window.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(DrainClosingErrorBoxes().empty());
    EXPECT_GT(window.paints, paints);
    DestroyWindow(window.Hwnd());
}

TEST_F(SkinnedWindowTest, MissingSkinGivesASafeWindow) {
    TestSkinnedWindow window;
    ASSERT_TRUE(window.Create(nullptr));
    RECT rect{};
    GetWindowRect(window.Hwnd(), &rect);
    EXPECT_GT(rect.right - rect.left, 0);  // keeps its template size
    win::UniqueRegion outline(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(window.Hwnd(), outline.Get()), ERROR);  // no outline
    ASSERT_NE(window.first.Hwnd(), nullptr);
    EXPECT_FALSE(window.first.m_bmpNormal);
    EXPECT_EQ(window.Lang().Get(0), u"");
    ShowWindow(window.Hwnd(), SW_SHOWNOACTIVATE);
    RedrawWindow(window.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GE(window.paints, 1);
    DestroyWindow(window.Hwnd());
}

TEST_F(SkinnedWindowTest, PressOnTheSurfaceStartsAMoveOfTheWindow) {
    WriteSkin();
    class Watching : public TestSkinnedWindow {
    public:
        LPARAM movePoint = -1;

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_NCLBUTTONDOWN && wParam == HTCAPTION) {
                movePoint = lParam;
                return 0;  // the test does not run the system's move loop
            }
            return TestSkinnedWindow::WindowProc(message, wParam, lParam);
        }
    } window;
    ASSERT_TRUE(window.Create(nullptr));
    SetWindowPos(window.Hwnd(), nullptr, 100, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageW(window.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 30));
    ASSERT_TRUE(PumpUntil([&] { return window.movePoint != -1; }));
    EXPECT_EQ(GET_X_LPARAM(window.movePoint), 140);
    EXPECT_EQ(GET_Y_LPARAM(window.movePoint), 80);
    DestroyWindow(window.Hwnd());
}
