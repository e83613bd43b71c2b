// Reads a skin picture file a band of rows at a time through one small buffer. A
// window-sized picture file is never held whole in memory: under the platform the
// fresh pages of a window-sized buffer cost several times what reading the file does.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "skin/bmp_layout.h"
#include "window/win/kernel_handles.h"

namespace tavrel {

class BmpBandReader {
public:
    // Opens the file and reads its headers. False when it is missing, unreadable, empty,
    // longer than `maxFileBytes`, or a bitmap file cut short.
    bool Open(const std::u16string& path, LONGLONG maxFileBytes, int32_t maxSide);

    // The layout of a plain 24- or 32-bit bitmap file; none for any other picture.
    const std::optional<BmpLayout>& Layout() const { return layout_; }
    int Width() const { return layout_ ? layout_->width : 0; }
    int Rows() const;

    // Reads the picture rows [top, top + count), row 0 being the picture's top row and
    // `count` at most BandRows(). `first` then points at row `top` and `down` is the
    // distance in bytes to the next row down. False when the file cannot be read.
    bool ReadBand(int top, int count, const uint8_t*& first, ptrdiff_t& down);
    int BandRows() const;
    // Reads the picture rows [top, bottom) band after band, handing each to `take`
    // with its first row's number and its row count. False when a band cannot be read.
    using BandTaker = std::function<void(const uint8_t* first, ptrdiff_t down, int row, int count)>;
    bool ForEachBand(int top, int bottom, const BandTaker& take);

    // The whole file, for pictures other than plain bitmap files.
    bool ReadAll(std::vector<BYTE>& bytes);

private:
    win::UniqueKernelHandle file_;
    LONGLONG size_ = 0;
    std::optional<BmpLayout> layout_;
    std::vector<uint8_t> band_;
};

}  // namespace tavrel
