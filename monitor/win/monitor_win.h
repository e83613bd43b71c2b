// The Win32 side of the monitor link: starting and finding the monitor process,
// posting it commands, and the port over its named mutex and shared section.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "monitor/monitor_port.h"
#include "window/win/kernel_handles.h"

namespace tavrel::win {

// Access rights the monitor's objects are opened with.
inline constexpr DWORD kMutexAccess = 0x1F0001;    // MUTEX_ALL_ACCESS
inline constexpr DWORD kSectionAccess = 6;         // FILE_MAP_READ | FILE_MAP_WRITE
inline constexpr DWORD kViewAccess = 0xF001F;      // FILE_MAP_ALL_ACCESS

const wchar_t* MonitorWindowTitle();
// The full path of this process's executable; empty when it cannot be had.
std::wstring OwnExecutablePath();
HWND FindMonitorWindow();

// Starts Pondrel.exe from the folder of this executable unless its window exists.
// Fire and forget: the result is not checked and nothing waits for the process.
void LaunchMonitor();

// Posts WM_MONITOR_COMMAND to the monitor window, with the wait cursor shown for the
// duration; nothing when the window does not exist.
void PostMonitorCommand(WPARAM wParam, LPARAM lParam);

class Win32MonitorPort final : public MonitorPort {
public:
    // waitTimeoutMs bounds each wait on the mutex; the program waits without limit
    // (a live monitor releases it, a dead one abandons it). Tests pass a bound.
    explicit Win32MonitorPort(DWORD waitTimeoutMs = INFINITE)
        : waitTimeoutMs_([waitTimeoutMs] { return waitTimeoutMs; }) {}
    // Each wait takes what waitTimeoutMs says is left at that moment (a limit shared
    // with other waits).
    explicit Win32MonitorPort(std::function<DWORD()> waitTimeoutMs) : waitTimeoutMs_(std::move(waitTimeoutMs)) {}

    // Called before a wait on the mutex that cannot be had at once (another process holds
    // it), so that the user sees why the program stands still.
    void SetBeforeBlockingWait(std::function<void()> notice) { beforeBlockingWait_ = std::move(notice); }

    SectionState OpenSharedSection() override;
    bool HasSectionView() const override { return static_cast<bool>(view_); }
    MutexWait WaitForMutex() override;
    void ReleaseMutex() override;
    void ReadSection(SharedConfig& target) override;
    void WriteSection(const SharedConfig& source) override;
    bool FindMonitorWindow() override;
    void PostMonitorCommand(uint64_t wParam, int64_t lParam) override;

private:
    std::function<DWORD()> waitTimeoutMs_;
    std::function<void()> beforeBlockingWait_;
    std::optional<SectionState> state_;
    UniqueKernelHandle mutex_;
    UniqueKernelHandle section_;
    UniqueFileView view_;
};

}  // namespace tavrel::win
