// The rules of the shortcut dialog: five toggles (no modifier, Ctrl, Shift, Alt, Win),
// the key captured from the keyboard, and the contract with the macro page, which
// fills the members from a slot before the dialog opens and copies them back after OK.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "config/records.h"
#include "keys/keyboard_layout.h"

namespace tavrel {

constexpr int kShortcutToggles = 5;
constexpr int kToggleNoModifier = 0;  // toggles 1 to 4: Ctrl, Shift, Alt, Win

struct ToggleState {
    bool selected = false;
    bool enabled = true;
    bool operator==(const ToggleState&) const = default;
};

class ShortcutModel {
public:
    // The layout must outlive the model.
    explicit ShortcutModel(const KeyboardLayout& layout) : layout_(layout) {}

    // Input and output: the key's usage and the toggle states (0 or 1), [0] the
    // no-modifier toggle, [1..4] Ctrl, Shift, Alt, Win.
    uint8_t m_byKey = 0;
    std::array<uint8_t, kShortcutToggles> m_abyMod{};

    // Before the dialog: key from the low byte of wCode, modifiers from byFlags, the
    // no-modifier toggle off.
    void LoadFromSlot(const MacroKeyInfo& slot);
    // After OK: wCode and byFlags of the slot (byFlags 0 while no-modifier is on).
    void StoreToSlot(MacroKeyInfo& slot) const;
    uint8_t ModifierBits() const;

    // When the dialog initialises: the field shows the name of m_byKey.
    void Initialise();
    // How the five toggle buttons are shown. While no-modifier is selected the others
    // are shown off and disabled, but keep their states for when it is switched off.
    std::array<ToggleState, kShortcutToggles> ShowToggles() const;
    // Toggle i was clicked and now shows `selected`.
    void OnToggleClicked(int toggle, bool selected);
    // A WM_CAPTURED_KEY report, key down and key up alike; a key without a table row
    // empties the field and sets m_byKey to 0.
    void OnCapturedKey(uint32_t vk, uint32_t flags);

    const std::u16string& FieldText() const { return fieldText_; }

private:
    const KeyboardLayout& layout_;
    std::u16string fieldText_;
};

}  // namespace tavrel
