// The lighting page's fixed places (the page draws and creates its controls there)
// and its hue scale, shared by the page's skin and the slider thumbs.
#pragma once

#include "tools/skingen/canvas.h"

namespace skingen::lighting {

inline constexpr Rect kPalette{102, 75, 268, 239};
inline constexpr Rect kHueBar{287, 75, 305, 239};
inline constexpr Rect kHueSlider{304, 66, 324, 250};
inline constexpr Rect kColourSliders[] = {{407, 142, 639, 156}, {407, 172, 639, 186}, {407, 202, 639, 216}};
inline constexpr Rect kNumberBoxes[] = {{636, 156, 678, 173}, {636, 185, 678, 201}, {636, 214, 678, 231}};
inline constexpr Rect kSwatchApplied{348, 101, 513, 140};
inline constexpr Rect kSwatchEdited{514, 101, 679, 140};
inline constexpr Rect kEffectButton = XYWH(192, 40, 150, 26);
inline constexpr Rect kSpeedButton = XYWH(525, 40, 72, 26);

// The fully saturated colour of hue h, 0 to 1530 from red through yellow, green,
// cyan, blue and magenta back to red: the scale of the page's hue slider.
Colour HueToColour(int h);

}  // namespace skingen::lighting
