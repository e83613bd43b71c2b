// The warning dialog (reset and macro deletion): a warning sign beside the title
// (21, 9, 255, 30) and message (21, 42, 283, 96) areas, OK, Cancel and close.
#include "tools/skingen/default_windows.h"
#include "tools/skingen/theme.h"

namespace skingen {

namespace {

using namespace theme;

constexpr int kWidth = 310;
constexpr int kHeight = 150;

void PaintBackground(Canvas& c) {
    PaintDialogBody(c, 8);
    PaintSeparator(c, 16, kWidth - 16, 36);
    PaintSeparator(c, 16, kWidth - 16, 102);
    // Warning sign in the bottom-left corner, clear of both text areas.
    c.FillTriangle(36, 112, 50, 138, 22, 138, kAccent);
    c.FillRect({35, 120, 38, 131}, Rgb(255, 255, 255));
    c.FillRect({35, 133, 38, 136}, Rgb(255, 255, 255));
}

}  // namespace

WindowDesign ResetWarningDesign() {
    WindowDesign d;
    d.layoutFile = "skin_reset_warn.ini";
    d.imageStem = "warn";
    d.width = kWidth;
    d.height = kHeight;
    d.cornerRadius = 8;
    d.paintBackground = PaintBackground;
    d.buttons = {
        Button{"1", "OK", XYWH(122, 111, 82, 28), Look::Push, Captions::Dark, "", false},
        Button{"2", "Cancel", XYWH(212, 111, 82, 28), Look::Push, Captions::Dark, "", false},
        Button{"3", "Close", XYWH(280, 9, 22, 22), Look::Close, Captions::None, "", false},
    };
    return d;
}

}  // namespace skingen
