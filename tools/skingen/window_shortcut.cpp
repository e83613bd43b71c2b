// The shortcut dialog: the title (string 600), the modifier switches Ctrl, Shift,
// Alt and Win (keys "7" to "10") each right of its label (strings 601 to 604 at
// y 67), the key field (edit 1001 at 105, 120) between its labels (605, 606) and the
// no-modifier switch (key "6") after string 606, in the Win switch's column so that
// the longer translations of 606 fit before it; OK, Cancel and close.
#include "tools/skingen/default_windows.h"
#include "tools/skingen/theme.h"

namespace skingen {

namespace {

using namespace theme;

constexpr int kWidth = 310;
constexpr int kHeight = 204;
constexpr Rect kKeyField = XYWH(105, 120, 71, 12);

void PaintBackground(Canvas& c) {
    PaintDialogBody(c, 8);
    PaintSeparator(c, 16, kWidth - 16, 52);
    PaintSeparator(c, 16, kWidth - 16, 100);
    PaintSeparator(c, 16, kWidth - 16, 148);
    PaintFieldFrame(c, kKeyField);
}

}  // namespace

WindowDesign ShortcutDesign() {
    WindowDesign d;
    d.layoutFile = "skin_Shortcut.ini";
    d.imageStem = "shortcut";
    d.width = kWidth;
    d.height = kHeight;
    d.cornerRadius = 8;
    d.paintBackground = PaintBackground;
    d.buttons = {
        Button{"2", "OK", XYWH(122, 162, 82, 28), Look::Push, Captions::Dark, "", false},
        Button{"3", "Cancel", XYWH(212, 162, 82, 28), Look::Push, Captions::Dark, "", false},
        Button{"4", "Close", XYWH(280, 9, 22, 22), Look::Close, Captions::None, "", false},
        Button{"6", "NoModifier", XYWH(278, 117, 18, 18), Look::CheckBox, Captions::None, "", false},
        Button{"7", "Ctrl", XYWH(86, 65, 18, 18), Look::CheckBox, Captions::None, "", false},
        Button{"8", "Shift", XYWH(162, 65, 18, 18), Look::CheckBox, Captions::None, "", false},
        Button{"9", "Alt", XYWH(220, 65, 18, 18), Look::CheckBox, Captions::None, "", false},
        Button{"10", "Win", XYWH(278, 65, 18, 18), Look::CheckBox, Captions::None, "", false},
    };
    return d;
}

}  // namespace skingen
