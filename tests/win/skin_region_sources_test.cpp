// The window outline is the same whatever kind of bitmap holds the mask: a 32-bit
// section (top-down or bottom-up), a device bitmap, or a section of another depth.
#include <gtest/gtest.h>

#include <functional>

#include "skin/win/skin_image.h"
#include "window_test_support.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

constexpr int kWidth = 37;  // odd: rows of 24-bit pictures need padding
constexpr int kHeight = 70;  // more than two bands of rows

// A white frame, a white hole, an almost-white pixel and two runs on one row.
uint32_t MaskColour(int x, int y) {
    if (x < 3 || y < 2 || x >= 33 || y >= kHeight - 3) return 0xFFFFFF;
    if (x == 20 && y == 10) return 0xFFFFFF;
    if (x == 7 && y == 7) return 0xFFFFFE;
    return 0x102030;
}

// Draws the test mask into `bitmap` pixel by pixel, through the device whatever its
// format; returns it.
HBITMAP PaintMask(HBITMAP bitmap) {
    if (!bitmap) return nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const uint32_t c = MaskColour(x, y);
            SetPixelV(dc, x, y, RGB(c >> 16, (c >> 8) & 0xFF, c & 0xFF));
        }
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

HBITMAP Section(int bitCount, bool bottomUp) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = kWidth;
    bmi.bmiHeader.biHeight = bottomUp ? kHeight : -kHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = static_cast<WORD>(bitCount);
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return PaintMask(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
}

HBITMAP DeviceBitmap() {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
    ReleaseDC(nullptr, screen);
    return PaintMask(bitmap);
}

}  // namespace

TEST(SkinRegionSources, EveryKindOfMaskBitmapGivesTheSameOutline) {
    // The expected outline, built pixel by pixel.
    win::UniqueRegion expected(CreateRectRgn(0, 0, 0, 0));
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (MaskColour(x, y) == 0xFFFFFF) continue;
            win::UniqueRegion pixel(CreateRectRgn(x, y, x + 1, y + 1));
            CombineRgn(expected.Get(), expected.Get(), pixel.Get(), RGN_OR);
        }
    }
    struct Case {
        const char* name;
        std::function<HBITMAP()> make;
    };
    const Case cases[] = {
        {"32-bit top-down section", [] { return Section(32, false); }},
        {"32-bit bottom-up section", [] { return Section(32, true); }},
        {"24-bit bottom-up section", [] { return Section(24, true); }},
        {"device bitmap", [] { return DeviceBitmap(); }},
    };
    for (const Case& c : cases) {
        win::UniqueBitmap mask(c.make());
        ASSERT_TRUE(mask) << c.name;
        win::UniqueRegion outline = BitmapToRegion(mask.Get());
        ASSERT_TRUE(outline) << c.name;
        EXPECT_TRUE(EqualRgn(outline.Get(), expected.Get())) << c.name;
        EXPECT_TRUE(PtInRegion(outline.Get(), 7, 7)) << c.name << ": almost white is inside";
        EXPECT_FALSE(PtInRegion(outline.Get(), 20, 10)) << c.name << ": the hole";
    }
}
