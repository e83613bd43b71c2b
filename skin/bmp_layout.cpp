#include "skin/bmp_layout.h"

namespace tavrel {

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;
constexpr uint32_t kUncompressed = 0;  // BI_RGB

uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

}  // namespace

std::optional<BmpLayout> ReadBmpLayout(const uint8_t* data, size_t size, int32_t maxSide) {
    if (!data || size < kFileHeaderBytes + kInfoHeaderBytes || data[0] != 'B' || data[1] != 'M') return std::nullopt;
    const uint8_t* info = data + kFileHeaderBytes;
    // Only the plain 40-byte header: the larger ones may carry colour masks or profiles.
    if (U32(info) != kInfoHeaderBytes) return std::nullopt;
    BmpLayout layout;
    layout.width = static_cast<int32_t>(U32(info + 4));
    layout.height = static_cast<int32_t>(U32(info + 8));
    layout.bitCount = U16(info + 14);
    if (U16(info + 12) != 1 || U32(info + 16) != kUncompressed) return std::nullopt;
    if (layout.bitCount != 24 && layout.bitCount != 32) return std::nullopt;
    // Compared as 64-bit values, so INT32_MIN cannot overflow on negation.
    const int64_t rows = layout.height < 0 ? -static_cast<int64_t>(layout.height) : layout.height;
    if (layout.width <= 0 || layout.width > maxSide || rows == 0 || rows > maxSide) return std::nullopt;
    layout.infoOffset = kFileHeaderBytes;
    layout.pixelOffset = U32(data + 10);
    layout.stride = ((static_cast<size_t>(layout.width) * layout.bitCount + 31) / 32) * 4;
    if (layout.pixelOffset < kFileHeaderBytes + kInfoHeaderBytes || layout.pixelOffset > size) return std::nullopt;
    if (layout.stride * static_cast<size_t>(rows) > size - layout.pixelOffset) return std::nullopt;
    return layout;
}

bool IsCutBmpFile(const uint8_t* data, size_t size) {
    if (!data || size < 2 || data[0] != 'B' || data[1] != 'M') return false;
    if (size < kFileHeaderBytes) return true;
    const uint32_t declared = U32(data + 2);
    return declared != 0 && declared > size;
}

}  // namespace tavrel
