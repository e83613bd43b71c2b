#include "monitor/win/monitor_win.h"

#include <shellapi.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "monitor/monitor_protocol.h"

namespace tavrel::win {

static_assert(kMutexAccess == MUTEX_ALL_ACCESS);
static_assert(kSectionAccess == (FILE_MAP_READ | FILE_MAP_WRITE));
static_assert(kViewAccess == FILE_MAP_ALL_ACCESS);
static_assert(kWmMonitorCommand == WM_USER + 200);
static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace {

const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

}  // namespace

std::wstring OwnExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

const wchar_t* MonitorWindowTitle() { return Wide(kMonitorWindowTitle); }

HWND FindMonitorWindow() { return FindWindowW(nullptr, MonitorWindowTitle()); }

void LaunchMonitor() {
    if (FindMonitorWindow()) return;
    std::wstring path = OwnExecutablePath();
    size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return;
    path.resize(slash + 1);
    path += Wide(kMonitorExeName);
    path += L'.';
    path += Wide(kMonitorExeExtension);
    ShellExecuteW(nullptr, nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void PostMonitorCommand(WPARAM wParam, LPARAM lParam) {
    HWND monitor = FindMonitorWindow();
    if (!monitor) return;
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    PostMessageW(monitor, kWmMonitorCommand, wParam, lParam);
    SetCursor(previous);
}

SectionState Win32MonitorPort::OpenSharedSection() {
    if (state_) return *state_;
    mutex_.Reset(OpenMutexW(kMutexAccess, FALSE, Wide(kMonitorMutexName)));
    section_.Reset(OpenFileMappingW(kSectionAccess, FALSE, Wide(kMonitorSectionName)));
    if (!section_) {
        state_ = SectionState::Absent;
        return *state_;
    }
    view_.Reset(MapViewOfFile(section_.Get(), kViewAccess, 0, 0, 0));
    // A section smaller than the block would make every whole-block copy run past the
    // view: such a view is as good as none.
    MEMORY_BASIC_INFORMATION info{};
    if (view_ && (VirtualQuery(view_.Get(), &info, sizeof info) == 0 || info.RegionSize < sizeof(SharedConfig))) {
        view_.Reset();
    }
    state_ = view_ ? SectionState::Mapped : SectionState::Unmapped;
    return *state_;
}

MutexWait Win32MonitorPort::WaitForMutex() {
    if (!mutex_) return MutexWait::Failed;
    DWORD result = WaitForSingleObject(mutex_.Get(), 0);
    if (result == WAIT_TIMEOUT) {
        if (beforeBlockingWait_) beforeBlockingWait_();
        result = WaitForSingleObject(mutex_.Get(), waitTimeoutMs_());
    }
    switch (result) {
    case WAIT_OBJECT_0: return MutexWait::Acquired;
    case WAIT_ABANDONED: return MutexWait::Abandoned;
    default: return MutexWait::Failed;
    }
}

void Win32MonitorPort::ReleaseMutex() {
    if (mutex_) ::ReleaseMutex(mutex_.Get());
}

void Win32MonitorPort::ReadSection(SharedConfig& target) {
    if (view_) std::memcpy(&target, view_.Get(), sizeof(SharedConfig));
}

void Win32MonitorPort::WriteSection(const SharedConfig& source) {
    static_assert(offsetof(SharedConfig, KeyboardPlugIn) + sizeof(int32_t) == sizeof(SharedConfig),
                  "the monitor's own field closes the block");
    if (view_) std::memcpy(view_.Get(), &source, offsetof(SharedConfig, KeyboardPlugIn));
}

bool Win32MonitorPort::FindMonitorWindow() { return win::FindMonitorWindow() != nullptr; }

void Win32MonitorPort::PostMonitorCommand(uint64_t wParam, int64_t lParam) {
    win::PostMonitorCommand(static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

}  // namespace tavrel::win
