// The game link dialog: title (800), two lines of explanation (801, 802), the two
// column headings (803 over the profile name field, key "1"; 808 over the game
// field, key "2", with the browse button, key "3"), two notes (804/809, 805/810),
// OK (key "4"), Cancel (key "5") and close (key "6").
#include "tools/skingen/default_windows.h"
#include "tools/skingen/theme.h"

namespace skingen {

namespace {

using namespace theme;

constexpr int kWidth = 460;
constexpr int kHeight = 452;
constexpr Rect kNameField = XYWH(24, 206, 124, 20);
constexpr Rect kGameField = XYWH(160, 206, 240, 20);

void PaintGamepad(Canvas& c, double cx, double cy) {
    c.FillRoundRect({int(cx) - 26, int(cy) - 12, int(cx) + 26, int(cy) + 12}, 11, kAccent);
    c.FillCircle(cx - 20, cy + 8, 10, kAccent);
    c.FillCircle(cx + 20, cy + 8, 10, kAccent);
    c.FillRect({int(cx) - 22, int(cy) - 2, int(cx) - 12, int(cy) + 2}, kPanel);
    c.FillRect({int(cx) - 19, int(cy) - 5, int(cx) - 15, int(cy) + 5}, kPanel);
    c.FillCircle(cx + 14, cy - 2, 2.5, kPanel);
    c.FillCircle(cx + 20, cy + 3, 2.5, kPanel);
}

void PaintBackground(Canvas& c) {
    PaintDialogBody(c, 8);
    PaintSeparator(c, 16, kWidth - 16, 52);
    PaintGamepad(c, 392, 80);
    PaintSeparator(c, 16, kWidth - 16, 162);
    PaintFieldFrame(c, kNameField);
    PaintFieldFrame(c, kGameField);
    PaintSeparator(c, 16, kWidth - 16, 262);
    PaintSeparator(c, 16, kWidth - 16, 400);
}

}  // namespace

WindowDesign GameLinkDesign() {
    WindowDesign d;
    d.layoutFile = "skin_Profile.ini";
    d.imageStem = "profile";
    d.width = kWidth;
    d.height = kHeight;
    d.cornerRadius = 8;
    d.paintBackground = PaintBackground;
    d.buttons = {
        Button{"4", "OK", XYWH(270, 412, 82, 28), Look::Push, Captions::Dark, "", false},
        Button{"5", "Cancel", XYWH(360, 412, 82, 28), Look::Push, Captions::Dark, "", false},
        Button{"6", "Close", XYWH(430, 9, 22, 22), Look::Close, Captions::None, "", false},
        Button{"3", "Browse", XYWH(408, 203, 32, 26), Look::Browse, Captions::None, "", false},
        Button{"1", "ProfileName", kNameField, Look::Control, Captions::None, "", false},
        Button{"2", "GameFile", kGameField, Look::Control, Captions::None, "", false},
    };
    return d;
}

}  // namespace skingen
