// The fixed contract with the keyboard's monitor process: its executable, window,
// named mutex and section, the message number and the command codes in both
// directions. The monitor is a separate program; none of these may change.
#pragma once

#include <cstdint>

namespace tavrel {

inline constexpr char16_t kMonitorExeName[] = u"Pondrel";
inline constexpr char16_t kMonitorExeExtension[] = u"exe";
inline constexpr char16_t kMonitorWindowTitle[] = u"Orvane Gaming Keyboard Monitor";
inline constexpr char16_t kMonitorMutexName[] = u"Orvane Gaming Keyboard_Mutex_Object";
inline constexpr char16_t kMonitorSectionName[] = u"Orvane Gaming Keyboard_Mutex_Data";
inline constexpr char16_t kMainWindowTitle[] = u"Orvane Gaming Keyboard";
inline constexpr char16_t kWaitingWindowTitle[] = u"Orvane Gaming Keyboard waiting";

// WM_USER + 200, in both directions.
inline constexpr unsigned kWmMonitorCommand = 1224;

// To the monitor window: code in wParam.
enum MonitorRequest : uint32_t {
    MONITOR_APPLY = 0,
    MONITOR_APPLY_RESET = 1,
    MONITOR_SELECT_PROFILE = 2,  // lParam = profile index 0..3
};

// To the main window: code in lParam.
enum MonitorReport : int32_t {
    MONITOR_APPLY_DONE = 1,
    MONITOR_START_APPLY = 2,       // wParam = mode 0 or 1; posted by the waiting dialog
    MONITOR_PROFILE_CHANGED = 20,  // wParam = profile index
    MONITOR_EFFECT_CHANGED = 30,   // wParam = effect code 1..4
};

// Apply modes of ApplyConfiguration and of the waiting dialog.
inline constexpr int kApplyChanges = 0;
inline constexpr int kApplyAfterReset = 1;

// Timer 1 of the main window closes the program after an apply without monitor.
inline constexpr unsigned kCloseTimerId = 1;
inline constexpr unsigned kCloseTimerMs = 3000;

// Timer 2 of the main window looks, while an apply awaits the monitor's answer,
// whether the monitor window still exists: a monitor that died never answers.
inline constexpr unsigned kMonitorWatchTimerId = 2;
inline constexpr unsigned kMonitorWatchMs = 500;

// LtEffectType stored for an effect code reported by the keyboard.
int EffectForMonitorCode(uint64_t code);

}  // namespace tavrel
