// The substitute monitor's window: it answers the program's commands, shows what the
// simulated keyboard holds, and offers the keyboard's own reports and the faults as
// buttons (and as private control messages for tests and the command line).
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "substitute_monitor/substitute_keyboard.h"
#include "substitute_monitor/win/event_log.h"
#include "substitute_monitor/win/section_host.h"

namespace tavrel::substitute {

class SubstituteWindow {
public:
    using LogItems = std::vector<std::pair<std::string, std::string>>;

    SubstituteWindow(const Options& options, EventLog& log, SectionHost& section);
    SubstituteWindow(const SubstituteWindow&) = delete;
    SubstituteWindow& operator=(const SubstituteWindow&) = delete;

    // Creates and shows the window; false when that failed.
    bool Create(HINSTANCE instance, int show);
    HWND Handle() const { return hwnd_; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void OnCreate();
    void OnPaint();
    void OnTimer(UINT_PTR id);
    void OnButton(HWND button);
    void OnMonitorCommand(WPARAM wParam, LPARAM lParam);
    void OnControl(ControlAction action, int64_t argument);

    // Reads the block under the mutex into the keyboard; adds what it saw to items.
    // slots receives one item list per key slot whose change flag the block raises.
    void TakeApply(uint64_t code, LogItems& items, std::vector<LogItems>& slots);
    void ScheduleAnswer();
    void AnswerPendingApplies();
    void ReportProfile(int64_t index);
    void ReportEffect(int64_t code);
    // Logs a report, then posts it to the main window when there is one.
    void PostReport(int64_t code, int64_t wParam);
    void SetPlugged(bool plugged);
    void HoldMutex(int milliseconds);
    void ReleaseHeldMutex();
    void DieHoldingMutex();
    void AbandonMutex();

    void Log(const std::string& event, const LogItems& items = {});
    void Redraw();
    void UpdateButtonTexts();
    static constexpr DWORD kLockTimeoutMs = 15000;

    Keyboard keyboard_;
    EventLog& log_;
    SectionHost& section_;
    HWND hwnd_ = nullptr;
    int pendingAnswers_ = 0;
    bool holdingMutex_ = false;
    std::unique_ptr<SharedConfig> heldSnapshot_;

    HWND btnProfile_ = nullptr;
    HWND btnEffect_ = nullptr;
    HWND btnPlug_ = nullptr;
    HWND btnNeverAnswer_ = nullptr;
    HWND btnHold_ = nullptr;
    HWND btnDie_ = nullptr;
    HWND btnAbandon_ = nullptr;
};

}  // namespace tavrel::substitute
