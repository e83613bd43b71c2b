// The run computation behind a window's outline: the mask picture is scanned row by
// row, and every maximal horizontal run of pixels that are not pure white becomes a
// one-pixel-high rectangle. Rectangles are handed on in batches (2,000 at a time), so
// the platform side can make each batch into a region and OR it into the outline.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "skin/skin_item.h"

namespace tavrel {

inline constexpr size_t kRegionBatchSize = 2000;
inline constexpr size_t kRegionBufferGrowth = 100;

// Gathers rectangles and flushes them every `batchSize` rectangles and at Finish.
class RegionRunBatcher {
public:
    using Flush = std::function<void(std::span<const SkinRect>)>;
    explicit RegionRunBatcher(Flush flush, size_t batchSize = kRegionBatchSize);

    void Add(const SkinRect& rect);
    // Flushes what is left (nothing when no rectangle is pending).
    void Finish();
    // Drops the pending rectangles without flushing them.
    void Discard() { pending_.clear(); }

private:
    Flush flush_;
    size_t batchSize_;
    std::vector<SkinRect> pending_;
};

// 32-bit pixels as a device-independent section holds them: blue, green, red, unused.
// `firstRow` is the top row of the picture and `rowStride` the distance in bytes to
// the next row down (negative for bottom-up sections). White = red, green and blue 255.
void CollectMaskRuns(const uint8_t* firstRow, int width, int height, ptrdiff_t rowStride,
                     RegionRunBatcher& batcher);

// The same for a band of `rows` rows whose top row is row `firstY` of the picture,
// without finishing the batcher: a picture read band by band adds each band in turn
// and finishes the batcher once at the end. `bytesPerPixel` 3 reads the rows of a
// 24-bit bitmap file (blue, green, red) as they are stored.
void AddMaskRuns(const uint8_t* firstRow, int width, int rows, ptrdiff_t rowStride, int firstY,
                 RegionRunBatcher& batcher, int bytesPerPixel = 4);

}  // namespace tavrel
