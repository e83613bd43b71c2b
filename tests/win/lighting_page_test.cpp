// The lighting and advanced pages as windows: what clicks, typed values, slider
// releases and menu commands do to the current profile and to the controls.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "config/shared_config.h"
#include "lighting/colour_picker.h"
#include "lighting/win/adv_ctrl_panel.h"
#include "lighting/win/light_ctrl_panel.h"
#include "skin/app_dir.h"
#include "tests/win/lighting_test_bitmaps.h"

using namespace tavrel;
using tavrel::test::PumpPending;

namespace {

std::u16string TextOf(HWND hwnd) {
    wchar_t buffer[64] = {};
    GetWindowTextW(hwnd, buffer, 64);
    return reinterpret_cast<const char16_t*>(buffer);
}

void Type(HWND edit, const wchar_t* text) { SetWindowTextW(edit, text); }

class Host : public win::Window {};

// A program folder holding the two thumb pictures; no layout files, so the pages
// get empty skins but real sliders.
class PageTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring dir = tavrel::test::MakeTempFolder(L"light_page");
        CreateDirectoryW((dir + L"Skins").c_str(), nullptr);
        ASSERT_TRUE(tavrel::test::WriteThumbBmp(dir + L"Skins\\arrow_below.bmp", 11, 14));
        ASSERT_TRUE(tavrel::test::WriteThumbBmp(dir + L"Skins\\arrow_left.bmp", 12, 18));
        const std::wstring exe = dir + L"Tavrel.exe";
        SetAppDir(std::u16string(exe.begin(), exe.end()));

        working_ = std::make_unique<SharedConfig>();
        applied_ = std::make_unique<SharedConfig>();
        SetDefaultProfiles(*working_);
        working_->CurrentProfile = 1;
        P().LtEffectType = 2;
        P().iRGBRed = 10;
        P().iRGBGreen = 20;
        P().iRGBBlue = 30;
        P().iCrlSliderPos = 1530;
        P().iLtPulsation = 2;
        *applied_ = *working_;
    }

    void Open(bool visible = false) {
        ASSERT_TRUE(host_.CreateEx(0, L"host", WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0, 800, 300, nullptr));
        page_ = std::make_unique<CDlgLightCtrlPanel>(*working_, *applied_);
        ASSERT_TRUE(page_->Create(host_.Hwnd()));
        page_->RefreshFromProfile();
        PumpPending();
    }

    void TearDown() override {
        page_.reset();
        adv_.reset();
    }

    ProfileRecord& P() { return CurrentProfile(*working_); }
    HWND Edit(Channel c) { return page_->EditBox(c); }
    void Click(int x, int y) {
        SendMessageW(page_->Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(page_->Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        PumpPending();
    }
    Rgb ProfileColour() { return {P().iRGBRed, P().iRGBGreen, P().iRGBBlue}; }

    std::unique_ptr<SharedConfig> working_, applied_;
    Host host_;
    std::unique_ptr<CDlgLightCtrlPanel> page_;
    std::unique_ptr<CDlgAdvCtrlPanel> adv_;
};

}  // namespace

TEST_F(PageTest, RefreshLoadsBoxesSlidersAndEnabling) {
    Open();
    EXPECT_EQ(TextOf(Edit(Channel::Red)), u"10");
    EXPECT_EQ(TextOf(Edit(Channel::Blue)), u"30");
    EXPECT_EQ(page_->Slider(Channel::Green).GetPos(), 235);
    EXPECT_EQ(page_->HueSlider().GetPos(), 1530);
    EXPECT_EQ(SendMessageW(Edit(Channel::Red), EM_GETLIMITTEXT, 0, 0), 3);
    EXPECT_TRUE(IsWindowEnabled(page_->Slider(Channel::Red).Hwnd()));
    EXPECT_TRUE(IsWindowEnabled(Edit(Channel::Red)));
    EXPECT_FALSE(IsWindowEnabled(page_->SpeedButton().Hwnd()));
    EXPECT_EQ(page_->SpeedButton().m_strCaption, u" ");
    EXPECT_EQ(ProfileColour(), (Rgb{10, 20, 30}));  // creating the page changed nothing
}

TEST_F(PageTest, TypingClampsToTheComponentRange) {
    Open();
    Type(Edit(Channel::Red), L"300");
    EXPECT_EQ(TextOf(Edit(Channel::Red)), u"255");
    EXPECT_EQ(P().iRGBRed, 255);
    EXPECT_EQ(page_->Slider(Channel::Red).GetPos(), 0);
    Type(Edit(Channel::Green), L"");
    EXPECT_EQ(P().iRGBGreen, 0);
    EXPECT_EQ(page_->Slider(Channel::Green).GetPos(), 255);
    Type(Edit(Channel::Blue), L"77");
    EXPECT_EQ(P().iRGBBlue, 77);
    EXPECT_EQ(page_->Model().Edited(), (Rgb{255, 0, 77}));
}

TEST_F(PageTest, EditBoxesAreColouredByTheirValue) {
    Open();
    Type(Edit(Channel::Red), L"200");
    HDC dc = GetDC(Edit(Channel::Red));
    const LRESULT brush = SendMessageW(page_->Hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(Edit(Channel::Red)));
    EXPECT_EQ(GetTextColor(dc), RGB(55, 255, 255));
    LOGBRUSH lb{};
    ASSERT_TRUE(GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof(lb), &lb));
    EXPECT_EQ(lb.lbColor, RGB(200, 0, 0));
    ReleaseDC(Edit(Channel::Red), dc);
}

TEST_F(PageTest, PaletteClickPicksOnlyWhenTheEffectAllows) {
    Open();
    Click(kPaletteCentre.x, kPaletteCentre.y);
    EXPECT_EQ(ProfileColour(), (Rgb{127, 63, 63}));
    EXPECT_EQ(TextOf(Edit(Channel::Green)), u"63");
    EXPECT_EQ(page_->Slider(Channel::Red).GetPos(), 128);
    EXPECT_EQ(GetCapture(), nullptr);

    for (int effect : {1, 4, 5}) {
        P().LtEffectType = effect;
        P().iRGBRed = 1;
        page_->RefreshFromProfile();
        EXPECT_FALSE(IsWindowEnabled(Edit(Channel::Red))) << effect;
        EXPECT_FALSE(IsWindowEnabled(page_->HueSlider().Hwnd())) << effect;
        Click(110, 80);
        EXPECT_EQ(P().iRGBRed, 1) << effect;
    }
}

TEST_F(PageTest, DraggingInThePaletteFollowsThePointer) {
    Open();
    SendMessageW(page_->Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(102, 75));
    EXPECT_EQ(GetCapture(), page_->Hwnd());
    EXPECT_EQ(ProfileColour(), (Rgb{255, 255, 255}));
    SendMessageW(page_->Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kPaletteCentre.x, kPaletteCentre.y));
    EXPECT_EQ(ProfileColour(), (Rgb{127, 63, 63}));
    SendMessageW(page_->Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(400, 100));  // off the palette
    EXPECT_EQ(page_->Model().PickPoint(), kPaletteCentre);
    SendMessageW(page_->Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(400, 100));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(page_->Model().Picking());
}

TEST_F(PageTest, HueBarClickSetsTheHueAndRepicksAtTheMarker) {
    Open();
    Click(290, 75);
    EXPECT_EQ(P().iCrlSliderPos, 1530);
    EXPECT_EQ(page_->HueSlider().GetPos(), 1530);
    Click(290, 238);
    EXPECT_EQ(P().iCrlSliderPos, 10);

    Click(290, 130);  // hue 513
    EXPECT_EQ(P().iCrlSliderPos, 1530 - 513);
    Palette expected;
    expected.Update(HueToColour(513));
    EXPECT_EQ(ProfileColour(), expected.ColourAt(kPaletteCentre));

    P().LtEffectType = 4;  // no chosen colour: the hue moves, the colour stays
    page_->RefreshFromProfile();
    const Rgb before = ProfileColour();
    Click(290, 200);
    EXPECT_EQ(P().iCrlSliderPos, 1530 - (200 - 75) * 1530 / 164);
    EXPECT_EQ(ProfileColour(), before);
}

TEST_F(PageTest, ColourSliderReleaseTakesTheReversedPosition) {
    Open();
    page_->Slider(Channel::Green).SetPos(55);
    PostMessageW(page_->Hwnd(), WM_SLIDER_RELEASED, 0, kSliderIdGreen);
    PumpPending();
    EXPECT_EQ(P().iRGBGreen, 200);
    EXPECT_EQ(TextOf(Edit(Channel::Green)), u"200");
}

TEST_F(PageTest, MenuCommandsSetEffectAndSpeed) {
    Open();
    SendMessageW(page_->Hwnd(), WM_COMMAND, 2007, 0);
    EXPECT_EQ(P().LtEffectType, 3);
    EXPECT_TRUE(IsWindowEnabled(page_->SpeedButton().Hwnd()));
    EXPECT_EQ(page_->SpeedButton().m_strCaption, u"6");
    SendMessageW(page_->Hwnd(), WM_COMMAND, 2011, 0);
    EXPECT_EQ(P().iLtPulsation, 3);
    EXPECT_EQ(page_->SpeedButton().m_strCaption, u"9");
    SendMessageW(page_->Hwnd(), WM_COMMAND, 2005, 0);
    EXPECT_EQ(P().LtEffectType, 1);
    EXPECT_FALSE(IsWindowEnabled(page_->SpeedButton().Hwnd()));
    EXPECT_FALSE(IsWindowEnabled(Edit(Channel::Blue)));
    EXPECT_EQ(page_->SpeedButton().m_strCaption, u" ");
    SendMessageW(page_->Hwnd(), WM_COMMAND, 2012, 0);
    EXPECT_EQ(P().LtEffectType, 5);
    SendMessageW(page_->Hwnd(), WM_COMMAND, 2013, 0);  // not a menu command
    EXPECT_EQ(P().LtEffectType, 5);
}

TEST_F(PageTest, UnknownEffectKeepsTheEnablingAndEmptiesTheName) {
    Open();
    page_->EffectButton().m_strCaption = u"before";
    P().LtEffectType = 6;
    page_->RefreshFromProfile();
    EXPECT_EQ(page_->EffectButton().m_strCaption, u"");
    EXPECT_TRUE(IsWindowEnabled(Edit(Channel::Red)));  // as effect 2 left it
}

TEST_F(PageTest, PaletteIsComputedOnlyForANewHue) {
    Open();
    const int computed = page_->PaletteComputations();
    page_->DrawPalette();
    page_->RefreshFromProfile();
    EXPECT_EQ(page_->PaletteComputations(), computed);
    Click(290, 150);
    EXPECT_EQ(page_->PaletteComputations(), computed + 1);
}

TEST_F(PageTest, ShownPageShowsPaletteAndAppliedSwatch) {
    Open(true);
    CurrentProfile(*applied_).iRGBRed = 0x1FF;  // low byte only
    CurrentProfile(*applied_).iRGBGreen = 2;
    CurrentProfile(*applied_).iRGBBlue = 3;
    Type(Edit(Channel::Red), L"9");  // editing does not touch the applied swatch
    ShowWindow(page_->Hwnd(), SW_HIDE);
    MoveWindow(page_->Hwnd(), 0, 0, 785, 267, FALSE);  // no skin picture gives it no size of its own
    ShowWindow(page_->Hwnd(), SW_SHOW);
    SetTimer(page_->Hwnd(), kPaletteTimerId, 10, nullptr);
    UpdateWindow(page_->Hwnd());
    const DWORD until = GetTickCount() + 2000;
    HDC dc = GetDC(page_->Hwnd());
    // The palette (red hue) once the page has painted and the timer ran; the marker
    // circle around the centre passes through (181, 157).
    const COLORREF inside = RGB(127, 62, 62);  // column 84 of row 82
    while (GetPixel(dc, 186, 157) != inside && GetTickCount() < until) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpPending();
    }
    EXPECT_EQ(GetPixel(dc, 186, 157), inside);
    Palette red;
    red.Update({255, 0, 0});
    const Rgb under = red.ColourAt({181, 157});
    EXPECT_EQ(GetPixel(dc, 181, 157), RGB(255 - under.red, 255 - under.green, 255 - under.blue))
        << "the marker inverts its circle";
    EXPECT_EQ(GetPixel(dc, 102, 75), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 400, 120), RGB(255, 2, 3));   // applied swatch
    EXPECT_EQ(GetPixel(dc, 600, 120), RGB(9, 20, 30));   // edited swatch

    // A drag that moves to the point the marker is on leaves the marker as it was.
    const auto markerPixels = [&] {
        std::vector<COLORREF> pixels;
        for (int y = kPaletteCentre.y - 6; y <= kPaletteCentre.y + 6; ++y)
            for (int x = kPaletteCentre.x - 6; x <= kPaletteCentre.x + 6; ++x) pixels.push_back(GetPixel(dc, x, y));
        return pixels;
    };
    const std::vector<COLORREF> before = markerPixels();
    SendMessageW(page_->Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kPaletteCentre.x, kPaletteCentre.y));
    SendMessageW(page_->Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kPaletteCentre.x, kPaletteCentre.y));
    SendMessageW(page_->Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(kPaletteCentre.x, kPaletteCentre.y));
    EXPECT_EQ(ProfileColour(), (Rgb{127, 63, 63})) << "the move picked";
    EXPECT_EQ(markerPixels(), before) << "the marker stays drawn";
    ReleaseDC(page_->Hwnd(), dc);
}

// ---- the advanced page

TEST_F(PageTest, RateButtonsAndResponseMenuAreCoupled) {
    ASSERT_TRUE(host_.CreateEx(0, L"host", WS_POPUP, 0, 0, 800, 300, nullptr));
    adv_ = std::make_unique<CDlgAdvCtrlPanel>(*working_);
    ASSERT_TRUE(adv_->Create(host_.Hwnd()));
    P().PollingRate = 1;
    P().iResponTime = 2;
    adv_->RefreshFromProfile();
    EXPECT_TRUE(adv_->Button500Hz().m_bChecked);
    EXPECT_EQ(adv_->Button1000Hz().m_strCaption, u"1000 HZ");
    EXPECT_EQ(adv_->ResponseTimeButton().m_strCaption, u"2 ms");

    auto click = [&](CBitmapBtn& b) {
        SendMessageW(adv_->Hwnd(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(b.Hwnd()));
    };
    click(adv_->Button1000Hz());
    EXPECT_EQ(P().PollingRate, 2);
    EXPECT_EQ(P().iResponTime, 1);
    EXPECT_EQ(adv_->ResponseTimeButton().m_strCaption, u"1 ms");
    EXPECT_TRUE(adv_->Button1000Hz().m_bChecked);
    EXPECT_FALSE(adv_->Button500Hz().m_bChecked);

    SendMessageW(adv_->Hwnd(), WM_COMMAND, 2002, 0);
    EXPECT_EQ(P().PollingRate, 1);
    EXPECT_EQ(P().iResponTime, 2);
    EXPECT_TRUE(adv_->Button500Hz().m_bChecked);
    EXPECT_EQ(adv_->ResponseTimeButton().m_strCaption, u"2 ms");

    P().PollingRate = 3;
    P().iResponTime = 8;
    adv_->RefreshFromProfile();
    EXPECT_TRUE(adv_->Button500Hz().m_bChecked);
    EXPECT_FALSE(adv_->Button1000Hz().m_bChecked);
    EXPECT_EQ(P().PollingRate, 3);
    EXPECT_EQ(adv_->ResponseTimeButton().m_strCaption, u"8 ms");
}
