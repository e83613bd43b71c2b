#include "keys/key_assign_model.h"

#include "config/shared_config.h"
#include "keys/key_codes.h"

namespace tavrel {

void KeyAssignModel::Initialise() {
    m_strCurName = UsageName(m_byCurKey, layout_);
    fieldText_ = m_byCurKey < 0xF0 ? m_strCurName : std::u16string();
}

bool KeyAssignModel::OnCapturedKey(uint32_t vk, uint32_t flags) {
    vk = CapturedVirtualKey(vk, flags);
    const KeyLookup usage = TranslateVK2UID(vk, layout_);
    if (!usage.ok) return false;
    m_byNewKey = static_cast<uint8_t>(usage.code & 0xFF);
    fieldText_ = GetVKName(vk);
    return true;
}

bool KeyAssignModel::OnDefault() {
    if (m_nKeyPos < 0 || m_nKeyPos >= kKeyPositions) return false;
    const uint8_t usage = DefaultStandardKey[m_nKeyPos];
    const KeyLookup vk = TanslateUID2VK(usage, layout_);
    if (!vk.ok) return false;
    m_byNewKey = usage;
    fieldText_ = GetVKName(vk.code);
    return true;
}

}  // namespace tavrel
