#include "tools/skingen/program_images.h"

#include <functional>

#include "tools/skingen/image_files.h"
#include "tools/skingen/theme.h"

namespace skingen {

namespace {

using namespace theme;

constexpr Colour kOrange = Rgb(240, 118, 16);
constexpr Colour kBlack = Rgb(0, 0, 0);

// Draws with anti-aliasing onto a transparent canvas, then makes every pixel either
// the drawn colour or `background`: pictures whose background is keyed out by
// colour must not have blended edges.
Canvas HardEdged(int w, int h, Colour background, const std::function<void(Canvas&)>& draw) {
    Canvas layer(w, h, Colour{0, 0, 0, 0});
    draw(layer);
    Canvas out(w, h, background);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Colour c = layer.At(x, y);
            if (c.a >= 128) out.Set(x, y, Colour{c.r, c.g, c.b, 255});
        }
    return out;
}

Canvas AppIcon(int size) {
    Canvas icon(size, size, Colour{0, 0, 0, 0});
    const double s = size / 32.0;
    icon.FillRoundRect({0, 0, size, size}, int(6 * s + 0.5), kAccentDark);
    icon.FillRoundRectGradient({int(s), int(s), size - int(s), size - int(s)}, int(5 * s + 0.5), kAccentBright,
                               kAccent);
    // A keycap seen at an angle: a white top face on a pale base.
    Rect cap{int(7 * s), int(8 * s), size - int(7 * s), size - int(6 * s)};
    icon.FillRoundRect(cap, int(4 * s + 0.5), Rgb(246, 214, 220));
    Rect face{cap.left + int(2 * s), cap.top + int(1 * s), cap.right - int(2 * s), cap.bottom - int(4 * s)};
    icon.FillRoundRect(face, int(3 * s + 0.5), Rgb(255, 255, 255));
    icon.FillRect({face.left + int(4 * s), face.bottom - int(5 * s), face.right - int(4 * s),
                   face.bottom - int(3 * s)},
                  kAccent);
    return icon;
}

}  // namespace

Canvas ArrowBelowThumb() {
    return HardEdged(13, 14, kThumbKey, [](Canvas& c) {
        // The top row stays transparent (its first pixel names the transparent
        // colour); the tip ends above the groove (track rows 8 to 11).
        c.FillTriangle(0, 1, 13, 1, 6.5, 10, kAccentDark);
        c.FillTriangle(2.2, 2.2, 10.8, 2.2, 6.5, 7.8, kAccentBright);
    });
}

Canvas ArrowLeftThumb() {
    return HardEdged(12, 19, kThumbKey, [](Canvas& c) {
        c.FillTriangle(0, 9.5, 12, 0.5, 12, 18.5, kAccentDark);
        c.FillTriangle(2.2, 9.5, 11, 2.8, 11, 16.2, kAccentBright);
    });
}

std::vector<Canvas> ApplicationIcon() { return {AppIcon(16), AppIcon(32), AppIcon(48)}; }

Canvas SubmenuArrowIcon() {
    Canvas icon(32, 32, Colour{0, 0, 0, 0});
    // Outlined so that it shows on the white items as well as on the selected ones.
    icon.FillTriangle(5, 12, 14.5, 19, 5, 26, kAccentDark);
    icon.FillTriangle(6.5, 14.6, 12, 19, 6.5, 23.4, Rgb(255, 255, 255));
    return icon;
}

Canvas KeyDownBitmap() {
    return HardEdged(11, 14, kBlack, [](Canvas& c) {
        c.FillRect({3, 0, 8, 8}, kOrange);
        c.FillTriangle(0, 7, 11, 7, 5.5, 13.6, kOrange);
    });
}

Canvas KeyUpBitmap() {
    return HardEdged(11, 14, kBlack, [](Canvas& c) {
        c.FillRect({3, 6, 8, 14}, kOrange);
        c.FillTriangle(0, 7, 11, 7, 5.5, 0.4, kOrange);
    });
}

Canvas ClockBitmap() {
    return HardEdged(15, 15, kBlack, [](Canvas& c) {
        c.FillCircle(7.5, 7.5, 7.4, kOrange);
        c.FillCircle(7.5, 7.5, 5.6, Rgb(255, 244, 230));
        c.Line(7.5, 7.5, 7.5, 3.2, 1.6, Rgb(90, 40, 10));
        c.Line(7.5, 7.5, 10.8, 9.0, 1.6, Rgb(90, 40, 10));
    });
}

Canvas MouseBitmap() {
    return HardEdged(16, 18, kBlack, [](Canvas& c) {
        c.FillRoundRect({2, 1, 14, 18}, 6, kOrange);
        c.FillRoundRect({4, 3, 12, 16}, 4, Rgb(255, 232, 208));
        c.FillRect({7, 3, 9, 8}, kOrange);
        c.FillRect({4, 8, 12, 9}, kOrange);
    });
}

bool WriteThumbs(const std::filesystem::path& skinsDir) {
    return WriteBmp(skinsDir / "arrow_below.bmp", ArrowBelowThumb()) &&
           WriteBmp(skinsDir / "arrow_left.bmp", ArrowLeftThumb());
}

bool WriteProgramImages(const std::filesystem::path& dir) {
    return WriteIco(dir / "app.ico", ApplicationIcon()) && WriteIco(dir / "submenu_arrow.ico", {SubmenuArrowIcon()}) &&
           WriteBmp(dir / "key_down.bmp", KeyDownBitmap()) && WriteBmp(dir / "key_up.bmp", KeyUpBitmap()) &&
           WriteBmp(dir / "clock.bmp", ClockBitmap()) && WriteBmp(dir / "mouse.bmp", MouseBitmap());
}

}  // namespace skingen
