#include "tools/skingen/lighting_geometry.h"

namespace skingen::lighting {

Colour HueToColour(int h) {
    if (h <= 0 || h >= 1530) return Rgb(255, 0, 0);
    if (h <= 255) return Rgb(255, h, 0);
    if (h <= 510) return Rgb(510 - h, 255, 0);
    if (h <= 765) return Rgb(0, 255, h - 510);
    if (h <= 1020) return Rgb(0, 1020 - h, 255);
    if (h <= 1275) return Rgb(h - 1020, 0, 255);
    return Rgb(255, 0, 1530 - h);
}

}  // namespace skingen::lighting
