// The skinned slider's windows: creation, the thumb's shape, positions and the
// messages a drag and a release send to the page.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "skin/win/slider_click.h"
#include "tests/win/lighting_test_bitmaps.h"

using namespace tavrel;
using tavrel::test::PumpPending;

namespace {

struct Posted {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// The page: a top-level window that records what its sliders tell it.
class RecordingParent : public win::Window {
public:
    std::vector<Posted> received;
    int Count(UINT message) const {
        int n = 0;
        for (const Posted& p : received) n += p.message == message;
        return n;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SLIDER_POS || message == WM_SLIDER_RELEASED) {
            received.push_back({message, wParam, lParam});
            return 0;
        }
        return Window::WindowProc(message, wParam, lParam);
    }
};

class SliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = tavrel::test::MakeTempFolder(L"slider_test");
        thumbH_ = dir_ + L"below.bmp";
        thumbV_ = dir_ + L"left.bmp";
        ASSERT_TRUE(tavrel::test::WriteThumbBmp(thumbH_, 11, 14));
        ASSERT_TRUE(tavrel::test::WriteThumbBmp(thumbV_, 12, 18));
        ASSERT_TRUE(parent_.CreateEx(0, L"slider parent", WS_POPUP, 0, 0, 700, 300, nullptr));
    }

    bool MakeHorizontal(CClickSlider& s, int id = 107) {
        if (!s.Create(thumbH_, thumbH_, thumbH_, parent_.Hwnd(), id, true, RECT{407, 142, 639, 156})) return false;
        s.SetRange(0, 255);
        return true;
    }
    bool MakeVertical(CClickSlider& s) {
        if (!s.Create(thumbV_, thumbV_, thumbV_, parent_.Hwnd(), 110, false, RECT{304, 66, 324, 250})) return false;
        s.SetRange(0, 1530);
        return true;
    }

    std::wstring dir_, thumbH_, thumbV_;
    RecordingParent parent_;
};

}  // namespace

TEST_F(SliderTest, MissingFirstThumbPictureFailsTrackAndThumb) {
    CClickSlider s;
    EXPECT_FALSE(s.Create(dir_ + L"absent.bmp", thumbH_, thumbH_, parent_.Hwnd(), 107, true, RECT{0, 0, 100, 14}));
    EXPECT_EQ(s.Hwnd(), nullptr);
    CPSlider thumb;
    EXPECT_FALSE(thumb.Create(dir_ + L"absent.bmp", thumbH_, thumbH_, parent_.Hwnd(), 107, {0, 0, 100, 14}));
    EXPECT_EQ(thumb.Hwnd(), nullptr);
}

TEST_F(SliderTest, SetPosPlacesTheMaximumAtTheLeftAndClampsOutOfRange) {
    CClickSlider s;
    ASSERT_TRUE(MakeHorizontal(s));
    ASSERT_NE(s.m_thumb.Hwnd(), nullptr);
    EXPECT_EQ(GetParent(s.m_thumb.Hwnd()), s.Hwnd());

    s.SetPos(255);
    EXPECT_EQ(s.m_thumb.RectInTrack().left, 0);
    EXPECT_EQ(s.GetPos(), 255);
    s.SetPos(0);
    EXPECT_EQ(s.m_thumb.RectInTrack().left, 232 - 11);
    EXPECT_EQ(s.m_thumb.RectInTrack().right, 232);
    for (int v : {300, -5}) {
        s.SetPos(v);
        EXPECT_EQ(s.GetPos(), 0) << v;
    }
}

TEST_F(SliderTest, ThumbIsCutToItsPictureAndTransparent) {
    CClickSlider s;
    ASSERT_TRUE(MakeHorizontal(s));
    HWND thumb = s.m_thumb.Hwnd();
    EXPECT_TRUE(GetWindowLongPtrW(thumb, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    win::UniqueRegion rgn(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(thumb, rgn.Get()), ERROR);
    EXPECT_FALSE(PtInRegion(rgn.Get(), 0, 0));    // magenta corner
    EXPECT_FALSE(PtInRegion(rgn.Get(), 10, 7));   // magenta right column
    EXPECT_TRUE(PtInRegion(rgn.Get(), 5, 7));     // the black body
    RECT box{};
    GetRgnBox(rgn.Get(), &box);
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(box.top, 1);
    EXPECT_EQ(box.bottom, 13);
}

TEST_F(SliderTest, DraggingToTheLeftEndReportsPositionsAndOneRelease) {
    CClickSlider s;
    ASSERT_TRUE(MakeHorizontal(s));
    s.SetPos(100);
    HWND thumb = s.m_thumb.Hwnd();
    SendMessageW(thumb, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 7));
    EXPECT_EQ(GetCapture(), thumb);
    SendMessageW(thumb, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-60), 7));
    SendMessageW(thumb, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-500), 7));
    EXPECT_EQ(s.m_thumb.m_nThumbState, 3);
    EXPECT_EQ(s.m_thumb.RectInTrack().left, 0);
    SendMessageW(thumb, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 7));  // reports the left end
    SendMessageW(thumb, WM_LBUTTONUP, 0, MAKELPARAM(5, 7));
    PumpPending();

    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(s.m_thumb.m_nThumbState, 1);
    EXPECT_EQ(s.GetPos(), 255);
    ASSERT_GE(parent_.Count(WM_SLIDER_POS), 3);
    EXPECT_EQ(parent_.Count(WM_SLIDER_RELEASED), 1);
    EXPECT_EQ(parent_.received.back().message, WM_SLIDER_RELEASED);
    EXPECT_EQ(parent_.received.back().lParam, 107);
    // Positions during the drag: reversed and within the range, the last at the left end.
    for (const Posted& p : parent_.received) {
        if (p.message != WM_SLIDER_POS) continue;
        EXPECT_EQ(p.lParam, 107);
        EXPECT_LE(p.wParam, 255u);
    }
    EXPECT_EQ(parent_.received[parent_.received.size() - 2].wParam, 255u);
    EXPECT_EQ(s.m_nPos, 255);
}

TEST_F(SliderTest, DroppingAtTheTopOfAVerticalSliderGivesTheMaximum) {
    CClickSlider s;
    ASSERT_TRUE(MakeVertical(s));
    s.SetPos(0);
    EXPECT_EQ(s.m_thumb.RectInTrack().top, 184 - 18);
    HWND thumb = s.m_thumb.Hwnd();
    SendMessageW(thumb, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 9));
    SendMessageW(thumb, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6, static_cast<WORD>(-1000)));
    EXPECT_EQ(s.m_thumb.RectInTrack().top, 0);
    SendMessageW(thumb, WM_LBUTTONUP, 0, MAKELPARAM(6, 9));
    PumpPending();
    EXPECT_EQ(s.GetPos(), 1530);
    EXPECT_EQ(parent_.Count(WM_SLIDER_RELEASED), 1);
    EXPECT_EQ(parent_.received.back().lParam, 110);
}

TEST_F(SliderTest, ClickOnTheTrackReleasesOnceWithoutMovingTheThumb) {
    CClickSlider s;
    ASSERT_TRUE(MakeHorizontal(s, 109));
    s.SetPos(200);
    const RECT before = s.m_thumb.RectInTrack();
    SendMessageW(s.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 7));
    SendMessageW(s.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(150, 7));
    PumpPending();
    EXPECT_EQ(s.GetPos(), 200);
    const RECT after = s.m_thumb.RectInTrack();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(parent_.Count(WM_SLIDER_RELEASED), 1);
    EXPECT_EQ(parent_.Count(WM_SLIDER_POS), 0);
    EXPECT_EQ(parent_.received.back().lParam, 109);
}

TEST_F(SliderTest, MovingOverTheTrackWithTheButtonHeldReportsAReversedPosition) {
    CClickSlider s;
    ASSERT_TRUE(MakeHorizontal(s));
    SendMessageW(s.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(116, 7));
    SendMessageW(s.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 7));                     // no button
    SendMessageW(s.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, MAKELPARAM(10, 7));  // not exactly left
    PumpPending();
    ASSERT_EQ(parent_.Count(WM_SLIDER_POS), 1);
    EXPECT_EQ(parent_.received[0].wParam, static_cast<WPARAM>(255 - 255 * 116 / 232));
    EXPECT_EQ(s.GetPos(), 0);  // only a report: the thumb keeps its position
}

// With real mouse input the press lands on the shaped thumb (not on its cut-away
// corner), the drag follows the pointer and the release reaches the page once.
TEST_F(SliderTest, RealMouseDragReleasesOnce) {
    ShowWindow(parent_.Hwnd(), SW_SHOW);
    SetForegroundWindow(parent_.Hwnd());
    CClickSlider s;
    ASSERT_TRUE(MakeHorizontal(s));
    s.SetPos(0);  // right end
    UpdateWindow(parent_.Hwnd());
    PumpPending();

    RECT thumb{};
    GetWindowRect(s.m_thumb.Hwnd(), &thumb);
    const POINT press{thumb.left + 5, thumb.top + 7};
    EXPECT_EQ(WindowFromPoint(press), s.m_thumb.Hwnd());
    EXPECT_EQ(WindowFromPoint(POINT{thumb.left, thumb.top}), s.Hwnd());  // the cut-away corner

    // Injects one mouse event and runs messages until `done` holds (or 3 s pass).
    auto mouse = [](DWORD flags, int x, int y, const std::function<bool()>& done) {
        SetCursorPos(x, y);
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = flags;
        SendInput(1, &in, sizeof(in));
        const DWORD until = GetTickCount() + 3000;
        while (!done() && GetTickCount() < until) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            PumpPending();
        }
        return done();
    };
    HWND thumbHwnd = s.m_thumb.Hwnd();
    ASSERT_TRUE(mouse(MOUSEEVENTF_LEFTDOWN, press.x, press.y, [&] { return GetCapture() == thumbHwnd; }));
    for (int x = press.x - 40; x >= press.x - 400; x -= 40) {
        const size_t seen = parent_.received.size();
        mouse(MOUSEEVENTF_MOVE, x, press.y, [&] { return parent_.received.size() > seen; });
    }
    ASSERT_TRUE(mouse(MOUSEEVENTF_LEFTUP, press.x - 400, press.y,
                      [&] { return parent_.Count(WM_SLIDER_RELEASED) >= 1; }));
    PumpPending();

    EXPECT_EQ(s.m_thumb.RectInTrack().left, 0);
    EXPECT_EQ(s.GetPos(), 255);
    EXPECT_EQ(parent_.Count(WM_SLIDER_RELEASED), 1);
    EXPECT_GE(parent_.Count(WM_SLIDER_POS), 1);
    ShowWindow(parent_.Hwnd(), SW_HIDE);
}
