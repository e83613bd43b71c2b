// The key assignment dialog: the prompt (string 400), the current key's label
// (string 401) followed by a dark display in which the program writes the current
// key's name in bright red, the field of the new key (edit 1000 at 26, 136) with the
// Default button beside it, then OK and Cancel; close at the top right.
#include "tools/skingen/default_windows.h"
#include "tools/skingen/theme.h"

namespace skingen {

namespace {

using namespace theme;

constexpr int kWidth = 330;
constexpr int kHeight = 216;
constexpr Rect kCurrentKeyDisplay{210, 90, 300, 112};
constexpr Rect kNewKeyField = XYWH(26, 136, 115, 15);

void PaintBackground(Canvas& c) {
    PaintDialogBody(c, 8);
    PaintSeparator(c, 16, kWidth - 16, 72);
    PaintSeparator(c, 16, kWidth - 16, 164);
    // The display behind the current key's name: dark, because the name is drawn in
    // bright red (255, 25, 48), which no light background can carry legibly.
    // Its bezel stays off the left side, where the label's rectangle ends.
    const Rect& d = kCurrentKeyDisplay;
    c.FillRect({d.left, d.top - 2, d.right + 2, d.bottom + 2}, Rgb(60, 56, 60));
    c.FillRect(d, Rgb(16, 14, 18));
    PaintFieldFrame(c, kNewKeyField);
}

}  // namespace

WindowDesign KeyAssignDesign() {
    WindowDesign d;
    d.layoutFile = "skin_swap_key.ini";
    d.imageStem = "swapkey";
    d.width = kWidth;
    d.height = kHeight;
    d.cornerRadius = 8;
    d.paintBackground = PaintBackground;
    d.buttons = {
        Button{"2", "OK", XYWH(142, 176, 82, 28), Look::Push, Captions::Dark, "", false},
        Button{"3", "Cancel", XYWH(232, 176, 82, 28), Look::Push, Captions::Dark, "", false},
        // Wider than OK and Cancel: its caption is the longest of the three in several languages.
        Button{"5", "Default", XYWH(152, 131, 92, 25), Look::Push, Captions::Dark, "", false},
        Button{"4", "Close", XYWH(300, 9, 22, 22), Look::Close, Captions::None, "", false},
    };
    return d;
}

}  // namespace skingen
