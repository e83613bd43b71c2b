#include "macros/macro_names.h"

#include "config/text.h"

namespace tavrel {

std::u16string_view SlotNameOf(std::u16string_view libraryName) {
    return libraryName.substr(0, kSlotTextChars - 1);
}

bool IsMacroInUse(const SharedConfig& config, std::u16string_view name) {
    const std::u16string_view held = SlotNameOf(name);
    // Every key that is not a macro has an empty name; that says nothing about a macro.
    if (held.empty()) return false;
    for (const ProfileRecord& profile : config.profiles) {
        for (int slot = 0; slot < kMacroKeyCount; ++slot) {
            if (ArrayText(profile.MacroKeyInfo[slot].szText) == held) return true;
        }
    }
    return false;
}

}  // namespace tavrel
