// The waiting dialog: no buttons; a ring of dots above the message area
// (5, 67, 300, 117) where the program writes string 1400.
#include <cmath>

#include "tools/skingen/default_windows.h"
#include "tools/skingen/theme.h"

namespace skingen {

namespace {

using namespace theme;

constexpr int kWidth = 305;
constexpr int kHeight = 128;

void PaintBackground(Canvas& c) {
    PaintDialogBody(c, 8);
    const double cx = kWidth / 2.0, cy = 36, radius = 18;
    for (int i = 0; i < 10; ++i) {
        const double angle = i * 2 * 3.14159265358979 / 10 - 3.14159265358979 / 2;
        c.FillCircle(cx + radius * std::cos(angle), cy + radius * std::sin(angle), 3.2,
                     Mix(kAccentTint, kAccent, i / 9.0));
    }
}

}  // namespace

WindowDesign WaitingDesign() {
    WindowDesign d;
    d.layoutFile = "skin_wait.ini";
    d.imageStem = "wait";
    d.width = kWidth;
    d.height = kHeight;
    d.cornerRadius = 8;
    d.paintBackground = PaintBackground;
    return d;
}

}  // namespace skingen
