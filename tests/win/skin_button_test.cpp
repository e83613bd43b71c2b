#include <gtest/gtest.h>

#include "skin/win/bitmap_btn.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include "window_test_support.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

constexpr uint32_t kNormal = 0xC00000, kOver = 0x00C000, kDown = 0x0000C0, kDisabled = 0x808080;

class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.Create(200, 100));
        normal.Reset(MakeBitmap(200, 100, [](int, int) { return kNormal; }));
        over.Reset(MakeBitmap(200, 100, [](int, int) { return kOver; }));
        down.Reset(MakeBitmap(200, 100, [](int, int) { return kDown; }));
        disabled.Reset(MakeBitmap(200, 100, [](int, int) { return kDisabled; }));
        ASSERT_TRUE(button.Create(parent.Hwnd(), rect));
        button.SetImages(normal.Get(), over.Get(), down.Get(), disabled.Get(), rect);
        PumpPending();
        parent.records.clear();
    }
    void TearDown() override { g_bBtnPressed = false; }

    // Asks the parent to have the button drawn into a memory DC; returns a pixel.
    uint32_t DrawnPixel(UINT itemState, int x = 3, int y = 3) {
        win::WindowDc screen(nullptr);
        win::MemoryDc canvas(screen, 40, 20);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = itemState;
        item.hwndItem = button.Hwnd();
        item.hDC = canvas;
        item.rcItem = RECT{0, 0, 40, 20};
        SendMessageW(parent.Hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
        return PixelRgb(canvas, x, y);
    }
    void Click() {
        SendMessageW(button.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageW(button.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        PumpPending();
    }
    size_t ClicksFromButton() const {
        size_t n = 0;
        for (const auto& r : parent.records) {
            n += r.message == WM_COMMAND && reinterpret_cast<HWND>(r.lParam) == button.Hwnd() &&
                 HIWORD(r.wParam) == BN_CLICKED && LOWORD(r.wParam) == 0;
        }
        return n;
    }

    const RECT rect{20, 10, 60, 30};
    RecordingWindow parent;
    CBitmapBtn button;
    win::UniqueBitmap normal, over, down, disabled;
};

}  // namespace

TEST_F(ButtonTest, CreatedOwnerDrawnWithIdZeroAndNoTabStop) {
    const LONG_PTR style = GetWindowLongPtrW(button.Hwnd(), GWL_STYLE);
    EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_FALSE(style & WS_TABSTOP);
    EXPECT_FALSE(style & WS_BORDER);
    EXPECT_EQ(GetDlgCtrlID(button.Hwnd()), 0);
    RECT client{};
    GetClientRect(button.Hwnd(), &client);
    EXPECT_EQ(client.right, 40);
    EXPECT_EQ(client.bottom, 20);
    EXPECT_EQ(button.m_crText, RGB(163, 25, 48));
    EXPECT_EQ(button.m_nFontHeight, 13);
    EXPECT_EQ(button.m_uLineFormat, static_cast<UINT>(DT_SINGLELINE));
}

TEST_F(ButtonTest, DrawsThePictureOfItsState) {
    EXPECT_EQ(DrawnPixel(0), kNormal);
    EXPECT_EQ(DrawnPixel(ODS_SELECTED), kDown);
    EXPECT_EQ(DrawnPixel(ODS_DISABLED), kDisabled);
    button.m_bHover = true;
    EXPECT_EQ(DrawnPixel(0), kOver);
    button.m_bHover = false;
    button.SetCheck(true);
    EXPECT_EQ(DrawnPixel(0), kDown);
    EXPECT_EQ(DrawnPixel(ODS_DISABLED), kDisabled);  // disabled normal button, checked
    button.m_bToggle = true;
    EXPECT_EQ(DrawnPixel(ODS_DISABLED), kDown);      // disabled toggle, checked
    button.SetCheck(false);
    button.m_bHover = true;
    EXPECT_EQ(DrawnPixel(0), kNormal);               // a toggle has no over picture
}

TEST_F(ButtonTest, CaptionIsDrawnOverThePictureInTheStateColour) {
    button.m_strCaption = u"WWWWWW";
    button.m_nFontHeight = 18;
    button.m_nFontWeight = 800;
    button.m_crText = RGB(255, 255, 0);
    auto containsColour = [&](UINT state, uint32_t rgb) {
        win::WindowDc screen(nullptr);
        win::MemoryDc canvas(screen, 40, 20);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.itemState = state;
        item.hwndItem = button.Hwnd();
        item.hDC = canvas;
        item.rcItem = RECT{0, 0, 40, 20};
        SendMessageW(parent.Hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x)
                if (PixelRgb(canvas, x, y) == rgb) return true;
        return false;
    };
    EXPECT_TRUE(containsColour(0, 0xFFFF00));
    EXPECT_TRUE(containsColour(0, kNormal));          // the picture is still behind the text
    EXPECT_TRUE(containsColour(ODS_SELECTED, 0xFFFFFF));  // m_crPressed
    EXPECT_FALSE(containsColour(ODS_SELECTED, 0xFFFF00));
}

TEST_F(ButtonTest, AButtonShowingTheBackgroundDrawsItsOwnPartOfIt) {
    // Each pixel of the background has its own colour, so a wrong origin shows.
    win::UniqueBitmap background;
    button.m_bmpNormal.Reset();
    button.ShowBackgroundPart(background, rect);
    EXPECT_EQ(DrawnPixel(0), 0x000000u);  // not read yet: nothing is drawn
    background.Reset(MakeBitmap(200, 100, [](int x, int y) { return static_cast<uint32_t>(x << 8 | y); }));
    EXPECT_EQ(DrawnPixel(0, 3, 4), static_cast<uint32_t>(23 << 8 | 14));
    EXPECT_EQ(DrawnPixel(ODS_SELECTED), kDown);  // the other states keep their pictures
    button.m_strCaption = u"W";
    EXPECT_EQ(DrawnPixel(0, 1, 2), static_cast<uint32_t>(21 << 8 | 12));
}

TEST_F(ButtonTest, NormalButtonNotifiesItsParentOncePerClick) {
    Click();
    EXPECT_EQ(ClicksFromButton(), 1u);
    EXPECT_EQ(parent.Count(WM_LBUTTONUP), 1u);
    const auto up = std::find_if(parent.records.begin(), parent.records.end(),
                                 [](const auto& r) { return r.message == WM_LBUTTONUP; });
    EXPECT_EQ(up->wParam, 0u);
    EXPECT_EQ(up->lParam, 0);
    EXPECT_FALSE(g_bBtnPressed);
}

TEST_F(ButtonTest, ToggleSendsExactlyOneCommandPerReleaseAndFlipsItsState) {
    button.m_bToggle = true;
    Click();
    EXPECT_TRUE(button.m_bChecked);
    EXPECT_EQ(ClicksFromButton(), 1u);
    Click();
    EXPECT_FALSE(button.m_bChecked);
    EXPECT_EQ(ClicksFromButton(), 2u);
    EXPECT_EQ(parent.Count(WM_LBUTTONUP), 2u);
}

TEST_F(ButtonTest, TheSecondOfTwoQuickClicksIsAClickToo) {
    Click();
    SendMessageW(button.Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpPending();
    EXPECT_EQ(ClicksFromButton(), 2u);
    EXPECT_EQ(parent.Count(WM_LBUTTONUP), 2u);
    EXPECT_FALSE(g_bBtnPressed);

    button.m_bToggle = true;
    Click();
    SendMessageW(button.Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpPending();
    EXPECT_FALSE(button.m_bChecked);  // flipped twice
    EXPECT_EQ(ClicksFromButton(), 4u);
}

TEST_F(ButtonTest, PressSetsTheSharedFlagUntilRelease) {
    SendMessageW(button.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(g_bBtnPressed);
    SendMessageW(button.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(g_bBtnPressed);
}

TEST_F(ButtonTest, MoveWithTheButtonAlreadyDownIsIgnored) {
    SendMessageW(button.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
    PumpPending();
    EXPECT_FALSE(button.m_bHover);
    EXPECT_EQ(parent.Count(WM_MOUSEMOVE), 0u);
}

TEST_F(ButtonTest, MoveIsForwardedInScreenCoordinates) {
    SetActiveWindow(parent.Hwnd());
    SendMessageW(button.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 6));
    PumpPending();
    ASSERT_EQ(parent.Count(WM_MOUSEMOVE), 1u);
    POINT expected{5, 6};
    ClientToScreen(button.Hwnd(), &expected);
    const auto& r = parent.records.back();
    EXPECT_EQ(GET_X_LPARAM(r.lParam), expected.x);
    EXPECT_EQ(GET_Y_LPARAM(r.lParam), expected.y);
}

TEST_F(ButtonTest, HoverHoldsTheCaptureUntilThePointerLeaves) {
    SetActiveWindow(parent.Hwnd());
    ASSERT_NE(GetActiveWindow(), nullptr);
    SendMessageW(button.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 6));
    EXPECT_TRUE(button.m_bHover);
    EXPECT_EQ(GetCapture(), button.Hwnd());
    g_bBtnPressed = true;
    // Left to the left of the button: hover and the shared pressed flag end.
    SendMessageW(button.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(-3, 6));
    EXPECT_FALSE(button.m_bHover);
    EXPECT_FALSE(g_bBtnPressed);
    EXPECT_NE(GetCapture(), button.Hwnd());
}

TEST_F(ButtonTest, SetCheckRepaintsOnlyOnAChange) {
    ValidateRect(button.Hwnd(), nullptr);
    button.SetCheck(false);
    EXPECT_FALSE(GetUpdateRect(button.Hwnd(), nullptr, FALSE));
    button.SetCheck(true);
    EXPECT_TRUE(GetUpdateRect(button.Hwnd(), nullptr, FALSE));
    EXPECT_TRUE(button.GetCheck());
}

TEST_F(ButtonTest, SetTipTextCreatesOneToolOnHoverAndUpdatesIt) {
    button.SetTipText(u"Apply");
    EXPECT_EQ(button.m_toolTip, nullptr);  // no window until the pointer comes
    MSG move{button.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2), 0, {}};
    button.PreTranslateMessage(move);
    ASSERT_NE(button.m_toolTip, nullptr);
    button.SetTipText(u"Apply now");
    EXPECT_EQ(SendMessageW(button.m_toolTip, TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t text[64] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = button.Hwnd();
    tool.uId = 1;
    tool.lpszText = text;
    SendMessageW(button.m_toolTip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::wstring(text), L"Apply now");
}
