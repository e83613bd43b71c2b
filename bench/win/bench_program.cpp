// The program's figures, measured side by side in one run:
//   start-up   process start to the main window shown, painted (neither it nor any of
//              its windows has anything left to paint) and idle, for Tavrel.exe, for the
//              two floor programs (the same window tree and nothing else: the first
//              one, and the lean one the target is measured against) and for a minimal
//              one-window program (medians of several runs each, the four in turn);
//   apply      the Apply click to MONITOR_APPLY reaching the monitor window (the
//              monitor's own work is not included: this stand-in answers at once);
//   memory     the program's peak private memory after every page, dialog and popup
//              menu has been shown;
//   outline    BitmapToRegion of the main window's mask from the shipped skin;
//   steps      for information, the program's own start-up work beside its windows,
//              step by step, run in this process with the program's code.
// This benchmark plays the monitor process itself (its window, named mutex and
// section), so the program starts and applies exactly as it does beside the monitor.
//
// Usage: bench_program.exe <run folder> [runs] [--startup-only]
//   the run folder holds Tavrel.exe, lang.dll and Skins; minimal_window.exe,
//   floor_window.exe and lean_floor.exe lie beside this benchmark. --startup-only
//   times the starts alone.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/records.h"
#include "bench/win/startup_steps.h"
#include "config/shared_config.h"
#include "monitor/monitor_protocol.h"
#include "skin/win/skin_image.h"
#include "tests/win/support/child_windows.h"
#include "window/win/handles.h"

using namespace tavrel;

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kTimeout = std::chrono::seconds(30);
constexpr size_t kManagerCancelButton = 6;  // the seventh skinned button of the macro manager

const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/") + 1); }

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH * 2] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    return FolderOf(std::wstring(path, n));
}

// Handles this thread's messages until `done` holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = kTimeout) {
    const auto end = Clock::now() + timeout;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) return true;
        if (Clock::now() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

// ---- the monitor's side

// The monitor's window, mutex and section, with a configuration the program accepts
// (defaults, keyboard plugged in). Records when MONITOR_APPLY arrives.
class MonitorStandIn {
public:
    bool Create() {
        // A running monitor holds these names; the figures would then be its.
        if (FindWindowW(nullptr, Wide(kMonitorWindowTitle))) return false;
        mutex_.reset(CreateMutexW(nullptr, FALSE, Wide(kMonitorMutexName)));
        if (GetLastError() == ERROR_ALREADY_EXISTS) return false;
        section_.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(SharedConfig),
                                          Wide(kMonitorSectionName)));
        if (!mutex_ || !section_) return false;
        view_ = MapViewOfFile(section_.get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SharedConfig));
        if (!view_) return false;
        auto initial = std::make_unique<SharedConfig>();
        ResetConfig(*initial);
        SetDefaultProfiles(*initial);
        initial->CurrentProfile = 0;
        initial->KeyboardPlugIn = 1;
        std::memcpy(view_, initial.get(), sizeof(SharedConfig));

        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &MonitorStandIn::Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"BenchMonitorStandIn";
        RegisterClassW(&windowClass);
        hwnd_ = CreateWindowExW(0, windowClass.lpszClassName, Wide(kMonitorWindowTitle), WS_POPUP, 0, 0, 1, 1,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        return hwnd_ != nullptr;
    }
    ~MonitorStandIn() {
        if (hwnd_) DestroyWindow(hwnd_);
        if (view_) UnmapViewOfFile(view_);
    }

    int applies = 0;
    Clock::time_point lastApply;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<MonitorStandIn*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && message == kWmMonitorCommand) {
            if (wParam == MONITOR_APPLY || wParam == MONITOR_APPLY_RESET) {
                self->lastApply = Clock::now();
                ++self->applies;
                if (HWND main = FindWindowW(nullptr, Wide(kMainWindowTitle))) {
                    PostMessageW(main, kWmMonitorCommand, 0, MONITOR_APPLY_DONE);
                }
            }
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    struct HandleCloser {
        void operator()(HANDLE h) const { CloseHandle(h); }
    };
    std::unique_ptr<void, HandleCloser> mutex_, section_;
    void* view_ = nullptr;
    HWND hwnd_ = nullptr;
};

// ---- another process's windows

struct Process {
    PROCESS_INFORMATION info{};
    ~Process() {
        if (info.hProcess) {
            if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 1);
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
    }
    DWORD Id() const { return info.dwProcessId; }
};

bool Start(const std::wstring& exe, Process& process, const std::wstring& arguments = L"") {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" \"" + arguments + L"\"";
    const std::wstring folder = FolderOf(exe);
    return CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &process.info) != FALSE;
}

// True while `hwnd` or any of its shown descendants has an update region: a child's
// pending paint is not part of its parent's region.
bool PaintPending(HWND hwnd) {
    if (GetUpdateRect(hwnd, nullptr, FALSE)) return true;
    for (HWND child : DescendantsOfClass(hwnd, nullptr)) {
        if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) return true;
    }
    return false;
}

// The window with `title` of `pid` once it is shown, its thread is waiting for input
// (it answers a sent message) and it has no update region of its own.
HWND ShownAndIdle(DWORD pid, const wchar_t* title) {
    for (HWND hwnd : TopWindowsOf(pid, nullptr)) {
        wchar_t text[128] = {};
        GetWindowTextW(hwnd, text, 128);
        if (lstrcmpW(text, title) != 0) continue;
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer)) return nullptr;
        if (GetUpdateRect(hwnd, nullptr, FALSE)) return nullptr;
        return hwnd;
    }
    return nullptr;
}

// The same, and painted: no update region left in any of its windows either.
HWND ShownPaintedAndIdle(DWORD pid, const wchar_t* title) {
    HWND hwnd = ShownAndIdle(pid, title);
    return hwnd && !PaintPending(hwnd) ? hwnd : nullptr;
}

// Asking every descendant for its update region is some 300 requests to the
// platform's server; made every millisecond, it slowed the very start it timed. The
// cheap checks run every millisecond, the descendants' at most every few.
constexpr auto kDescendantCheckInterval = std::chrono::milliseconds(4);

// A program whose start is timed: its file, its arguments and its main window's title.
struct Starter {
    std::wstring exe;
    std::wstring arguments;
    const wchar_t* title;
};

struct StartUp {
    double milliseconds = 0;
    size_t windows = 0;  // the main window's descendants
};

// Milliseconds from CreateProcess to the window shown, painted and idle; the process
// is closed again through its window.
std::optional<StartUp> TimeStartUp(const Starter& starter) {
    Process process;
    const auto start = Clock::now();
    if (!Start(starter.exe, process, starter.arguments)) return std::nullopt;
    const wchar_t* title = starter.title;
    WaitForInputIdle(process.info.hProcess, 30000);
    HWND window = nullptr;
    auto nextDescendantCheck = Clock::now();
    // Asking 159 windows takes 40 to 50 ms under Wine: the end is when the check that
    // passes begins, not when it has asked them all.
    Clock::time_point painted{};
    const bool done = PumpUntil([&] {
        window = ShownAndIdle(process.Id(), title);
        if (!window || Clock::now() < nextDescendantCheck) return false;
        const Clock::time_point checked = Clock::now();
        nextDescendantCheck = checked + kDescendantCheckInterval;
        if (PaintPending(window)) return false;
        painted = checked;
        return true;
    });
    if (!done) return std::nullopt;
    StartUp result;
    result.milliseconds = std::chrono::duration<double, std::milli>(painted - start).count();
    result.windows = DescendantsOfClass(window, nullptr).size();
    PostMessageW(window, WM_CLOSE, 0, 0);
    PumpUntil([&] { return WaitForSingleObject(process.info.hProcess, 0) == WAIT_OBJECT_0; });
    return result;
}

// ---- memory

struct MemoryFigures {
    SIZE_T peakPagefile = 0;    // GetProcessMemoryInfo: PeakPagefileUsage
    SIZE_T privateUsage = 0;    // GetProcessMemoryInfo: PrivateUsage
    SIZE_T committedPrivate = 0;  // committed private pages, walked with VirtualQueryEx
    SIZE_T peakWorkingSet = 0;
};

MemoryFigures Measure(HANDLE process) {
    MemoryFigures figures;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters))) {
        figures.peakPagefile = counters.PeakPagefileUsage;
        figures.privateUsage = counters.PrivateUsage;
        figures.peakWorkingSet = counters.PeakWorkingSetSize;
    }
    MEMORY_BASIC_INFORMATION region{};
    for (const char* address = nullptr;
         VirtualQueryEx(process, address, &region, sizeof(region)) == sizeof(region);
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) figures.committedPrivate += region.RegionSize;
        if (region.RegionSize == 0) break;
    }
    return figures;
}

// ---- driving the program from outside

class ProgramDriver {
public:
    ProgramDriver(HANDLE process, DWORD pid, HWND main) : process_(process), pid_(pid), main_(main) {
        buttons_ = ChildrenOfClass(main, L"Button");
        pages_ = ChildrenOfClass(main, L"#32770");
    }
    bool Ready() const { return buttons_.size() == 19 && pages_.size() == 4; }

    HWND MainButton(int index) const { return buttons_[static_cast<size_t>(index)]; }
    HWND Page(int index) const { return pages_[static_cast<size_t>(index)]; }

    void Click(HWND owner, HWND button) {
        PostMessageW(owner, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    }

    // Waits until the program has handled everything sent so far.
    bool Settle() {
        DWORD_PTR answer = 0;
        return SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer) != 0;
    }

    // Clicks `button` of `owner`, waits for the dialog it opens, closes it with `close`
    // (WM_CLOSE when none) and waits until it has gone.
    bool VisitDialog(HWND owner, HWND button, const std::function<void(HWND)>& close = nullptr) {
        Click(owner, button);
        HWND dialog = nullptr;
        if (!PumpUntil([&] { return (dialog = OpenDialog()) != nullptr; })) return false;
        Sample();
        if (close) {
            close(dialog);
        } else {
            PostMessageW(dialog, WM_CLOSE, 0, 0);
        }
        return PumpUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }) && Settle();
    }

    // Clicks `button` of `owner`, waits for the popup menu it opens and ends it with Escape.
    bool VisitMenu(HWND owner, HWND button) {
        Click(owner, button);
        HWND menu = nullptr;
        if (!PumpUntil([&] {
                const auto menus = TopWindowsOf(pid_, L"#32768");
                menu = menus.empty() ? nullptr : menus.front();
                return menu != nullptr;
            })) {
            return false;
        }
        Sample();
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessageW(menu, WM_KEYUP, VK_ESCAPE, 0xC0000001);
        return PumpUntil([&] { return TopWindowsOf(pid_, L"#32768").empty(); }) && Settle();
    }

    void Sample() {
        const MemoryFigures now = Measure(process_);
        peak_.peakPagefile = std::max(peak_.peakPagefile, now.peakPagefile);
        peak_.privateUsage = std::max(peak_.privateUsage, now.privateUsage);
        peak_.committedPrivate = std::max(peak_.committedPrivate, now.committedPrivate);
        peak_.peakWorkingSet = std::max(peak_.peakWorkingSet, now.peakWorkingSet);
    }
    const MemoryFigures& Peak() const { return peak_; }

private:
    HWND OpenDialog() const {
        for (HWND hwnd : TopWindowsOf(pid_, L"#32770")) {
            if (hwnd != main_ && IsWindowEnabled(hwnd)) return hwnd;
        }
        return nullptr;
    }

    HANDLE process_;
    DWORD pid_;
    HWND main_;
    std::vector<HWND> buttons_;
    std::vector<HWND> pages_;
    MemoryFigures peak_;
};

// Main window buttons, in creation order.
enum : int {
    kPageKeys = 0, kPageMacros = 1, kPageAdvanced = 2, kPageLighting = 3, kReset = 4, kProfile1 = 5,
    kGameLinkNew = 6, kGameLinkEdit = 9, kProfile2 = 10, kProfile3 = 11, kProfile4 = 12, kMacroManager = 13,
    kApply = 14,
};

struct ProgramFigures {
    std::optional<double> applyMs;
    std::optional<MemoryFigures> memory;
    std::string failure;
};

ProgramFigures DriveProgram(const std::wstring& exe, MonitorStandIn& monitor, int applies) {
    ProgramFigures figures;
    Process process;
    if (!Start(exe, process)) {
        figures.failure = "the program did not start";
        return figures;
    }
    HWND main = nullptr;
    if (!PumpUntil([&] { return (main = ShownPaintedAndIdle(process.Id(), Wide(kMainWindowTitle))) != nullptr; })) {
        figures.failure = "the main window did not come up";
        return figures;
    }
    ProgramDriver driver(process.info.hProcess, process.Id(), main);
    if (!driver.Ready()) {
        figures.failure = "the main window lacks its buttons or pages";
        return figures;
    }
    driver.Sample();

    // Every page and profile, every dialog and every popup menu.
    bool visited = true;
    for (int page : {kPageKeys, kPageMacros, kPageAdvanced, kPageLighting}) {
        driver.Click(main, driver.MainButton(page));
        visited &= driver.Settle();
        driver.Sample();
    }
    for (int profile : {kProfile2, kProfile3, kProfile4, kProfile1}) {
        driver.Click(main, driver.MainButton(profile));
        visited &= driver.Settle();
        driver.Sample();
    }
    const auto keys = ChildrenOfClass(driver.Page(0), L"Button");
    const auto macroKeys = ChildrenOfClass(driver.Page(1), L"Button");
    const auto advanced = ChildrenOfClass(driver.Page(2), L"Button");
    const auto lighting = ChildrenOfClass(driver.Page(3), L"Button");
    if (keys.empty() || macroKeys.empty() || advanced.size() < 3 || lighting.size() < 2) {
        figures.failure = "a page lacks its buttons";
        return figures;
    }
    visited &= driver.VisitDialog(main, driver.MainButton(kReset));
    visited &= driver.VisitDialog(main, driver.MainButton(kGameLinkNew));
    visited &= driver.VisitDialog(main, driver.MainButton(kGameLinkEdit));
    visited &= driver.VisitDialog(main, driver.MainButton(kMacroManager), [](HWND manager) {
        const auto buttons = ChildrenOfClass(manager, L"Button");
        if (buttons.size() > kManagerCancelButton) {
            PostMessageW(manager, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                         reinterpret_cast<LPARAM>(buttons[kManagerCancelButton]));
        }
    });
    visited &= driver.VisitDialog(driver.Page(0), keys.front());
    visited &= driver.VisitMenu(driver.Page(1), macroKeys.front());
    visited &= driver.VisitMenu(driver.Page(2), advanced[2]);
    visited &= driver.VisitMenu(driver.Page(3), lighting[0]);
    visited &= driver.VisitMenu(driver.Page(3), lighting[1]);
    if (!visited) {
        figures.failure = "a page, dialog or menu did not come up or go away";
        return figures;
    }

    // Applies: the click to MONITOR_APPLY at the monitor window; the stand-in answers at once.
    std::vector<double> times;
    for (int i = 0; i < applies; ++i) {
        const int before = monitor.applies;
        const auto start = Clock::now();
        driver.Click(main, driver.MainButton(kApply));
        if (!PumpUntil([&] { return monitor.applies > before; })) {
            figures.failure = "no MONITOR_APPLY arrived";
            return figures;
        }
        times.push_back(std::chrono::duration<double, std::milli>(monitor.lastApply - start).count());
        // The waiting dialog closes on the answer; wait for it before the next click.
        PumpUntil([&] { return FindWindowW(nullptr, Wide(kWaitingWindowTitle)) == nullptr; });
        driver.Settle();
        driver.Sample();
    }
    figures.applyMs = Median(times);
    figures.memory = driver.Peak();

    PostMessageW(main, WM_CLOSE, 0, 0);
    PumpUntil([&] { return WaitForSingleObject(process.info.hProcess, 0) == WAIT_OBJECT_0; });
    return figures;
}

// ---- the main window's outline

struct OutlineTimes {
    double median = 0;
    double fastest = 0;
};

std::optional<OutlineTimes> TimeOutline(const std::wstring& runFolder, int repetitions) {
    wchar_t maskName[MAX_PATH] = {};
    const std::wstring layout = runFolder + L"Skins\\skin_Config.ini";
    GetPrivateProfileStringW(L"SCREEN", L"Mask", L"", maskName, MAX_PATH, layout.c_str());
    const std::wstring maskPath = runFolder + L"Skins\\" + maskName;
    win::UniqueBitmap mask;
    SIZE size{};
    if (!LoadSkinImage(std::u16string(maskPath.begin(), maskPath.end()), mask, size)) return std::nullopt;
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        const auto start = Clock::now();
        win::UniqueRegion region = BitmapToRegion(mask.Get());
        times.push_back(MillisecondsSince(start));
        if (!region) return std::nullopt;
    }
    return OutlineTimes{Median(times), *std::min_element(times.begin(), times.end())};
}

// ---- report

int failures = 0;

void Report(const char* figure, std::optional<double> value, const char* unit, const char* target, bool met) {
    if (!value) {
        std::printf("%-44s %12s   target %-12s FAILED\n", figure, "-", target);
        ++failures;
        return;
    }
    std::printf("%-44s %9.2f %-3s  target %-12s %s\n", figure, *value, unit, target, met ? "ok" : "MISSED");
    if (!met) ++failures;
}

void Note(const char* figure, double value, const char* unit) {
    std::printf("%-44s %9.2f %-3s\n", figure, value, unit);
}

double Megabytes(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring runFolder = argc > 1 ? std::wstring(argv[1]) : OwnFolder() + L"..\\..\\stage\\";
    if (!runFolder.empty() && runFolder.back() != L'\\' && runFolder.back() != L'/') runFolder += L'\\';
    // Single starts under the platform here vary by a quarter between runs of the same
    // program, alike for all three: fifteen starts keep the medians steady.
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 15;
    const std::wstring program = runFolder + L"Tavrel.exe";
    const Starter starters[] = {
        {OwnFolder() + L"minimal_window.exe", L"", L"Minimal window"},
        {OwnFolder() + L"floor_window.exe", runFolder, L"Start-up floor"},
        {OwnFolder() + L"lean_floor.exe", runFolder, L"Lean start-up floor"},
        {program, L"", Wide(kMainWindowTitle)},
    };
    enum { kMinimal, kFloor, kLeanFloor, kProgram, kStarters };
    const bool startupOnly = argc > 3 && lstrcmpW(argv[3], L"--startup-only") == 0;

    MonitorStandIn monitor;
    if (!monitor.Create()) {
        std::printf("could not create the monitor's window, mutex and section: close the running monitor first\n");
        return 2;
    }

    // Start-up: one unmeasured start of each first (the platform's own caches), then
    // the three programs in turn.
    size_t windows[kStarters] = {};
    for (int p = 0; p < kStarters; ++p) {
        if (auto t = TimeStartUp(starters[p])) windows[p] = t->windows;
    }
    std::vector<double> times[kStarters];
    for (int i = 0; i < runs; ++i) {
        for (int p = 0; p < kStarters; ++p) {
            if (auto t = TimeStartUp(starters[p])) times[p].push_back(t->milliseconds);
        }
    }

    ProgramFigures figures;
    std::optional<OutlineTimes> outline;
    std::vector<bench::StartupStep> steps;
    if (!startupOnly) {
        figures = DriveProgram(program, monitor, runs * 3);
        outline = TimeOutline(runFolder, 101);
        steps = bench::TimeStartupSteps(runFolder, runs * 3);
    }

    std::printf("Figures under this platform (%d runs each, medians)\n", runs);
    const bool started = std::none_of(std::begin(times), std::end(times), [](const auto& t) { return t.empty(); });
    std::optional<double> ratio;
    if (started) {
        Note("start-up, minimal one-window program", Median(times[kMinimal]), "ms");
        Note("start-up, first floor program (the window tree)", Median(times[kFloor]), "ms");
        Note("start-up, lean floor program (the window tree)", Median(times[kLeanFloor]), "ms");
        Note("start-up, Tavrel.exe", Median(times[kProgram]), "ms");
        Note("start-up, Tavrel.exe / minimal program", Median(times[kProgram]) / Median(times[kMinimal]), "x");
        Note("start-up, Tavrel.exe / first floor program", Median(times[kProgram]) / Median(times[kFloor]), "x");
        ratio = Median(times[kProgram]) / Median(times[kLeanFloor]);
    }
    std::printf("%-44s %5zu / %zu / %zu\n", "  windows in the tree, Tavrel.exe / floors", windows[kProgram],
                windows[kFloor], windows[kLeanFloor]);
    if (started) {
        Note("  Tavrel.exe - lean floor", Median(times[kProgram]) - Median(times[kLeanFloor]), "ms");
        const auto fastest = [&](int p) { return *std::min_element(times[p].begin(), times[p].end()); };
        Note("  fastest starts, Tavrel.exe / lean floor", fastest(kProgram) / fastest(kLeanFloor), "x");
    }
    if (startupOnly) {
        Report("start-up, Tavrel.exe / lean floor program", ratio, "x", "<= 1.15 x", ratio && *ratio <= 1.15);
        return failures == 0 ? 0 : 1;
    }
    std::printf("  Tavrel.exe's own steps, in this process:\n");
    double stepsInAll = 0;
    for (const bench::StartupStep& step : steps) {
        char label[64];
        std::snprintf(label, sizeof(label), "    %s", step.name);
        Note(label, step.milliseconds, "ms");
        if (std::strncmp(step.name, "(no monitor)", 12) != 0) stepsInAll += step.milliseconds;
    }
    Note("    in all, with the monitor", stepsInAll, "ms");
    Report("start-up, Tavrel.exe / lean floor program", ratio, "x", "<= 1.15 x", ratio && *ratio <= 1.15);
    Report("apply, click to MONITOR_APPLY posted", figures.applyMs, "ms", "<= 20 ms",
           figures.applyMs && *figures.applyMs <= 20);
    std::optional<double> memory;
    if (figures.memory) {
        const MemoryFigures& m = *figures.memory;
        // PeakPagefileUsage is the platform's peak private figure; where it reads 0 (a
        // platform that does not keep it) the committed private pages stand in.
        const SIZE_T peak = m.peakPagefile != 0 ? m.peakPagefile : m.committedPrivate;
        memory = Megabytes(peak);
        Note("  PeakPagefileUsage", Megabytes(m.peakPagefile), "MB");
        Note("  PrivateUsage (highest seen)", Megabytes(m.privateUsage), "MB");
        Note("  committed private pages (highest seen)", Megabytes(m.committedPrivate), "MB");
        Note("  peak working set", Megabytes(m.peakWorkingSet), "MB");
    }
    Report("peak private memory, every page and dialog", memory, "MB", "< 25 MB", memory && *memory < 25);
    if (outline) {
        Note("  BitmapToRegion, fastest of 101", outline->fastest, "ms");
        Report("BitmapToRegion, main window mask", outline->median, "ms", "< 2 ms", outline->median < 2);
    } else {
        Report("BitmapToRegion, main window mask", std::nullopt, "ms", "< 2 ms", false);
    }
    if (!figures.failure.empty()) std::printf("program run: %s\n", figures.failure.c_str());
    return failures == 0 ? 0 : 1;
}
