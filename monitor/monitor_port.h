// What the monitor link needs from the platform and from the main window, as small
// interfaces: the Win32 implementations live in monitor/win/ and in the main window;
// native tests use recording doubles.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/records.h"

namespace tavrel {

// What OpenSharedSection found.
enum class SectionState {
    Absent,    // the section did not open: work from the files
    Unmapped,  // the section opened but no usable view of it exists
    Mapped,    // the view exists and holds at least a whole SharedConfig
};

// Result of waiting on the monitor's named mutex.
enum class MutexWait {
    Acquired,   // WAIT_OBJECT_0
    Abandoned,  // WAIT_ABANDONED: we own the mutex now, its previous owner died
    Failed,     // anything else (no mutex, timeout, error): we do not own it
};

// The monitor process: its window, its named mutex and its shared section.
class MonitorPort {
public:
    virtual ~MonitorPort() = default;

    // Opens the mutex and the section and maps the section. Runs once; later calls
    // report the state of the first.
    virtual SectionState OpenSharedSection() = 0;
    virtual bool HasSectionView() const = 0;

    virtual MutexWait WaitForMutex() = 0;
    virtual void ReleaseMutex() = 0;
    // Only between a wait that made us the owner and ReleaseMutex. Reading takes the
    // whole block; writing puts every byte of it except KeyboardPlugIn, which belongs
    // to the monitor: a copy of it from our last read would undo a newer report.
    virtual void ReadSection(SharedConfig& target) = 0;
    virtual void WriteSection(const SharedConfig& source) = 0;

    virtual bool FindMonitorWindow() = 0;
    // Posts WM_MONITOR_COMMAND to the monitor window when it exists; nothing otherwise.
    virtual void PostMonitorCommand(uint64_t wParam, int64_t lParam) = 0;
};

// The main window's side of an apply and of the monitor's reports.
class LinkWindowPort {
public:
    virtual ~LinkWindowPort() = default;

    virtual void SetCloseTimer(unsigned milliseconds) = 0;  // timer 1
    // Starts or stops timer 2, which calls MonitorLink::CheckMonitorStillThere.
    virtual void WatchMonitor(bool on) = 0;
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    // Enables or disables Apply and OK and redraws both at once.
    virtual void EnableApplyAndOk(bool enable) = 0;
    virtual void RefreshPages() = 0;
    virtual void RefreshLightingPage() = 0;
    // SetCheck(1) on the profile button of index, SetCheck(0) on the other three.
    virtual void CheckProfileButton(int index) = 0;
    // Posts WM_CLOSE to the waiting dialog.
    virtual void CloseWaitingDialog() = 0;
    // The one message box: "Could not map view of file.".
    virtual void ReportMapViewFailure() = 0;
};

// The files a save could not write, by full path; empty when every file was written.
using UnwrittenFiles = std::vector<std::u16string>;

// The files in the data folder: settings, profile files and macro library.
class ConfigStore {
public:
    virtual ~ConfigStore() = default;

    virtual void LoadConfiguration(SharedConfig& config) = 0;
    virtual UnwrittenFiles SaveConfiguration(const SharedConfig& config) = 0;
    virtual UnwrittenFiles SaveMacroLibrary() = 0;
};

}  // namespace tavrel
