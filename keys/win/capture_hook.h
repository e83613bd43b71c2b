// The desktop-wide keystroke capture: while installed, every key event is reported to
// one window as a posted WM_CAPTURED_KEY and reaches no application. Used by the key
// assignment dialog, the shortcut dialog and the macro recorder, one at a time, on the
// user-interface thread.
#pragma once

#include <windows.h>

namespace tavrel {

// wParam: the event's virtual key (left and right modifiers apart, e.g. 0xA2 / 0xA3).
// lParam: the hook flags masked with 0x81: bit 0 extended key, bit 7 key released.
constexpr UINT WM_CAPTURED_KEY = WM_USER + 10;
static_assert(WM_CAPTURED_KEY == 1034);
constexpr LPARAM kCapturedKeyFlagsMask = 0x81;

// Makes `target` the window that receives the reports and installs the hook. A hook
// still installed by an earlier user is removed first, so its handle is never lost.
void InstallCaptureHook(HWND target);
// Uninstalls the hook; returns 1 in every case. Removing when nothing is installed
// (a second removal) does nothing.
int RemoveCaptureHook();
bool IsCaptureHookInstalled();

// Removes the hook when it goes out of scope, for users whose window may be destroyed
// on an error path.
class CaptureHookScope {
public:
    explicit CaptureHookScope(HWND target) { InstallCaptureHook(target); }
    ~CaptureHookScope() { RemoveCaptureHook(); }
    CaptureHookScope(const CaptureHookScope&) = delete;
    CaptureHookScope& operator=(const CaptureHookScope&) = delete;
};

}  // namespace tavrel
