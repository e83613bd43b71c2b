#include "keys/key_codes.h"

namespace tavrel {

namespace {

constexpr std::array<KeyCodeRow, kKeyCodeRows> BuildKeyCodeTable() {
    std::array<KeyCodeRow, kKeyCodeRows> t{};
    size_t i = 0;
    auto add = [&](uint32_t usage, uint32_t vk, uint32_t scan) { t[i++] = {vk, usage, scan}; };

    constexpr uint32_t letterScans[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                          0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                          0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
    for (uint32_t n = 0; n < 26; ++n) add(0x04 + n, 0x41 + n, letterScans[n]);
    for (uint32_t n = 0; n < 9; ++n) add(0x1E + n, 0x31 + n, 0x02 + n);
    add(0x27, 0x30, 0x0B);

    add(0x28, 0x0D, 0x1C);
    add(0x29, 0x1B, 0x01);
    add(0x2A, 0x08, 0x0E);
    add(0x2B, 0x09, 0x0F);
    add(0x2C, 0x20, 0x39);

    // The eleven punctuation keys (usage 0x32 has no row).
    add(0x2D, 0xBD, 0x0C);
    add(0x2E, 0xBB, 0x0D);
    add(0x2F, 0xDB, 0x1A);
    add(0x30, 0xDD, 0x1B);
    add(0x31, 0xDC, 0x2B);
    add(0x33, 0xBA, 0x27);
    add(0x34, 0xDE, 0x28);
    add(0x35, 0xC0, 0x29);
    add(0x36, 0xBC, 0x33);
    add(0x37, 0xBE, 0x34);
    add(0x38, 0xBF, 0x35);

    add(0x39, 0x14, 0x3A);
    constexpr uint32_t fScans[12] = {0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40,
                                     0x41, 0x42, 0x43, 0x44, 0x57, 0x58};
    for (uint32_t n = 0; n < 12; ++n) add(0x3A + n, 0x70 + n, fScans[n]);

    constexpr uint32_t navigation[13][2] = {{0x46, 0x2C}, {0x47, 0x91}, {0x48, 0x13}, {0x49, 0x2D},
                                            {0x4A, 0x24}, {0x4B, 0x21}, {0x4C, 0x2E}, {0x4D, 0x23},
                                            {0x4E, 0x22}, {0x4F, 0x27}, {0x50, 0x25}, {0x51, 0x28},
                                            {0x52, 0x26}};
    for (const auto& r : navigation) add(r[0], r[1], 0);

    // Numeric keypad; its Enter (0x58) pairs with virtual key 0x6C.
    constexpr uint32_t keypad[17][2] = {{0x53, 0x90}, {0x54, 0x6F}, {0x55, 0x6A}, {0x56, 0x6D},
                                        {0x57, 0x6B}, {0x58, 0x6C}, {0x59, 0x61}, {0x5A, 0x62},
                                        {0x5B, 0x63}, {0x5C, 0x64}, {0x5D, 0x65}, {0x5F, 0x67},
                                        {0x5E, 0x66}, {0x60, 0x68}, {0x61, 0x69}, {0x62, 0x60},
                                        {0x63, 0x6E}};
    for (const auto& r : keypad) add(r[0], r[1], 0);

    add(0x64, 0xE2, 0);
    add(0x65, 0x5D, 0);

    constexpr uint32_t modifiers[8][2] = {{0xE0, 0xA2}, {0xE1, 0xA0}, {0xE2, 0xA4}, {0xE3, 0x5B},
                                          {0xE4, 0xA3}, {0xE5, 0xA1}, {0xE6, 0xA5}, {0xE7, 0x5C}};
    for (const auto& r : modifiers) add(r[0], r[1], 0);

    add(0x86, 0xC1, 0);
    add(0x85, 0xC2, 0);
    add(0x89, 0xFF, 0);

    // Media and browser keys in the keyboard's own code space, then mouse buttons 1..5.
    for (uint32_t n = 0; n < 18; ++n) add(0x70 + n, 0xA6 + n, 0);
    for (uint32_t n = 0; n < 5; ++n) add(0xF0 + n, 0xF0 + n, 0);
    return t;
}

constexpr bool IsScanCodedUsage(uint32_t usage) { return usage >= 0x04 && usage <= 0x45; }

constexpr bool IsPunctuationScan(uint32_t scan) {
    switch (scan) {
    case 0x0C: case 0x0D: case 0x1A: case 0x1B: case 0x27: case 0x28:
    case 0x29: case 0x2B: case 0x33: case 0x34: case 0x35:
        return true;
    default:
        return false;
    }
}

const KeyCodeRow* RowOfUsage(uint32_t usage) {
    for (const KeyCodeRow& row : KeyCodeTable)
        if (row.usage == usage) return &row;
    return nullptr;
}

const KeyCodeRow* RowOfVirtualKey(uint32_t vk) {
    for (const KeyCodeRow& row : KeyCodeTable)
        if (row.virtualKey == vk) return &row;
    return nullptr;
}

const KeyCodeRow* RowOfScanCode(uint32_t scan) {
    for (const KeyCodeRow& row : KeyCodeTable)
        if (row.scanCode == scan) return &row;
    return nullptr;
}

std::u16string Letter(char16_t first, uint32_t offset) {
    return std::u16string(1, static_cast<char16_t>(first + offset));
}

}  // namespace

const std::array<KeyCodeRow, kKeyCodeRows> KeyCodeTable = BuildKeyCodeTable();

KeyLookup TanslateUID2VK(uint32_t usage, const KeyboardLayout& layout) {
    const KeyCodeRow* row = RowOfUsage(usage);
    if (row == nullptr) return {};
    if (!IsScanCodedUsage(usage) || IsPunctuationScan(row->scanCode)) return {true, row->virtualKey};
    return {true, layout.ScanToVirtualKey(row->scanCode)};
}

KeyLookup TranslateVK2UID(uint32_t vk, const KeyboardLayout& layout) {
    const KeyCodeRow* row = RowOfVirtualKey(vk);
    if (row == nullptr) return {};
    uint32_t usage = row->usage;
    if (IsScanCodedUsage(usage)) {
        // Rows without a scan code carry 0, so a key the layout cannot place (scan 0)
        // must keep its own usage rather than match the first of those rows.
        const uint32_t scan = layout.VirtualKeyToScan(vk);
        if (scan != 0) {
            if (const KeyCodeRow* physical = RowOfScanCode(scan)) usage = physical->usage;
        }
    }
    return {true, usage};
}

std::u16string GetVKName(uint32_t vk) {
    if (vk >= 0x30 && vk <= 0x39) return Letter(u'0', vk - 0x30);
    if (vk >= 0x41 && vk <= 0x5A) return Letter(u'A', vk - 0x41);
    if (vk >= 0x60 && vk <= 0x69) return u"Num " + Letter(u'0', vk - 0x60);
    if (vk >= 0x70 && vk <= 0x7B) {
        const uint32_t n = vk - 0x70 + 1;
        return n < 10 ? u"F" + Letter(u'0', n) : u"F1" + Letter(u'0', n - 10);
    }
    switch (vk) {
    case 0x08: return u"BackSpace";
    case 0x09: return u"Tab";
    case 0x0D: return u"Enter";
    case 0x13: return u"Pause";
    case 0x14: return u"Caps Lock";
    case 0x1B: return u"Esc";
    case 0x20: return u"Space";
    case 0x21: return u"Page Up";
    case 0x22: return u"Page Down";
    case 0x23: return u"End";
    case 0x24: return u"Home";
    case 0x25: return u"Left";
    case 0x26: return u"Up";
    case 0x27: return u"Right";
    case 0x28: return u"Down";
    case 0x29: return u"Select";
    case 0x2B: return u"Execute";
    case 0x2C: return u"Prnt Scrn";
    case 0x2D: return u"Insert";
    case 0x2E: return u"Delete";
    case 0x2F: return u"Help";
    case 0x5B: return u"Left Windows";
    case 0x5C: return u"Right Windows";
    case 0x5D: return u"APP";
    case 0x6A: return u"Num *";
    case 0x6B: return u"Num +";
    case 0x6C: return u"Num Enter";
    case 0x6D: return u"Num -";
    case 0x6E: return u"Num Del";
    case 0x6F: return u"Num /";
    case 0x90: return u"Num Lock";
    case 0x91: return u"Scroll Lock";
    case 0xA0: return u"Shift";
    case 0xA1: return u"Right Shift";
    case 0xA2: return u"Ctrl";
    case 0xA3: return u"Right Ctrl";
    case 0xA4: return u"Alt";
    case 0xA5: return u"Right Alt";
    case 0xBA: return u";";
    case 0xBB: return u"=";
    case 0xBC: return u",";
    case 0xBD: return u"-";
    case 0xBE: return u".";
    case 0xBF: return u"/";
    case 0xC0: return u"`";
    case 0xC1: return u"-\\";
    case 0xC2: return u"Num .";
    case 0xDB: return u"[";
    case 0xDC: return u"\\";
    case 0xDD: return u"]";
    case 0xDE: return u"'";
    case 0xE2: return u"|\\";
    case 0xFF: return u"\\";
    case 0xF0: return u"L-Button";
    case 0xF1: return u"R-Button";
    case 0xF2: return u"M-Button";
    case 0xF3: return u"Button 4";
    case 0xF4: return u"Button 5";
    default: return {};
    }
}

std::u16string UsageName(uint32_t usage, const KeyboardLayout& layout) {
    const KeyLookup vk = TanslateUID2VK(usage, layout);
    return vk.ok ? GetVKName(vk.code) : std::u16string();
}

}  // namespace tavrel
