// Retrieving messages for our loops, and pre-translation in the system's own loops.
//
// Our loops (Dialog::DoModal, the gallery's host) pass every message through the
// pre-translation of its target and the target's ancestors before dispatching it.
// The system runs loops of its own while a popup menu is tracked, a standard file
// dialog or message box is open, or a window is moved; those never call our
// pre-translation. So that application messages (WM_USER and above, such as the
// monitor's command to the main window) still reach the pre-translation there, a
// WH_GETMESSAGE hook of the thread pre-translates them when a loop other than ours
// retrieves them, and turns a swallowed one into WM_NULL. Input messages are left to
// the system's loops (Escape must still close a menu).
#pragma once

#include <windows.h>

namespace tavrel::win {

// GetMessageW / PeekMessageW(PM_REMOVE) for one of our loops: the hook leaves the
// message to the loop's own pre-translation.
BOOL GetLoopMessage(MSG& msg);
bool PeekLoopMessage(MSG& msg);

// Installs the hook for the calling thread (once; it stays while the thread runs).
// Dialog::DoModal calls it.
void EnsureForeignLoopPreTranslation();

namespace detail {
// Held by the window layer while a window procedure of ours runs.
class WindowProcedureScope {
public:
    WindowProcedureScope();
    ~WindowProcedureScope();
    WindowProcedureScope(const WindowProcedureScope&) = delete;
    WindowProcedureScope& operator=(const WindowProcedureScope&) = delete;

private:
    bool previous_;
};
}  // namespace detail

}  // namespace tavrel::win
