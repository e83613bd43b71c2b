// The monitor port tavrelctl hands to the monitor link. The monitor answers every
// apply with MONITOR_APPLY_DONE to whichever window has the program's title, and the
// answer does not say which apply it is for: the late answer to an earlier command
// that ran out of time may reach this command's window. Answers that came before this
// command's own command is posted are dropped right before it posts, so only an answer
// that came after it counts.
#pragma once

#include "ctl/ctl_host.h"
#include "monitor/monitor_port.h"

namespace tavrel::ctl {

class AnswerTiedPort final : public MonitorPort {
public:
    // Neither is owned.
    AnswerTiedPort(MonitorPort& monitor, CtlHost& host) : monitor_(monitor), host_(host) {}

    SectionState OpenSharedSection() override { return monitor_.OpenSharedSection(); }
    bool HasSectionView() const override { return monitor_.HasSectionView(); }
    MutexWait WaitForMutex() override { return monitor_.WaitForMutex(); }
    void ReleaseMutex() override { monitor_.ReleaseMutex(); }
    void ReadSection(SharedConfig& target) override { monitor_.ReadSection(target); }
    void WriteSection(const SharedConfig& source) override { monitor_.WriteSection(source); }
    bool FindMonitorWindow() override { return monitor_.FindMonitorWindow(); }
    void PostMonitorCommand(uint64_t wParam, int64_t lParam) override {
        host_.ForgetEarlierAnswers();
        monitor_.PostMonitorCommand(wParam, lParam);
    }

private:
    MonitorPort& monitor_;
    CtlHost& host_;
};

}  // namespace tavrel::ctl
