#include "keys/win/capture_hook.h"

#include <cwchar>

namespace tavrel {

namespace {

// Both touched only on the user-interface thread: a low-level hook procedure runs on
// the thread that installed it.
HWND g_hCaptureTarget = nullptr;
HHOOK g_hCaptureHook = nullptr;

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

void DebugLine(const wchar_t* format, unsigned long long value) {
    wchar_t line[120];
    std::swprintf(line, 120, format, value);
    OutputDebugStringW(line);
}

LRESULT CALLBACK CaptureHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code < 0) return 1;
    // Should the target be gone without removing the hook, the desktop must not stay
    // without a keyboard: let the keys through.
    if (!IsWindow(g_hCaptureTarget)) return CallNextHookEx(nullptr, code, wParam, lParam);
    const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    wchar_t line[260];
    std::swprintf(line, 260, L"vkcode=%lx,scancode=%lx\n", event->vkCode, event->scanCode);
    OutputDebugStringW(line);
    PostMessageW(g_hCaptureTarget, WM_CAPTURED_KEY, event->vkCode,
                 static_cast<LPARAM>(event->flags) & kCapturedKeyFlagsMask);
    return 1;
}

}  // namespace

void InstallCaptureHook(HWND target) {
    if (g_hCaptureHook != nullptr) RemoveCaptureHook();
    g_hCaptureTarget = target;
    g_hCaptureHook = SetWindowsHookExW(WH_KEYBOARD_LL, CaptureHookProc, ThisModule(), 0);
    DebugLine(L"Hhook: %llx\r\n", reinterpret_cast<unsigned long long>(g_hCaptureHook));
}

int RemoveCaptureHook() {
    DebugLine(L"Hhook: %llx\r\n", reinterpret_cast<unsigned long long>(g_hCaptureHook));
    // The handle is forgotten once removed: a later hook of the process (the popup
    // menus' hook) may be given the same value, and must not be removed by mistake.
    const bool removed = g_hCaptureHook != nullptr && UnhookWindowsHookEx(g_hCaptureHook);
    OutputDebugStringW(removed ? L"UnHhook: Success \r\n" : L"UnHhook: Fail \r\n");
    g_hCaptureHook = nullptr;
    g_hCaptureTarget = nullptr;
    return 1;
}

bool IsCaptureHookInstalled() { return g_hCaptureHook != nullptr; }

}  // namespace tavrel
