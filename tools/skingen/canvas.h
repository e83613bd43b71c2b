// An in-memory picture with the few drawing primitives the default skin needs.
// Pixels are straight RGBA; skin images ignore alpha, icons use it.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace skingen {

struct Colour {
    uint8_t r = 0, g = 0, b = 0, a = 255;
    friend bool operator==(const Colour&, const Colour&) = default;
};

constexpr Colour Rgb(int r, int g, int b) {
    return Colour{static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b), 255};
}

// Linear mix: t = 0 gives a, t = 1 gives b.
Colour Mix(Colour a, Colour b, double t);

// Rectangle in the Win32 sense: right and bottom exclusive.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    Rect Inflated(int d) const { return {left - d, top - d, right + d, bottom + d}; }
    Rect Inset(int dx, int dy) const { return {left + dx, top + dy, right - dx, bottom - dy}; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// x, y, width, height: the form of the skin files' entries.
constexpr Rect XYWH(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

class Canvas {
public:
    Canvas() = default;
    Canvas(int width, int height, Colour fill = Rgb(255, 255, 255));

    int Width() const { return width_; }
    int Height() const { return height_; }
    Colour At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    void Set(int x, int y, Colour c);          // clipped
    void Blend(int x, int y, Colour c, double coverage);  // clipped, alpha of c ignored

    void Fill(Colour c) { FillRect({0, 0, width_, height_}, c); }
    void FillRect(const Rect& r, Colour c);
    void FrameRect(const Rect& r, Colour c, int thickness = 1);
    void HLine(int x0, int x1, int y, Colour c);  // x1 exclusive
    void VLine(int x, int y0, int y1, Colour c);  // y1 exclusive
    void VerticalGradient(const Rect& r, Colour top, Colour bottom);
    void HorizontalGradient(const Rect& r, Colour left, Colour right);
    // Rounded rectangle with anti-aliased corners of the given radius.
    void FillRoundRect(const Rect& r, int radius, Colour c);
    void FillRoundRectGradient(const Rect& r, int radius, Colour top, Colour bottom);
    void FrameRoundRect(const Rect& r, int radius, Colour c);
    void FillCircle(double cx, double cy, double radius, Colour c);
    void FrameCircle(double cx, double cy, double radius, double thickness, Colour c);
    // Filled triangle, anti-aliased by 4x4 supersampling.
    void FillTriangle(double x0, double y0, double x1, double y1, double x2, double y2, Colour c);
    // Thick anti-aliased line segment.
    void Line(double x0, double y0, double x1, double y1, double thickness, Colour c);
    // Copies src with its top-left corner at (x, y).
    void Paste(const Canvas& src, int x, int y);
    Canvas Crop(const Rect& r) const;

private:
    // Coverage (0..1) of the rounded rectangle at pixel centre (x + .5, y + .5).
    static double RoundRectCoverage(const Rect& r, int radius, int x, int y);

    int width_ = 0;
    int height_ = 0;
    std::vector<Colour> pixels_;
};

}  // namespace skingen
