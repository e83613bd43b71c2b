// What tavrelctl needs from the platform beyond the monitor link's ports: whether the
// configuration program's window is open, tavrelctl's own lock, and the hidden window
// that receives the monitor's answer.
#pragma once

namespace tavrel::ctl {

enum class AnswerWait { Answered, TimedOut, MonitorGone };

class CtlHost {
public:
    virtual ~CtlHost() = default;

    // A top-level window titled as the program's main window that is not another
    // tavrelctl's hidden one (told apart by its window class).
    virtual bool ProgramWindowOpen() = 0;
    // tavrelctl's named lock, held until the process ends, so two commands take turns.
    // False when it was not free before the command's time limit.
    virtual bool TakeLock() = 0;
    // The hidden top-level window the monitor answers to; it exists until the process ends.
    virtual void OpenAnswerWindow() = 0;
    // Drops every MONITOR_APPLY_DONE that has reached that window so far: they answer
    // commands posted before this one's.
    virtual void ForgetEarlierAnswers() = 0;
    // Until MONITOR_APPLY_DONE reaches that window, the monitor window disappears or
    // the command's time limit is reached.
    virtual AnswerWait WaitForApplyDone() = 0;
};

}  // namespace tavrel::ctl
