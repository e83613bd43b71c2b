// Loading skin images, cutting button pictures out of them and building a window's
// outline from its mask.
#pragma once

#include <windows.h>

#include <string>

#include "window/win/handles.h"

namespace tavrel {

// Decodes an image file (BMP, JPEG, GIF, ICO, WMF, EMF: whatever the platform's
// picture loader reads) into `bitmap`, releasing its previous picture first, and
// reports its size. On any failure (missing, unreadable, cut short, oversized or undecodable
// file) `bitmap` stays empty, `size` is 0 x 0 and false is returned.
bool LoadSkinImage(const std::u16string& path, win::UniqueBitmap& bitmap, SIZE& size);

// The pixels of the picture in the file at `path` inside `rect`, as LoadSkinImage then
// CropBitmap would give them, without decoding the rest of a plain bitmap file: a page
// that needs a strip of a window-sized picture reads that strip alone. Pixels outside
// the picture are black. False, with `part` empty, as for LoadSkinImage or for an
// empty rectangle.
bool LoadSkinImagePart(const std::u16string& path, const RECT& rect, win::UniqueBitmap& part);

// Whether the image file at `path` is there, not empty, within the size LoadSkinImage
// accepts and, for a bitmap file, as long as its header says; it is not decoded.
bool SkinImageFileLooksWhole(const std::u16string& path);

// SkinImageFileLooksWhole for a plain 24- or 32-bit bitmap file, with the picture's
// size from its header. False for any other file, whole or not: only decoding tells
// the size of those.
bool SkinBitmapFileSize(const std::u16string& path, SIZE& size);

// Makes `target` a new 32-bit bitmap (win::CreatePixelBitmap) holding the pixels of
// `source` inside `rect`. Nothing happens when `source` holds no picture; an empty rectangle
// leaves `target` empty.
void CropBitmap(HDC dc, win::UniqueBitmap& target, HBITMAP source, const RECT& rect);

// CropBitmap for several pictures in a row: the two memory device contexts are made
// once, not once per picture (a button cuts four).
class BitmapCropper {
public:
    explicit BitmapCropper(HDC dc);
    ~BitmapCropper();
    BitmapCropper(const BitmapCropper&) = delete;
    BitmapCropper& operator=(const BitmapCropper&) = delete;

    void Crop(win::UniqueBitmap& target, HBITMAP source, const RECT& rect);

private:
    HDC from_;
    HDC to_;
    HGDIOBJ fromDefault_ = nullptr;
    HGDIOBJ toDefault_ = nullptr;
};

// The region of all pixels of `mask` that are not pure white, built from horizontal
// runs combined in batches of 2,000 rectangles. No region when `mask` holds no
// picture (the window keeps its rectangle); an all-white mask gives an empty region.
win::UniqueRegion BitmapToRegion(HBITMAP mask);

// The outline of the mask picture in the file at `path`: the region BitmapToRegion
// gives for the decoded picture. A plain bitmap file's rows are read as they are
// stored, with no picture made of them: a window-sized picture fewer to create, fill
// and read back at every window's start. False, with no region, when the file is
// missing, unreadable, cut short or cannot be decoded.
bool LoadSkinOutline(const std::u16string& path, win::UniqueRegion& outline);

}  // namespace tavrel
