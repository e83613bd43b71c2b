// Writes small 24-bit BMP files for the slider and page tests: a thumb picture with a
// background colour around a solid shape, so that its cut-out region can be checked.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace tavrel::testing {

// colourAt(x, y) gives 0x00RRGGBB for the pixel at column x of row y (top row 0).
inline bool WriteBmp(const std::wstring& path, int width, int height,
                     const std::function<uint32_t(int, int)>& colourAt) {
    const int stride = (width * 3 + 3) & ~3;
    std::vector<uint8_t> data(static_cast<size_t>(stride) * height, 0);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = data.data() + static_cast<size_t>(height - 1 - y) * stride;  // bottom-up
        for (int x = 0; x < width; ++x) {
            const uint32_t c = colourAt(x, y);
            row[x * 3 + 0] = static_cast<uint8_t>(c);
            row[x * 3 + 1] = static_cast<uint8_t>(c >> 8);
            row[x * 3 + 2] = static_cast<uint8_t>(c >> 16);
        }
    }
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof(ih);
    ih.biWidth = width;
    ih.biHeight = height;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biCompression = BI_RGB;
    ih.biSizeImage = static_cast<DWORD>(data.size());
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(ih);
    fh.bfSize = fh.bfOffBits + ih.biSizeImage;
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof(fh));
    out.write(reinterpret_cast<const char*>(&ih), sizeof(ih));
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    return static_cast<bool>(out);
}

// A thumb: magenta background with a black block inset by one pixel on every side.
inline bool WriteThumbBmp(const std::wstring& path, int width, int height, uint32_t body = 0x000000) {
    return WriteBmp(path, width, height, [&](int x, int y) {
        const bool inside = x > 0 && y > 0 && x < width - 1 && y < height - 1;
        return inside ? body : 0xFF00FFu;
    });
}

// A folder of its own under the temporary folder, for one test's files.
inline std::wstring TestFolder(const wchar_t* name) {
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    std::wstring dir = std::wstring(tmp) + name + L"_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

// Runs every queued message of this thread.
inline void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace tavrel::testing
