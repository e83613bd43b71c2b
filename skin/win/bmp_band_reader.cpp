#include "skin/win/bmp_band_reader.h"

#include <algorithm>

namespace tavrel {

namespace {

constexpr size_t kBandBytes = 64 * 1024;
// The file header and the plain 40-byte information header: all the layout is read from.
constexpr DWORD kHeadersBytes = 54;

bool ReadAt(HANDLE file, LONGLONG offset, void* into, DWORD bytes) {
    LARGE_INTEGER at{};
    at.QuadPart = offset;
    DWORD read = 0;
    return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && ReadFile(file, into, bytes, &read, nullptr) &&
           read == bytes;
}

}  // namespace

bool BmpBandReader::Open(const std::u16string& path, LONGLONG maxFileBytes, int32_t maxSide) {
    layout_.reset();
    size_ = 0;
    file_.Reset(CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file_.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > maxFileBytes) return false;
    size_ = size.QuadPart;
    uint8_t headers[kHeadersBytes] = {};
    if (!ReadAt(file_.Get(), 0, headers, static_cast<DWORD>(std::min<LONGLONG>(size_, kHeadersBytes)))) return false;
    // Both checks read the headers alone and weigh them against the file's length.
    if (IsCutBmpFile(headers, static_cast<size_t>(size_))) return false;
    layout_ = ReadBmpLayout(headers, static_cast<size_t>(size_), maxSide);
    return true;
}

int BmpBandReader::Rows() const {
    if (!layout_) return 0;
    return layout_->height < 0 ? -layout_->height : layout_->height;
}

int BmpBandReader::BandRows() const {
    if (!layout_) return 0;
    const size_t rows = std::max<size_t>(1, kBandBytes / layout_->stride);
    return static_cast<int>(std::min<size_t>(rows, static_cast<size_t>(Rows())));
}

bool BmpBandReader::ReadBand(int top, int count, const uint8_t*& first, ptrdiff_t& down) {
    if (!layout_ || top < 0 || count <= 0 || count > BandRows() || top > Rows() - count) return false;
    const bool topDown = layout_->height < 0;
    const ptrdiff_t stride = static_cast<ptrdiff_t>(layout_->stride);
    // A bottom-up file stores the band's rows in reverse, ending with row `top`.
    const int firstStored = topDown ? top : Rows() - top - count;
    band_.resize(layout_->stride * static_cast<size_t>(count));
    if (!ReadAt(file_.Get(), static_cast<LONGLONG>(layout_->pixelOffset) + stride * firstStored, band_.data(),
                static_cast<DWORD>(band_.size()))) {
        return false;
    }
    first = topDown ? band_.data() : band_.data() + stride * (count - 1);
    down = topDown ? stride : -stride;
    return true;
}

bool BmpBandReader::ForEachBand(int top, int bottom, const BandTaker& take) {
    for (int row = top; row < bottom; row += BandRows()) {
        const int count = std::min(BandRows(), bottom - row);
        const uint8_t* first = nullptr;
        ptrdiff_t down = 0;
        if (!ReadBand(row, count, first, down)) return false;
        take(first, down, row, count);
    }
    return true;
}

bool BmpBandReader::ReadAll(std::vector<BYTE>& bytes) {
    if (!file_ || size_ <= 0) return false;
    bytes.resize(static_cast<size_t>(size_));
    return ReadAt(file_.Get(), 0, bytes.data(), static_cast<DWORD>(bytes.size()));
}

}  // namespace tavrel
