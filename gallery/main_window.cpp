// The main window as the program shows it, over the data folder's profiles (or the
// defaults). A stand-in window with the monitor's title keeps it from starting the
// monitor process, and no section exists, so nothing reaches a keyboard.
#include "gallery/gallery.h"

#include <windows.h>

#include "app/folder_storage.h"
#include "app/win/tavrel_dlg.h"
#include "config/macro_library.h"
#include "config/win/win32_storage.h"
#include "monitor/monitor_protocol.h"
#include "monitor/win/monitor_win.h"
#include "window/win/window.h"

TAVREL_GALLERY_WINDOW(L"main", [] {
    tavrel::win::Window monitorStandIn;
    monitorStandIn.CreateEx(0, reinterpret_cast<const wchar_t*>(tavrel::kMonitorWindowTitle), WS_POPUP, 0, 0, 1, 1,
                            nullptr);
    tavrel::win::Win32MonitorPort monitor;
    tavrel::PlatformStorage platform;
    tavrel::FolderStorage storage(platform.Get(), tavrel::g_MacroLibrary);
    tavrel::CTavrelDlg dialog(monitor, storage);
    return static_cast<int>(dialog.DoModal(nullptr));
});
