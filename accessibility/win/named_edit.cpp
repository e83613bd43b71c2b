#include "accessibility/win/named_edit.h"

#include <vector>

namespace tavrel::win {

bool NamedEdit::Attach(HWND edit, std::function<std::u16string()> name) {
    name_ = std::move(name);
    return edit && Subclass(edit);
}

LRESULT NamedEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETOBJECT: {
        LRESULT result = 0;
        if (access_.Answer(Hwnd(), *this, wParam, lParam, result)) return result;
        break;
    }
    case WM_DESTROY:
        access_.Disconnect();
        break;
    default:
        break;
    }
    return Window::WindowProc(message, wParam, lParam);
}

AccessibleInfo NamedEdit::Describe() const {
    AccessibleInfo info;
    info.role = AccRole::Text;
    if (name_) info.name = name_();
    const int length = GetWindowTextLengthW(Hwnd());
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(Hwnd(), text.data(), length + 1);
    info.value.assign(reinterpret_cast<const char16_t*>(text.data()));
    info.state = kAccFocusable;
    if (GetWindowLongPtrW(Hwnd(), GWL_STYLE) & ES_READONLY) info.state |= kAccReadOnly;
    return info;
}

}  // namespace tavrel::win
