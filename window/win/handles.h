// Move-only owners for the Win32 handles the windows hold: GDI objects, device
// contexts, hooks, icons and global memory. Copying is deleted everywhere, so a
// handle has exactly one owner and is released exactly once.
#pragma once

#include <windows.h>

#include <utility>

#include "window/win/unique_handle.h"

namespace tavrel::win {

// GDI objects (HBITMAP, HFONT, HRGN, HPEN, HBRUSH) are released with DeleteObject.
inline void FreeGdiObject(HGDIOBJ object) { DeleteObject(object); }
template <typename Handle>
using UniqueGdi = UniqueHandle<Handle, FreeGdiObject>;

using UniqueBitmap = UniqueGdi<HBITMAP>;
using UniqueFont = UniqueGdi<HFONT>;
using UniqueRegion = UniqueGdi<HRGN>;
using UniquePen = UniqueGdi<HPEN>;
using UniqueBrush = UniqueGdi<HBRUSH>;

// A 32-bit top-down bitmap of its own pixels (a DIB section), the format of the
// screen's pixels. Preferred to a device-compatible bitmap for every picture we make:
// under Wine making and selecting a device-compatible bitmap costs ten times as much,
// which a page of a hundred buttons with four pictures each pays at every start.
// `bits`, when given, receives the first pixel of the top row.
inline UniqueBitmap CreatePixelBitmap(int width, int height, void** bits = nullptr) {
    if (width <= 0 || height <= 0) return UniqueBitmap();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!pixels) bitmap.Reset();
    if (bits) *bits = bitmap ? pixels : nullptr;
    return bitmap;
}

// Selects an object into a DC for the guard's lifetime and restores the previous one.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (previous_) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A window's DC, given back with ReleaseDC: GetDC (client area; nullptr: the screen)
// or GetWindowDC (the whole window including the non-client area).
template <HDC (*Acquire)(HWND)>
class BorrowedDc {
public:
    explicit BorrowedDc(HWND hwnd) : hwnd_(hwnd), dc_(Acquire(hwnd)) {}
    BorrowedDc(const BorrowedDc&) = delete;
    BorrowedDc& operator=(const BorrowedDc&) = delete;
    ~BorrowedDc() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

inline HDC AcquireClientDc(HWND hwnd) { return GetDC(hwnd); }
inline HDC AcquireWholeWindowDc(HWND hwnd) { return GetWindowDC(hwnd); }
using WindowDc = BorrowedDc<AcquireClientDc>;
using WholeWindowDc = BorrowedDc<AcquireWholeWindowDc>;

// BeginPaint / EndPaint for one WM_PAINT.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { EndPaint(hwnd_, &ps_); }
    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }
    const PAINTSTRUCT& Info() const { return ps_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_ = nullptr;
};

// Memory DC for double-buffered painting: every skinned window draws into one and
// copies it to the screen in a single blit. Either selects a bitmap the caller owns
// (a window's background picture) or makes its own off-screen bitmap of a given
// size. The previous bitmap is selected back before the DC is deleted.
class MemoryDc {
public:
    // `bitmap` stays owned by the caller and may be nullptr (then nothing is drawn).
    MemoryDc(HDC reference, HBITMAP bitmap) : dc_(CreateCompatibleDC(reference)) {
        if (dc_ && bitmap) previous_ = SelectObject(dc_, bitmap);
    }
    // Own off-screen 32-bit bitmap, freed with the DC.
    MemoryDc(HDC reference, int width, int height) : dc_(CreateCompatibleDC(reference)) {
        own_ = CreatePixelBitmap(width, height);
        if (dc_ && own_) previous_ = SelectObject(dc_, own_.Get());
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc() {
        if (dc_) {
            if (previous_) SelectObject(dc_, previous_);
            DeleteDC(dc_);
        }
    }
    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }
    // Whether the device context was made and holds its picture.
    bool HoldsPicture() const { return dc_ && previous_; }
    // Copies the area (0, 0, width, height) to the same place in `target`.
    void CopyTo(HDC target, int width, int height) const {
        if (dc_) BitBlt(target, 0, 0, width, height, dc_, 0, 0, SRCCOPY);
    }

private:
    HDC dc_;
    UniqueBitmap own_;
    HGDIOBJ previous_ = nullptr;
};

inline void FreeHook(HHOOK hook) { UnhookWindowsHookEx(hook); }
inline void FreeIcon(HICON icon) { DestroyIcon(icon); }
inline void FreeGlobal(HGLOBAL memory) { GlobalFree(memory); }

// Windows hook released with UnhookWindowsHookEx.
using UniqueHook = UniqueHandle<HHOOK, FreeHook>;
// Icon loaded or created by us, released with DestroyIcon. (Shared icons from
// LoadIcon need no owner.)
using UniqueIcon = UniqueHandle<HICON, FreeIcon>;
// Movable global memory block released with GlobalFree unless ownership was handed on.
using UniqueHGlobal = UniqueHandle<HGLOBAL, FreeGlobal>;

}  // namespace tavrel::win
