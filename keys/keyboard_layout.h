// The active keyboard layout, as far as key translation needs it. On Windows this is
// MapVirtualKeyW (keys/win/system_keyboard_layout.h); tests use fixed layouts.
#pragma once

#include <cstdint>

namespace tavrel {

class KeyboardLayout {
public:
    virtual ~KeyboardLayout() = default;
    // Set-1 scan code to virtual key, left and right keys told apart; 0 when the layout
    // has no such key.
    virtual uint32_t ScanToVirtualKey(uint32_t scan) const = 0;
    // Virtual key to set-1 scan code; 0 when the layout has no such key.
    virtual uint32_t VirtualKeyToScan(uint32_t vk) const = 0;
};

}  // namespace tavrel
