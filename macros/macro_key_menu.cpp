#include "macros/macro_key_menu.h"

#include <algorithm>
#include <cstring>

#include "config/text.h"
#include "keys/key_actions.h"
#include "macros/macro_names.h"

namespace tavrel {

MacroKeyInfo MenuKeySlot{};

namespace {

constexpr int kStringBase = 500;
constexpr int kMenuItemWidthB = 120;

const std::u16string& Str(const LangTable& strings, int number) {
    return strings.Get(static_cast<size_t>(number - kStringBase));
}

struct CommandChoice {
    int command;
    int choice;
};

// Submenu C in menu order, with the choice code of each command.
constexpr CommandChoice kSubmenuC[] = {
    {1060, 74}, {1022, 33}, {1021, 32}, {1064, 78}, {1065, 79},
    {1063, 77}, {1062, 76}, {1028, 39}, {1029, 40}, {1030, 41},
};
constexpr int kSubmenuCFirstString = 513;

}  // namespace

std::vector<MenuEntry> BuildKeyMenu(const MacroKeyInfo& slot, MacroStore& library, bool remapLimitReached,
                                    const LangTable& strings) {
    std::vector<MenuEntry> a{MenuEntry::Item(kCmdOpenMacroManager, Str(strings, 502))};
    if (library.Count() > 0) {
        a.push_back(MenuEntry::Separator());
        const std::u16string_view keyName = ArrayText(slot.szText);
        for (int k = 0; k < library.Count(); ++k) {
            const MacroRecord* record = library.At(k);
            if (record == nullptr) continue;
            const std::u16string_view name = ArrayText(record->szName);
            // The key holds the first 19 characters of the name it was given.
            const bool marked = slot.byType == KindMacro && EqualsNoCase(keyName, SlotNameOf(name));
            a.push_back(MenuEntry::Item(kCmdFirstMacro + k, std::u16string(Trim(name)), marked ? 1 : 0));
        }
    }
    std::vector<MenuEntry> top{MenuEntry::Popup(Str(strings, 501), std::move(a))};
    if (!remapLimitReached) {
        std::vector<MenuEntry> b;
        for (int i = 0; i < 8; ++i) b.push_back(MenuEntry::Item(1013 + i, Str(strings, 504 + i)));
        top.push_back(MenuEntry::Popup(Str(strings, 503), std::move(b)));
        top.back().itemWidth = kMenuItemWidthB;
    }
    if (!remapLimitReached) {
        std::vector<MenuEntry> c;
        int number = kSubmenuCFirstString;
        for (const CommandChoice& cc : kSubmenuC) c.push_back(MenuEntry::Item(cc.command, Str(strings, number++)));
        top.push_back(MenuEntry::Popup(Str(strings, 512), std::move(c)));
    }
    top.push_back(MenuEntry::Separator());
    top.push_back(MenuEntry::Item(kCmdKeyDefault, Str(strings, 523)));
    top.push_back(MenuEntry::Item(kCmdKeyShortcut, Str(strings, 524)));
    top.push_back(MenuEntry::Item(1040, Str(strings, 525)));
    return top;
}

std::optional<int> ChoiceForCommand(int command, int libraryCount) {
    if (command >= kCmdFirstMacro && command < kCmdFirstMacro + libraryCount) return kChoiceMacro;
    if (command >= 1013 && command <= 1020) return 24 + (command - 1013);
    for (const CommandChoice& cc : kSubmenuC) {
        if (cc.command == command) return cc.choice;
    }
    switch (command) {
    case kCmdKeyDefault: return 48;
    case kCmdKeyShortcut: return kChoiceShortcut;
    case 1040: return 1;
    default: return std::nullopt;
    }
}

bool AssignFromKeyMenu(SharedConfig& config, int keyIndex, int command, MacroStore& library,
                       const ShortcutModel* shortcutAfterOk) {
    const std::optional<int> choice = ChoiceForCommand(command, library.Count());
    if (!choice || keyIndex < 0 || keyIndex >= kMacroSlotsPerProfile) return false;
    const std::optional<KeyAssignment> a = ActionToAssignment(keyIndex, *choice);
    if (!a) return false;
    if (*choice == kChoiceShortcut && shortcutAfterOk == nullptr) return false;  // not closed with OK
    const int profile = std::clamp(config.CurrentProfile, 0, kProfileCount - 1);
    MacroKeyInfo& slot = config.profiles[profile].MacroKeyInfo[keyIndex];

    if (*choice == kChoiceShortcut) {
        shortcutAfterOk->StoreToSlot(slot);
        std::memset(slot.szText, 0, sizeof slot.szText);
    }
    slot.byAction = static_cast<uint8_t>(*choice);
    slot.byType = a->byType;
    if (*choice != kChoiceShortcut) {
        slot.byFlags = a->byFlags;
        slot.wCode = a->wCode;
    }

    if (*choice == kChoiceMacro) {
        const int k = command - kCmdFirstMacro;
        const MacroRecord& macro = *library.At(k);
        slot.wEventCount = static_cast<uint16_t>(std::clamp(macro.iEventCount, 0, kMaxMacroEvents));
        CopyToArray(slot.szText, ArrayText(macro.szName));  // at most 19 characters fit
        std::memcpy(slot.Events, macro.Events, sizeof slot.Events);
        slot.iRepeat = macro.iRepeat;
        slot.iMacroIndex = k;
    } else {
        slot.wEventCount = 0;
        std::memset(slot.Events, 0, sizeof slot.Events);
        std::memset(slot.szText, 0, sizeof slot.szText);
    }
    config.iMacroKeyChanged[profile][keyIndex] = 1;
    return true;
}

}  // namespace tavrel
