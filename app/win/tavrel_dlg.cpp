#include "app/win/tavrel_dlg.h"

#include "app/win/file_dialogs.h"

#include <commdlg.h>
#include "app/win/other_dialogs.h"
#include "app/win/profile_man_dialog.h"
#include "config/shared_config.h"
#include "dialogs/win/warning_dialog.h"
#include "monitor/monitor_protocol.h"
#include "monitor/win/monitor_win.h"
#include "skin/win/ex_menu.h"
#include "skin/win/lang_library.h"
#include "window/win/message_loop.h"

namespace tavrel {

namespace {

LangTable& AssignmentTable() {
    static LangTable table;
    return table;
}

const wchar_t* W(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
const wchar_t* W(const char16_t* s) { return reinterpret_cast<const wchar_t*>(s); }

constexpr UINT_PTR kLightingTimerId = 1;
constexpr UINT kLightingTimerMs = 10;
// Fires once the start's messages and paints are handled (a timer comes after both).
constexpr UINT_PTR kMenuHookTimerId = 3;

// The refusal of an export onto another profile's stored file; the file's path follows it.
constexpr int kExportRefusedString = 1200;
constexpr int kExportCaptionString = 107;

}  // namespace

const LangTable& AssignmentTexts() { return AssignmentTable(); }

CTavrelDlg::CTavrelDlg(MonitorPort& monitor, AppStorage& storage)
    : SkinnedWindow(kMainTemplate,
                    SkinSource{.layoutFile = u"Skins\\skin_Config.ini", .firstString = kMainFirstString,
                               .lastString = kMainLastString, .eraseBackground = false, .disabledKey = u"Disable",
                               .imageFolder = u"skins\\", .buttonsShowBackground = true}),
      m_monitor(monitor),
      m_storage(storage),
      m_link(monitor, *this, storage, WorkingConfig, AppliedConfig),
      m_model(*this, WorkingConfig) {
    SetSwallowedKeys({VK_RETURN, VK_ESCAPE, VK_SPACE, VK_F1});
}

CTavrelDlg::~CTavrelDlg() = default;

// ---- creation

void CTavrelDlg::LoadLanguage() {
    SkinnedWindow::LoadLanguage();
    LoadLangTable(AssignmentTable(), kActionFirstString, kActionLastString);
}

void CTavrelDlg::CreateSkinControls(SkinBuilder& skin) {
    for (const MainButtonDef& desc : kMainButtons) {
        CBitmapBtn& button = Button(desc.button);
        skin.CreateButton(button, desc.skinKey);
        if (desc.captionString != 0) {
            button.m_strCaption = MainButtonCaption(desc, m_lang);
            button.SetTipText(button.m_strCaption);
        }
        if (desc.dialogColours) SetDialogButtonColours(button);
    }
    for (MainButton page : kPageButtons) Button(page).m_accKind = ButtonKind::PageTab;
    for (MainButton profile : kProfileButtons) Button(profile).m_accKind = ButtonKind::Radio;
    // The picture-only buttons are named by the strings their tooltips would use.
    Button(MainButton::Minimize).m_strAccName = m_lang.Get(kMainMinimizeString - kMainFirstString);
    Button(MainButton::Close).m_strAccName = m_lang.Get(kMainCloseString - kMainFirstString);
}

BOOL CTavrelDlg::OnInitDialog() {
    m_hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kAppIcon));
    if (m_hIcon) {
        SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
        SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    }
    win::LaunchMonitor();

    m_dataFolder = m_storage.DataFolder();
    OutputDebugStringW(W(m_dataFolder + u"\n"));

    SetWindowTextW(Hwnd(), W(kMainWindowTitle));

    for (int i = 0; i < 4; ++i) {
        m_pages[static_cast<size_t>(i)] = MakeMainPage(i);
        MainPage* page = m_pages[static_cast<size_t>(i)].get();
        if (!page || !page->CreatePage(Hwnd())) {
            // A page whose skin cannot be read has said so: the program ends here,
            // before it loads, saves or announces anything.
            EndModal(IDCANCEL);
            return TRUE;
        }
        if (auto* skinned = dynamic_cast<SkinnedWindow*>(page)) {
            skinned->m_accName = [this, i] { return Button(kPageButtons[i]).m_strCaption; };
        }
        SetWindowPos(page->PageHwnd(), nullptr, kPageArea.left, kPageArea.top, kPageArea.right - kPageArea.left,
                     kPageArea.bottom - kPageArea.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    m_link.LoadStartupConfiguration();
    m_storage.LoadMacroLibrary();
    m_model.Start(AppliedConfig);
    // The popup menu hook sees every message sent in this thread, which under Wine
    // makes each one a round trip to the server: creating the pages' 150 windows with
    // it in place took three times as long, and painting them twice as long. It is
    // installed, once per process and kept, when the window has painted (or by the
    // first menu, should one open sooner).
    SetTimer(Hwnd(), kMenuHookTimerId, 0, nullptr);
    return TRUE;
}

// ---- messages

bool CTavrelDlg::PreTranslateMessage(MSG& msg) {
    // The monitor's commands and the waiting dialog's start of an apply arrive here,
    // also while a modal dialog runs its own loop. They then take the default way.
    if (msg.message == kWmMonitorCommand && msg.hwnd == Hwnd() && Hwnd()) {
        m_link.HandleMonitorCommand(static_cast<uint64_t>(msg.wParam), static_cast<int64_t>(msg.lParam));
    }
    return SkinnedWindow::PreTranslateMessage(msg);
}

void CTavrelDlg::OnCommand(HWND sender) {
    if (!sender) return;
    for (const MainButtonDef& desc : kMainButtons) {
        if (Button(desc.button).Hwnd() == sender) {
            m_model.OnButton(desc.button);
            return;
        }
    }
}

LRESULT CTavrelDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(reinterpret_cast<HWND>(lParam));
        break;  // then the default command handling
    case WM_TIMER:
        if (wParam == kCloseTimerId) m_model.OnCloseTimer();
        if (wParam == kMonitorWatchTimerId) m_link.CheckMonitorStillThere();
        if (wParam == kMenuHookTimerId) {
            KillTimer(Hwnd(), kMenuHookTimerId);
            InstallMenuHook();
        }
        break;
    case WM_CLOSE:
        m_model.OnClose();
        return 0;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_hIcon);
    default:
        break;
    }
    return SkinnedWindow::WindowProc(message, wParam, lParam);
}

HWND CTavrelDlg::PageHwnd(int index) const {
    if (index < 0 || index > 3 || !m_pages[static_cast<size_t>(index)]) return nullptr;
    return m_pages[static_cast<size_t>(index)]->PageHwnd();
}

// ---- MainWindowView

void CTavrelDlg::SetButtonCheck(MainButton button, bool checked) { Button(button).SetCheck(checked); }

void CTavrelDlg::ShowPageWindow(int page, bool visible) {
    if (HWND hwnd = PageHwnd(page)) ShowWindow(hwnd, visible ? SW_SHOW : SW_HIDE);
}

void CTavrelDlg::RestartLightingTimer() {
    if (HWND hwnd = PageHwnd(kLightingPageIndex)) SetTimer(hwnd, kLightingTimerId, kLightingTimerMs, nullptr);
}

void CTavrelDlg::RefreshPage(int page) {
    if (page >= 0 && page < 4 && m_pages[static_cast<size_t>(page)]) m_pages[static_cast<size_t>(page)]->Refresh();
}

void CTavrelDlg::PostMonitorCommand(int wParam, int lParam) {
    m_monitor.PostMonitorCommand(static_cast<uint64_t>(wParam), lParam);
}

int CTavrelDlg::RunWarning(int mode) {
    CDlgWarning dialog;
    dialog.m_nMode = mode;
    return static_cast<int>(dialog.DoModal(Hwnd()));
}

bool CTavrelDlg::RunWaiting(int mode) {
    m_waiting.m_nMode = mode;
    m_waiting.m_hMainWindow = Hwnd();
    // -1: the dialog was never created; any other result is the end of its run.
    return m_waiting.DoModal(Hwnd()) != -1;
}

void CTavrelDlg::CloseWaiting() { CloseWaitingDialog(); }

void CTavrelDlg::ShowWaitingNow() {
    // The waiting dialog appears once the apply is done, when its run first finds nothing
    // queued; an apply that must wait for the monitor's mutex shows it before waiting.
    if (HWND waiting = m_waiting.Hwnd()) {
        ShowWindow(waiting, SW_SHOW);
        UpdateWindow(waiting);
    }
}

void CTavrelDlg::OpenGameLink(int mode) {
    CDlgProfileMan dialog(WorkingConfig, mode);
    dialog.DoModal(Hwnd());
}

void CTavrelDlg::ExportProfile() {
    win::FileDialogRequest request;
    request.owner = Hwnd();
    request.save = true;
    request.filter = win::kProfileFilter;
    request.defaultExtension = L"gkp";
    request.initialName = std::wstring(W(m_dataFolder)) + L"config\\.gkp";
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    const auto path = win::RunFileDialog(request);
    if (!path) return;
    const std::u16string chosen(reinterpret_cast<const char16_t*>(path->c_str()));
    if (m_storage.StoredProfileAt(WorkingConfig.CurrentProfile, chosen) >= 0) {
        ReportExportRefused(chosen);
        return;
    }
    m_storage.ExportProfile(WorkingConfig, chosen);
}

void CTavrelDlg::ReportExportRefused(const std::u16string& path) {
    LangTable refusal;
    LoadLangTable(refusal, kExportRefusedString, kExportRefusedString);
    const std::u16string text = path + u"\n\n" + refusal.Get(0);
    win::ForeignLoopScope systemLoop;
    MessageBoxW(Hwnd(), W(text), W(m_lang.Get(kExportCaptionString - kMainFirstString)), MB_OK | MB_ICONWARNING);
}

void CTavrelDlg::ImportProfile() {
    win::FileDialogRequest request;
    request.owner = Hwnd();
    request.filter = win::kProfileFilter;
    request.defaultExtension = L"gkp";
    request.initialName = std::wstring(W(m_dataFolder)) + L"config\\.gkp";
    request.flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    const auto path = win::RunFileDialog(request);
    if (!path) return;
    if (m_storage.ImportProfile(WorkingConfig, std::u16string(reinterpret_cast<const char16_t*>(path->c_str())))) {
        m_model.RefreshPages();
    }
}

void CTavrelDlg::OpenMacroManager() { RunMacroManager(Hwnd()); }

void CTavrelDlg::EndMainWindow(int result) { EndModal(result); }

void CTavrelDlg::PostQuit(int exitCode) { PostQuitMessage(exitCode); }

void CTavrelDlg::PostClose() { PostMessageW(Hwnd(), WM_CLOSE, 0, 0); }

void CTavrelDlg::Minimize() { SendMessageW(Hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0); }

bool CTavrelDlg::HoldsMouseCapture() { return Hwnd() && GetCapture() == Hwnd(); }

void CTavrelDlg::ReleaseMouseCapture() {
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    ReleaseCapture();
}

void CTavrelDlg::KillCloseTimer() { KillTimer(Hwnd(), kCloseTimerId); }

void CTavrelDlg::SyncAndSaveMacroLibrary() { m_storage.SyncAndSaveMacroLibrary(WorkingConfig); }

// ---- LinkWindowPort

void CTavrelDlg::SetCloseTimer(unsigned milliseconds) { SetTimer(Hwnd(), kCloseTimerId, milliseconds, nullptr); }

void CTavrelDlg::WatchMonitor(bool on) {
    if (on) SetTimer(Hwnd(), kMonitorWatchTimerId, kMonitorWatchMs, nullptr);
    else KillTimer(Hwnd(), kMonitorWatchTimerId);
}

void CTavrelDlg::CaptureMouse() { SetCapture(Hwnd()); }

void CTavrelDlg::ReleaseMouse() {
    if (HoldsMouseCapture()) ReleaseCapture();
}

void CTavrelDlg::EnableApplyAndOk(bool enable) {
    for (MainButton button : {MainButton::Apply, MainButton::Ok}) {
        if (Button(button).Hwnd()) Button(button).EnableNow(enable);
    }
}

void CTavrelDlg::RefreshPages() { m_model.RefreshPages(); }

void CTavrelDlg::RefreshLightingPage() { RefreshPage(kLightingPageIndex); }

void CTavrelDlg::CheckProfileButton(int index) { m_model.CheckProfileButton(index); }

void CTavrelDlg::CloseWaitingDialog() {
    if (HWND hwnd = m_waiting.Hwnd()) PostMessageW(hwnd, WM_CLOSE, 0, 0);
}

void CTavrelDlg::ReportMapViewFailure() {
    win::ForeignLoopScope systemLoop;
    MessageBoxW(Hwnd(), L"Could not map view of file.", L"", MB_OK);
}

}  // namespace tavrel
