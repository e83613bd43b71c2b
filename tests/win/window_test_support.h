// Helpers shared by the window and skin tests under Wine: pumping messages until a
// condition holds, a recording parent window, and small pictures made in memory or
// written as BMP files.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/win/support/stage_folder.h"
#include "window/win/handles.h"
#include "window/win/message_loop.h"
#include "window/win/window.h"

namespace tavrel::test {

// Dispatches this thread's messages (through our pre-translation) until `done`
// returns true or `timeout` passes. Returns `done()`.
inline bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        MSG msg;
        while (win::PeekLoopMessage(msg)) {
            if (!win::Window::PreTranslateThroughAncestors(msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// Dispatches everything already queued.
inline void PumpPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// A top-level window recording the messages its children send or post to it.
class RecordingWindow : public win::Window {
public:
    struct Record {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Record> records;

    bool Create(int width = 300, int height = 200) {
        // Shown without activation: under Wine without a window manager, destroying a
        // window that was active waits two seconds for the X server.
        if (!CreateEx(0, L"test parent", WS_POPUP, 10, 10, width, height, nullptr)) return false;
        ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
        return true;
    }
    size_t Count(UINT message) const {
        size_t n = 0;
        for (const Record& r : records) n += r.message == message;
        return n;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_COMMAND:
        case WM_LBUTTONUP:
        case WM_MOUSEMOVE:
        case WM_APP:
            records.push_back({message, wParam, lParam});
            break;
        default:
            break;
        }
        return Window::WindowProc(message, wParam, lParam);
    }
};

// A 32-bit top-down DIB section filled by `colourAt(x, y)` (0x00RRGGBB).
inline HBITMAP MakeBitmap(int width, int height, const std::function<uint32_t(int, int)>& colourAt) {
    void* bits = nullptr;
    tavrel::win::UniqueBitmap bitmap = tavrel::win::CreatePixelBitmap(width, height, &bits);
    if (!bitmap) return nullptr;
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels[y * width + x] = colourAt(x, y) & 0xFFFFFF;
    return bitmap.Release();
}

// How WriteBmp lays out its file: 24 or 32 bits a pixel, or 8 with a palette of the
// picture's first 256 colours; rows bottom-up unless `topDown`; `cut` writes only the
// first half of the file.
struct BmpFormat {
    int bitCount = 24;
    bool topDown = false;
    bool cut = false;
};

// Writes a BMP file; `colourAt` gives 0x00RRGGBB.
inline bool WriteBmp(const std::wstring& path, int width, int height, const std::function<uint32_t(int, int)>& colourAt,
                     const BmpFormat& format = {}) {
    const int stride = (width * format.bitCount + 31) / 32 * 4;
    const DWORD paletteBytes = format.bitCount == 8 ? 256 * 4 : 0;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = format.topDown ? -height : height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(format.bitCount);
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    info.biClrUsed = paletteBytes / 4;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info) + paletteBytes;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::vector<uint8_t> bytes(file.bfSize, 0);
    std::memcpy(bytes.data(), &file, sizeof(file));
    std::memcpy(bytes.data() + sizeof(file), &info, sizeof(info));
    std::vector<uint32_t> palette;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = bytes.data() + file.bfOffBits + static_cast<size_t>((format.topDown ? y : height - 1 - y) * stride);
        for (int x = 0; x < width; ++x) {
            const uint32_t c = colourAt(x, y) & 0xFFFFFF;
            if (format.bitCount == 8) {
                auto found = std::find(palette.begin(), palette.end(), c);
                if (found == palette.end() && palette.size() < 256) found = palette.insert(palette.end(), c);
                row[x] = static_cast<uint8_t>(found - palette.begin());
                continue;
            }
            uint8_t* pixel = row + x * format.bitCount / 8;
            pixel[0] = static_cast<uint8_t>(c);
            pixel[1] = static_cast<uint8_t>(c >> 8);
            pixel[2] = static_cast<uint8_t>(c >> 16);
        }
    }
    if (paletteBytes) std::memcpy(bytes.data() + sizeof(file) + sizeof(info), palette.data(), palette.size() * 4);
    if (format.cut) bytes.resize(bytes.size() / 2);
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(out);
    return ok;
}

// 0x00RRGGBB of a pixel of a DC (GetPixel gives 0x00BBGGRR).
inline uint32_t PixelRgb(HDC dc, int x, int y) {
    const COLORREF c = GetPixel(dc, x, y);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// A fresh folder under the temporary folder, removed by the caller's test fixture.
inline std::wstring MakeTempFolder(const wchar_t* name) {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    std::wstring folder = std::wstring(base) + name + L"_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

}  // namespace tavrel::test
