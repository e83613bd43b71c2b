// Doubles of the monitor link's ports, shared by the native, Windows-side and fuzz tests.
#pragma once

#include <cstdint>

#include "config/records.h"
#include "monitor/monitor_port.h"
#include "monitor/windowless_link_window.h"

namespace tavrel {

// A main window that takes every request of the link and shows nothing; it remembers
// the close timer it was asked for.
class QuietLinkWindow : public WindowlessLinkWindow {
public:
    void SetCloseTimer(unsigned milliseconds) override { closeTimer = milliseconds; }

    unsigned closeTimer = 0;
};

// The platform's side without a shared section: the mutex cannot be taken and nothing
// is read or written. Whether the monitor's window exists, and what a command posted
// to it does, is up to the test.
class SectionlessMonitorPort : public MonitorPort {
public:
    SectionState OpenSharedSection() override { return SectionState::Absent; }
    bool HasSectionView() const override { return false; }
    MutexWait WaitForMutex() override { return MutexWait::Failed; }
    void ReleaseMutex() override {}
    void ReadSection(SharedConfig&) override {}
    void WriteSection(const SharedConfig&) override {}
};

// No change flag of `config` is raised (the flags run from iMacroKeyChanged up to
// KeyboardPlugIn).
inline bool NoChangeFlagRaised(const SharedConfig& config) {
    const auto* begin = reinterpret_cast<const uint8_t*>(&config.iMacroKeyChanged);
    const auto* end = reinterpret_cast<const uint8_t*>(&config.KeyboardPlugIn);
    for (const auto* p = begin; p != end; ++p) {
        if (*p != 0) return false;
    }
    return true;
}

}  // namespace tavrel
