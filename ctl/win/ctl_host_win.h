// The Win32 side of tavrelctl: its named lock, the hidden window the monitor answers
// to, and the look for the configuration program's window.
#pragma once

#include <windows.h>

#include "ctl/ctl_host.h"
#include "ctl/deadline.h"
#include "window/win/kernel_handles.h"

namespace tavrel::ctl::win {

// The class of tavrelctl's hidden window; the program's main window is a dialog of
// another class, which is how the two are told apart under one title.
inline constexpr wchar_t kAnswerWindowClass[] = L"TavrelCtlAnswerWindow";
// tavrelctl's own lock; the monitor's mutex stays the monitor's.
inline constexpr wchar_t kCtlLockName[] = L"Orvane Gaming Keyboard_tavrelctl";

class Win32CtlHost final : public CtlHost {
public:
    // Every wait ends by the deadline, which is not owned.
    explicit Win32CtlHost(const Deadline& deadline) : deadline_(deadline) {}
    ~Win32CtlHost() override;
    Win32CtlHost(const Win32CtlHost&) = delete;
    Win32CtlHost& operator=(const Win32CtlHost&) = delete;

    bool ProgramWindowOpen() override;
    bool TakeLock() override;
    void OpenAnswerWindow() override;
    void ForgetEarlierAnswers() override;
    AnswerWait WaitForApplyDone() override;

private:
    const Deadline& deadline_;
    tavrel::win::UniqueKernelHandle lock_;
    bool ownsLock_ = false;
    HWND window_ = nullptr;
};

}  // namespace tavrel::ctl::win
