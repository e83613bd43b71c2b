#include "accessibility/win/named_edit.h"

#include <vector>

namespace tavrel::win {

bool NamedEdit::Attach(HWND edit, std::function<std::u16string()> name) {
    name_ = std::move(name);
    return edit && Subclass(edit);
}

LRESULT NamedEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (access_.Handle(Hwnd(), *this, message, wParam, lParam, answer)) return answer;
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
