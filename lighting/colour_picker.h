// The hue-and-shade colour picker of the lighting page: hue arithmetic, the palette's
// pixels and the fixed places of the picker's parts on the page.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace tavrel {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};

// 0x00RRGGBB, the layout of a 32-bit device-independent bitmap's pixel.
inline uint32_t PackRgb(Rgb c) {
    return (static_cast<uint32_t>(c.red & 0xFF) << 16) | (static_cast<uint32_t>(c.green & 0xFF) << 8) |
           static_cast<uint32_t>(c.blue & 0xFF);
}
inline Rgb UnpackRgb(uint32_t p) {
    return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
}

// A rectangle in the page's client coordinates; right and bottom exclusive.
struct PageRect {
    int left, top, right, bottom;
    constexpr bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
};

struct PagePoint {
    int x = 0;
    int y = 0;
    bool operator==(const PagePoint&) const = default;
};

inline constexpr int kHueMax = 1530;
inline constexpr int kComponentMax = 255;

inline constexpr PageRect kPaletteRect{102, 75, 268, 239};
inline constexpr PageRect kHueBarRect{287, 75, 305, 239};
inline constexpr int kPaletteWidth = kPaletteRect.Width();    // 166
inline constexpr int kPaletteHeight = kPaletteRect.Height();  // 164
inline constexpr PagePoint kPaletteCentre{185, 157};

// The fully saturated colour of hue h (0 to 1530 from red through yellow, green,
// cyan, blue and magenta back to red); values outside give red.
Rgb HueToColour(int h);

// The hue whose fully saturated colour has the shade of c, so that the hue slider and
// the palette show a colour set from elsewhere; nothing for greys, which every hue holds.
std::optional<int> HueOfColour(Rgb c);

// The hue of a click on row y of the hue bar, clamped to 0..1530.
int HueFromBarY(int y);

// Slider positions are reversed: 255 − component and 1530 − hue.
inline int ColourSliderPosition(int component) { return kComponentMax - component; }
inline int ComponentFromSliderPosition(int pos) { return kComponentMax - pos; }
inline int HueSliderPosition(int hue) { return kHueMax - hue; }
inline int HueFromSliderPosition(int pos) { return kHueMax - pos; }

// Every shade of one hue: the top row runs from white to the hue colour, each row
// below is darker. pixels receives kPaletteWidth × kPaletteHeight values, row-major
// from the top row, packed as PackRgb does.
void ComputePalette(Rgb hue, uint32_t* pixels);

// The palette's pixels, recomputed only when the hue colour changes.
class Palette {
public:
    Palette();
    // Returns whether the pixels were recomputed.
    bool Update(Rgb hue);
    // Colour at a point of the page inside kPaletteRect.
    Rgb ColourAt(PagePoint pt) const;
    const uint32_t* Pixels() const { return pixels_.data(); }

private:
    std::optional<Rgb> drawnFor_;
    std::vector<uint32_t> pixels_;
};

}  // namespace tavrel
