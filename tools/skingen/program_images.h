// Pictures outside the layout files: the lighting page's two slider thumbs (read
// from the Skins folder) and the program's own icons and list bitmaps (compiled
// into the program by its resource script).
#pragma once

#include <filesystem>
#include <vector>

#include "tools/skingen/canvas.h"

namespace skingen {

// Thumbs: the colour of their top-left pixel is transparent (the slider removes it).
inline constexpr Colour kThumbKey = Rgb(255, 0, 255);
Canvas ArrowBelowThumb();  // colour sliders: points down at the groove, 13 x 14
Canvas ArrowLeftThumb();   // hue slider: points left at the hue bar, 12 x 19

std::vector<Canvas> ApplicationIcon();  // icon 128: 16, 32 and 48 pixels
Canvas SubmenuArrowIcon();              // icon 137: 32 x 32, white arrow pointing right
// List bitmaps on black, which the list box draws as transparent.
Canvas KeyDownBitmap();   // 138: orange arrow pointing down, 11 x 14
Canvas KeyUpBitmap();     // 139: orange arrow pointing up, 11 x 14
Canvas ClockBitmap();     // 140: clock face, 15 x 15
Canvas MouseBitmap();     // 143: computer mouse, 16 x 18

bool WriteThumbs(const std::filesystem::path& skinsDir);
// Writes app.ico, submenu_arrow.ico, key_down.bmp, key_up.bmp, clock.bmp, mouse.bmp.
bool WriteProgramImages(const std::filesystem::path& dir);

}  // namespace skingen
