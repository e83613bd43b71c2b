// What a programmable key slot can hold, the assignment a menu choice produces, the
// text a slot shows, and the limit on remapped keys over all four profiles.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "config/records.h"
#include "keys/keyboard_layout.h"
#include "skin/lang_table.h"

namespace tavrel {

// Slot kinds (byType).
enum KeyKind : uint8_t {
    KindNone = 0,
    KindAction1 = 1,
    KindCombination = 2,
    KindMacro = 3,
    KindAction4 = 4,
    KindAction5 = 5,
    KindFunction = 6,
    KindMouseButton = 7,
    KindAction8 = 8,
    KindPresetShortcut = 9,
    KindKey = 10,
    KindLaunch = 11,
};

// ModifierBits of byFlags for kinds 2 and 9.
constexpr uint8_t kModCtrl = 1;
constexpr uint8_t kModShift = 2;
constexpr uint8_t kModAlt = 4;
constexpr uint8_t kModWin = 8;

constexpr int RemapLimit = 32;

// Choice codes of the macro page menu that need special handling by the caller.
constexpr int kChoiceShortcut = 2;
constexpr int kChoiceMacro = 3;
constexpr int kChoiceRestoreDefault = 48;

struct KeyAssignment {
    uint8_t byType = 0;
    uint8_t byFlags = 0;
    uint16_t wCode = 0;
    bool operator==(const KeyAssignment&) const = default;
};

// The assignment a choice code gives slot `slot`. For the shortcut (choice 2) byFlags
// and wCode are 0: the shortcut dialog supplies them. No value for a choice code
// outside the table, or restore-default for slots 15 and above: the caller then leaves
// the slot as it is.
std::optional<KeyAssignment> ActionToAssignment(int slot, int choice);

// Display text of a slot. `actionNames` is the main window's table of language strings
// 500 to 525 (entry i holds string 500 + i); key names follow `layout`.
std::u16string GetKeyActionText(const MacroKeyInfo& slot, const LangTable& actionNames,
                                const KeyboardLayout& layout);

// "Ctrl+", "Shift+", "Alt+", "Win+" for the bits set, in that order.
std::u16string ModifierPrefix(uint8_t modifierBits);

// Remapped standard keys plus function-code slots among slots 0 to 5, over all four
// profiles.
int CountRemaps(const SharedConfig& config);
bool IsRemapLimitReached(const SharedConfig& config);
// The same over WorkingConfig.
bool IsRemapLimitReached();

}  // namespace tavrel
