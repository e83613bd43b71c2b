// The key settings page: a picture of the keyboard whose 108 keys are the page's
// buttons (positions 0 to 107, "BUTTONPOS" keys "40" to "147"); the six empty
// positions 108 to 113 get no entry. The layout is a full-size board with the
// international keys of the key table placed where those keyboards have them.
#include <cmath>

#include "tools/skingen/default_windows.h"
#include "tools/skingen/theme.h"

namespace skingen {

namespace {

using namespace theme;

constexpr int kUnit = 32;       // pixels per key unit
constexpr int kGap = 2;         // between neighbouring keycaps
constexpr double kBoardUnits = 23.0;
constexpr double kBoardRows = 6.5;
constexpr int kBoardLeft = (kPageWidth - int(kBoardUnits * kUnit)) / 2;
constexpr int kBoardTop = (kPageHeight - int(kBoardRows * kUnit)) / 2;
constexpr int kCasePadding = 10;

struct KeyCap {
    int position;     // key position 0..107
    double x, row;    // in key units; row 0 is the function row
    double width = 1, height = 1;
    const char* legend = "";
};

// Rows: 0 function keys, 1.5 digits, 2.5 Tab, 3.5 Caps Lock, 4.5 Shift, 5.5 Ctrl.
// Navigation block from 15.5, numeric keypad from 19.
constexpr KeyCap kKeys[] = {
    {0, 0, 0, 1, 1, "ESC"},
    {1, 2, 0, 1, 1, "F1"}, {2, 3, 0, 1, 1, "F2"}, {3, 4, 0, 1, 1, "F3"}, {4, 5, 0, 1, 1, "F4"},
    {5, 6.5, 0, 1, 1, "F5"}, {6, 7.5, 0, 1, 1, "F6"}, {7, 8.5, 0, 1, 1, "F7"}, {8, 9.5, 0, 1, 1, "F8"},
    {9, 11, 0, 1, 1, "F9"}, {10, 12, 0, 1, 1, "F10"}, {11, 13, 0, 1, 1, "F11"}, {12, 14, 0, 1, 1, "F12"},
    {13, 15.5, 0, 1, 1, "PRT\nSCR"}, {14, 16.5, 0, 1, 1, "SCR\nLK"}, {15, 17.5, 0, 1, 1, "PAUS\nBRK"},

    {16, 0, 1.5, 1, 1, "`"}, {17, 1, 1.5, 1, 1, "1"}, {18, 2, 1.5, 1, 1, "2"}, {19, 3, 1.5, 1, 1, "3"},
    {20, 4, 1.5, 1, 1, "4"}, {21, 5, 1.5, 1, 1, "5"}, {22, 6, 1.5, 1, 1, "6"}, {23, 7, 1.5, 1, 1, "7"},
    {24, 8, 1.5, 1, 1, "8"}, {25, 9, 1.5, 1, 1, "9"}, {26, 10, 1.5, 1, 1, "0"}, {27, 11, 1.5, 1, 1, "-"},
    {28, 12, 1.5, 1, 1, "="}, {106, 13, 1.5, 1, 1, "\\"}, {29, 14, 1.5, 1, 1, "BKSP"},

    {30, 0, 2.5, 1.5, 1, "TAB"}, {31, 1.5, 2.5, 1, 1, "Q"}, {32, 2.5, 2.5, 1, 1, "W"}, {33, 3.5, 2.5, 1, 1, "E"},
    {34, 4.5, 2.5, 1, 1, "R"}, {35, 5.5, 2.5, 1, 1, "T"}, {36, 6.5, 2.5, 1, 1, "Y"}, {37, 7.5, 2.5, 1, 1, "U"},
    {38, 8.5, 2.5, 1, 1, "I"}, {39, 9.5, 2.5, 1, 1, "O"}, {40, 10.5, 2.5, 1, 1, "P"}, {41, 11.5, 2.5, 1, 1, "["},
    {42, 12.5, 2.5, 1, 1, "]"}, {43, 13.5, 2.5, 1.5, 2, "ENTER"},

    {44, 0, 3.5, 1.5, 1, "CAPS"}, {45, 1.5, 3.5, 1, 1, "A"}, {46, 2.5, 3.5, 1, 1, "S"}, {47, 3.5, 3.5, 1, 1, "D"},
    {48, 4.5, 3.5, 1, 1, "F"}, {49, 5.5, 3.5, 1, 1, "G"}, {50, 6.5, 3.5, 1, 1, "H"}, {51, 7.5, 3.5, 1, 1, "J"},
    {52, 8.5, 3.5, 1, 1, "K"}, {53, 9.5, 3.5, 1, 1, "L"}, {54, 10.5, 3.5, 1, 1, ";"}, {55, 11.5, 3.5, 1, 1, "'"},
    {56, 12.5, 3.5, 1, 1, "\\"},

    {57, 0, 4.5, 1.25, 1, "SHIFT"}, {104, 1.25, 4.5, 1, 1, "|\\"}, {58, 2.25, 4.5, 1, 1, "Z"},
    {59, 3.25, 4.5, 1, 1, "X"}, {60, 4.25, 4.5, 1, 1, "C"}, {61, 5.25, 4.5, 1, 1, "V"}, {62, 6.25, 4.5, 1, 1, "B"},
    {63, 7.25, 4.5, 1, 1, "N"}, {64, 8.25, 4.5, 1, 1, "M"}, {65, 9.25, 4.5, 1, 1, ","}, {66, 10.25, 4.5, 1, 1, "."},
    {67, 11.25, 4.5, 1, 1, "/"}, {107, 12.25, 4.5, 1, 1, "-\\"}, {68, 13.25, 4.5, 1.75, 1, "SHIFT"},

    {69, 0, 5.5, 1.25, 1, "CTRL"}, {70, 1.25, 5.5, 1.25, 1, "WIN"}, {71, 2.5, 5.5, 1.25, 1, "ALT"},
    {72, 3.75, 5.5, 6.25, 1, ""}, {73, 10, 5.5, 1.25, 1, "ALT"}, {74, 11.25, 5.5, 1.25, 1, "WIN"},
    {75, 12.5, 5.5, 1.25, 1, "MENU"}, {76, 13.75, 5.5, 1.25, 1, "CTRL"},

    {77, 15.5, 1.5, 1, 1, "INS"}, {80, 16.5, 1.5, 1, 1, "HOME"}, {84, 17.5, 1.5, 1, 1, "PG\nUP"},
    {78, 15.5, 2.5, 1, 1, "DEL"}, {81, 16.5, 2.5, 1, 1, "END"}, {85, 17.5, 2.5, 1, 1, "PG\nDN"},
    {82, 16.5, 4.5, 1, 1, "@up"},
    {79, 15.5, 5.5, 1, 1, "@left"}, {83, 16.5, 5.5, 1, 1, "@down"}, {86, 17.5, 5.5, 1, 1, "@right"},

    {87, 19, 1.5, 1, 1, "NUM\nLOCK"}, {92, 20, 1.5, 1, 1, "/"}, {96, 21, 1.5, 1, 1, "*"}, {101, 22, 1.5, 1, 1, "-"},
    {88, 19, 2.5, 1, 1, "7"}, {93, 20, 2.5, 1, 1, "8"}, {97, 21, 2.5, 1, 1, "9"}, {102, 22, 2.5, 1, 1, "+"},
    {89, 19, 3.5, 1, 1, "4"}, {94, 20, 3.5, 1, 1, "5"}, {98, 21, 3.5, 1, 1, "6"}, {105, 22, 3.5, 1, 1, "."},
    {90, 19, 4.5, 1, 1, "1"}, {95, 20, 4.5, 1, 1, "2"}, {99, 21, 4.5, 1, 1, "3"}, {103, 22, 4.5, 1, 2, "ENT"},
    {91, 19, 5.5, 2, 1, "0"}, {100, 21, 5.5, 1, 1, "DEL"},
};

Rect KeyRect(const KeyCap& k) {
    const int left = kBoardLeft + int(std::lround(k.x * kUnit));
    const int top = kBoardTop + int(std::lround(k.row * kUnit));
    return {left, top, left + int(std::lround(k.width * kUnit)) - kGap,
            top + int(std::lround(k.height * kUnit)) - kGap};
}

void PaintBackground(Canvas& c) {
    c.VerticalGradient({0, 0, kPageWidth, kPageHeight}, kBody, Rgb(236, 233, 234));
    Rect board{kBoardLeft - kCasePadding, kBoardTop - kCasePadding,
               kBoardLeft + int(kBoardUnits * kUnit) - kGap + kCasePadding,
               kBoardTop + int(kBoardRows * kUnit) - kGap + kCasePadding};
    c.FillRoundRect(board.Inflated(1), 12, Rgb(24, 22, 26));
    c.FillRoundRectGradient(board, 11, Rgb(70, 66, 72), kCharcoal);
    // Three status lights above the keypad, and an accent strip along the top.
    const int ledsTop = kBoardTop + (kUnit - kGap) / 2;
    for (int i = 0; i < 3; ++i) {
        const double cx = kBoardLeft + (19.5 + i) * kUnit;
        c.FillCircle(cx, ledsTop, 3.5, Rgb(20, 18, 22));
        c.FillCircle(cx, ledsTop, 2.5, i == 0 ? kAccentBright : Rgb(96, 30, 42));
    }
    c.HLine(board.left + 14, board.right - 14, board.top + 2, kAccentBright);
}

}  // namespace

WindowDesign KeyPageDesign() {
    WindowDesign d;
    d.layoutFile = "skin_main.ini";
    d.imageStem = "main";
    d.width = kPageWidth;
    d.height = kPageHeight;
    d.paintBackground = PaintBackground;
    for (const KeyCap& k : kKeys) {
        Button b;
        b.key = std::to_string(40 + k.position);
        b.name = "Key" + std::to_string(k.position);
        b.rect = KeyRect(k);
        b.look = Look::Key;
        b.legend = k.legend;
        d.buttons.push_back(b);
    }
    return d;
}

}  // namespace skingen
