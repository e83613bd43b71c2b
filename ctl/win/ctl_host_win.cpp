#include "ctl/win/ctl_host_win.h"

#include <algorithm>
#include <cwchar>

#include "monitor/monitor_protocol.h"
#include "monitor/win/monitor_win.h"

namespace tavrel::ctl::win {

namespace {

const wchar_t* MainWindowTitle() { return reinterpret_cast<const wchar_t*>(kMainWindowTitle); }

// How often the wait looks whether the monitor window still exists.
constexpr DWORD kMonitorLookMs = 100;

bool RegisterAnswerClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kAnswerWindowClass;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

Win32CtlHost::~Win32CtlHost() {
    if (window_) DestroyWindow(window_);
    if (ownsLock_) ReleaseMutex(lock_.Get());
}

bool Win32CtlHost::ProgramWindowOpen() {
    HWND found = nullptr;
    while ((found = FindWindowExW(nullptr, found, nullptr, MainWindowTitle())) != nullptr) {
        wchar_t name[64] = {};
        GetClassNameW(found, name, 64);
        if (std::wcscmp(name, kAnswerWindowClass) != 0) return true;
    }
    return false;
}

bool Win32CtlHost::TakeLock() {
    if (ownsLock_) return true;
    lock_.Reset(CreateMutexW(nullptr, FALSE, kCtlLockName));
    if (!lock_) return false;
    // An abandoned lock is ours: the tavrelctl that held it ended without releasing it.
    const DWORD result = WaitForSingleObject(lock_.Get(), deadline_.RemainingMs());
    ownsLock_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    return ownsLock_;
}

void Win32CtlHost::OpenAnswerWindow() {
    if (window_ || !RegisterAnswerClass()) return;
    // Top-level, never shown: the monitor finds it by its title.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kAnswerWindowClass, MainWindowTitle(), WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
}

void Win32CtlHost::ForgetEarlierAnswers() {
    if (!window_) return;
    MSG msg;
    while (PeekMessageW(&msg, window_, kWmMonitorCommand, kWmMonitorCommand, PM_REMOVE)) {
    }
}

AnswerWait Win32CtlHost::WaitForApplyDone() {
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.hwnd == window_ && msg.message == kWmMonitorCommand && msg.lParam == MONITOR_APPLY_DONE) {
                return AnswerWait::Answered;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (!tavrel::win::FindMonitorWindow()) return AnswerWait::MonitorGone;
        const DWORD left = deadline_.RemainingMs();
        if (left == 0) return AnswerWait::TimedOut;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min(left, kMonitorLookMs), QS_ALLINPUT);
    }
}

}  // namespace tavrel::ctl::win
