// The lighting page. The page draws its palette, swatches and texts itself at fixed
// places; the skin supplies what lies behind them: frames for the palette and the
// swatches, the hue bar (each row the colour HueToColour gives for it, so the bar
// and the hue slider agree), the slider grooves, frames for the three number boxes,
// and the effect and speed menu buttons (keys "0" and "1").
#include "tools/skingen/default_windows.h"
#include "tools/skingen/lighting_geometry.h"
#include "tools/skingen/theme.h"

namespace skingen {

namespace {

using namespace theme;
using namespace lighting;

constexpr Rect kCard{24, 30, 761, 256};

// Frames stay light: the texts above the swatches end right at their top edge.
void PaintFrame(Canvas& c, const Rect& inner) {
    c.FrameRect(inner.Inflated(1), kLine);
    c.FrameRect(inner.Inflated(2), Rgb(236, 232, 233));
}

void PaintHueBar(Canvas& c) {
    for (int y = kHueBar.top; y < kHueBar.bottom; ++y) {
        int hue = (y - kHueBar.top) * 1530 / kHueBar.Height();
        c.HLine(kHueBar.left, kHueBar.right, y, HueToColour(hue));
    }
    // Frame on three sides; the slider track covers the right-hand side.
    c.HLine(kHueBar.left - 1, kHueBar.right, kHueBar.top - 1, kBorder);
    c.HLine(kHueBar.left - 1, kHueBar.right, kHueBar.bottom, kBorder);
    c.VLine(kHueBar.left - 1, kHueBar.top - 1, kHueBar.bottom + 1, kBorder);
}

void PaintHueTrack(Canvas& c) {
    // Ticks at the six colour boundaries, to the right of where the thumb moves.
    for (int i = 0; i <= 6; ++i) {
        int y = kHueBar.top + i * (kHueBar.Height() - 1) / 6;
        c.HLine(kHueSlider.right - 6, kHueSlider.right - 1, y, i % 3 == 0 ? kAccent : kBorder);
    }
}

// The groove lies under the thumb's arrow, clear of the track's last rows, which the
// labels of the rows below reach into.
void PaintGroove(Canvas& c, const Rect& track) {
    Rect groove{track.left + 2, track.top + 8, track.right - 2, track.top + 12};
    c.FillRoundRect(groove, 2, kBorder);
    c.FillRoundRect(groove.Inset(1, 1), 1, Rgb(236, 232, 233));
}

void PaintBackground(Canvas& c) {
    c.VerticalGradient({0, 0, kPageWidth, kPageHeight}, kBody, Rgb(236, 233, 234));
    PaintCard(c, kCard);
    PaintSeparator(c, kCard.left + 12, kCard.right - 12, 70);
    // Palette: the page fills it; a neutral ramp shows until it does.
    c.VerticalGradient(kPalette, Rgb(250, 250, 250), Rgb(30, 30, 30));
    PaintFrame(c, kPalette);
    PaintHueBar(c);
    PaintHueTrack(c);
    PaintFrame(c, kSwatchApplied);
    PaintFrame(c, kSwatchEdited);
    c.FillRect(kSwatchApplied, kPanel);
    c.FillRect(kSwatchEdited, kPanel);
    for (const Rect& track : kColourSliders) PaintGroove(c, track);
    for (const Rect& box : kNumberBoxes) PaintFieldFrame(c, box, Rgb(40, 40, 40));
}

}  // namespace

WindowDesign LightingPageDesign() {
    WindowDesign d;
    d.layoutFile = "Skin_light_control.ini";
    d.imageStem = "light";
    d.width = kPageWidth;
    d.height = kPageHeight;
    d.paintBackground = PaintBackground;
    d.buttons = {
        Button{"0", "Effect", kEffectButton, Look::Dropdown, Captions::Dark, "", false},
        Button{"1", "Speed", kSpeedButton, Look::Dropdown, Captions::Dark, "", false},
    };
    return d;
}

}  // namespace skingen
