#include "skin/region_runs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace tavrel;

namespace {

// A picture in the section's layout: blue, green, red, unused; top row first.
struct Picture {
    int width;
    int height;
    std::vector<uint8_t> bytes;
    Picture(int w, int h) : width(w), height(h), bytes(static_cast<size_t>(w * h * 4), 255) {}
    void Set(int x, int y, uint8_t r, uint8_t g, uint8_t b) {
        uint8_t* p = &bytes[static_cast<size_t>((y * width + x) * 4)];
        p[0] = b;
        p[1] = g;
        p[2] = r;
    }
    void Black(int x, int y) { Set(x, y, 0, 0, 0); }
};

std::vector<SkinRect> Runs(const Picture& p, std::vector<size_t>* batches = nullptr, size_t batchSize = 2000) {
    std::vector<SkinRect> all;
    RegionRunBatcher batcher(
        [&](std::span<const SkinRect> rects) {
            all.insert(all.end(), rects.begin(), rects.end());
            if (batches) batches->push_back(rects.size());
        },
        batchSize);
    CollectMaskRuns(p.bytes.data(), p.width, p.height, p.width * 4, batcher);
    return all;
}

}  // namespace

TEST(RegionRuns, OneWhitePixelBetweenTwoBlackRunsGivesTwoRectangles) {
    Picture p(5, 1);
    p.Black(0, 0);
    p.Black(1, 0);
    p.Black(3, 0);
    p.Black(4, 0);
    EXPECT_EQ(Runs(p), (std::vector<SkinRect>{{0, 0, 2, 1}, {3, 0, 5, 1}}));
}

TEST(RegionRuns, OnlyPureWhiteIsOutside) {
    Picture p(4, 1);
    p.Set(0, 0, 255, 255, 254);
    p.Set(1, 0, 254, 255, 255);
    p.Set(2, 0, 255, 254, 255);
    // The unused fourth byte does not matter.
    p.bytes[3 * 4 + 3] = 0;
    EXPECT_EQ(Runs(p), (std::vector<SkinRect>{{0, 0, 3, 1}}));
}

TEST(RegionRuns, RowsAreScannedFromTheTopAndRunsReachTheRightEdge) {
    Picture p(3, 3);
    p.Black(2, 0);
    p.Black(0, 2);
    p.Black(1, 2);
    p.Black(2, 2);
    EXPECT_EQ(Runs(p), (std::vector<SkinRect>{{2, 0, 3, 1}, {0, 2, 3, 3}}));
}

TEST(RegionRuns, BottomUpPicturesAreReadWithANegativeStride) {
    Picture p(2, 2);
    p.Black(0, 1);  // memory row 1 = top row of a bottom-up picture
    std::vector<SkinRect> all;
    RegionRunBatcher batcher([&](std::span<const SkinRect> r) { all.insert(all.end(), r.begin(), r.end()); });
    CollectMaskRuns(p.bytes.data() + 2 * 4, 2, 2, -2 * 4, batcher);
    EXPECT_EQ(all, (std::vector<SkinRect>{{0, 0, 1, 1}}));
}

TEST(RegionRuns, AllWhiteOrEmptyPicturesGiveNothing) {
    Picture white(8, 8);
    std::vector<size_t> batches;
    EXPECT_TRUE(Runs(white, &batches).empty());
    EXPECT_TRUE(batches.empty());
    Picture none(0, 0);
    EXPECT_TRUE(Runs(none).empty());
}

TEST(RegionRuns, RectanglesAreHandedOnInBatchesOf2000) {
    // Every other pixel black: width / 2 runs per row; 4,500 runs in all.
    Picture p(100, 90);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; x += 2) p.Black(x, y);
    std::vector<size_t> batches;
    const auto all = Runs(p, &batches);
    EXPECT_EQ(all.size(), 4500u);
    EXPECT_EQ(batches, (std::vector<size_t>{2000, 2000, 500}));
}

TEST(RegionRuns, BandsReadInTurnGiveThePictureWholeAndInBatchesOf2000) {
    // 3,000 runs in rows of 30, read as bottom-up bands of 7 rows (the last one short):
    // the rows keep their places in the picture and batching runs across the bands.
    Picture p(60, 100);
    for (int y = 0; y < p.height; ++y)
        for (int x = y % 2; x < p.width; x += 2) p.Black(x, y);
    const auto whole = Runs(p);

    std::vector<SkinRect> banded;
    std::vector<size_t> batches;
    RegionRunBatcher batcher([&](std::span<const SkinRect> rects) {
        banded.insert(banded.end(), rects.begin(), rects.end());
        batches.push_back(rects.size());
    });
    const ptrdiff_t stride = p.width * 4;
    for (int top = 0; top < p.height; top += 7) {
        const int rows = std::min(7, p.height - top);
        // The band as it arrives bottom-up: its bottom row first.
        std::vector<uint8_t> band;
        for (int r = rows - 1; r >= 0; --r) {
            const auto* row = p.bytes.data() + (top + r) * stride;
            band.insert(band.end(), row, row + stride);
        }
        AddMaskRuns(band.data() + (rows - 1) * stride, p.width, rows, -stride, top, batcher);
    }
    batcher.Finish();

    ASSERT_EQ(banded.size(), 3000u);
    ASSERT_EQ(whole.size(), banded.size());
    for (size_t i = 0; i < whole.size(); ++i) {
        EXPECT_EQ(banded[i].left, whole[i].left) << i;
        EXPECT_EQ(banded[i].top, whole[i].top) << i;
        EXPECT_EQ(banded[i].right, whole[i].right) << i;
        EXPECT_EQ(banded[i].bottom, whole[i].bottom) << i;
    }
    EXPECT_EQ(batches, (std::vector<size_t>{2000, 1000}));
}
