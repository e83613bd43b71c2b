#include "skin/win/skin_image.h"

#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

#include "skin/bmp_layout.h"
#include "skin/region_runs.h"
#include "skin/win/bmp_band_reader.h"
#include "window/win/system_library.h"

namespace tavrel {

namespace {

// Skin images are window-sized pictures; anything far beyond that is not a skin.
constexpr LONGLONG kMaxImageFileBytes = 64LL * 1024 * 1024;
constexpr LONG kMaxImageSide = 16384;

}  // namespace

bool SkinImageFileLooksWhole(const std::u16string& path) {
    // Opening reads the headers and checks the file's length against them; nothing
    // is decoded.
    BmpBandReader reader;
    return reader.Open(path, kMaxImageFileBytes, kMaxImageSide);
}

bool SkinBitmapFileSize(const std::u16string& path, SIZE& size) {
    BmpBandReader reader;
    if (!reader.Open(path, kMaxImageFileBytes, kMaxImageSide) || !reader.Layout()) return false;
    size = SIZE{reader.Width(), reader.Rows()};
    return size.cx > 0 && size.cy > 0;
}

namespace {

// The picture keeps its own handle; we take a copy we own.
HBITMAP BitmapFromPicture(IPicture* picture) {
    SHORT type = PICTYPE_UNINITIALIZED;
    if (FAILED(picture->get_Type(&type))) return nullptr;
    if (type == PICTYPE_BITMAP) {
        OLE_HANDLE handle = 0;
        if (FAILED(picture->get_Handle(&handle)) || !handle) return nullptr;
        return static_cast<HBITMAP>(
            CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0, 0));
    }
    // Icons and metafiles: render them once onto a white bitmap of their pixel size.
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    if (FAILED(picture->get_Width(&hmWidth)) || FAILED(picture->get_Height(&hmHeight))) return nullptr;
    win::WindowDc screen(nullptr);
    const int width = MulDiv(hmWidth, GetDeviceCaps(screen, LOGPIXELSX), 2540);
    const int height = MulDiv(hmHeight, GetDeviceCaps(screen, LOGPIXELSY), 2540);
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) return nullptr;
    win::UniqueBitmap bitmap = win::CreatePixelBitmap(width, height);
    if (!bitmap) return nullptr;
    win::MemoryDc dc(screen, bitmap.Get());
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (FAILED(picture->Render(dc, 0, 0, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr))) return nullptr;
    return bitmap.Release();
}

// The pixels of a plain bitmap file inside `rect` into `pixels`, a 32-bit top-down
// picture of the rectangle's size: only the rows of the rectangle are read, and what
// lies outside the file's picture is left as it was. False when the file cannot be read.
bool CopyBmpPixels(BmpBandReader& reader, const RECT& rect, uint32_t* pixels) {
    const size_t width = static_cast<size_t>(rect.right - rect.left);
    const int top = std::max(0, static_cast<int>(rect.top));
    const int bottom = std::min(reader.Rows(), static_cast<int>(rect.bottom));
    const int left = std::max(0, static_cast<int>(rect.left));
    const int right = std::min(reader.Width(), static_cast<int>(rect.right));
    if (left >= right) return true;
    const size_t bytesPerPixel = reader.Layout()->bitCount / 8u;
    const bool read = reader.ForEachBand(top, bottom, [&](const uint8_t* first, ptrdiff_t down, int row, int count) {
        for (int r = 0; r < count; ++r) {
            const uint8_t* from = first + down * r + bytesPerPixel * static_cast<size_t>(left);
            uint32_t* to = pixels + width * static_cast<size_t>(row + r - rect.top) + (left - rect.left);
            for (int x = left; x < right; ++x, from += bytesPerPixel) {
                *to++ = static_cast<uint32_t>(from[0]) | static_cast<uint32_t>(from[1]) << 8 |
                        static_cast<uint32_t>(from[2]) << 16;
            }
        }
    });
    GdiFlush();
    return read;
}

// A plain uncompressed bitmap file straight into a 32-bit bitmap, the pixel format the
// screen's bitmaps have, so that cutting and drawing it is a plain copy. Far faster than
// the general picture decoder, whose stream, picture object and copy it skips.
HBITMAP BitmapFromBmpBands(BmpBandReader& reader) {
    void* pixels = nullptr;
    win::UniqueBitmap bitmap = win::CreatePixelBitmap(reader.Width(), reader.Rows(), &pixels);
    if (!bitmap || !CopyBmpPixels(reader, RECT{0, 0, reader.Width(), reader.Rows()}, static_cast<uint32_t*>(pixels))) {
        return nullptr;
    }
    return bitmap.Release();
}

HBITMAP BitmapFromPictureFile(const std::vector<BYTE>& bytes) {
    win::UniqueHGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    if (!memory.Get()) return nullptr;
    void* target = GlobalLock(memory.Get());
    if (!target) return nullptr;
    std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(memory.Get());

    // The decoder is only for pictures other than plain bitmap files, which no shipped
    // skin has: its libraries are loaded the first time one comes.
    using CreateStream = HRESULT(WINAPI*)(HGLOBAL, BOOL, IStream**);
    using LoadPicture = HRESULT(WINAPI*)(IStream*, LONG, BOOL, REFIID, void**);
    const auto createStream = win::LoadSystemFunction<CreateStream>(L"ole32.dll", "CreateStreamOnHGlobal");
    const auto loadPicture = win::LoadSystemFunction<LoadPicture>(L"oleaut32.dll", "OleLoadPicture");
    if (!createStream || !loadPicture || !win::EnsureComApartment()) return nullptr;

    IStream* stream = nullptr;
    if (FAILED(createStream(memory.Get(), TRUE, &stream)) || !stream) return nullptr;
    memory.Release();  // the stream frees the block now

    IPicture* picture = nullptr;
    const HRESULT decoded =
        loadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(decoded) || !picture) return nullptr;
    HBITMAP copy = BitmapFromPicture(picture);
    picture->Release();
    return copy;
}

}  // namespace

bool LoadSkinImage(const std::u16string& path, win::UniqueBitmap& bitmap, SIZE& size) {
    bitmap.Reset();
    size = SIZE{0, 0};

    BmpBandReader reader;
    if (!reader.Open(path, kMaxImageFileBytes, kMaxImageSide)) return false;
    HBITMAP copy = reader.Layout() ? BitmapFromBmpBands(reader) : nullptr;
    if (!copy) {
        std::vector<BYTE> bytes;
        if (!reader.ReadAll(bytes)) return false;
        copy = BitmapFromPictureFile(bytes);
    }
    if (!copy) return false;

    BITMAP info{};
    if (!GetObjectW(copy, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) {
        DeleteObject(copy);
        return false;
    }
    bitmap.Reset(copy);
    size = SIZE{info.bmWidth, info.bmHeight};
    return true;
}

bool LoadSkinImagePart(const std::u16string& path, const RECT& rect, win::UniqueBitmap& part) {
    part.Reset();
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) return false;
    BmpBandReader reader;
    if (!reader.Open(path, kMaxImageFileBytes, kMaxImageSide)) return false;
    if (!reader.Layout()) {
        win::UniqueBitmap whole;
        SIZE size{};
        if (!LoadSkinImage(path, whole, size)) return false;
        win::WindowDc screen(nullptr);
        CropBitmap(screen, part, whole.Get(), rect);
        return static_cast<bool>(part);
    }
    void* pixels = nullptr;
    part = win::CreatePixelBitmap(width, height, &pixels);  // black where the picture ends
    if (part && !CopyBmpPixels(reader, rect, static_cast<uint32_t*>(pixels))) part.Reset();
    return static_cast<bool>(part);
}

void CropBitmap(HDC dc, win::UniqueBitmap& target, HBITMAP source, const RECT& rect) {
    BitmapCropper(dc).Crop(target, source, rect);
}

BitmapCropper::BitmapCropper(HDC dc) : from_(CreateCompatibleDC(dc)), to_(CreateCompatibleDC(dc)) {}

BitmapCropper::~BitmapCropper() {
    if (from_) {
        if (fromDefault_) SelectObject(from_, fromDefault_);
        DeleteDC(from_);
    }
    if (to_) {
        if (toDefault_) SelectObject(to_, toDefault_);
        DeleteDC(to_);
    }
}

void BitmapCropper::Crop(win::UniqueBitmap& target, HBITMAP source, const RECT& rect) {
    if (!source) return;
    target.Reset();
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) return;
    target = win::CreatePixelBitmap(width, height);
    if (!target || !from_ || !to_) return;
    // Each selection hands back the context's own 1 x 1 bitmap the first time only.
    HGDIOBJ previousFrom = SelectObject(from_, source);
    HGDIOBJ previousTo = SelectObject(to_, target.Get());
    if (!fromDefault_) fromDefault_ = previousFrom;
    if (!toDefault_) toDefault_ = previousTo;
    StretchBlt(to_, 0, 0, width, height, from_, rect.left, rect.top, width, height, SRCCOPY);
    // Neither picture stays selected: the target belongs to its owner from here on.
    SelectObject(from_, fromDefault_);
    SelectObject(to_, toDefault_);
}

namespace {

constexpr int kMaskBandRows = 32;

// Adds the runs of every row of `mask` to `batcher`, reading the pixels as 32-bit blue,
// green, red, unused. They are read in bands of a few rows (GetDIBits): a band stays in
// the processor's cache and its buffer is reused, where a copy of the whole mask the
// size of the main window would cost more than the scan itself. False when the
// pixels cannot be read that way.
bool AddMaskRunsByBands(HBITMAP mask, int width, int height, RegionRunBatcher& batcher) {
    const ptrdiff_t stride = static_cast<ptrdiff_t>(width) * 4;
    std::vector<uint8_t> band(static_cast<size_t>(stride) * kMaskBandRows);
    win::WindowDc screen(nullptr);
    for (int top = 0; top < height; top += kMaskBandRows) {
        const int rows = std::min(kMaskBandRows, height - top);
        // Bottom-up numbering: scan line 0 is the picture's bottom row, and the band
        // arrives with its bottom row first.
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = width;
        bmi.bmiHeader.biHeight = height;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        if (GetDIBits(screen, mask, static_cast<UINT>(height - top - rows), static_cast<UINT>(rows), band.data(), &bmi,
                      DIB_RGB_COLORS) != rows) {
            return false;
        }
        AddMaskRuns(band.data() + static_cast<ptrdiff_t>(rows - 1) * stride, width, rows, -stride, top, batcher);
    }
    return true;
}

// The other way: blit the mask into a 32-bit section and scan that.
bool AddMaskRunsBySection(HBITMAP mask, int width, int height, RegionRunBatcher& batcher) {
    // Rows from the picture's top, 4-byte aligned anyway.
    void* bits = nullptr;
    win::UniqueBitmap section = win::CreatePixelBitmap(width, height, &bits);
    if (!section) return false;
    win::WindowDc screen(nullptr);
    {
        win::MemoryDc from(screen, mask);
        win::MemoryDc to(screen, section.Get());
        BitBlt(to, 0, 0, width, height, from, 0, 0, SRCCOPY);
    }
    GdiFlush();
    AddMaskRuns(static_cast<const uint8_t*>(bits), width, height, static_cast<ptrdiff_t>(width) * 4, 0, batcher);
    return true;
}

}  // namespace

namespace {

// A region built from the runs `addRuns` hands to its batcher, 2,000 rectangles at a
// time. `addRuns` may start again (batcher.Discard) and returns false when it could not
// read the picture; there is then no region.
win::UniqueRegion RegionFromRuns(int width, int height, const std::function<bool(RegionRunBatcher&)>& addRuns) {
    win::UniqueRegion result(CreateRectRgn(0, 0, 0, 0));
    if (!result) return {};
    std::vector<BYTE> buffer;
    RegionRunBatcher batcher([&](std::span<const SkinRect> rects) {
        buffer.assign(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT), 0);
        auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
        data->rdh.dwSize = sizeof(RGNDATAHEADER);
        data->rdh.iType = RDH_RECTANGLES;
        data->rdh.nCount = static_cast<DWORD>(rects.size());
        data->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
        RECT bounds{width, height, 0, 0};
        auto* out = reinterpret_cast<RECT*>(data->Buffer);
        for (size_t i = 0; i < rects.size(); ++i) {
            out[i] = RECT{rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
            bounds.left = std::min(bounds.left, out[i].left);
            bounds.top = std::min(bounds.top, out[i].top);
            bounds.right = std::max(bounds.right, out[i].right);
            bounds.bottom = std::max(bounds.bottom, out[i].bottom);
        }
        data->rdh.rcBound = bounds;
        win::UniqueRegion batch(ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
        if (batch) CombineRgn(result.Get(), result.Get(), batch.Get(), RGN_OR);
    });
    if (!addRuns(batcher)) return {};
    batcher.Finish();
    return result;
}

}  // namespace

win::UniqueRegion BitmapToRegion(HBITMAP mask) {
    if (!mask) return {};
    BITMAP info{};
    if (!GetObjectW(mask, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight == 0) return {};
    const int width = info.bmWidth;
    const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    if (width > kMaxImageSide || height > kMaxImageSide) return {};

    GdiFlush();  // drawing into the mask may still be queued
    return RegionFromRuns(width, height, [&](RegionRunBatcher& batcher) {
        if (AddMaskRunsByBands(mask, width, height, batcher)) return true;
        // Nothing of a half-read mask stays: start again from scratch.
        batcher.Discard();
        return AddMaskRunsBySection(mask, width, height, batcher);
    });
}

bool LoadSkinOutline(const std::u16string& path, win::UniqueRegion& outline) {
    outline.Reset();
    BmpBandReader reader;
    if (!reader.Open(path, kMaxImageFileBytes, kMaxImageSide)) return false;
    if (reader.Layout()) {
        const int width = reader.Width();
        const int bytesPerPixel = reader.Layout()->bitCount / 8;
        bool read = true;
        win::UniqueRegion region = RegionFromRuns(width, reader.Rows(), [&](RegionRunBatcher& batcher) {
            read = reader.ForEachBand(0, reader.Rows(), [&](const uint8_t* first, ptrdiff_t down, int row, int count) {
                AddMaskRuns(first, width, count, down, row, batcher, bytesPerPixel);
            });
            return read;
        });
        if (!read) return false;
        outline = std::move(region);
        return true;
    }
    std::vector<BYTE> bytes;
    if (!reader.ReadAll(bytes)) return false;
    win::UniqueBitmap mask(BitmapFromPictureFile(bytes));
    if (!mask) return false;
    outline = BitmapToRegion(mask.Get());
    return true;
}

}  // namespace tavrel
