// The window outline is the same whatever kind of bitmap holds the mask: a 32-bit
// section (top-down or bottom-up), a device bitmap, or a section of another depth; and
// the same when it is read straight from the mask's file.
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

// Tall enough for a mask file to be read in several bands, with a last band part-filled.
constexpr int kFileWidth = 37;
constexpr int kFileHeight = 1400;

uint32_t FileMaskColour(int x, int y) {
    const bool white = x < 2 || y < 3 || y >= kFileHeight - 1 || (x * 7 + y * 3) % 11 < 4;
    return white ? 0xFFFFFF : 0x202020;
}

}  // namespace

TEST(SkinRegionSources, AnOutlineReadFromTheMaskFileIsTheOutlineOfItsPicture) {
    win::UniqueBitmap picture(MakeBitmap(kFileWidth, kFileHeight, FileMaskColour));
    win::UniqueRegion expected = BitmapToRegion(picture.Get());
    ASSERT_TRUE(expected);
    const std::wstring folder = MakeTempFolder(L"mask_files");
    const std::wstring path = folder + L"mask.bmp";
    const struct {
        const char* name;
        BmpFormat format;
    } cases[] = {
        {"24-bit, bottom-up, padded rows", {24, false}},
        {"24-bit, top-down", {24, true}},
        {"32-bit, bottom-up", {32, false}},
        {"8-bit with a palette (the general decoder)", {8, false}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteBmp(path, kFileWidth, kFileHeight, FileMaskColour, c.format)) << c.name;
        win::UniqueRegion outline;
        ASSERT_TRUE(LoadSkinOutline(std::u16string(path.begin(), path.end()), outline)) << c.name;
        ASSERT_TRUE(outline) << c.name;
        EXPECT_TRUE(EqualRgn(outline.Get(), expected.Get())) << c.name;
    }

    // A cut copy and a missing file give no outline and say so.
    ASSERT_TRUE(WriteBmp(path, kFileWidth, kFileHeight, FileMaskColour, BmpFormat{24, false, true}));
    win::UniqueRegion outline(CreateRectRgn(0, 0, 5, 5));
    EXPECT_FALSE(LoadSkinOutline(std::u16string(path.begin(), path.end()), outline));
    EXPECT_FALSE(outline);
    const std::wstring missing = folder + L"missing.bmp";
    EXPECT_FALSE(LoadSkinOutline(std::u16string(missing.begin(), missing.end()), outline));
    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
}

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
