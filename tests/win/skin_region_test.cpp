#include <gtest/gtest.h>

#include "skin/win/skin_image.h"
#include "window_test_support.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

int RegionType(HRGN region) {
    RECT box{};
    return GetRgnBox(region, &box);
}

}  // namespace

TEST(SkinRegion, OutlineFollowsTheNonWhitePixelsOfTheMask) {
    // A 40 x 30 mask: a white frame of 5 pixels, a white hole at (20, 15), and one
    // almost-white pixel that must stay inside.
    win::UniqueBitmap mask(MakeBitmap(40, 30, [](int x, int y) -> uint32_t {
        if (x < 5 || y < 5 || x >= 35 || y >= 25) return 0xFFFFFF;
        if (x == 20 && y == 15) return 0xFFFFFF;
        if (x == 10 && y == 10) return 0xFFFFFE;
        return 0x000000;
    }));
    ASSERT_TRUE(mask);
    win::UniqueRegion region = BitmapToRegion(mask.Get());
    ASSERT_TRUE(region);
    EXPECT_TRUE(PtInRegion(region.Get(), 5, 5));
    EXPECT_TRUE(PtInRegion(region.Get(), 34, 24));
    EXPECT_TRUE(PtInRegion(region.Get(), 10, 10));
    EXPECT_FALSE(PtInRegion(region.Get(), 4, 10));
    EXPECT_FALSE(PtInRegion(region.Get(), 35, 10));
    EXPECT_FALSE(PtInRegion(region.Get(), 10, 25));
    EXPECT_FALSE(PtInRegion(region.Get(), 20, 15));
    EXPECT_TRUE(PtInRegion(region.Get(), 19, 15));
    EXPECT_TRUE(PtInRegion(region.Get(), 21, 15));
    RECT box{};
    GetRgnBox(region.Get(), &box);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.top, 5);
    EXPECT_EQ(box.right, 35);
    EXPECT_EQ(box.bottom, 25);
}

TEST(SkinRegion, ManyRunsAreCombinedAcrossBatches) {
    // A checkerboard of 200 x 100 gives 10,000 runs: five batches of 2,000.
    win::UniqueBitmap mask(MakeBitmap(200, 100, [](int x, int y) -> uint32_t { return ((x + y) % 2) ? 0xFFFFFF : 0; }));
    win::UniqueRegion region = BitmapToRegion(mask.Get());
    ASSERT_TRUE(region);
    for (int y : {0, 1, 50, 99}) {
        for (int x : {0, 1, 2, 101, 198, 199}) {
            EXPECT_EQ(PtInRegion(region.Get(), x, y) != FALSE, (x + y) % 2 == 0) << x << "," << y;
        }
    }
}

TEST(SkinRegion, WhiteMaskGivesAnEmptyOutlineAndNoMaskNoRegion) {
    win::UniqueBitmap white(MakeBitmap(16, 16, [](int, int) -> uint32_t { return 0xFFFFFF; }));
    win::UniqueRegion empty = BitmapToRegion(white.Get());
    ASSERT_TRUE(empty);
    EXPECT_EQ(RegionType(empty.Get()), NULLREGION);
    EXPECT_FALSE(BitmapToRegion(nullptr));
}

TEST(SkinImage, LoadsABmpFileAndReportsItsSize) {
    const std::wstring folder = MakeTempFolder(L"skin_image");
    const std::wstring path = folder + L"picture.bmp";
    // Red left of x 10, blue from there; the green channel is the row.
    const auto colourAt = [](int x, int y) -> uint32_t { return (x < 10 ? 0xFF0000u : 0x0000FFu) | uint32_t(y) << 8; };
    ASSERT_TRUE(WriteBmp(path, 37, 21, colourAt));
    const std::u16string file(path.begin(), path.end());

    win::UniqueBitmap bitmap;
    SIZE size{};
    ASSERT_TRUE(LoadSkinImage(file, bitmap, size));
    EXPECT_EQ(size.cx, 37);
    EXPECT_EQ(size.cy, 21);
    win::WindowDc screen(nullptr);
    {
        win::MemoryDc dc(screen, bitmap.Get());
        EXPECT_EQ(PixelRgb(dc, 0, 0), 0xFF0000u);
        EXPECT_EQ(PixelRgb(dc, 36, 20), 0x0014FFu);
    }  // a bitmap is selected into one DC at a time

    // Cropping takes the pixels inside the rectangle; reading a part of the file gives
    // the same pixels, and black where the rectangle leaves the picture.
    const RECT inside{8, 3, 12, 7};
    const RECT overTheEdge{34, 18, 39, 23};
    win::UniqueBitmap part;
    CropBitmap(screen, part, bitmap.Get(), inside);
    ASSERT_TRUE(part);
    BITMAP info{};
    GetObjectW(part.Get(), sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 4);
    EXPECT_EQ(info.bmHeight, 4);
    for (const RECT& rect : {inside, overTheEdge}) {
        win::UniqueBitmap read;
        ASSERT_TRUE(LoadSkinImagePart(file, rect, read));
        win::MemoryDc readDc(screen, read.Get());
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                const uint32_t expected = x < 37 && y < 21 ? colourAt(x, y) : 0;
                EXPECT_EQ(PixelRgb(readDc, x - rect.left, y - rect.top), expected) << x << "," << y;
            }
        }
    }
    win::MemoryDc partDc(screen, part.Get());
    EXPECT_EQ(PixelRgb(partDc, 1, 0), 0xFF0300u);
    EXPECT_EQ(PixelRgb(partDc, 2, 0), 0x0003FFu);

    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST(SkinImage, MissingOrBrokenFilesLeaveAnEmptyPicture) {
    const std::wstring folder = MakeTempFolder(L"skin_image_bad");
    const std::wstring broken = folder + L"broken.bmp";
    HANDLE out = CreateFileW(broken.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const char junk[] = "BM this is not a picture at all";
    DWORD written = 0;
    WriteFile(out, junk, sizeof(junk), &written, nullptr);
    CloseHandle(out);

    win::UniqueBitmap bitmap(MakeBitmap(2, 2, [](int, int) -> uint32_t { return 0; }));
    SIZE size{5, 5};
    EXPECT_FALSE(LoadSkinImage(std::u16string(broken.begin(), broken.end()), bitmap, size));
    EXPECT_FALSE(bitmap);  // the previous picture is released first
    EXPECT_EQ(size.cx, 0);
    const std::wstring missing = folder + L"missing.bmp";
    EXPECT_FALSE(LoadSkinImage(std::u16string(missing.begin(), missing.end()), bitmap, size));

    // Cropping from nothing keeps the target as it was.
    win::WindowDc screen(nullptr);
    win::UniqueBitmap target(MakeBitmap(2, 2, [](int, int) -> uint32_t { return 0; }));
    CropBitmap(screen, target, nullptr, RECT{0, 0, 1, 1});
    EXPECT_TRUE(target);

    DeleteFileW(broken.c_str());
    RemoveDirectoryW(folder.c_str());
}
