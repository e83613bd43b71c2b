// tavrelctl.exe: the keyboard from scripts. A console program beside Tavrel.exe that
// works through the same storage and monitor link, with no window on screen.
#include <windows.h>

#include <string>
#include <vector>

#include "app/folder_storage.h"
#include "config/macro_library.h"
#include "config/text.h"
#include "config/win/win32_storage.h"
#include "ctl/command_line.h"
#include "ctl/commands.h"
#include "ctl/deadline.h"
#include "ctl/win/ctl_host_win.h"
#include "lighting/light_tables.h"
#include "monitor/win/monitor_win.h"
#include "skin/app_dir.h"
#include "skin/win/lang_library.h"

namespace {

// UTF-8 to a pipe or file as it is; to a console as wide text, which shows every
// character whatever the console's code page.
void Write(DWORD stream, const std::string& text) {
    if (text.empty()) return;
    HANDLE handle = GetStdHandle(stream);
    if (!handle || handle == INVALID_HANDLE_VALUE) return;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::u16string wide = tavrel::Utf8ToUtf16(text);
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace tavrel;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(Utf16ToUtf8(reinterpret_cast<const char16_t*>(argv[i])));

    const ctl::ParseOutcome parsed = ctl::ParseCommandLine(args);
    if (!parsed.request) {
        Write(STD_OUTPUT_HANDLE, parsed.output);
        if (!parsed.error.empty()) Write(STD_ERROR_HANDLE, parsed.error + "\n");
        return parsed.exitStatus;
    }

    // The effect names come from the language library beside the program, as the
    // lighting page shows them.
    const std::wstring self = win::OwnExecutablePath();
    SetAppDir(std::u16string(reinterpret_cast<const char16_t*>(self.c_str()), self.size()));
    LangTable lightStrings;
    LoadLangTable(lightStrings, kLightLangFirst, kLightLangLast);

    // One limit for the whole command, shared by every wait.
    const ctl::Deadline deadline(parsed.request->timeoutSeconds);
    win::Win32MonitorPort monitor([&deadline] { return static_cast<DWORD>(deadline.RemainingMs()); });
    PlatformStorage platform;
    FolderStorage storage(platform.Get(), g_MacroLibrary);
    ctl::win::Win32CtlHost host(deadline);
    ctl::Runner runner(monitor, storage, platform.Get().files, g_MacroLibrary, host, lightStrings);

    ctl::RunOutput output;
    const int status = runner.Run(*parsed.request, output);
    Write(STD_OUTPUT_HANDLE, output.out);
    Write(STD_ERROR_HANDLE, output.err);
    return status;
}
