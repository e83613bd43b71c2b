// The program's side of the link to the monitor process: the configuration taken
// from the section at start, the apply sequence, and the monitor's commands as the
// main window's pre-translation receives them. Portable: everything outside the two
// configuration copies goes through the ports.
#pragma once

#include <cstdint>

#include "config/records.h"
#include "monitor/monitor_port.h"

namespace tavrel {

// Where the configuration came from at start.
enum class StartupSource {
    Section,        // read whole from the section under the mutex
    Files,          // the section was absent or unusable
    FilesAbandoned, // the mutex was abandoned by a dead monitor: the section is not trusted
    Nothing,        // the wait failed: AppliedConfig stays as ResetConfig left it
};

// Result of one ReadSharedSection.
enum class SectionRead { Copied, Abandoned, Failed };

// What an apply does when the wait for the monitor's mutex fails. The program waits
// without limit and skips only the section; a caller with a time limit stops there,
// before any file is written or any command posted.
enum class LockFailure { SkipSection, StopApply };

// How an apply ended, for a caller that reports it; the program's window does not.
enum class ApplyEnd {
    Posted,        // the command went to the monitor: its answer is awaited
    NoMonitor,     // no monitor window: the files alone took it
    MonitorGone,   // the monitor went away during the apply
    LockNotTaken,  // LockFailure::StopApply and the wait failed: nothing written or posted
};

struct ApplyResult {
    ApplyEnd end = ApplyEnd::Posted;
    UnwrittenFiles unwritten;  // files the save could not write
};

// Waits for the mutex and copies the whole section into target. An abandoned mutex
// is released at once and nothing is copied: a monitor that died holding it may
// have left a half-written block.
SectionRead ReadSharedSection(MonitorPort& monitor, SharedConfig& target);

class MonitorLink {
public:
    MonitorLink(MonitorPort& monitor, LinkWindowPort& window, ConfigStore& store,
                SharedConfig& working, SharedConfig& applied, LockFailure onLockFailure = LockFailure::SkipSection);

    // Start-up: ResetConfig(applied), OpenSharedSection, then the section or the files.
    StartupSource LoadStartupConfiguration();

    // mode kApplyChanges or kApplyAfterReset.
    ApplyResult ApplyConfiguration(int mode);
    // The whole working copy with every flag of MarkAllChanged raised, posted as
    // MONITOR_APPLY: the keyboard receives all of it (a restored configuration).
    ApplyResult ApplyAllChanged();

    // WM_MONITOR_COMMAND as received by the main window (code in lParam). Returns
    // whether lParam was one of the four commands; the caller passes the message on
    // to its default pre-translation either way.
    bool HandleMonitorCommand(uint64_t wParam, int64_t lParam);

    // Timer 2, while an apply awaits MONITOR_APPLY_DONE. When the monitor window has
    // gone meanwhile, nobody will ever answer and the waiting dialog would stay up for
    // good: the program closes three seconds later, as after an apply without monitor
    // (the files are already saved).
    void CheckMonitorStillThere();
    bool AwaitingAnswer() const { return awaitingAnswer_; }

private:
    ApplyResult Apply(bool computeFlags, int command);
    UnwrittenFiles SaveAndCommit();
    void StopAwaiting();

    MonitorPort& monitor_;
    LinkWindowPort& window_;
    ConfigStore& store_;
    SharedConfig& working_;
    SharedConfig& applied_;
    LockFailure onLockFailure_;
    bool awaitingAnswer_ = false;
};

}  // namespace tavrel
