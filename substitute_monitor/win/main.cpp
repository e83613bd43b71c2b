// Pondrel.exe, the substitute monitor: a stand-in for the keyboard's monitor process
// with the same window, mutex, section and commands, plus a log and fault switches.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "monitor/monitor_protocol.h"
#include "substitute_monitor/substitute_keyboard.h"
#include "substitute_monitor/win/event_log.h"
#include "substitute_monitor/win/section_host.h"
#include "substitute_monitor/win/substitute_window.h"

using namespace tavrel;
using namespace tavrel::substitute;

namespace {

std::vector<std::u16string> Arguments() {
    std::vector<std::u16string> args;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return args;
    for (int i = 1; i < count; ++i) args.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
    LocalFree(argv);
    return args;
}

std::wstring LogPath(const Options& options) {
    if (!options.logPath.empty()) return std::wstring(options.logPath.begin(), options.logPath.end());
    wchar_t buffer[32768];
    DWORD n = GetEnvironmentVariableW(reinterpret_cast<const wchar_t*>(kLogEnvironmentVariable), buffer, 32768);
    return n > 0 && n < 32768 ? std::wstring(buffer, n) : std::wstring();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    std::string error;
    auto options = ParseOptions(Arguments(), error);
    if (!options) {
        std::fprintf(stderr, "%s\n%s", error.c_str(), UsageText().c_str());
        return 2;
    }
    EventLog log(LogPath(*options));

    // One monitor at a time: a second start hands its reports and faults to the running one.
    if (HWND running = FindWindowW(nullptr, reinterpret_cast<const wchar_t*>(kMonitorWindowTitle))) {
        for (const ControlRequest& request : options->requests) {
            PostMessageW(running, kWmSubstituteControl, request.action, static_cast<LPARAM>(request.argument));
        }
        log.Append(LogLine("forwarded", {{"requests", std::to_string(options->requests.size())}}));
        return 0;
    }

    SectionHost section;
    if (!options->noSection && !section.Create()) {
        log.Append(LogLine("section-failed", {{"error", std::to_string(GetLastError())}}));
    }
    SubstituteWindow window(*options, log, section);
    if (!window.Create(instance, show)) return 1;
    for (const ControlRequest& request : options->requests) {
        PostMessageW(window.Handle(), kWmSubstituteControl, request.action, static_cast<LPARAM>(request.argument));
    }

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
