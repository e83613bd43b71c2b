// Move-only owners for the Win32 handles the windows hold: GDI objects, device
// contexts, hooks, icons and global memory. Copying is deleted everywhere, so a
// handle has exactly one owner and is released exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace tavrel::win {

// GDI object (HBITMAP, HFONT, HRGN, HPEN, HBRUSH) released with DeleteObject.
template <typename Handle>
class UniqueGdi {
public:
    UniqueGdi() = default;
    explicit UniqueGdi(Handle handle) : handle_(handle) {}
    UniqueGdi(UniqueGdi&& other) noexcept : handle_(other.Release()) {}
    UniqueGdi& operator=(UniqueGdi&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueGdi(const UniqueGdi&) = delete;
    UniqueGdi& operator=(const UniqueGdi&) = delete;
    ~UniqueGdi() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Gives up ownership; the caller frees the handle (or hands it to the system,
    // as SetWindowRgn does with a region).
    Handle Release() { return std::exchange(handle_, nullptr); }
    void Reset(Handle handle = nullptr) {
        if (handle_ && handle_ != handle) DeleteObject(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

using UniqueBitmap = UniqueGdi<HBITMAP>;
using UniqueFont = UniqueGdi<HFONT>;
using UniqueRegion = UniqueGdi<HRGN>;
using UniquePen = UniqueGdi<HPEN>;
using UniqueBrush = UniqueGdi<HBRUSH>;

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

// GetDC / ReleaseDC of a window (nullptr: the screen).
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// GetWindowDC / ReleaseDC: the whole window including the non-client area.
class WholeWindowDc {
public:
    explicit WholeWindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetWindowDC(hwnd)) {}
    WholeWindowDc(const WholeWindowDc&) = delete;
    WholeWindowDc& operator=(const WholeWindowDc&) = delete;
    ~WholeWindowDc() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

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
    // Own off-screen bitmap compatible with `reference`, freed with the DC.
    MemoryDc(HDC reference, int width, int height) : dc_(CreateCompatibleDC(reference)) {
        if (width > 0 && height > 0) own_.Reset(CreateCompatibleBitmap(reference, width, height));
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
    // Copies the area (0, 0, width, height) to the same place in `target`.
    void CopyTo(HDC target, int width, int height) const {
        if (dc_) BitBlt(target, 0, 0, width, height, dc_, 0, 0, SRCCOPY);
    }

private:
    HDC dc_;
    UniqueBitmap own_;
    HGDIOBJ previous_ = nullptr;
};

// Windows hook released with UnhookWindowsHookEx.
class UniqueHook {
public:
    UniqueHook() = default;
    explicit UniqueHook(HHOOK hook) : hook_(hook) {}
    UniqueHook(UniqueHook&& other) noexcept : hook_(std::exchange(other.hook_, nullptr)) {}
    UniqueHook& operator=(UniqueHook&& other) noexcept {
        if (this != &other) {
            Reset();
            hook_ = std::exchange(other.hook_, nullptr);
        }
        return *this;
    }
    UniqueHook(const UniqueHook&) = delete;
    UniqueHook& operator=(const UniqueHook&) = delete;
    ~UniqueHook() { Reset(); }
    HHOOK Get() const { return hook_; }
    explicit operator bool() const { return hook_ != nullptr; }
    void Reset() {
        if (hook_) UnhookWindowsHookEx(hook_);
        hook_ = nullptr;
    }

private:
    HHOOK hook_ = nullptr;
};

// Icon loaded or created by us, released with DestroyIcon. (Shared icons from
// LoadIcon need no owner.)
class UniqueIcon {
public:
    UniqueIcon() = default;
    explicit UniqueIcon(HICON icon) : icon_(icon) {}
    UniqueIcon(UniqueIcon&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
    UniqueIcon& operator=(UniqueIcon&& other) noexcept {
        if (this != &other) {
            Reset();
            icon_ = std::exchange(other.icon_, nullptr);
        }
        return *this;
    }
    UniqueIcon(const UniqueIcon&) = delete;
    UniqueIcon& operator=(const UniqueIcon&) = delete;
    ~UniqueIcon() { Reset(); }
    HICON Get() const { return icon_; }
    explicit operator bool() const { return icon_ != nullptr; }
    void Reset(HICON icon = nullptr) {
        if (icon_ && icon_ != icon) DestroyIcon(icon_);
        icon_ = icon;
    }

private:
    HICON icon_ = nullptr;
};

// Movable global memory block released with GlobalFree unless ownership was handed on.
class UniqueHGlobal {
public:
    explicit UniqueHGlobal(HGLOBAL memory) : memory_(memory) {}
    UniqueHGlobal(const UniqueHGlobal&) = delete;
    UniqueHGlobal& operator=(const UniqueHGlobal&) = delete;
    ~UniqueHGlobal() {
        if (memory_) GlobalFree(memory_);
    }
    HGLOBAL Get() const { return memory_; }
    HGLOBAL Release() { return std::exchange(memory_, nullptr); }

private:
    HGLOBAL memory_;
};

}  // namespace tavrel::win
