// The accessible objects of our controls: each window that answers WM_GETOBJECT hands
// the platform's accessibility layer (oleacc) an IAccessible made from what the control
// describes (AccessibleSource). Objects are made on the first request, not at creation,
// and oleacc.dll is loaded only then.
//
// Use, first in a control's window procedure:
//     LRESULT answer = 0;
//     if (m_access.Handle(Hwnd(), *this, message, wParam, lParam, answer)) return answer;
// A screen reader may hold an object long after its window is gone: once the control
// disconnects it, every call answers CO_E_OBJNOTCONNECTED and nothing of the control
// is touched again.
#pragma once

#include <windows.h>

#include "accessibility/accessible_info.h"

namespace tavrel::win {

// What an accessible object asks its control, on the user-interface thread.
class AccessibleSource {
public:
    virtual ~AccessibleSource() = default;
    virtual AccessibleInfo Describe() const = 0;
    // The window's own child windows are the object's first children (skinned windows
    // and pages); the platform's objects of those windows answer for them.
    virtual bool ListsChildWindows() const { return false; }
    // Children without a window of their own (a list's rows, texts a window paints, the
    // palette), numbered after the child windows.
    virtual int PartCount() const { return 0; }
    virtual AccessibleInfo DescribePart(int index) const;
    // A part's place in the window's client area; empty: the whole window.
    virtual RECT PartRect(int index) const;
    // The selected part, or -1.
    virtual int SelectedPart() const { return -1; }
    // Starts what the default action does (the same way as a click) without waiting for
    // it: a modal window it opens must not run inside the caller's request. False when
    // there is none.
    virtual bool DoDefaultAction() { return false; }
};

class AccessibleObject;

// A control's link to its object: made on the first request, cut when the window goes.
class AccessibleHost {
public:
    AccessibleHost() = default;
    AccessibleHost(const AccessibleHost&) = delete;
    AccessibleHost& operator=(const AccessibleHost&) = delete;
    ~AccessibleHost() { Disconnect(); }

    // WM_GETOBJECT: for the client object (OBJID_CLIENT), makes the object if needed and
    // sets `result` to what the window answers. False for any other request, which
    // then takes the default handling.
    bool Answer(HWND hwnd, AccessibleSource& source, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // From now on every object handed out answers CO_E_OBJNOTCONNECTED.
    void Disconnect();
    // Both of the above from a control's window procedure, before its own switch:
    // answers WM_GETOBJECT (true, with `result`), disconnects at WM_DESTROY (false, so
    // the control still sees it).
    bool Handle(HWND hwnd, AccessibleSource& source, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        if (message == WM_DESTROY) Disconnect();
        return message == WM_GETOBJECT && Answer(hwnd, source, wParam, lParam, result);
    }

private:
    AccessibleObject* object_ = nullptr;  // one reference, ours
};

// Tells a listening screen reader that the client object of `hwnd` changed (an
// EVENT_OBJECT_* such as EVENT_OBJECT_VALUECHANGE), when nobody clicked it.
void NotifyAccessibleChange(HWND hwnd, DWORD event);

}  // namespace tavrel::win
