#include "keys/key_actions.h"

#include "config/shared_config.h"
#include "config/text.h"
#include "keys/key_codes.h"

namespace tavrel {

namespace {

constexpr int kActionNamesFirst = 500;

struct PresetShortcut {
    int choice;
    uint8_t byFlags;
    uint8_t wCode;
    int stringNumber;        // 0: no language string, the fixed text is shown
    const char16_t* text;    // what the shortcut does, and its keys on a US layout
};

constexpr PresetShortcut kPresetShortcuts[] = {
    {64, kModCtrl, 0x1B, 0, u"Cut (Ctrl+X)"},  {65, kModCtrl, 0x06, 0, u"Copy (Ctrl+C)"},
    {66, kModCtrl, 0x19, 0, u"Paste (Ctrl+V)"},  {67, kModCtrl, 0x04, 0, u"Select all (Ctrl+A)"},
    {68, kModCtrl, 0x09, 0, u"Find (Ctrl+F)"},  {69, kModCtrl, 0x11, 0, u"New (Ctrl+N)"},
    {70, kModCtrl, 0x13, 0, u"Print (Ctrl+P)"},  {71, kModCtrl, 0x16, 0, u"Save (Ctrl+S)"},
    {72, kModCtrl, 0x1D, 0, u"Undo (Ctrl+Z)"},  {73, kModAlt, 0x2B, 0, u"Switch window (Alt+Tab)"},
    {74, kModAlt, 0x3D, 513, nullptr},   {75, kModWin, 0x0F, 0, u"Lock computer (Win+L)"},
    {76, kModWin, 0x15, 519, nullptr},   {77, kModWin, 0x07, 518, nullptr},
};

// Function codes of choices 24 to 41, in choice order.
constexpr uint16_t kFunctionCodes[] = {0xB2, 0xB0, 0xB1, 0xC4, 0xBB, 0xB9, 0xBA, 0xB8, 0xB3,
                                       0xB4, 0xBD, 0xBE, 0xBF, 0xC7, 0xC1, 0xB7, 0xC5, 0xC6};

struct FunctionText {
    uint16_t code;
    int stringNumber;        // 0: the fixed text is shown
    const char16_t* text;
};

// The keyboard carries these functions out; the codes without a language string get a
// plain description with their code, so a profile that holds one still shows something.
constexpr FunctionText kFunctionTexts[] = {
    {0xB2, 504, nullptr}, {0xB0, 505, nullptr}, {0xB1, 506, nullptr}, {0xC4, 507, nullptr},
    {0xBB, 508, nullptr}, {0xB9, 509, nullptr}, {0xBA, 510, nullptr}, {0xB8, 511, nullptr},
    {0xB4, 514, nullptr}, {0xB3, 515, nullptr}, {0x4E, 516, nullptr}, {0x4F, 517, nullptr},
    {0xB7, 520, nullptr}, {0xC5, 521, nullptr}, {0xC6, 522, nullptr},
    {0xC0, 0, u"Screensave"}, {0xC2, 0, u"Explorer"},
    {0xBD, 0, u"Special function BD"}, {0xBE, 0, u"Special function BE"},
    {0xBF, 0, u"Special function BF"}, {0xC1, 0, u"Special function C1"},
    {0xC7, 0, u"Special function C7"},
};

const std::u16string& ActionName(const LangTable& names, int stringNumber) {
    return names.Get(static_cast<size_t>(stringNumber - kActionNamesFirst));
}

std::u16string FileNameOfPath(std::u16string_view path) {
    const size_t cut = path.find_last_of(u"\\/:");
    return std::u16string(cut == std::u16string_view::npos ? path : path.substr(cut + 1));
}

std::u16string Action4Text(uint8_t subCode) {
    switch (subCode) {
    case 1: return u"Special keyboard function 1";
    case 4: return u"Special keyboard function 4";
    case 5: return u"Special keyboard function 5";
    case 6: return u"Special keyboard function 6";
    default: return {};
    }
}

std::u16string MouseButtonText(uint8_t button) {
    switch (button) {
    case 1: return u"Left mouse button";
    case 2: return u"Right mouse button";
    case 3: return u"Middle mouse button";
    case 4: return u"Mouse button 4";
    case 5: return u"Mouse button 5";
    default: return {};
    }
}

}  // namespace

std::optional<KeyAssignment> ActionToAssignment(int slot, int choice) {
    if (choice >= 24 && choice <= 41)
        return KeyAssignment{KindFunction, 0, kFunctionCodes[choice - 24]};
    if (choice >= 240 && choice <= 244)
        return KeyAssignment{KindMouseButton, static_cast<uint8_t>(choice - 239), 0};
    for (const PresetShortcut& p : kPresetShortcuts)
        if (p.choice == choice) return KeyAssignment{KindPresetShortcut, p.byFlags, p.wCode};
    switch (choice) {
    case 1: return KeyAssignment{KindAction1, 0, 0};
    case kChoiceShortcut: return KeyAssignment{KindCombination, 0, 0};
    case kChoiceMacro: return KeyAssignment{KindMacro, 0, 0};
    case 11:
        if (slot < 0 || slot >= kMacroSlotsPerProfile) return std::nullopt;
        return KeyAssignment{KindLaunch, static_cast<uint8_t>(slot + 1), 0};
    case 16: return KeyAssignment{KindAction4, 1, 0};
    case 17: return KeyAssignment{KindAction4, 4, 0};
    case 18: return KeyAssignment{KindAction4, 5, 0};
    case 19: return KeyAssignment{KindAction4, 6, 0};
    case 78: return KeyAssignment{KindFunction, 0, 0x4E};
    case 79: return KeyAssignment{KindFunction, 0, 0x4F};
    case 245: return KeyAssignment{KindAction8, 0, 0};
    case 246: return KeyAssignment{KindAction5, 0, 0};
    case kChoiceRestoreDefault:
        if (slot >= 0 && slot <= 5)
            return KeyAssignment{KindCombination, kModCtrl, static_cast<uint16_t>(0x1E + slot)};
        if (slot >= 6 && slot <= 9)
            return KeyAssignment{KindCombination, static_cast<uint8_t>(slot - 1), 0};
        if (slot >= 10 && slot <= 14)
            return KeyAssignment{KindKey, 0, static_cast<uint16_t>(0x49 + (slot - 10))};
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

std::u16string ModifierPrefix(uint8_t modifierBits) {
    std::u16string prefix;
    if (modifierBits & kModCtrl) prefix += u"Ctrl+";
    if (modifierBits & kModShift) prefix += u"Shift+";
    if (modifierBits & kModAlt) prefix += u"Alt+";
    if (modifierBits & kModWin) prefix += u"Win+";
    return prefix;
}

std::u16string GetKeyActionText(const MacroKeyInfo& slot, const LangTable& actionNames,
                                const KeyboardLayout& layout) {
    const uint32_t keyUsage = slot.wCode;
    switch (slot.byType) {
    case KindAction1:
        return ActionName(actionNames, 525);
    case KindCombination:
        return ModifierPrefix(slot.byFlags) + UsageName(keyUsage, layout);
    case KindMacro:
        return std::u16string(ArrayText(slot.szText));
    case KindAction4:
        return Action4Text(slot.byFlags);
    case KindAction5:
        return u"Special mouse function 2";
    case KindFunction:
        for (const FunctionText& f : kFunctionTexts)
            if (f.code == slot.wCode)
                return f.stringNumber != 0 ? ActionName(actionNames, f.stringNumber) : f.text;
        return {};
    case KindMouseButton:
        return MouseButtonText(slot.byFlags);
    case KindAction8:
        return u"Special mouse function 1";
    case KindPresetShortcut:
        for (const PresetShortcut& p : kPresetShortcuts)
            if (p.byFlags == slot.byFlags && p.wCode == slot.wCode)
                return p.stringNumber != 0 ? ActionName(actionNames, p.stringNumber) : p.text;
        return {};
    case KindKey:
        return UsageName(keyUsage, layout);
    case KindLaunch:
        return FileNameOfPath(ArrayText(slot.szPath));
    default:
        return {};
    }
}

int CountRemaps(const SharedConfig& config) {
    int n = 0;
    for (int k = 0; k < kProfileCount; ++k) {
        const ProfileRecord& profile = config.profiles[k];
        for (int s = 0; s < 6; ++s)
            if (profile.MacroKeyInfo[s].byType == KindFunction) ++n;
        for (int p = 0; p < kKeyPositions; ++p)
            if (profile.standardKey[p] != DefaultStandardKey[p]) ++n;
    }
    return n;
}

bool IsRemapLimitReached(const SharedConfig& config) { return CountRemaps(config) >= RemapLimit; }

bool IsRemapLimitReached() { return IsRemapLimitReached(WorkingConfig); }

}  // namespace tavrel
