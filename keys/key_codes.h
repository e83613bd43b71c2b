// The three conversions between the keyboard's HID usages and Windows virtual keys,
// and the fixed English key names. Stored keys are always usages; virtual keys occur
// only where keystrokes are captured and where keys are named.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "keys/keyboard_layout.h"

namespace tavrel {

struct KeyCodeRow {
    uint32_t virtualKey;
    uint32_t usage;
    uint32_t scanCode;  // set 1; only the rows of usages 0x04..0x45 carry one
};

constexpr size_t kKeyCodeRows = 131;
// Searched front to back; each virtual key and each usage occurs in exactly one row.
extern const std::array<KeyCodeRow, kKeyCodeRows> KeyCodeTable;

// Result of a translation: ok is false (and code 0) when no row matched.
struct KeyLookup {
    bool ok = false;
    uint32_t code = 0;
};

// Usage to virtual key. Letters, digits, the control keys, Caps Lock and F1 to F12
// follow the active layout; the eleven punctuation keys keep their own virtual keys.
KeyLookup TanslateUID2VK(uint32_t usage, const KeyboardLayout& layout);
// Virtual key to usage; a layout-dependent key is mapped back to its physical position.
// Callers store the low byte.
KeyLookup TranslateVK2UID(uint32_t vk, const KeyboardLayout& layout);
// Fixed English display name; empty for a code without a name.
std::u16string GetVKName(uint32_t vk);

// The name of a stored usage: the name of the virtual key it translates to.
std::u16string UsageName(uint32_t usage, const KeyboardLayout& layout);

// A captured keystroke: the keypad Enter arrives as Enter with the extended flag.
constexpr uint32_t kVkEnterKey = 0x0D;
constexpr uint32_t kVkKeypadEnter = 0x6C;
constexpr uint32_t kCapturedExtendedFlag = 0x01;
constexpr uint32_t kCapturedKeyUpFlag = 0x80;
constexpr uint32_t CapturedVirtualKey(uint32_t vk, uint32_t flags) {
    return (vk == kVkEnterKey && (flags & kCapturedExtendedFlag) != 0) ? kVkKeypadEnter : vk;
}

}  // namespace tavrel
