#include "app/window_model.h"

#include "config/shared_config.h"

namespace tavrel {

MainWindowModel::MainWindowModel(MainWindowPort& port, SharedConfig& working) : port_(port), working_(working) {}

void MainWindowModel::Start(SharedConfig& applied) {
    if (applied.CurrentProfile < 0 || applied.CurrentProfile >= kProfileCount) applied.CurrentProfile = 0;
    working_ = applied;
    if (applied.KeyboardPlugIn == 0) port_.PostClose();
    port_.SyncAndSaveMacroLibrary();
    RefreshPages();
    ShowPage(0);
    SelectProfile(working_.CurrentProfile);
}

void MainWindowModel::ShowPage(int index) {
    if (index < 0 || index >= kPageCount) return;
    for (int i = 0; i < kPageCount; ++i) port_.SetButtonCheck(kPageButtons[i], i == index);
    for (int i = 0; i < kPageCount; ++i) port_.ShowPageWindow(i, i == index);
    currentPage_ = index;
    if (index == kLightingPage) port_.RestartLightingTimer();
}

void MainWindowModel::SelectProfileButton(int index) {
    if (index < 0 || index >= kProfileCount) return;
    for (int i = 0; i < kProfileCount; ++i) port_.SetButtonCheck(kProfileButtons[i], i == index);
}

void MainWindowModel::SelectProfile(int index) {
    SelectProfileButton(index);
    port_.PostMonitorCommand(kMonitorSelectProfile, index);
}

void MainWindowModel::CheckProfileButton(int index) { SelectProfileButton(index); }

void MainWindowModel::RefreshPages() {
    for (int i = 0; i < kPageCount; ++i) port_.RefreshPage(i);
}

void MainWindowModel::RunWaiting(int mode) {
    waitingMode_ = mode;
    waitingRunning_ = true;
    port_.RunWaiting(mode);
    waitingRunning_ = false;
}

void MainWindowModel::Reset() {
    if (port_.RunWarning(0) != kResultOk) return;
    SetDefaultProfiles(working_);
    MarkAllChanged(working_);
    RefreshPages();
    RunWaiting(kWaitingApplyAfterReset);
}

void MainWindowModel::OnButton(MainButton button) {
    switch (button) {
    case MainButton::PageKeys: ShowPage(0); break;
    case MainButton::PageMacros: ShowPage(1); break;
    case MainButton::PageAdvanced: ShowPage(2); break;
    case MainButton::PageLighting: ShowPage(3); break;
    case MainButton::Profile1:
    case MainButton::Profile2:
    case MainButton::Profile3:
    case MainButton::Profile4: {
        const int index = button == MainButton::Profile1   ? 0
                          : button == MainButton::Profile2 ? 1
                          : button == MainButton::Profile3 ? 2
                                                           : 3;
        working_.CurrentProfile = index;
        RefreshPages();
        SelectProfile(index);
        break;
    }
    case MainButton::Reset: Reset(); break;
    case MainButton::Apply: RunWaiting(kWaitingApply); break;
    case MainButton::Ok:
        RunWaiting(kWaitingApply);
        port_.PostQuit(kOkQuitCode);
        break;
    case MainButton::Cancel: port_.EndMainWindow(kResultCancel); break;
    case MainButton::GameLinkNew: port_.OpenGameLink(1); break;
    case MainButton::GameLinkEdit: port_.OpenGameLink(0); break;
    case MainButton::Import: port_.ImportProfile(); break;
    case MainButton::Export: port_.ExportProfile(); break;
    case MainButton::MacroManager: port_.OpenMacroManager(); break;
    case MainButton::Minimize: port_.Minimize(); break;
    case MainButton::Close:
        if (port_.HoldsMouseCapture()) port_.ReleaseMouseCapture();
        port_.PostClose();
        break;
    }
}

void MainWindowModel::OnCloseTimer() {
    port_.PostClose();
    port_.ReleaseMouseCapture();
    port_.KillCloseTimer();
}

void MainWindowModel::OnClose() {
    if (closing_) return;
    closing_ = true;
    if (waitingRunning_) port_.CloseWaiting();
    port_.EndMainWindow(kResultCancel);
}

}  // namespace tavrel
