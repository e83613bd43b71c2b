// The advanced page: two cards, the report rate with its two option buttons
// (keys "1" for 500 Hz and "0" for 1000 Hz, captions right-aligned) under string 301
// at (73, 100), and the response time with its menu button (key "20") under string
// 303 at (435, 100).
#include "tools/skingen/default_windows.h"
#include "tools/skingen/theme.h"

namespace skingen {

namespace {

using namespace theme;

constexpr Rect kRateCard{53, 80, 373, 196};
constexpr Rect kTimeCard{415, 80, 735, 196};

void PaintSignal(Canvas& c, int x, int y, int bars) {
    for (int i = 0; i < 4; ++i) {
        int h = 5 + i * 4;
        c.FillRoundRect(XYWH(x + i * 7, y - h, 5, h), 1, i < bars ? kAccent : kLine);
    }
}

void PaintClock(Canvas& c, double cx, double cy) {
    c.FillCircle(cx, cy, 10, kAccent);
    c.FillCircle(cx, cy, 8, kPanel);
    c.Line(cx, cy, cx, cy - 6, 1.6, kAccent);
    c.Line(cx, cy, cx + 4.5, cy + 2, 1.6, kAccent);
}

void PaintBackground(Canvas& c) {
    c.VerticalGradient({0, 0, kPageWidth, kPageHeight}, kBody, Rgb(236, 233, 234));
    PaintCard(c, kRateCard);
    PaintCard(c, kTimeCard);
    PaintSignal(c, kRateCard.right - 44, 116, 3);
    PaintClock(c, kTimeCard.right - 30, 106);
    PaintSeparator(c, kRateCard.left + 12, kRateCard.right - 12, 122);
    PaintSeparator(c, kTimeCard.left + 12, kTimeCard.right - 12, 122);
}

}  // namespace

WindowDesign AdvancedPageDesign() {
    WindowDesign d;
    d.layoutFile = "Skin_color_control.ini";
    d.imageStem = "advanced";
    d.width = kPageWidth;
    d.height = kPageHeight;
    d.paintBackground = PaintBackground;
    d.buttons = {
        Button{"1", "Rate500", XYWH(73, 138, 130, 34), Look::Radio, Captions::Dark, "", false},
        Button{"0", "Rate1000", XYWH(223, 138, 130, 34), Look::Radio, Captions::Dark, "", false},
        Button{"20", "ResponseTime", XYWH(435, 138, 150, 34), Look::Dropdown, Captions::Dark, "", false},
    };
    return d;
}

}  // namespace skingen
