// The keyboard layout of the running session, through MapVirtualKeyW.
#pragma once

#include "keys/keyboard_layout.h"

namespace tavrel {

class SystemKeyboardLayout : public KeyboardLayout {
public:
    uint32_t ScanToVirtualKey(uint32_t scan) const override;
    uint32_t VirtualKeyToScan(uint32_t vk) const override;
};

// The one instance every window uses.
const KeyboardLayout& SystemLayout();

}  // namespace tavrel
