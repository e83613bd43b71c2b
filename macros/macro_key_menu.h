// The macro page without its window: the popup menu of a macro key as data, and what
// each of its commands does to the key's slot in the configuration.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "config/records.h"
#include "keys/shortcut_model.h"
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

// The copy of the slot whose menu was opened last; the macro manager preselects its
// macro. Program-wide, zero-filled at start, kept after the menu closes.
extern MacroKeyInfo MenuKeySlot;

// The menu of a key whose slot is slot; strings holds language strings 500..526.
std::vector<MenuEntry> BuildKeyMenu(const MacroKeyInfo& slot, MacroStore& library, bool remapLimitReached,
                                    const LangTable& strings);

// The choice code a command stands for; none for 1099 (the manager) and for commands
// the menu does not produce (a macro command beyond the library included).
std::optional<int> ChoiceForCommand(int command, int libraryCount);

// Carries out a key-menu command other than 1099 on slot keyIndex (0..5) of the
// current profile of config. For the shortcut command, shortcutAfterOk is the shortcut
// dialog's state when it ended with OK and null otherwise (the key is then left alone).
// Returns true when the slot changed (its change flag is then raised).
bool AssignFromKeyMenu(SharedConfig& config, int keyIndex, int command, MacroStore& library,
                       const ShortcutModel* shortcutAfterOk);

}  // namespace tavrel
