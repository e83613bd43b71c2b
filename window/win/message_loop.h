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
//
// The hook is there only while such a loop runs: under Wine a hook makes every message
// retrieval of the thread a round trip to the server, which doubled the time the main
// window takes to paint its hundred-odd buttons. The window layer opens the hook's time
// when one of its windows enters a menu or a move loop (WM_ENTERMENULOOP,
// WM_ENTERSIZEMOVE) and ends it on the matching exit; the code that opens a file
// dialog or message box holds a ForeignLoopScope around it.
#pragma once

#include <windows.h>

namespace tavrel::win {

// GetMessageW / PeekMessageW(PM_REMOVE) for one of our loops: the hook leaves the
// message to the loop's own pre-translation.
BOOL GetLoopMessage(MSG& msg);
bool PeekLoopMessage(MSG& msg);

// A system loop is about to run on this thread, or has ended. Counted: the hook is
// installed while at least one is running.
void BeginForeignLoop();
void EndForeignLoop();

// Begin and end around a call that runs a system loop (a file dialog, a message box).
class ForeignLoopScope {
public:
    ForeignLoopScope() { BeginForeignLoop(); }
    ~ForeignLoopScope() { EndForeignLoop(); }
    ForeignLoopScope(const ForeignLoopScope&) = delete;
    ForeignLoopScope& operator=(const ForeignLoopScope&) = delete;
};

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
