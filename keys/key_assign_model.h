// The rules of the key assignment dialog: the current key's name, the key field, the
// key captured from the keyboard and the Default button. The dialog never touches the
// profile; the key settings page stores m_byNewKey after OK.
#pragma once

#include <cstdint>
#include <string>

#include "keys/keyboard_layout.h"

namespace tavrel {

class KeyAssignModel {
public:
    // The layout must outlive the model.
    explicit KeyAssignModel(const KeyboardLayout& layout) : layout_(layout) {}

    // Input set by the caller before the dialog opens.
    int m_nKeyPos = 0;
    uint8_t m_byCurKey = 0;
    // Output read after OK; 0 = no key chosen.
    uint8_t m_byNewKey = 0;
    // Name of m_byCurKey, painted beside its label.
    std::u16string m_strCurName;

    // When the dialog initialises: names the current key; the field shows it unless it
    // is a mouse button code (0xF0 and above).
    void Initialise();
    // A WM_CAPTURED_KEY report, key down and key up alike. Returns true when the field
    // text changed; a key without a table row changes nothing.
    bool OnCapturedKey(uint32_t vk, uint32_t flags);
    // The Default button: the position's default key, unless it has none.
    bool OnDefault();

    const std::u16string& FieldText() const { return fieldText_; }

private:
    const KeyboardLayout& layout_;
    std::u16string fieldText_;
};

}  // namespace tavrel
