#include "tools/skingen/theme.h"

#include <algorithm>
#include <string>
#include <vector>

#include "tools/skingen/bitmap_font.h"

namespace skingen {

namespace {

using namespace theme;

struct Face {
    Colour top, bottom, border;
    bool sunken = false;  // pressed look: a shadow line along the top
};

// Faces chosen so that the caption colour the program uses in each state keeps a
// contrast of at least 4.5:1 (the default-skin tests check every one of them).
Face FaceFor(Captions captions, State state) {
    const bool whiteWhenPressed = captions == Captions::Accent;
    switch (state) {
        case State::Normal:
            return {Rgb(255, 255, 255), Rgb(234, 230, 231), kBorder};
        case State::Over:
            return {kAccentWash, Rgb(244, 222, 226), kAccent};
        case State::Down:
            if (whiteWhenPressed) return {Rgb(184, 38, 62), Rgb(146, 18, 40), kAccentDark, true};
            return {Rgb(228, 214, 217), Rgb(242, 234, 235), kAccent, true};
        case State::Disabled:
            if (whiteWhenPressed) return {Rgb(112, 110, 114), Rgb(98, 96, 100), Rgb(88, 86, 90)};
            return {kDisabledLight, kDisabledLight, Rgb(194, 192, 193)};
    }
    return {};
}

void PaintFace(Canvas& canvas, const Rect& r, const Face& face, int radius) {
    canvas.FillRoundRect(r, radius, face.border);
    Rect inner = r.Inset(1, 1);
    canvas.FillRoundRectGradient(inner, std::max(0, radius - 1), face.top, face.bottom);
    if (face.sunken) {
        canvas.HLine(inner.left + radius, inner.right - radius, inner.top, Mix(face.top, kInk, 0.25));
        canvas.HLine(inner.left + radius, inner.right - radius, inner.top + 1, Mix(face.top, kInk, 0.1));
    }
}

// Colour of symbols (arrows, icons) drawn on a face: they follow the caption colours.
Colour SymbolColour(Captions captions, State state) {
    switch (state) {
        case State::Normal: return kAccent;
        case State::Over: return kAccentBright;
        case State::Down: return captions == Captions::Accent ? Rgb(255, 255, 255) : kAccentDark;
        case State::Disabled: return Rgb(150, 148, 150);
    }
    return kAccent;
}

void PaintTab(Canvas& canvas, const Rect& r, State state) {
    Face face = FaceFor(Captions::Accent, state);
    const int radius = 6;
    Rect rounded{r.left, r.top, r.right, r.bottom + radius};  // bottom corners fall outside
    Canvas tab(rounded.Width(), rounded.Height(), kBody);
    PaintFace(tab, {0, 0, rounded.Width(), rounded.Height()}, face, radius);
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x) canvas.Set(r.left + x, r.top + y, tab.At(x, y));
    if (state == State::Over) canvas.HLine(r.left + radius, r.right - radius, r.top + 1, kAccent);
}

void PaintCheckBox(Canvas& canvas, const Rect& r, State state) {
    const int size = std::min({14, r.Width(), r.Height()});
    Rect box = XYWH(r.left + (r.Width() - size) / 2, r.top + (r.Height() - size) / 2, size, size);
    switch (state) {
        case State::Normal:
            canvas.FillRoundRect(box, 3, kBorder);
            canvas.FillRoundRect(box.Inset(1, 1), 2, kPanel);
            break;
        case State::Over:
            canvas.FillRoundRect(box, 3, kAccent);
            canvas.FillRoundRect(box.Inset(1, 1), 2, kAccentTint);
            break;
        case State::Down:
            canvas.FillRoundRect(box, 3, kAccentDark);
            canvas.FillRoundRect(box.Inset(1, 1), 2, kAccent);
            canvas.Line(box.left + 3.5, box.top + 7.5, box.left + 6, box.top + 10.5, 2.0, Rgb(255, 255, 255));
            canvas.Line(box.left + 6, box.top + 10.5, box.left + 10.5, box.top + 3.5, 2.0, Rgb(255, 255, 255));
            break;
        case State::Disabled:
            canvas.FillRoundRect(box, 3, Rgb(190, 188, 189));
            canvas.FillRoundRect(box.Inset(1, 1), 2, kDisabledLight);
            break;
    }
}

// The close cross and the minimise bar: light symbols on the main window's dark
// band, accent symbols on the light dialogs.
void PaintCaptionButton(Canvas& canvas, const Button& b, State state) {
    const Rect& r = b.rect;
    Colour symbol;
    if (b.onDarkBand) {
        symbol = Rgb(255, 255, 255);
        if (state == State::Over) canvas.FillRoundRect(r, 4, kAccentBright);
        if (state == State::Down) {
            canvas.FillRoundRect(r, 4, Rgb(255, 255, 255));
            symbol = kAccent;
        }
        if (state == State::Disabled) {
            canvas.FillRoundRect(r, 4, Rgb(92, 10, 26));
            symbol = Rgb(150, 110, 118);
        }
    } else {
        symbol = kAccent;
        if (state == State::Over) canvas.FillRoundRect(r, 4, kAccentTint);
        if (state == State::Down) {
            canvas.FillRoundRect(r, 4, kAccent);
            symbol = Rgb(255, 255, 255);
        }
        if (state == State::Disabled) symbol = Rgb(176, 172, 174);
    }
    const double cx = r.left + r.Width() / 2.0, cy = r.top + r.Height() / 2.0;
    const double half = std::min(r.Width(), r.Height()) * 0.22;
    if (b.look == Look::Close) {
        canvas.Line(cx - half, cy - half, cx + half, cy + half, 2.0, symbol);
        canvas.Line(cx - half, cy + half, cx + half, cy - half, 2.0, symbol);
    } else {
        canvas.FillRect({int(cx - half - 1), int(cy + half - 1), int(cx + half + 1), int(cy + half + 1)}, symbol);
    }
}

void PaintFolder(Canvas& canvas, const Rect& r, Colour c) {
    const int cx = r.left + r.Width() / 2, cy = r.top + r.Height() / 2;
    canvas.FillRoundRect({cx - 8, cy - 6, cx - 1, cy - 2}, 1, c);
    canvas.FillRoundRect({cx - 8, cy - 4, cx + 8, cy + 7}, 2, c);
    canvas.FillRect({cx - 7, cy - 1, cx + 7, cy}, Mix(c, Rgb(255, 255, 255), 0.6));
}

void PaintRadioMark(Canvas& canvas, double cx, double cy, State state) {
    switch (state) {
        case State::Normal:
            canvas.FillCircle(cx, cy, 7, kBorder);
            canvas.FillCircle(cx, cy, 6, kPanel);
            break;
        case State::Over:
            canvas.FillCircle(cx, cy, 7, kAccent);
            canvas.FillCircle(cx, cy, 6, kPanel);
            canvas.FillCircle(cx, cy, 2.5, kAccentTint);
            break;
        case State::Down:
            canvas.FillCircle(cx, cy, 7, kAccent);
            canvas.FillCircle(cx, cy, 5.5, kPanel);
            canvas.FillCircle(cx, cy, 3.5, kAccent);
            break;
        case State::Disabled:
            canvas.FillCircle(cx, cy, 7, Rgb(184, 182, 183));
            canvas.FillCircle(cx, cy, 6, Rgb(228, 226, 227));
            break;
    }
}

// Keycap: a darker base with a lighter top face, the legend on the face.
void PaintKey(Canvas& canvas, const Button& b, State state) {
    Colour base, faceTop, faceBottom, ink;
    switch (state) {
        case State::Normal:
            base = Rgb(186, 182, 184), faceTop = Rgb(252, 251, 251), faceBottom = Rgb(230, 227, 228), ink = kInk;
            break;
        case State::Over:
            base = kAccent, faceTop = kAccentWash, faceBottom = kAccentTint, ink = kAccent;
            break;
        case State::Down:
            base = kAccentDark, faceTop = Rgb(196, 44, 70), faceBottom = Rgb(158, 22, 45), ink = Rgb(255, 255, 255);
            break;
        case State::Disabled:
            base = Rgb(78, 76, 80), faceTop = Rgb(112, 110, 114), faceBottom = Rgb(98, 96, 100),
            ink = Rgb(255, 255, 255);
            break;
    }
    const Rect& r = b.rect;
    canvas.FillRoundRect(r, 4, base);
    Rect face{r.left + 3, r.top + 2, r.right - 3, r.bottom - 5};
    canvas.FillRoundRectGradient(face, 3, faceTop, faceBottom);

    // Arrow keys carry a triangle instead of letters.
    const double cx = face.left + face.Width() / 2.0, cy = face.top + face.Height() / 2.0;
    if (b.legend.rfind("@", 0) == 0) {
        const double s = 4.5;
        if (b.legend == "@up") canvas.FillTriangle(cx, cy - s, cx + s, cy + s * 0.7, cx - s, cy + s * 0.7, ink);
        if (b.legend == "@down") canvas.FillTriangle(cx - s, cy - s * 0.7, cx + s, cy - s * 0.7, cx, cy + s, ink);
        if (b.legend == "@left") canvas.FillTriangle(cx - s, cy, cx + s * 0.7, cy - s, cx + s * 0.7, cy + s, ink);
        if (b.legend == "@right") canvas.FillTriangle(cx + s, cy, cx - s * 0.7, cy + s, cx - s * 0.7, cy - s, ink);
        return;
    }
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= b.legend.size()) {
        size_t end = b.legend.find('\n', start);
        if (end == std::string::npos) end = b.legend.size();
        lines.push_back(b.legend.substr(start, end - start));
        start = end + 1;
    }
    const int lineGap = 2;
    const int blockHeight = int(lines.size()) * kGlyphHeight + (int(lines.size()) - 1) * lineGap;
    int y = face.top + (face.Height() - blockHeight) / 2;
    for (const std::string& line : lines) {
        DrawText(canvas, face.left + (face.Width() - TextWidth(line)) / 2, y, line, ink);
        y += kGlyphHeight + lineGap;
    }
}

}  // namespace

bool InsideOutline(int width, int height, int radius, int x, int y) {
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    if (radius <= 0) return true;
    const double px = x + 0.5, py = y + 0.5;
    const double cx = std::clamp(px, double(radius), double(width - radius));
    const double cy = std::clamp(py, double(radius), double(height - radius));
    return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= double(radius) * radius;
}

void PaintDialogBody(Canvas& canvas, int cornerRadius) {
    const int w = canvas.Width(), h = canvas.Height();
    canvas.VerticalGradient({0, 0, w, h}, Rgb(250, 249, 249), kBody);
    canvas.VerticalGradient({0, 0, w, 5}, kAccentBright, kAccent);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!InsideOutline(w, h, cornerRadius, x, y)) continue;
            bool edge = !InsideOutline(w, h, cornerRadius, x - 1, y) || !InsideOutline(w, h, cornerRadius, x + 1, y) ||
                        !InsideOutline(w, h, cornerRadius, x, y - 1) || !InsideOutline(w, h, cornerRadius, x, y + 1);
            if (edge) canvas.Set(x, y, kAccentDark);
        }
}

void PaintCard(Canvas& canvas, const Rect& r) {
    canvas.FillRoundRect(r, 5, kLine);
    canvas.FillRoundRect(r.Inset(1, 1), 4, kPanel);
}

void PaintFieldFrame(Canvas& canvas, const Rect& inner, Colour fill) {
    Rect outer = inner.Inflated(2);
    canvas.FillRoundRect(outer, 3, kBorder);
    canvas.FillRect(inner.Inflated(1), fill);
    canvas.HLine(inner.left - 1, inner.right + 1, inner.top - 1, Mix(fill, kInk, 0.15));
}

void PaintSeparator(Canvas& canvas, int x0, int x1, int y) {
    const int fade = std::min(24, (x1 - x0) / 4);
    for (int x = x0; x < x1; ++x) {
        double t = std::min({1.0, double(x - x0) / fade, double(x1 - 1 - x) / fade});
        canvas.Blend(x, y, kLine, t);
    }
}

void PaintButton(Canvas& canvas, const Button& b, State state) {
    const Rect& r = b.rect;
    const Captions captions = b.captions == Captions::None ? Captions::Dark : b.captions;
    switch (b.look) {
        case Look::Push:
            PaintFace(canvas, r, FaceFor(captions, state), 4);
            break;
        case Look::Tab:
            PaintTab(canvas, r, state);
            break;
        case Look::Flat: {
            Face face = FaceFor(captions, state);
            if (state != State::Normal) canvas.FillRoundRectGradient(r, 4, face.top, face.bottom);
            canvas.HLine(r.left, r.right - 4, r.bottom - 2, state == State::Disabled ? kBorder : kAccent);
            break;
        }
        case Look::Record: {
            PaintFace(canvas, r, FaceFor(captions, state), 4);
            const double cx = r.left + 15, cy = r.top + r.Height() / 2.0;
            if (state == State::Down) {
                canvas.FillRoundRect({int(cx) - 5, int(cy) - 5, int(cx) + 5, int(cy) + 5}, 2, kAccentDark);
            } else {
                canvas.FillCircle(cx, cy, 6.5, state == State::Disabled ? Rgb(168, 166, 168) : kAccentDark);
                canvas.FillCircle(cx, cy, 5.5, state == State::Disabled ? Rgb(190, 188, 190)
                                               : state == State::Over ? Rgb(226, 48, 72) : kAccentBright);
            }
            break;
        }
        case Look::Radio: {
            // No border: the caption is right-aligned against the button's edge.
            Face face = FaceFor(captions, state);
            canvas.FillRoundRectGradient(r, 5, face.top, face.bottom);
            if (state == State::Over || state == State::Down)
                canvas.FillRect({r.left + 5, r.bottom - 2, r.right - 5, r.bottom}, kAccent);
            PaintRadioMark(canvas, r.left + 16, r.top + r.Height() / 2.0, state);
            break;
        }
        case Look::Dropdown: {
            PaintFace(canvas, r, FaceFor(captions, state), 4);
            const double cx = r.right - 12, cy = r.top + r.Height() / 2.0;
            canvas.FillTriangle(cx - 4, cy - 2, cx + 4, cy - 2, cx, cy + 3, SymbolColour(captions, state));
            break;
        }
        case Look::CheckBox:
            PaintCheckBox(canvas, r, state);
            break;
        case Look::Close:
        case Look::Minimise:
            PaintCaptionButton(canvas, b, state);
            break;
        case Look::Browse:
            PaintFace(canvas, r, FaceFor(captions, state), 4);
            PaintFolder(canvas, r, SymbolColour(captions, state));
            break;
        case Look::Key:
            PaintKey(canvas, b, state);
            break;
        case Look::Label:
        case Look::Control:
            break;  // the background shows through in every state
    }
}

}  // namespace skingen
