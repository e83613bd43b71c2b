// Fixed keyboard layouts for tests and for machines without a layout service: the US
// layout and the German layout (which swaps Y and Z and moves the punctuation keys).
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "keys/keyboard_layout.h"

namespace tavrel {

class FixedKeyboardLayout : public KeyboardLayout {
public:
    // Pairs of (scan code, virtual key); the first pair wins in both directions.
    explicit FixedKeyboardLayout(std::vector<std::pair<uint32_t, uint32_t>> scanToVk);
    uint32_t ScanToVirtualKey(uint32_t scan) const override;
    uint32_t VirtualKeyToScan(uint32_t vk) const override;

private:
    std::vector<std::pair<uint32_t, uint32_t>> pairs_;
};

const KeyboardLayout& UsKeyboardLayout();
const KeyboardLayout& GermanKeyboardLayout();

}  // namespace tavrel
