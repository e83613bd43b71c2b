#include "skin/bmp_layout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace tavrel {
namespace {

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

// A well-formed file of `width` x `height` pixels at `bits` per pixel.
std::vector<uint8_t> Bmp(int32_t width, int32_t height, uint16_t bits) {
    const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    const size_t rows = static_cast<size_t>(height < 0 ? -height : height);
    std::vector<uint8_t> b(54 + stride * rows);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    Put32(b, 10, 54);
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<uint32_t>(width));
    Put32(b, 22, static_cast<uint32_t>(height));
    Put16(b, 26, 1);
    Put16(b, 28, bits);
    return b;
}

TEST(BmpLayout, ReadsTheShippedKindOfFile) {
    const auto bytes = Bmp(787, 430, 24);
    const auto layout = ReadBmpLayout(bytes.data(), bytes.size(), 16384);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->width, 787);
    EXPECT_EQ(layout->height, 430);
    EXPECT_EQ(layout->stride, 2364u);  // 787 * 3 = 2361, padded to 4
    EXPECT_EQ(layout->pixelOffset, 54u);

    const auto topDown = Bmp(5, -3, 32);
    const auto down = ReadBmpLayout(topDown.data(), topDown.size(), 16384);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->height, -3);
    EXPECT_EQ(down->stride, 20u);
}

TEST(BmpLayout, AnythingOutsideThePlainFormatGoesTheGeneralWay) {
    struct Case {
        const char* what;
        size_t at;
        uint32_t value;
        int width;  // bytes written: 4 or 2
    };
    const Case cases[] = {
        {"not BM", 0, 'X', 2},
        {"larger info header", 14, 124, 4},
        {"two planes", 26, 2, 2},
        {"8 bits with a palette", 28, 8, 2},
        {"RLE compression", 30, 1, 4},
        {"zero width", 18, 0, 4},
        {"negative width", 18, static_cast<uint32_t>(-4), 4},
        {"zero height", 22, 0, 4},
        {"most negative height", 22, 0x80000000u, 4},
        {"side beyond the limit", 18, 20000, 4},
        {"pixels start inside the header", 10, 20, 4},
        {"pixels start past the end", 10, 0xFFFFFFF0u, 4},
        {"rows beyond the end", 22, 500, 4},
    };
    for (const Case& c : cases) {
        auto bytes = Bmp(16, 8, 24);
        if (c.width == 4) Put32(bytes, c.at, c.value);
        else Put16(bytes, c.at, static_cast<uint16_t>(c.value));
        EXPECT_FALSE(ReadBmpLayout(bytes.data(), bytes.size(), 16384)) << c.what;
    }
    auto cut = Bmp(16, 8, 24);
    cut.pop_back();
    EXPECT_FALSE(ReadBmpLayout(cut.data(), cut.size(), 16384)) << "one byte short";
    EXPECT_FALSE(ReadBmpLayout(cut.data(), 53, 16384)) << "header cut";
    EXPECT_FALSE(ReadBmpLayout(nullptr, 0, 16384));
}

TEST(BmpLayout, ACutBitmapFileIsToldFromAWholeOne) {
    auto whole = Bmp(16, 8, 24);
    EXPECT_FALSE(IsCutBmpFile(whole.data(), whole.size()));
    EXPECT_TRUE(IsCutBmpFile(whole.data(), whole.size() - 1));  // one byte short of the header's size
    EXPECT_TRUE(IsCutBmpFile(whole.data(), 10));                 // the file header itself cut
    auto unsized = whole;
    Put32(unsized, 2, 0);  // no size given: nothing to tell
    EXPECT_FALSE(IsCutBmpFile(unsized.data(), unsized.size() - 1));
    const uint8_t png[] = {0x89, 'P', 'N', 'G'};
    EXPECT_FALSE(IsCutBmpFile(png, sizeof png));
}

}  // namespace
}  // namespace tavrel
