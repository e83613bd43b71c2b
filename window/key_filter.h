// The keyboard filter every window of the program applies before dialog processing:
// key-down and key-up messages (plain and system) of a few keys are swallowed so that
// nothing is activated or closed from the keyboard.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>

namespace tavrel {

// Message numbers and virtual keys as the platform defines them.
inline constexpr uint32_t kMsgKeyDown = 0x0100;
inline constexpr uint32_t kMsgKeyUp = 0x0101;
inline constexpr uint32_t kMsgSysKeyDown = 0x0104;
inline constexpr uint32_t kMsgSysKeyUp = 0x0105;

inline constexpr uint32_t kVkReturn = 0x0D;
inline constexpr uint32_t kVkEscape = 0x1B;
inline constexpr uint32_t kVkSpace = 0x20;
inline constexpr uint32_t kVkDelete = 0x2E;
inline constexpr uint32_t kVkF1 = 0x70;

// Enter, Escape and Space: swallowed by every window.
inline constexpr uint32_t kDefaultSwallowedKeys[] = {kVkReturn, kVkEscape, kVkSpace};

// True when `message` is one of the four key messages and `virtualKey` is in `keys`.
bool IsSwallowedKeyMessage(uint32_t message, uint32_t virtualKey, std::span<const uint32_t> keys);

}  // namespace tavrel
