// How a library macro's name meets the key slots: a slot holds at most 19 characters of
// it, and a macro counts as used while a macro key of any profile holds its name.
#pragma once

#include <string_view>

#include "config/records.h"

namespace tavrel {

constexpr int kMacroKeyCount = 6;  // slots 0..5 are the six macro keys

// The name as a key slot stores it: its first 19 characters.
std::u16string_view SlotNameOf(std::u16string_view libraryName);

// True when one of the six macro keys of any profile holds exactly (letter case
// included) the slot form of name, whatever its kind. A nameless macro is never in use.
bool IsMacroInUse(const SharedConfig& config, std::u16string_view name);

}  // namespace tavrel
