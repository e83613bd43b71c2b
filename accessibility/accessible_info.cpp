#include "accessibility/accessible_info.h"

#include "config/text.h"

namespace tavrel {

AccessibleInfo DescribeButton(ButtonKind kind, std::u16string name, bool checked, bool enabled,
                              const std::u16string& pressWord, const std::u16string& selectWord) {
    AccessibleInfo info;
    info.name = std::move(name);
    info.state = kAccFocusable;
    switch (kind) {
    case ButtonKind::Push:
        info.role = AccRole::PushButton;
        info.defaultAction = pressWord;
        break;
    case ButtonKind::Radio:
        info.role = AccRole::RadioButton;
        info.defaultAction = selectWord;
        if (checked) info.state |= kAccChecked;
        break;
    case ButtonKind::PageTab:
        info.role = AccRole::PageTab;
        info.defaultAction = selectWord;
        info.state |= kAccSelectable;
        if (checked) info.state |= kAccSelected;
        break;
    case ButtonKind::Label:
        info.role = AccRole::StaticText;
        info.state = kAccReadOnly;
        return info;
    case ButtonKind::Check:
        info.role = AccRole::CheckButton;
        info.defaultAction = pressWord;
        if (checked) info.state |= kAccChecked;
        break;
    }
    if (!enabled) {
        info.state |= kAccUnavailable;
        info.state &= ~kAccFocusable;
        info.defaultAction.clear();
    }
    return info;
}

std::u16string ColourValueText(const std::u16string& red, const std::u16string& green, const std::u16string& blue,
                               int r, int g, int b) {
    return red + u" " + FormatInt(r) + u", " + green + u" " + FormatInt(g) + u", " + blue + u" " + FormatInt(b);
}

}  // namespace tavrel
