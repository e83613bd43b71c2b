// A 5 x 7 pixel font for the legends printed on the keyboard's keycaps: capitals,
// digits and the punctuation found on keys. Characters it lacks draw as blanks.
#pragma once

#include <string_view>

#include "tools/skingen/canvas.h"

namespace skingen {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = 6;  // one blank column between characters

bool HasGlyph(char c);
int TextWidth(std::string_view text);  // without the trailing blank column
// Draws text with its top-left corner at (x, y).
void DrawText(Canvas& canvas, int x, int y, std::string_view text, Colour colour);

}  // namespace skingen
