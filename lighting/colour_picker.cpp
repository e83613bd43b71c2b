#include "lighting/colour_picker.h"

#include <algorithm>

namespace tavrel {

Rgb HueToColour(int h) {
    if (h <= 0 || h >= kHueMax) return {255, 0, 0};
    if (h <= 255) return {255, h, 0};
    if (h <= 510) return {510 - h, 255, 0};
    if (h <= 765) return {0, 255, h - 510};
    if (h <= 1020) return {0, 1020 - h, 255};
    if (h <= 1275) return {h - 1020, 0, 255};
    return {255, 0, kHueMax - h};
}

std::optional<int> HueOfColour(Rgb c) {
    const int hi = std::max({c.red, c.green, c.blue});
    const int lo = std::min({c.red, c.green, c.blue});
    if (hi == lo) return std::nullopt;
    // The middle component's place between the lowest and the highest, on 0..255, rounded.
    auto scaled = [&](int mid) { return ((mid - lo) * 2 * kComponentMax + (hi - lo)) / (2 * (hi - lo)); };
    if (c.red == hi) return c.blue == lo ? scaled(c.green) : kHueMax - scaled(c.blue);
    if (c.green == hi) return c.blue == lo ? 510 - scaled(c.red) : 510 + scaled(c.blue);
    return c.red == lo ? 1020 - scaled(c.green) : 1020 + scaled(c.red);
}

int HueFromBarY(int y) {
    const int h = (y - kHueBarRect.top) * kHueMax / kHueBarRect.Height();
    return std::clamp(h, 0, kHueMax);
}

namespace {

// Truncated towards zero, then reduced modulo 256 as a byte store does.
inline int ToByte(double v) { return static_cast<uint8_t>(static_cast<int>(v)); }

}  // namespace

void ComputePalette(Rgb hue, uint32_t* pixels) {
    const int comps[3] = {hue.red, hue.green, hue.blue};
    for (int i = 0; i < kPaletteHeight; ++i) {
        const int grey = ToByte(255.0 - 255.0 / 164.0 * i);
        // Per row, each component moves linearly from grey (column 0) towards its end.
        double step[3];
        for (int c = 0; c < 3; ++c) {
            const int end = ToByte(comps[c] - comps[c] / 164.0 * i);
            step[c] = (end - grey) / 166.0;
        }
        uint32_t* row = pixels + static_cast<size_t>(i) * kPaletteWidth;
        for (int j = 0; j < kPaletteWidth; ++j) {
            const int r = ToByte(j * step[0] + grey);
            const int g = ToByte(j * step[1] + grey);
            const int b = ToByte(j * step[2] + grey);
            row[j] = (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
        }
    }
}

Palette::Palette() : pixels_(static_cast<size_t>(kPaletteWidth) * kPaletteHeight, 0) {}

bool Palette::Update(Rgb hue) {
    if (drawnFor_ && *drawnFor_ == hue) return false;
    ComputePalette(hue, pixels_.data());
    drawnFor_ = hue;
    return true;
}

Rgb Palette::ColourAt(PagePoint pt) const {
    const int col = std::clamp(pt.x - kPaletteRect.left, 0, kPaletteWidth - 1);
    const int row = std::clamp(pt.y - kPaletteRect.top, 0, kPaletteHeight - 1);
    return UnpackRgb(pixels_[static_cast<size_t>(row) * kPaletteWidth + col]);
}

}  // namespace tavrel
