#include "app/win/tavrel_app.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/folder_storage.h"
#include "app/win/tavrel_dlg.h"
#include "config/macro_library.h"
#include "config/win/win32_storage.h"
#include "monitor/win/monitor_win.h"
#include "skin/app_dir.h"
#include "window/win/system_library.h"

namespace tavrel {

namespace {

std::u16string ModulePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    return std::u16string(reinterpret_cast<const char16_t*>(buffer.c_str()), buffer.size());
}

}  // namespace

int CTavrelApp::Run() {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
    InitCommonControlsEx(&controls);
    // The picture decoder and the file dialogs enter a COM apartment when first used;
    // it is left on every way out.
    win::ComApartmentExit com;

    // The popup menu hook is installed by the main window once it has painted, or by
    // the first menu should one open sooner (CTavrelDlg::OnInitDialog, CExMenu).
    // Every window finds its skin and the language library through the program folder,
    // so it is known before the first window exists.
    SetAppDir(ModulePath());

    win::Win32MonitorPort monitor;
    PlatformStorage platform;
    FolderStorage storage(platform.Get(), g_MacroLibrary);
    CTavrelDlg dialog(monitor, storage);
    monitor.SetBeforeBlockingWait([&dialog] { dialog.ShowWaitingNow(); });
    dialog.DoModal(nullptr);
    return 0;
}

}  // namespace tavrel
