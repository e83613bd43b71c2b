#include "monitor/monitor_link.h"

#include "config/shared_config.h"
#include "monitor/monitor_protocol.h"

namespace tavrel {

SectionRead ReadSharedSection(MonitorPort& monitor, SharedConfig& target) {
    switch (monitor.WaitForMutex()) {
    case MutexWait::Acquired:
        monitor.ReadSection(target);
        monitor.ReleaseMutex();
        return SectionRead::Copied;
    case MutexWait::Abandoned:
        // We own it now; keeping it would lock the monitor out for good.
        monitor.ReleaseMutex();
        return SectionRead::Abandoned;
    case MutexWait::Failed:
        break;
    }
    return SectionRead::Failed;
}

MonitorLink::MonitorLink(MonitorPort& monitor, LinkWindowPort& window, ConfigStore& store,
                         SharedConfig& working, SharedConfig& applied, LockFailure onLockFailure)
    : monitor_(monitor),
      window_(window),
      store_(store),
      working_(working),
      applied_(applied),
      onLockFailure_(onLockFailure) {}

StartupSource MonitorLink::LoadStartupConfiguration() {
    ResetConfig(applied_);
    switch (monitor_.OpenSharedSection()) {
    case SectionState::Mapped:
        switch (ReadSharedSection(monitor_, applied_)) {
        case SectionRead::Copied:
            ClearChangeFlags(applied_);
            // The block comes from another process: every reader relies on a profile
            // index of 0..3 and on terminated texts.
            SanitizeConfig(applied_);
            return StartupSource::Section;
        case SectionRead::Abandoned:
            // The monitor died while it held the block; what it left may be torn.
            // The files hold the last configuration this program applied.
            store_.LoadConfiguration(applied_);
            return StartupSource::FilesAbandoned;
        case SectionRead::Failed:
            return StartupSource::Nothing;
        }
        return StartupSource::Nothing;
    case SectionState::Unmapped:
        window_.ReportMapViewFailure();
        store_.LoadConfiguration(applied_);
        return StartupSource::Files;
    case SectionState::Absent:
        break;
    }
    store_.LoadConfiguration(applied_);
    return StartupSource::Files;
}

UnwrittenFiles MonitorLink::SaveAndCommit() {
    UnwrittenFiles unwritten = store_.SaveConfiguration(working_);
    ClearChangeFlags(working_);
    applied_ = working_;
    for (std::u16string& path : store_.SaveMacroLibrary()) unwritten.push_back(std::move(path));
    return unwritten;
}

ApplyResult MonitorLink::ApplyConfiguration(int mode) { return Apply(mode != kApplyAfterReset, mode); }

ApplyResult MonitorLink::ApplyAllChanged() {
    MarkAllChanged(working_);
    return Apply(false, kApplyChanges);
}

ApplyResult MonitorLink::Apply(bool computeFlags, int command) {
    if (!monitor_.FindMonitorWindow()) {
        window_.SetCloseTimer(kCloseTimerMs);
        return {ApplyEnd::NoMonitor, SaveAndCommit()};
    }
    window_.CaptureMouse();
    window_.EnableApplyAndOk(false);

    if (computeFlags) ComputeChangeFlags(applied_, working_);

    if (monitor_.HasSectionView()) {
        // An abandoned mutex is ours: the whole working copy replaces whatever the dead
        // owner left, which makes the section consistent again.
        MutexWait wait = monitor_.WaitForMutex();
        if (wait == MutexWait::Acquired || wait == MutexWait::Abandoned) {
            monitor_.WriteSection(working_);
            monitor_.ReleaseMutex();
        } else if (onLockFailure_ == LockFailure::StopApply) {
            window_.EnableApplyAndOk(true);
            window_.ReleaseMouse();
            return {ApplyEnd::LockNotTaken, {}};
        }
    }

    ApplyResult result{ApplyEnd::Posted, SaveAndCommit()};

    if (monitor_.FindMonitorWindow()) {
        monitor_.PostMonitorCommand(static_cast<uint64_t>(command), 0);
        awaitingAnswer_ = true;
        window_.WatchMonitor(true);
    } else {
        // The monitor went away during the apply: nobody will answer, so the waiting
        // dialog would stay up for good. Close as after an apply without monitor.
        window_.SetCloseTimer(kCloseTimerMs);
        result.end = ApplyEnd::MonitorGone;
    }

    window_.EnableApplyAndOk(true);
    window_.RefreshPages();
    return result;
}

void MonitorLink::StopAwaiting() {
    if (!awaitingAnswer_) return;
    awaitingAnswer_ = false;
    window_.WatchMonitor(false);
}

void MonitorLink::CheckMonitorStillThere() {
    if (!awaitingAnswer_) {
        window_.WatchMonitor(false);  // a tick that was already queued
        return;
    }
    if (monitor_.FindMonitorWindow()) return;
    StopAwaiting();
    window_.SetCloseTimer(kCloseTimerMs);
}

bool MonitorLink::HandleMonitorCommand(uint64_t wParam, int64_t lParam) {
    switch (lParam) {
    case MONITOR_APPLY_DONE:
        StopAwaiting();
        window_.CloseWaitingDialog();
        window_.ReleaseMouse();
        return true;
    case MONITOR_START_APPLY:
        if (wParam == kApplyChanges) {
            ApplyConfiguration(kApplyChanges);
        } else if (wParam == kApplyAfterReset) {
            SetDefaultProfiles(working_);
            MarkAllChanged(working_);
            window_.RefreshPages();
            ApplyConfiguration(kApplyAfterReset);
        }
        return true;
    case MONITOR_PROFILE_CHANGED:
        // Every reader indexes the four profiles with CurrentProfile: an index the
        // keyboard cannot have is dropped.
        if (wParam < static_cast<uint64_t>(kProfileCount)) {
            int index = static_cast<int>(wParam);
            working_.CurrentProfile = index;
            window_.CheckProfileButton(index);
            window_.RefreshPages();
        }
        return true;
    case MONITOR_EFFECT_CHANGED:
        if (working_.CurrentProfile >= 0 && working_.CurrentProfile < kProfileCount) {
            CurrentProfile(working_).LtEffectType = EffectForMonitorCode(wParam);
        }
        window_.RefreshLightingPage();
        return true;
    default:
        return false;
    }
}

}  // namespace tavrel
