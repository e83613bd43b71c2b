#include "window/win/message_loop.h"

#include "window/win/handles.h"
#include "window/win/window.h"

namespace tavrel::win {

namespace {

// Set while one of our loops retrieves a message: the hook then leaves it to that
// loop. (The hook sees a copy of the message, so it cannot tell loops apart by their
// buffers.) Window procedures run by the system inside the retrieval clear it for
// their duration, so a system loop they start is still covered.
thread_local bool t_ourRetrieval = false;

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        auto* msg = reinterpret_cast<MSG*>(lParam);
        if (!t_ourRetrieval && msg->message >= WM_USER && msg->message <= 0xBFFF && msg->hwnd) {
            try {
                if (Window::PreTranslateThroughAncestors(*msg)) {
                    msg->message = WM_NULL;
                    msg->wParam = 0;
                    msg->lParam = 0;
                }
            } catch (...) {
                // Nothing may unwind into the system's loop.
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class OurRetrieval {
public:
    OurRetrieval() : previous_(t_ourRetrieval) { t_ourRetrieval = true; }
    ~OurRetrieval() { t_ourRetrieval = previous_; }
    OurRetrieval(const OurRetrieval&) = delete;
    OurRetrieval& operator=(const OurRetrieval&) = delete;

private:
    bool previous_;
};

}  // namespace

BOOL GetLoopMessage(MSG& msg) {
    OurRetrieval ours;
    return GetMessageW(&msg, nullptr, 0, 0);
}

bool PeekLoopMessage(MSG& msg) {
    OurRetrieval ours;
    return PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE;
}

namespace {

thread_local int t_foreignLoops = 0;
thread_local UniqueHook t_getMessageHook;

}  // namespace

void BeginForeignLoop() {
    if (t_foreignLoops++ == 0 && !t_getMessageHook) {
        t_getMessageHook = UniqueHook(SetWindowsHookExW(WH_GETMESSAGE, &GetMessageHook, nullptr, GetCurrentThreadId()));
    }
}

void EndForeignLoop() {
    if (t_foreignLoops > 0 && --t_foreignLoops == 0) t_getMessageHook.Reset();
}

namespace detail {

WindowProcedureScope::WindowProcedureScope() : previous_(t_ourRetrieval) { t_ourRetrieval = false; }
WindowProcedureScope::~WindowProcedureScope() { t_ourRetrieval = previous_; }

}  // namespace detail

}  // namespace tavrel::win
