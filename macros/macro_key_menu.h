// The macro page without its window: the popup menu of a macro key as data, and what
// each of its commands does to the key's slot in the configuration.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "config/records.h"
#include "macros/macro_store.h"
#include "macros/menu_entry.h"
#include "skin/lang_table.h"

namespace tavrel {

// Commands of the key menu.
constexpr int kCmdKeyDefault = 1001;
constexpr int kCmdKeyShortcut = 1002;
constexpr int kCmdOpenMacroManager = 1099;
constexpr int kCmdFirstMacro = 1100;  // + library position
constexpr int kKeyMenuFirstCommand = 1001;
constexpr int kKeyMenuLastCommand = 4000;

constexpr int kChoiceShortcut = 2;
constexpr int kChoiceMacro = 3;
constexpr int kKindMacro = 3;

// The copy of the slot whose menu was opened last; the macro manager preselects its
// macro. Program-wide, zero-filled at start, kept after the menu closes.
extern MacroKeyInfo MenuKeySlot;

// The menu of a key whose slot is slot; strings holds language strings 500..526.
std::vector<MenuEntry> BuildKeyMenu(const MacroKeyInfo& slot, MacroStore& library, bool remapLimitReached,
                                    const LangTable& strings);

// The choice code a command stands for; none for 1099 (the manager) and for commands
// the menu does not produce (a macro command beyond the library included).
std::optional<int> ChoiceForCommand(int command, int libraryCount);

// The shortcut dialog's members: the key's usage and the toggles [0] no modifier,
// [1] Ctrl, [2] Shift, [3] Alt, [4] Win.
struct ShortcutChoice {
    uint8_t key = 0;
    uint8_t mods[5] = {};
};
ShortcutChoice ShortcutPresetFromSlot(const MacroKeyInfo& slot);

// Kind, flags and code of a choice for a slot, as the key layer defines them.
struct Assignment {
    uint8_t byType = 0;
    uint8_t byFlags = 0;
    uint16_t wCode = 0;
};
using AssignmentRule = std::function<Assignment(int slot, int choice)>;

// Carries out a key-menu command other than 1099 on slot keyIndex (0..5) of the
// current profile of config. For the shortcut command, shortcut holds the dialog's
// members after OK and is empty when the dialog ended otherwise. Returns true when the
// slot changed (its change flag is then raised).
bool AssignFromKeyMenu(SharedConfig& config, int keyIndex, int command, MacroStore& library,
                       const AssignmentRule& rule, const std::optional<ShortcutChoice>& shortcut);

}  // namespace tavrel
