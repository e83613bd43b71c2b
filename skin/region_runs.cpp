#include "skin/region_runs.h"

namespace tavrel {

RegionRunBatcher::RegionRunBatcher(Flush flush, size_t batchSize)
    : flush_(std::move(flush)), batchSize_(batchSize == 0 ? 1 : batchSize) {
    pending_.reserve(kRegionBufferGrowth);
}

void RegionRunBatcher::Add(const SkinRect& rect) {
    if (pending_.size() == pending_.capacity()) pending_.reserve(pending_.capacity() + kRegionBufferGrowth);
    pending_.push_back(rect);
    if (pending_.size() >= batchSize_) {
        flush_(pending_);
        pending_.clear();
    }
}

void RegionRunBatcher::Finish() {
    if (pending_.empty()) return;
    flush_(pending_);
    pending_.clear();
}

namespace {

bool IsWhite(const uint8_t* pixel) { return pixel[0] == 255 && pixel[1] == 255 && pixel[2] == 255; }

}  // namespace

void CollectMaskRuns(const uint8_t* firstRow, int width, int height, ptrdiff_t rowStride,
                     RegionRunBatcher& batcher) {
    if (!firstRow || width <= 0 || height <= 0) return;
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = firstRow + static_cast<ptrdiff_t>(y) * rowStride;
        int x = 0;
        while (x < width) {
            while (x < width && IsWhite(row + 4 * x)) ++x;
            if (x >= width) break;
            const int x0 = x;
            while (x < width && !IsWhite(row + 4 * x)) ++x;
            batcher.Add(SkinRect{x0, y, x, y + 1});
        }
    }
    batcher.Finish();
}

}  // namespace tavrel
