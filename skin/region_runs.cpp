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

void AddMaskRuns(const uint8_t* firstRow, int width, int rows, ptrdiff_t rowStride, int firstY,
                 RegionRunBatcher& batcher, int bytesPerPixel) {
    if (!firstRow || width <= 0 || rows <= 0 || bytesPerPixel < 3) return;
    const ptrdiff_t step = bytesPerPixel;
    for (int r = 0; r < rows; ++r) {
        const uint8_t* row = firstRow + static_cast<ptrdiff_t>(r) * rowStride;
        const int y = firstY + r;
        int x = 0;
        while (x < width) {
            while (x < width && IsWhite(row + step * x)) ++x;
            if (x >= width) break;
            const int x0 = x;
            while (x < width && !IsWhite(row + step * x)) ++x;
            batcher.Add(SkinRect{x0, y, x, y + 1});
        }
    }
}

void CollectMaskRuns(const uint8_t* firstRow, int width, int height, ptrdiff_t rowStride,
                     RegionRunBatcher& batcher) {
    if (!firstRow || width <= 0 || height <= 0) return;
    AddMaskRuns(firstRow, width, height, rowStride, 0, batcher);
    batcher.Finish();
}

}  // namespace tavrel
