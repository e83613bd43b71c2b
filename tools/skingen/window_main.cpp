// The main window: a dark title band with the minimise and close buttons, the
// profile and file buttons, the four page tabs sitting on the page area, and the
// bottom bar with Reset, the macro manager, Apply, Cancel and OK.
#include "tools/skingen/default_windows.h"
#include "tools/skingen/theme.h"

namespace skingen {

namespace {

using namespace theme;

constexpr int kWidth = 787;
constexpr int kHeight = 430;
constexpr int kBandHeight = 36;
constexpr Rect kPageArea = XYWH(1, 100, kPageWidth, kPageHeight);

void PaintLogo(Canvas& c) {
    // Three keycaps seen from above, the middle one lit.
    for (int i = 0; i < 3; ++i) {
        Rect cap = XYWH(14 + i * 13, 11, 11, 14);
        c.FillRoundRect(cap, 3, i == 1 ? Rgb(255, 255, 255) : Rgb(226, 150, 162));
        c.FillRoundRect(cap.Inset(2, 2), 2, i == 1 ? Rgb(255, 236, 238) : kAccentBright);
    }
}

void PaintBackground(Canvas& c) {
    c.VerticalGradient({0, 0, kWidth, kHeight}, Rgb(250, 249, 249), kBody);
    c.VerticalGradient({0, 0, kWidth, kBandHeight}, kAccentBright, kAccentDark);
    c.HLine(0, kWidth, kBandHeight, Rgb(88, 10, 24));
    PaintLogo(c);
    // The page area: the pages cover it; a plain fill shows while they load.
    c.FillRect(kPageArea, kBody);
    c.HLine(0, kWidth, kPageArea.top - 1, kAccent);  // baseline under the tabs
    c.HLine(0, kWidth, kPageArea.bottom, kLine);
    PaintSeparator(c, 12, kWidth - 12, 40 + 34);
    // Window outline.
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (InsideOutline(kWidth, kHeight, 10, x, y) &&
                (!InsideOutline(kWidth, kHeight, 10, x - 1, y) || !InsideOutline(kWidth, kHeight, 10, x + 1, y) ||
                 !InsideOutline(kWidth, kHeight, 10, x, y - 1) || !InsideOutline(kWidth, kHeight, 10, x, y + 1)))
                c.Set(x, y, kAccentDark);
}

}  // namespace

WindowDesign MainWindowDesign() {
    WindowDesign d;
    d.layoutFile = "skin_Config.ini";
    d.imageStem = "config";
    d.disableKeyIsDisable = true;
    d.width = kWidth;
    d.height = kHeight;
    d.cornerRadius = 10;
    d.paintBackground = PaintBackground;

    auto add = [&](const char* key, const char* name, Rect r, Look look, Captions captions) {
        d.buttons.push_back(Button{key, name, r, look, captions, "", false});
    };
    // Page tabs, resting on the page area's top edge.
    add("1", "PageKeys", XYWH(12, 76, 118, 24), Look::Tab, Captions::Accent);
    add("2", "PageMacros", XYWH(134, 76, 118, 24), Look::Tab, Captions::Accent);
    add("3", "PageAdvanced", XYWH(256, 76, 118, 24), Look::Tab, Captions::Accent);
    add("4", "PageLighting", XYWH(378, 76, 118, 24), Look::Tab, Captions::Accent);
    // Bottom bar.
    add("25", "Reset", XYWH(12, 386, 84, 28), Look::Push, Captions::Dark);
    // Profiles.
    add("10", "Profile1", XYWH(12, 44, 92, 26), Look::Push, Captions::Accent);
    // Game link, import and export.
    add("6", "GameLinkNew", XYWH(418, 44, 100, 26), Look::Push, Captions::Accent);
    add("7", "Import", XYWH(626, 44, 72, 26), Look::Push, Captions::Accent);
    add("8", "Export", XYWH(702, 44, 72, 26), Look::Push, Captions::Accent);
    add("9", "GameLinkEdit", XYWH(522, 44, 100, 26), Look::Push, Captions::Accent);
    add("11", "Profile2", XYWH(108, 44, 92, 26), Look::Push, Captions::Accent);
    add("12", "Profile3", XYWH(204, 44, 92, 26), Look::Push, Captions::Accent);
    add("13", "Profile4", XYWH(300, 44, 92, 26), Look::Push, Captions::Accent);
    add("15", "MacroManager", XYWH(104, 386, 128, 28), Look::Push, Captions::Accent);
    add("21", "Apply", XYWH(500, 386, 86, 28), Look::Push, Captions::Dark);
    add("22", "Cancel", XYWH(594, 386, 86, 28), Look::Push, Captions::Dark);
    add("20", "OK", XYWH(688, 386, 86, 28), Look::Push, Captions::Dark);
    Button minimise{"16", "Minimize", XYWH(723, 7, 26, 22), Look::Minimise, Captions::None, "", true};
    Button close{"17", "Close", XYWH(753, 7, 26, 22), Look::Close, Captions::None, "", true};
    d.buttons.push_back(minimise);
    d.buttons.push_back(close);
    return d;
}

}  // namespace skingen
