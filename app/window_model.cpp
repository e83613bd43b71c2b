#include "app/window_model.h"

#include "config/shared_config.h"

namespace tavrel {

MainWindowModel::MainWindowModel(MainWindowView& view, SharedConfig& working) : view_(view), working_(working) {}

void MainWindowModel::Start(SharedConfig& applied) {
    if (applied.CurrentProfile < 0 || applied.CurrentProfile >= kProfileCount) applied.CurrentProfile = 0;
    working_ = applied;
    if (applied.KeyboardPlugIn == 0) view_.PostClose();
    view_.SyncAndSaveMacroLibrary();
    RefreshPages();
    ShowPage(0);
    SelectProfile(working_.CurrentProfile);
}

void MainWindowModel::ShowPage(int index) {
    if (index < 0 || index >= kPageCount) return;
    for (int i = 0; i < kPageCount; ++i) view_.SetButtonCheck(kPageButtons[i], i == index);
    for (int i = 0; i < kPageCount; ++i) view_.ShowPageWindow(i, i == index);
    currentPage_ = index;
    if (index == kLightingPage) view_.RestartLightingTimer();
}

void MainWindowModel::SelectProfileButton(int index) {
    if (index < 0 || index >= kProfileCount) return;
    for (int i = 0; i < kProfileCount; ++i) view_.SetButtonCheck(kProfileButtons[i], i == index);
}

void MainWindowModel::SelectProfile(int index) {
    SelectProfileButton(index);
    view_.PostMonitorCommand(MONITOR_SELECT_PROFILE, index);
}

void MainWindowModel::CheckProfileButton(int index) { SelectProfileButton(index); }

void MainWindowModel::RefreshPages() {
    for (int i = 0; i < kPageCount; ++i) view_.RefreshPage(i);
}

bool MainWindowModel::RunWaiting(int mode) {
    waitingMode_ = mode;
    waitingRunning_ = true;
    const bool opened = view_.RunWaiting(mode);
    waitingRunning_ = false;
    return opened;
}

void MainWindowModel::Reset() {
    if (view_.RunWarning(0) != kResultOk) return;
    SetDefaultProfiles(working_);
    MarkAllChanged(working_);
    RefreshPages();
    RunWaiting(kApplyAfterReset);
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
    case MainButton::Apply: RunWaiting(kApplyChanges); break;
    case MainButton::Ok:
        // Without the waiting dialog nothing was applied: quitting would lose the edits.
        if (RunWaiting(kApplyChanges)) view_.PostQuit(kOkQuitCode);
        break;
    case MainButton::Cancel: view_.EndMainWindow(kResultCancel); break;
    case MainButton::GameLinkNew: view_.OpenGameLink(1); break;
    case MainButton::GameLinkEdit: view_.OpenGameLink(0); break;
    case MainButton::Import: view_.ImportProfile(); break;
    case MainButton::Export: view_.ExportProfile(); break;
    case MainButton::MacroManager: view_.OpenMacroManager(); break;
    case MainButton::Minimize: view_.Minimize(); break;
    case MainButton::Close:
        if (view_.HoldsMouseCapture()) view_.ReleaseMouseCapture();
        view_.PostClose();
        break;
    }
}

void MainWindowModel::OnCloseTimer() {
    view_.PostClose();
    view_.ReleaseMouseCapture();
    view_.KillCloseTimer();
}

void MainWindowModel::OnClose() {
    if (closing_) return;
    closing_ = true;
    if (waitingRunning_) view_.CloseWaiting();
    view_.EndMainWindow(kResultCancel);
}

}  // namespace tavrel
