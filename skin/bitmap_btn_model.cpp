#include "skin/bitmap_btn_model.h"

namespace tavrel {

BtnPicture ChooseButtonPicture(const BtnState& s) {
    if (s.toggle) {
        // A toggle shows its state, not the mouse: no over picture.
        if (s.checked) return BtnPicture::Down;
        if (s.disabled) return BtnPicture::Disabled;
        return BtnPicture::Normal;
    }
    if (s.disabled) return BtnPicture::Disabled;
    if (s.checked || s.selected) return BtnPicture::Down;
    if (s.hover) return BtnPicture::Over;
    return BtnPicture::Normal;
}

uint32_t ChooseCaptionColour(const BtnState& s, bool anyButtonPressed, const BtnColours& c) {
    if (s.hover) return anyButtonPressed ? c.pressed : c.hover;
    if (s.disabled) return c.disabled;
    if (s.selected || s.checked) return c.pressed;
    return c.text;
}

CaptionLayout LayoutCaption(const SkinRect& client, int align, int leftIndent, uint32_t lineFormat,
                            uint32_t vertFormat) {
    CaptionLayout layout{client, lineFormat | vertFormat | kDtNoPrefix | kDtEndEllipsis};
    if (align == 0) {
        layout.format |= kDtCenter;
        if (lineFormat == kDtWordBreak) {
            layout.rect.left += 5;
            layout.rect.right -= 5;
            layout.rect.top += 9;
        }
    } else if (align == 1) {
        layout.format |= kDtLeft;
        layout.rect.left += leftIndent;
        layout.rect.right -= 5;
    } else {
        layout.format |= kDtRight;
    }
    return layout;
}

}  // namespace tavrel
