// A side of the link with no window: no buttons to disable, pages to refresh or mouse
// to capture. Callers that only need to hear of the close timer or of the monitor's
// answer override those two.
#pragma once

#include "monitor/monitor_port.h"

namespace tavrel {

class WindowlessLinkWindow : public LinkWindowPort {
public:
    void SetCloseTimer(unsigned) override {}
    void WatchMonitor(bool) override {}
    void CaptureMouse() override {}
    void ReleaseMouse() override {}
    void EnableApplyAndOk(bool) override {}
    void RefreshPages() override {}
    void RefreshLightingPage() override {}
    void CheckProfileButton(int) override {}
    void CloseWaitingDialog() override {}
    void ReportMapViewFailure() override {}
};

}  // namespace tavrel
