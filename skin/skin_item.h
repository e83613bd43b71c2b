// One "BUTTONPOS" entry of a skin layout file: name, x, y, w, h, file.
#pragma once

#include <cstdint>
#include <string_view>

namespace tavrel {

// A rectangle in a window's client coordinates (right and bottom exclusive).
struct SkinRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    friend bool operator==(const SkinRect&, const SkinRect&) = default;
};

struct SkinItem {
    char16_t szLabel[40] = {};  // text before the first comma; carries no behaviour
    SkinRect rcPos;        // right = x + w, bottom = y + h
    char16_t szFile[400] = {};  // text after the last comma, trimmed; carries no behaviour
};

// Fills `item` from one entry. The record is zeroed first; missing or malformed
// numbers stay 0, so an empty or absent entry gives a zero rectangle. Numbers are
// clamped to 32 bits and right/bottom saturate instead of overflowing.
void ParseSkinItem(std::u16string_view text, SkinItem& item);

}  // namespace tavrel
