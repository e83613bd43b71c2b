// The keys that would activate or close a dialog. Every window of the program swallows
// them before dialog processing, so nothing is answered or closed from the keyboard by
// accident; a few windows also swallow F1 so no help request reaches the framework.
#pragma once

namespace tavrel {

// Key message numbers, the same as the platform's WM_KEYDOWN and friends.
constexpr unsigned kMsgKeyDown = 0x0100;
constexpr unsigned kMsgKeyUp = 0x0101;
constexpr unsigned kMsgSysKeyDown = 0x0104;
constexpr unsigned kMsgSysKeyUp = 0x0105;

constexpr unsigned kVkReturn = 0x0D;
constexpr unsigned kVkEscape = 0x1B;
constexpr unsigned kVkSpace = 0x20;
constexpr unsigned kVkF1 = 0x70;

enum class SwallowedKeys {
    EnterEscapeSpace,        // the game link dialog
    EnterEscapeSpaceAndF1,   // the main window, the waiting and the warning dialog
};

// True when the message is a key message for one of the swallowed keys.
bool IsSwallowedKey(unsigned message, unsigned virtualKey, SwallowedKeys keys);

}  // namespace tavrel
