// The macro page: the six macro keys M1 to M6, each a keycap picture with the
// button that shows and changes what the key does (keys "4" to "9"). The page
// title (string 526) is drawn at (39, 15).
#include <string>

#include "tools/skingen/bitmap_font.h"
#include "tools/skingen/default_windows.h"
#include "tools/skingen/theme.h"

namespace skingen {

namespace {

using namespace theme;

constexpr int kCellLeft = 39;
constexpr int kCellWidth = 222;
constexpr int kCellStride = 250;  // leaves 28 pixels between neighbouring cards
constexpr int kRowTops[] = {80, 160};
constexpr int kCapSize = 44;

Rect CellRect(int i) {
    return XYWH(kCellLeft + (i % 3) * kCellStride, kRowTops[i / 3], kCellWidth, kCapSize);
}

void PaintMacroCap(Canvas& c, const Rect& cap, int number) {
    c.FillRoundRect(cap, 6, Rgb(24, 22, 26));
    c.FillRoundRectGradient(cap.Inset(1, 1), 5, Rgb(80, 76, 82), kCharcoal);
    Rect face{cap.left + 5, cap.top + 4, cap.right - 5, cap.bottom - 8};
    c.FillRoundRectGradient(face, 4, kAccentBright, kAccent);
    std::string legend = "M" + std::to_string(number);
    DrawText(c, face.left + (face.Width() - TextWidth(legend)) / 2, face.top + (face.Height() - kGlyphHeight) / 2,
             legend, Rgb(255, 255, 255));
}

void PaintBackground(Canvas& c) {
    c.VerticalGradient({0, 0, kPageWidth, kPageHeight}, kBody, Rgb(236, 233, 234));
    // Title line under the page title.
    PaintSeparator(c, kCellLeft, kPageWidth - kCellLeft, 48);
    for (int i = 0; i < 6; ++i) {
        Rect cell = CellRect(i);
        PaintCard(c, cell.Inflated(7));
        PaintMacroCap(c, XYWH(cell.left, cell.top, kCapSize, kCapSize), i + 1);
    }
}

}  // namespace

WindowDesign MacroPageDesign() {
    WindowDesign d;
    d.layoutFile = "Skin_Macro_control.ini";
    d.imageStem = "macro";
    d.width = kPageWidth;
    d.height = kPageHeight;
    d.paintBackground = PaintBackground;
    for (int i = 0; i < 6; ++i) {
        Rect cell = CellRect(i);
        Button b;
        b.key = std::to_string(4 + i);
        b.name = "MacroKey" + std::to_string(i + 1);
        b.rect = XYWH(cell.left + kCapSize + 10, cell.top + 7, kCellWidth - kCapSize - 10, 30);
        b.look = Look::Push;
        b.captions = Captions::Dark;
        d.buttons.push_back(b);
    }
    return d;
}

}  // namespace skingen
