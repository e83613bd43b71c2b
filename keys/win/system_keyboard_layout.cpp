#include "keys/win/system_keyboard_layout.h"

#include <windows.h>

namespace tavrel {

uint32_t SystemKeyboardLayout::ScanToVirtualKey(uint32_t scan) const {
    return MapVirtualKeyW(scan, MAPVK_VSC_TO_VK_EX);
}

uint32_t SystemKeyboardLayout::VirtualKeyToScan(uint32_t vk) const {
    return MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
}

const KeyboardLayout& SystemLayout() {
    static const SystemKeyboardLayout layout;
    return layout;
}

}  // namespace tavrel
