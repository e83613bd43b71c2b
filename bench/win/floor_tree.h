// What both floor programs know of the program's window tree beyond its skin files:
// the fixed places of the pages and of the lighting page's own controls, the keys of
// the main window's buttons, and how to read a picture's size from its file header.
// Windows headers only: the lean floor links no C++ library.
#pragma once

#include <windows.h>

namespace tavrel::bench {

// The program's own class for windows that are neither dialogs nor controls.
constexpr wchar_t kPlainClass[] = L"TavrelWindow";

// Where the pages sit in the main window, and their size.
constexpr RECT kPageArea{1, 100, 786, 367};

// The lighting page's controls outside its layout file: three colour sliders and the
// hue slider, each with its thumb, and three number boxes.
constexpr RECT kSliderRects[4] = {{407, 142, 639, 156}, {407, 172, 639, 186}, {407, 202, 639, 216}, {304, 66, 324, 250}};
constexpr RECT kEditRects[3] = {{636, 156, 678, 173}, {636, 185, 678, 201}, {636, 214, 678, 231}};

// The main window's buttons by their [BUTTONPOS] keys, in the program's creation order.
constexpr int kMainButtonKeys[] = {1, 2, 3, 4, 25, 10, 6, 7, 8, 9, 11, 12, 13, 15, 21, 22, 20, 16, 17};

// Width and height from the header of a bitmap file, without reading its pixels.
inline SIZE BitmapFileSize(const wchar_t* path) {
    SIZE size{0, 0};
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return size;
    BYTE header[26] = {};
    DWORD read = 0;
    if (ReadFile(file, header, sizeof(header), &read, nullptr) && read == sizeof(header)) {
        LONG width = 0, height = 0;
        CopyMemory(&width, header + 18, 4);
        CopyMemory(&height, header + 22, 4);
        size = SIZE{width, height < 0 ? -height : height};
    }
    CloseHandle(file);
    return size;
}

}  // namespace tavrel::bench
