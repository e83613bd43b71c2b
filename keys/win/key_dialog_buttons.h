// The look every OK / Cancel / Default button of the key dialogs shares.
#pragma once

#include <string>

#include "skin/win/bitmap_btn.h"

namespace tavrel {

inline constexpr COLORREF kKeyDialogText = RGB(163, 25, 48);   // 0x3019A3
inline constexpr COLORREF kKeyDialogName = RGB(255, 25, 48);   // 0x3019FF

// A caption in black that turns to the skin's accent colour under the mouse.
inline void StyleDialogButton(CBitmapBtn& button, const std::u16string& caption) {
    button.m_strCaption = caption;
    button.m_crText = RGB(0, 0, 0);
    button.m_crHover = kKeyDialogText;
    button.m_crPressed = RGB(0, 0, 0);
    button.m_crDisabled = RGB(0, 0, 0);
}

// The edit control with `id` from the template, or one made here when the template
// lacks it, so the dialog always has its key field.
HWND KeyFieldOf(HWND dialog, int id, DWORD extraStyle);
void SetFieldText(HWND field, const std::u16string& text);

}  // namespace tavrel
