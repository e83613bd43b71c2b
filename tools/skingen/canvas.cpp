#include "tools/skingen/canvas.h"

#include <algorithm>
#include <cmath>

namespace skingen {

namespace {

uint8_t Lerp(uint8_t a, uint8_t b, double t) {
    return static_cast<uint8_t>(std::lround(a + (b - a) * t));
}

// Fills every pixel of `box` by the share of its 4 x 4 sample points inside `inside`.
template <typename Inside>
void FillSampled(Canvas& canvas, const Rect& box, Colour c, Inside inside) {
    constexpr int kSamples = 4;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    double px = x + (sx + 0.5) / kSamples;
                    double py = y + (sy + 0.5) / kSamples;
                    if (inside(px, py)) ++hits;
                }
            }
            if (hits > 0) canvas.Blend(x, y, c, hits / double(kSamples * kSamples));
        }
    }
}

double Cross(double ax, double ay, double bx, double by, double px, double py) {
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

}  // namespace

Colour Mix(Colour a, Colour b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return Colour{Lerp(a.r, b.r, t), Lerp(a.g, b.g, t), Lerp(a.b, b.b, t), Lerp(a.a, b.a, t)};
}

Canvas::Canvas(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

void Canvas::Set(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<size_t>(y) * width_ + x] = c;
}

void Canvas::Blend(int x, int y, Colour c, double coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    // "Over" compositing of c (opaque, weighted by coverage) onto straight-alpha p.
    Colour& p = pixels_[static_cast<size_t>(y) * width_ + x];
    double a = std::clamp(coverage, 0.0, 1.0);
    double pa = p.a / 255.0;
    double outA = a + pa * (1 - a);
    if (outA <= 0) return;
    auto channel = [&](uint8_t top, uint8_t under) {
        return static_cast<uint8_t>(std::lround((top * a + under * pa * (1 - a)) / outA));
    };
    p = Colour{channel(c.r, p.r), channel(c.g, p.g), channel(c.b, p.b),
               static_cast<uint8_t>(std::lround(outA * 255))};
}

void Canvas::FillRect(const Rect& r, Colour c) {
    for (int y = std::max(0, r.top); y < std::min(height_, r.bottom); ++y)
        for (int x = std::max(0, r.left); x < std::min(width_, r.right); ++x)
            pixels_[static_cast<size_t>(y) * width_ + x] = c;
}

void Canvas::FrameRect(const Rect& r, Colour c, int thickness) {
    for (int i = 0; i < thickness; ++i) {
        Rect f = r.Inset(i, i);
        if (f.Width() <= 0 || f.Height() <= 0) return;
        HLine(f.left, f.right, f.top, c);
        HLine(f.left, f.right, f.bottom - 1, c);
        VLine(f.left, f.top, f.bottom, c);
        VLine(f.right - 1, f.top, f.bottom, c);
    }
}

void Canvas::HLine(int x0, int x1, int y, Colour c) { FillRect({x0, y, x1, y + 1}, c); }
void Canvas::VLine(int x, int y0, int y1, Colour c) { FillRect({x, y0, x + 1, y1}, c); }

void Canvas::VerticalGradient(const Rect& r, Colour top, Colour bottom) {
    for (int y = r.top; y < r.bottom; ++y) {
        double t = r.Height() > 1 ? double(y - r.top) / (r.Height() - 1) : 0.0;
        HLine(r.left, r.right, y, Mix(top, bottom, t));
    }
}

void Canvas::HorizontalGradient(const Rect& r, Colour left, Colour right) {
    for (int x = r.left; x < r.right; ++x) {
        double t = r.Width() > 1 ? double(x - r.left) / (r.Width() - 1) : 0.0;
        VLine(x, r.top, r.bottom, Mix(left, right, t));
    }
}

double Canvas::RoundRectCoverage(const Rect& r, int radius, int x, int y) {
    constexpr int kSamples = 4;
    int hits = 0;
    for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
            double px = x + (sx + 0.5) / kSamples;
            double py = y + (sy + 0.5) / kSamples;
            if (px < r.left || px > r.right || py < r.top || py > r.bottom) continue;
            double cx = std::clamp(px, double(r.left + radius), double(r.right - radius));
            double cy = std::clamp(py, double(r.top + radius), double(r.bottom - radius));
            double dx = px - cx, dy = py - cy;
            if (dx * dx + dy * dy <= double(radius) * radius) ++hits;
        }
    }
    return hits / double(kSamples * kSamples);
}

void Canvas::FillRoundRect(const Rect& r, int radius, Colour c) {
    FillRoundRectGradient(r, radius, c, c);
}

void Canvas::FillRoundRectGradient(const Rect& r, int radius, Colour top, Colour bottom) {
    for (int y = r.top; y < r.bottom; ++y) {
        double t = r.Height() > 1 ? double(y - r.top) / (r.Height() - 1) : 0.0;
        Colour c = Mix(top, bottom, t);
        for (int x = r.left; x < r.right; ++x) {
            bool nearCorner = (x < r.left + radius || x >= r.right - radius) &&
                              (y < r.top + radius || y >= r.bottom - radius);
            double coverage = nearCorner ? RoundRectCoverage(r, radius, x, y) : 1.0;
            if (coverage > 0) Blend(x, y, c, coverage);
        }
    }
}

void Canvas::FrameRoundRect(const Rect& r, int radius, Colour c) {
    // The ring between the outline and the outline moved in by one pixel.
    Rect inner = r.Inset(1, 1);
    int innerRadius = std::max(0, radius - 1);
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            double outer = RoundRectCoverage(r, radius, x, y);
            double in = RoundRectCoverage(inner, innerRadius, x, y);
            double ring = outer - in;
            if (ring > 0) Blend(x, y, c, ring);
        }
    }
}

void Canvas::FillCircle(double cx, double cy, double radius, Colour c) {
    Rect box{int(std::floor(cx - radius)), int(std::floor(cy - radius)), int(std::ceil(cx + radius)) + 1,
             int(std::ceil(cy + radius)) + 1};
    FillSampled(*this, box, c, [&](double px, double py) {
        double dx = px - cx, dy = py - cy;
        return dx * dx + dy * dy <= radius * radius;
    });
}

void Canvas::FrameCircle(double cx, double cy, double radius, double thickness, Colour c) {
    Rect box{int(std::floor(cx - radius)), int(std::floor(cy - radius)), int(std::ceil(cx + radius)) + 1,
             int(std::ceil(cy + radius)) + 1};
    double inner = radius - thickness;
    FillSampled(*this, box, c, [&](double px, double py) {
        double d2 = (px - cx) * (px - cx) + (py - cy) * (py - cy);
        return d2 <= radius * radius && d2 >= inner * inner;
    });
}

void Canvas::FillTriangle(double x0, double y0, double x1, double y1, double x2, double y2, Colour c) {
    Rect box{int(std::floor(std::min({x0, x1, x2}))), int(std::floor(std::min({y0, y1, y2}))),
             int(std::ceil(std::max({x0, x1, x2}))) + 1, int(std::ceil(std::max({y0, y1, y2}))) + 1};
    double area = Cross(x0, y0, x1, y1, x2, y2);
    FillSampled(*this, box, c, [&](double px, double py) {
        double a = Cross(x0, y0, x1, y1, px, py);
        double b = Cross(x1, y1, x2, y2, px, py);
        double d = Cross(x2, y2, x0, y0, px, py);
        return area >= 0 ? (a >= 0 && b >= 0 && d >= 0) : (a <= 0 && b <= 0 && d <= 0);
    });
}

void Canvas::Line(double x0, double y0, double x1, double y1, double thickness, Colour c) {
    double half = thickness / 2;
    Rect box{int(std::floor(std::min(x0, x1) - half)), int(std::floor(std::min(y0, y1) - half)),
             int(std::ceil(std::max(x0, x1) + half)) + 1, int(std::ceil(std::max(y0, y1) + half)) + 1};
    double dx = x1 - x0, dy = y1 - y0;
    double len2 = dx * dx + dy * dy;
    FillSampled(*this, box, c, [&](double px, double py) {
        double t = len2 > 0 ? std::clamp(((px - x0) * dx + (py - y0) * dy) / len2, 0.0, 1.0) : 0.0;
        double qx = x0 + t * dx - px, qy = y0 + t * dy - py;
        return qx * qx + qy * qy <= half * half;
    });
}

void Canvas::Paste(const Canvas& src, int x, int y) {
    for (int sy = 0; sy < src.Height(); ++sy)
        for (int sx = 0; sx < src.Width(); ++sx) Set(x + sx, y + sy, src.At(sx, sy));
}

Canvas Canvas::Crop(const Rect& r) const {
    Canvas out(r.Width(), r.Height());
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x) {
            int sx = r.left + x, sy = r.top + y;
            if (sx >= 0 && sy >= 0 && sx < width_ && sy < height_) out.Set(x, y, At(sx, sy));
        }
    return out;
}

}  // namespace skingen
