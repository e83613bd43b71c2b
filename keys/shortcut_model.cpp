#include "keys/shortcut_model.h"

#include "keys/key_actions.h"
#include "keys/key_codes.h"

namespace tavrel {

namespace {

constexpr uint8_t kToggleBits[kShortcutToggles] = {0, kModCtrl, kModShift, kModAlt, kModWin};

}  // namespace

void ShortcutModel::LoadFromSlot(const MacroKeyInfo& slot) {
    m_byKey = static_cast<uint8_t>(slot.wCode & 0xFF);
    m_abyMod[kToggleNoModifier] = 0;
    for (int i = 1; i < kShortcutToggles; ++i) m_abyMod[i] = (slot.byFlags & kToggleBits[i]) ? 1 : 0;
}

uint8_t ShortcutModel::ModifierBits() const {
    if (m_abyMod[kToggleNoModifier] != 0) return 0;
    uint8_t bits = 0;
    for (int i = 1; i < kShortcutToggles; ++i)
        if (m_abyMod[i] != 0) bits |= kToggleBits[i];
    return bits;
}

void ShortcutModel::StoreToSlot(MacroKeyInfo& slot) const {
    slot.wCode = m_byKey;
    slot.byFlags = ModifierBits();
}

void ShortcutModel::Initialise() { fieldText_ = UsageName(m_byKey, layout_); }

std::array<ToggleState, kShortcutToggles> ShortcutModel::ShowToggles() const {
    std::array<ToggleState, kShortcutToggles> toggles{};
    const bool noModifier = m_abyMod[kToggleNoModifier] != 0;
    toggles[kToggleNoModifier] = {noModifier, true};
    for (int i = 1; i < kShortcutToggles; ++i)
        toggles[i] = noModifier ? ToggleState{false, false} : ToggleState{m_abyMod[i] != 0, true};
    return toggles;
}

void ShortcutModel::OnToggleClicked(int toggle, bool selected) {
    if (toggle < 0 || toggle >= kShortcutToggles) return;
    m_abyMod[toggle] = selected ? 1 : 0;
}

void ShortcutModel::OnCapturedKey(uint32_t vk, uint32_t flags) {
    vk = CapturedVirtualKey(vk, flags);
    m_byKey = static_cast<uint8_t>(TranslateVK2UID(vk, layout_).code & 0xFF);
    fieldText_ = GetVKName(vk);
}

}  // namespace tavrel
