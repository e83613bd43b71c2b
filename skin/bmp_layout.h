// The layout of an uncompressed 24- or 32-bit Windows bitmap file, the format of the
// shipped skin pictures: such a file is turned into a bitmap directly, far faster than
// through the general picture decoder. Anything else (other depths, palettes,
// compression, other formats, damaged headers) gives no layout and goes the general way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tavrel {

struct BmpLayout {
    int32_t width = 0;
    int32_t height = 0;      // negative: rows stored top-down
    uint16_t bitCount = 0;   // 24 or 32
    size_t infoOffset = 0;   // the BITMAPINFOHEADER
    size_t pixelOffset = 0;  // the first stored row
    size_t stride = 0;       // bytes of one stored row, padded to 4
};

// Every size and offset is checked against `size`: the pixels named lie inside the file.
// Only the first 54 bytes (the two headers) are read, so `data` may hold just those of
// a file whose length is `size`.
std::optional<BmpLayout> ReadBmpLayout(const uint8_t* data, size_t size, int32_t maxSide);

// A bitmap file ("BM") shorter than the size its header gives (or than the header
// itself): a cut copy, which the general decoder would still turn into a half-read
// picture. A header size of 0 (some writers leave it so) says nothing.
bool IsCutBmpFile(const uint8_t* data, size_t size);

}  // namespace tavrel
