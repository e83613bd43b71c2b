// The key code translations the macro editor needs, behind an interface so the editor
// stays portable: the program forwards to keys/ (which asks the active keyboard
// layout), tests use a fixed table.
#pragma once

#include <cstdint>
#include <string>

namespace tavrel {

class KeyCodes {
public:
    virtual ~KeyCodes() = default;
    // Virtual key of a device usage; 0 when the usage has no virtual key.
    virtual uint32_t UsageToVk(uint32_t usage) const = 0;
    // Device usage of a virtual key; 0 when the key has no usage.
    virtual uint32_t VkToUsage(uint32_t vk) const = 0;
    // Fixed English name of a virtual key; empty when it has none.
    virtual std::u16string VkName(uint32_t vk) const = 0;
};

}  // namespace tavrel
