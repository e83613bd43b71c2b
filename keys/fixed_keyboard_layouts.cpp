#include "keys/fixed_keyboard_layouts.h"

namespace tavrel {

FixedKeyboardLayout::FixedKeyboardLayout(std::vector<std::pair<uint32_t, uint32_t>> scanToVk)
    : pairs_(std::move(scanToVk)) {}

uint32_t FixedKeyboardLayout::ScanToVirtualKey(uint32_t scan) const {
    for (const auto& [s, vk] : pairs_)
        if (s == scan) return vk;
    return 0;
}

uint32_t FixedKeyboardLayout::VirtualKeyToScan(uint32_t vk) const {
    for (const auto& [s, v] : pairs_)
        if (v == vk) return s;
    return 0;
}

namespace {

// Keys every layout shares: digits, control keys, F1 to F12, modifiers.
std::vector<std::pair<uint32_t, uint32_t>> CommonKeys() {
    std::vector<std::pair<uint32_t, uint32_t>> keys = {
        {0x01, 0x1B}, {0x0E, 0x08}, {0x0F, 0x09}, {0x1C, 0x0D}, {0x1D, 0xA2}, {0x2A, 0xA0},
        {0x36, 0xA1}, {0x38, 0xA4}, {0x39, 0x20}, {0x3A, 0x14}, {0x57, 0x7A}, {0x58, 0x7B},
        {0x33, 0xBC}, {0x34, 0xBE}, {0x56, 0xE2},
    };
    for (uint32_t n = 0; n < 9; ++n) keys.push_back({0x02 + n, 0x31 + n});  // 1..9
    keys.push_back({0x0B, 0x30});                                           // 0
    for (uint32_t n = 0; n < 10; ++n) keys.push_back({0x3B + n, 0x70 + n});  // F1..F10
    return keys;
}

// Letters by scan code in QWERTY order of the rows.
std::vector<std::pair<uint32_t, uint32_t>> Letters(char16_t yKey, char16_t zKey) {
    const std::pair<uint32_t, char16_t> letters[] = {
        {0x10, u'Q'}, {0x11, u'W'}, {0x12, u'E'}, {0x13, u'R'}, {0x14, u'T'}, {0x15, yKey},
        {0x16, u'U'}, {0x17, u'I'}, {0x18, u'O'}, {0x19, u'P'}, {0x1E, u'A'}, {0x1F, u'S'},
        {0x20, u'D'}, {0x21, u'F'}, {0x22, u'G'}, {0x23, u'H'}, {0x24, u'J'}, {0x25, u'K'},
        {0x26, u'L'}, {0x2C, zKey}, {0x2D, u'X'}, {0x2E, u'C'}, {0x2F, u'V'}, {0x30, u'B'},
        {0x31, u'N'}, {0x32, u'M'},
    };
    std::vector<std::pair<uint32_t, uint32_t>> keys;
    for (const auto& [scan, letter] : letters) keys.push_back({scan, letter});
    return keys;
}

std::vector<std::pair<uint32_t, uint32_t>> Join(std::vector<std::pair<uint32_t, uint32_t>> a,
                                                const std::vector<std::pair<uint32_t, uint32_t>>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

const KeyboardLayout& UsKeyboardLayout() {
    static const FixedKeyboardLayout layout(Join(Join(CommonKeys(), Letters(u'Y', u'Z')),
        {{0x0C, 0xBD}, {0x0D, 0xBB}, {0x1A, 0xDB}, {0x1B, 0xDD}, {0x2B, 0xDC}, {0x27, 0xBA},
         {0x28, 0xDE}, {0x29, 0xC0}, {0x35, 0xBF}}));
    return layout;
}

const KeyboardLayout& GermanKeyboardLayout() {
    static const FixedKeyboardLayout layout(Join(Join(CommonKeys(), Letters(u'Z', u'Y')),
        {{0x0C, 0xDB}, {0x0D, 0xDD}, {0x1A, 0xBA}, {0x1B, 0xBB}, {0x2B, 0xBF}, {0x27, 0xC0},
         {0x28, 0xDE}, {0x29, 0xDC}, {0x35, 0xBD}}));
    return layout;
}

}  // namespace tavrel
