// An edit box a screen reader hears by the label the window paints beside it (the
// platform would name it by its text, a number); its value is its text. It subclasses
// an edit the window already has and changes nothing else of it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "accessibility/win/accessible_object.h"
#include "window/win/window.h"

namespace tavrel::win {

class NamedEdit : public Window, private AccessibleSource {
public:
    NamedEdit() = default;
    // Gives the edit back rather than destroying it: the window that made it does.
    ~NamedEdit() override { Unsubclass(); }

    // `name` is read when a screen reader asks.
    bool Attach(HWND edit, std::function<std::u16string()> name);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    AccessibleInfo Describe() const override;

    std::function<std::u16string()> name_;
    AccessibleHost access_;
};

}  // namespace tavrel::win
