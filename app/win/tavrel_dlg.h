// CTavrelDlg: the main window. A skinned, fixed-size dialog with nineteen buttons and
// four pages, run modally by the application. Its rules live in MainWindowModel (the
// buttons, pages and profiles) and MonitorLink (the configuration at start, the apply
// and the monitor's reports); this class turns messages into their calls and their
// requests into windows.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "app/app_storage.h"
#include "app/buttons.h"
#include "app/win/page_factory.h"
#include "app/window_model.h"
#include "monitor/monitor_link.h"
#include "monitor/win/waiting_dialog.h"
#include "skin/win/bitmap_btn.h"
#include "skin/win/skinned_window.h"

namespace tavrel {

inline constexpr UINT kMainTemplate = 102;
inline constexpr UINT kAppIcon = 128;

// The assignment-text table (strings 500 to 525) the key texts are built from; filled
// when the main window is created.
const LangTable& AssignmentTexts();

class CTavrelDlg : public SkinnedWindow, private MainWindowView, private LinkWindowPort {
public:
    CTavrelDlg(MonitorPort& monitor, AppStorage& storage);
    ~CTavrelDlg() override;

    bool PreTranslateMessage(MSG& msg) override;
    // Shows and paints the waiting dialog of a running apply at once.
    void ShowWaitingNow();

protected:
    void LoadLanguage() override;
    void CreateSkinControls(SkinBuilder& skin) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnCommand(HWND sender);
    HWND PageHwnd(int index) const;
    // Names the chosen file, which is another profile's stored file, in a message box.
    void ReportExportRefused(const std::u16string& path);
    CBitmapBtn& Button(MainButton button) { return m_buttons[static_cast<size_t>(button)]; }

    // MainWindowView
    void SetButtonCheck(MainButton button, bool checked) override;
    void ShowPageWindow(int page, bool visible) override;
    void RestartLightingTimer() override;
    void RefreshPage(int page) override;
    void PostMonitorCommand(int wParam, int lParam) override;
    int RunWarning(int mode) override;
    bool RunWaiting(int mode) override;
    void CloseWaiting() override;
    void OpenGameLink(int mode) override;
    void ExportProfile() override;
    void ImportProfile() override;
    void OpenMacroManager() override;
    void EndMainWindow(int result) override;
    void PostQuit(int exitCode) override;
    void PostClose() override;
    void Minimize() override;
    bool HoldsMouseCapture() override;
    void ReleaseMouseCapture() override;
    void KillCloseTimer() override;
    void SyncAndSaveMacroLibrary() override;

    // LinkWindowPort
    void SetCloseTimer(unsigned milliseconds) override;
    void WatchMonitor(bool on) override;
    void CaptureMouse() override;
    void ReleaseMouse() override;
    void EnableApplyAndOk(bool enable) override;
    void RefreshPages() override;
    void RefreshLightingPage() override;
    void CheckProfileButton(int index) override;
    void CloseWaitingDialog() override;
    void ReportMapViewFailure() override;

    MonitorPort& m_monitor;
    AppStorage& m_storage;
    MonitorLink m_link;
    MainWindowModel m_model;
    std::array<CBitmapBtn, kMainButtonCount> m_buttons;
    std::array<std::unique_ptr<MainPage>, 4> m_pages;
    CDlgWaitting m_waiting;
    HICON m_hIcon = nullptr;  // shared resource icon, not destroyed
    std::u16string m_dataFolder;
};

}  // namespace tavrel
