// The default skin's one visual style: colours and the painters shared by every
// window (frames, panels, fields, buttons in their four states).
#pragma once

#include <string_view>

#include "tools/skingen/canvas.h"
#include "tools/skingen/skin_design.h"

namespace skingen {

namespace theme {
inline constexpr Colour kAccent = Rgb(163, 25, 48);
inline constexpr Colour kAccentDark = Rgb(112, 14, 31);
inline constexpr Colour kAccentBright = Rgb(196, 44, 70);
inline constexpr Colour kAccentTint = Rgb(246, 226, 229);
inline constexpr Colour kAccentWash = Rgb(252, 242, 243);
inline constexpr Colour kBody = Rgb(246, 244, 244);       // window body
inline constexpr Colour kPanel = Rgb(255, 255, 255);      // cards and fields
inline constexpr Colour kLine = Rgb(216, 208, 210);       // separators, card borders
inline constexpr Colour kBorder = Rgb(184, 174, 177);     // button borders
inline constexpr Colour kInk = Rgb(52, 48, 50);           // symbols
inline constexpr Colour kDisabledFace = Rgb(112, 110, 114);  // behind white captions
inline constexpr Colour kDisabledLight = Rgb(214, 212, 213); // behind black captions
inline constexpr Colour kCharcoal = Rgb(44, 42, 46);      // keyboard case
inline constexpr Colour kMaskInside = Rgb(0, 0, 0);
inline constexpr Colour kMaskOutside = Rgb(255, 255, 255);
}  // namespace theme

// The body of a dialog: light background, an accent stripe along the top edge and a
// dark accent frame along the outline (rounded with the given radius).
void PaintDialogBody(Canvas& canvas, int cornerRadius);
// A white card with a thin border and slightly rounded corners.
void PaintCard(Canvas& canvas, const Rect& r);
// A sunken white field around `inner` (the field itself stays inside `inner`).
void PaintFieldFrame(Canvas& canvas, const Rect& inner, Colour fill = theme::kPanel);
// A horizontal separator line with faded ends.
void PaintSeparator(Canvas& canvas, int x0, int x1, int y);

// The picture of one button in one state, painted into the window image at its rect.
void PaintButton(Canvas& canvas, const Button& button, State state);

// Pixel-exact rounded outline: true for pixels inside the window.
bool InsideOutline(int width, int height, int radius, int x, int y);

}  // namespace skingen
