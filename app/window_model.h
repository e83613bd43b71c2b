// What the main window does, without the window: which page and profile buttons are
// selected, the start-up steps after the configuration is loaded, every button command
// and its effect on WorkingConfig, the close timer and how the window ends. The Win32
// main window implements MainWindowView and turns messages into these calls.
#pragma once

#include "app/buttons.h"
#include "config/records.h"
#include "monitor/monitor_protocol.h"

namespace tavrel {

constexpr int kPageCount = 4;
constexpr int kLightingPage = 3;

// Modal results, the platform's IDOK and IDCANCEL.
constexpr int kResultOk = 1;
constexpr int kResultCancel = 2;

// Exit code of the quit message OK posts after its apply.
constexpr int kOkQuitCode = -1;


class MainWindowView {
public:
    virtual ~MainWindowView() = default;

    // Selection state drawn by the page and profile buttons (SetCheck).
    virtual void SetButtonCheck(MainButton button, bool checked) = 0;
    virtual void ShowPageWindow(int page, bool visible) = 0;
    // Lighting page timer 1, restarted with 10 ms whenever that page is shown.
    virtual void RestartLightingTimer() = 0;
    virtual void RefreshPage(int page) = 0;

    // PostMonitorCommand of the monitor link: posts only when the monitor window exists.
    virtual void PostMonitorCommand(int wParam, int lParam) = 0;

    // Modal dialogs and the commands other windows own. RunWarning returns the modal
    // result; RunWaiting returns when the waiting dialog has ended, false when it could
    // not open (a broken skin picture): then nothing was applied.
    virtual int RunWarning(int mode) = 0;
    virtual bool RunWaiting(int mode) = 0;
    virtual void CloseWaiting() = 0;
    virtual void OpenGameLink(int mode) = 0;
    virtual void ExportProfile() = 0;
    virtual void ImportProfile() = 0;
    virtual void OpenMacroManager() = 0;

    // The window itself.
    virtual void EndMainWindow(int result) = 0;
    virtual void PostQuit(int exitCode) = 0;
    virtual void PostClose() = 0;
    virtual void Minimize() = 0;
    virtual bool HoldsMouseCapture() = 0;
    // Restores the arrow cursor and releases the capture.
    virtual void ReleaseMouseCapture() = 0;
    virtual void KillCloseTimer() = 0;

    // SyncMacroLibrary then SaveMacroLibrary, the last start-up step on the library.
    virtual void SyncAndSaveMacroLibrary() = 0;
};

class MainWindowModel {
public:
    MainWindowModel(MainWindowView& view, SharedConfig& working);

    // Start-up after the configuration is in `applied`: a current profile outside 0..3
    // becomes 0, the working copy is taken, an unplugged keyboard (KeyboardPlugIn 0)
    // closes the window, then the library is synchronised, the pages refresh, page 0 is
    // shown and the current profile selected and announced.
    void Start(SharedConfig& applied);

    // index outside 0..3: nothing.
    void ShowPage(int index);
    // Buttons for 0..3; MONITOR_SELECT_PROFILE for every index.
    void SelectProfile(int index);
    void RefreshPages();
    // The monitor switched the profile on the keyboard: buttons only, nothing sent back.
    void CheckProfileButton(int index);

    void OnButton(MainButton button);
    // Timer 1: the close three seconds after an apply without monitor.
    void OnCloseTimer();
    // WM_CLOSE. A waiting dialog still running (an apply without monitor) is ended
    // first, so the nested modal run returns and the program ends instead of leaving
    // an ownerless dialog behind.
    void OnClose();

    int CurrentPage() const { return currentPage_; }
    bool WaitingRunning() const { return waitingRunning_; }
    int WaitingMode() const { return waitingMode_; }

private:
    bool RunWaiting(int mode);
    void SelectProfileButton(int index);
    void Reset();

    MainWindowView& view_;
    SharedConfig& working_;
    int currentPage_ = -1;
    int waitingMode_ = kApplyChanges;
    bool waitingRunning_ = false;
    bool closing_ = false;
};

}  // namespace tavrel
