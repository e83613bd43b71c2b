// The monitor link across two real processes: this test program plays the main window
// with the real link code and the Win32 port, Pondrel.exe plays the monitor. Every wait
// is on a condition (a window, a log line, a message) with a timeout.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "config/shared_config.h"
#include "config/text.h"
#include "monitor/monitor_link.h"
#include "monitor/monitor_protocol.h"
#include "substitute_monitor/substitute_keyboard.h"
#include "window/win/kernel_handles.h"
#include "monitor/win/monitor_win.h"
#include "tests/unit/support/link_doubles.h"
#include "tests/win/support/stage_folder.h"
#include "tests/win/window_test_support.h"

namespace tavrel {
namespace {

using substitute::ControlAction;
using test::FolderOfThisProgram;

constexpr DWORD kTimeoutMs = 20000;
constexpr UINT kWmMarker = WM_APP + 1;

const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

std::wstring MonitorExecutable() {
    wchar_t buffer[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableW(L"TAVREL_PONDREL", buffer, MAX_PATH * 2);
    if (n > 0 && n < MAX_PATH * 2) return std::wstring(buffer, n);
    return test::StagedFile(L"Pondrel.exe");
}

// Runs this thread's messages until done() holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = kTimeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

// ---- the main window's stand-in

class TestMainWindow final : public LinkWindowPort {
public:
    TestMainWindow() {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TavrelTestMainWindow";
        RegisterClassExW(&wc);
        hwnd = CreateWindowExW(0, wc.lpszClassName, Wide(kMainWindowTitle), WS_POPUP, 0, 0, 10, 10, nullptr,
                               nullptr, wc.hInstance, this);
    }
    ~TestMainWindow() override {
        if (hwnd) DestroyWindow(hwnd);
    }

    // As the waiting dialog starts an apply: a posted MONITOR_START_APPLY.
    void StartApply(int mode) { PostMessageW(hwnd, kWmMonitorCommand, static_cast<WPARAM>(mode), MONITOR_START_APPLY); }

    // Every message posted to this window before the call has been handled on return.
    bool Drain() {
        bool seen = false;
        marker_ = &seen;
        PostMessageW(hwnd, kWmMarker, 0, 0);
        bool ok = PumpUntil([&] { return seen; });
        marker_ = nullptr;
        return ok;
    }

    void SetCloseTimer(unsigned ms) override {
        ++closeTimersArmed;
        SetTimer(hwnd, kCloseTimerId, ms, nullptr);
    }
    void CaptureMouse() override { ++captures; SetCapture(hwnd); }
    void ReleaseMouse() override { ++releases; ReleaseCapture(); }
    void EnableApplyAndOk(bool enable) override { buttonsEnabled = enable; }
    void RefreshPages() override { ++refreshes; }
    void RefreshLightingPage() override { ++lightingRefreshes; }
    void CheckProfileButton(int index) override { checkedProfile = index; }
    void CloseWaitingDialog() override { ++waitingClosed; }
    void ReportMapViewFailure() override { ++mapFailures; }
    void WatchMonitor(bool on) override {
        if (on) SetTimer(hwnd, kMonitorWatchTimerId, kMonitorWatchMs, nullptr);
        else KillTimer(hwnd, kMonitorWatchTimerId);
    }

    HWND hwnd = nullptr;
    MonitorLink* link = nullptr;
    int closeTimersArmed = 0, closeTimersFired = 0, captures = 0, releases = 0, refreshes = 0;
    int lightingRefreshes = 0, waitingClosed = 0, mapFailures = 0, checkedProfile = -1;
    bool buttonsEnabled = true;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        }
        auto* self = reinterpret_cast<TestMainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && message == kWmMonitorCommand && self->link) {
            self->link->HandleMonitorCommand(wParam, lParam);
            return 0;
        }
        if (self && message == WM_TIMER && wParam == kCloseTimerId) {
            ++self->closeTimersFired;
            KillTimer(hwnd, kCloseTimerId);
            return 0;
        }
        if (self && message == WM_TIMER && wParam == kMonitorWatchTimerId && self->link) {
            self->link->CheckMonitorStillThere();
            return 0;
        }
        if (self && message == kWmMarker && self->marker_) {
            *self->marker_ = true;
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    bool* marker_ = nullptr;
};

class MemoryStore final : public ConfigStore {
public:
    MemoryStore() {
        std::memset(files.get(), 0, sizeof(SharedConfig));
        SetDefaultProfiles(*files);
        files->KeyboardPlugIn = -1;
        CopyToArray(Profile(*files, 0).ProFileName, u"from files");
    }
    void LoadConfiguration(SharedConfig& config) override {
        ++loads;
        config = *files;
    }
    UnwrittenFiles SaveConfiguration(const SharedConfig& config) override {
        ++saves;
        *files = config;
        return {};
    }
    UnwrittenFiles SaveMacroLibrary() override {
        ++macroSaves;
        return {};
    }

    std::unique_ptr<SharedConfig> files = std::make_unique<SharedConfig>();
    int loads = 0, saves = 0, macroSaves = 0;
};

// ---- the substitute monitor as a child process

class MonitorProcess {
public:
    MonitorProcess() {
        static int counter = 0;
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        logPath_ = std::wstring(temp) + L"tavrel-monitor-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                   std::to_wstring(++counter) + L".log";
        DeleteFileW(logPath_.c_str());
    }
    ~MonitorProcess() { Stop(); DeleteFileW(logPath_.c_str()); }

    // Starts Pondrel.exe and waits until it has its window, mutex and section.
    bool Start(const std::wstring& options = L"", bool logThroughEnvironment = false) {
        std::wstring exe = MonitorExecutable();
        std::wstring commandLine = L"\"" + exe + L"\" " + options;
        if (logThroughEnvironment) {
            SetEnvironmentVariableW(L"PONDREL_LOG", logPath_.c_str());
        } else {
            commandLine += L" --log \"" + logPath_ + L"\"";
        }
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        BOOL started = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                      &si, &pi);
        if (logThroughEnvironment) SetEnvironmentVariableW(L"PONDREL_LOG", nullptr);
        if (!started) return false;
        process_.Reset(pi.hProcess);
        CloseHandle(pi.hThread);
        return WaitForLine("event=ready") && PumpUntil([] { return win::FindMonitorWindow() != nullptr; });
    }

    // Runs a second Pondrel.exe with control options; it hands them to the running one.
    bool RunSecondInstance(const std::wstring& options) {
        std::wstring exe = MonitorExecutable();
        std::wstring commandLine = L"\"" + exe + L"\" " + options;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            return false;
        }
        win::UniqueKernelHandle process(pi.hProcess);
        CloseHandle(pi.hThread);
        return WaitForSingleObject(process.Get(), kTimeoutMs) == WAIT_OBJECT_0;
    }

    const std::wstring& LogPath() const { return logPath_; }

    void Control(ControlAction action, int64_t argument = 0) {
        PostMessageW(win::FindMonitorWindow(), substitute::kWmSubstituteControl, action, static_cast<LPARAM>(argument));
    }

    bool WaitForExit() { return process_ && WaitForSingleObject(process_.Get(), kTimeoutMs) == WAIT_OBJECT_0; }

    void Stop() {
        if (!process_) return;
        if (HWND window = win::FindMonitorWindow()) {
            PostMessageW(window, substitute::kWmSubstituteControl, substitute::kQuit, 0);
        }
        if (WaitForSingleObject(process_.Get(), 10000) != WAIT_OBJECT_0) {
            TerminateProcess(process_.Get(), 1);
            WaitForSingleObject(process_.Get(), 10000);
        }
        process_.Reset();
    }

    std::vector<std::string> Lines() const {
        std::ifstream file(logPath_.c_str(), std::ios::binary);
        std::vector<std::string> lines;
        std::string line;
        while (std::getline(file, line)) lines.push_back(line);
        return lines;
    }

    // Index of the first line holding every fragment, or -1.
    int Find(const std::vector<std::string>& fragments, int from = 0) const {
        std::vector<std::string> lines = Lines();
        for (int i = from; i < static_cast<int>(lines.size()); ++i) {
            bool all = true;
            for (const std::string& f : fragments) all = all && lines[i].find(f) != std::string::npos;
            if (all) return i;
        }
        return -1;
    }

    // Waits, handling this thread's messages, for a line holding every fragment.
    bool WaitForLine(const std::vector<std::string>& fragments) {
        return PumpUntil([&] { return Find(fragments) >= 0; });
    }
    bool WaitForLine(const std::string& fragment) { return WaitForLine(std::vector<std::string>{fragment}); }

    std::string Dump() const {
        std::string all;
        for (const std::string& line : Lines()) all += line + "\n";
        return all;
    }

private:
    std::wstring logPath_;
    win::UniqueKernelHandle process_;
};

// ---- fixture

class MonitorLinkWin : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetFileAttributesW(MonitorExecutable().c_str()) == INVALID_FILE_ATTRIBUTES, false)
            << "Pondrel.exe not found beside the tests";
        ASSERT_EQ(win::FindMonitorWindow(), nullptr) << "a monitor is already running";
        ASSERT_NE(window.hwnd, nullptr);
        std::memset(working.get(), 0, sizeof(SharedConfig));
        std::memset(applied.get(), 0, sizeof(SharedConfig));
        window.link = &link;
    }

    void TearDown() override {
        monitor.Stop();
        // A monitor this test did not start itself (LaunchMonitor) must not outlive it.
        if (HWND stray = win::FindMonitorWindow()) {
            PostMessageW(stray, substitute::kWmSubstituteControl, substitute::kQuit, 0);
            PumpUntil([] { return win::FindMonitorWindow() == nullptr; }, 10000);
        }
    }

    // The start-up of the main window: configuration loaded, working copy taken.
    StartupSource Start() {
        StartupSource source = link.LoadStartupConfiguration();
        if (applied->CurrentProfile < 0) applied->CurrentProfile = 0;
        *working = *applied;
        return source;
    }

    std::unique_ptr<SharedConfig> ReadSectionNow() {
        auto block = std::make_unique<SharedConfig>();
        EXPECT_EQ(port.WaitForMutex(), MutexWait::Acquired);
        port.ReadSection(*block);
        port.ReleaseMutex();
        return block;
    }

    std::unique_ptr<SharedConfig> working = std::make_unique<SharedConfig>();
    std::unique_ptr<SharedConfig> applied = std::make_unique<SharedConfig>();
    MonitorProcess monitor;
    win::Win32MonitorPort port{kTimeoutMs};
    TestMainWindow window;
    MemoryStore store;
    MonitorLink link{port, window, store, *working, *applied};
};

// ---- start-up

TEST_F(MonitorLinkWin, StartupTakesTheSectionAndClearsItsFlags) {
    ASSERT_TRUE(monitor.Start(L"--seed-flags --seed-profile 2 --seed-name \"Keyboard side\""));
    EXPECT_EQ(Start(), StartupSource::Section);
    EXPECT_EQ(store.loads, 0);
    EXPECT_EQ(applied->CurrentProfile, 2);
    EXPECT_EQ(ArrayText(Profile(*applied, 0).ProFileName), u"Keyboard side");
    EXPECT_EQ(applied->KeyboardPlugIn, 1);
    EXPECT_TRUE(NoChangeFlagRaised(*applied));
    EXPECT_EQ(ReadSectionNow()->iProfileReset[0], 1) << "start-up never writes the section";
}

TEST_F(MonitorLinkWin, StartupTurnsAProfileIndexAboveThreeIntoZero) {
    ASSERT_TRUE(monitor.Start(L"--seed-profile 9"));
    EXPECT_EQ(Start(), StartupSource::Section);
    EXPECT_EQ(applied->CurrentProfile, 0);
}

TEST_F(MonitorLinkWin, StartupSeesAnUnpluggedKeyboard) {
    ASSERT_TRUE(monitor.Start(L"--unplugged"));
    EXPECT_EQ(Start(), StartupSource::Section);
    EXPECT_EQ(applied->KeyboardPlugIn, 0);
}

TEST_F(MonitorLinkWin, LaunchMonitorStartsTheMonitorFromTheProgramFolder) {
    // LaunchMonitor starts no process we hold a handle to: its log comes through the
    // environment the started monitor inherits.
    SetEnvironmentVariableW(L"PONDREL_LOG", monitor.LogPath().c_str());
    win::LaunchMonitor();
    SetEnvironmentVariableW(L"PONDREL_LOG", nullptr);
    EXPECT_TRUE(monitor.WaitForLine("event=ready")) << "no monitor started beside this program";
    ASSERT_TRUE(PumpUntil([] { return win::FindMonitorWindow() != nullptr; }));
    EXPECT_EQ(Start(), StartupSource::Section);

    PostMessageW(win::FindMonitorWindow(), substitute::kWmSubstituteControl, substitute::kQuit, 0);
    EXPECT_TRUE(PumpUntil([] { return win::FindMonitorWindow() == nullptr; }));
    EXPECT_TRUE(monitor.WaitForLine("event=exit"));
}

// ---- applies

TEST_F(MonitorLinkWin, ANameOnlyApplyReachesTheMonitorWithEveryFlagZero) {
    ASSERT_TRUE(monitor.Start());
    ASSERT_EQ(Start(), StartupSource::Section);
    MarkAllChanged(*working);  // stale page flags: the comparison must clear them
    CopyToArray(Profile(*working, 0).ProFileName, u"Raid night");
    window.StartApply(kApplyChanges);

    ASSERT_TRUE(PumpUntil([&] { return window.waitingClosed == 1; })) << monitor.Dump();
    int apply = monitor.Find({"event=command code=MONITOR_APPLY wparam=0 ", "lock=ok", "flags=\"none\"",
                              "fields=profiles[0].ProFileName ", "names=\"Raid night|#2|#3|#4\""});
    EXPECT_GE(apply, 0) << monitor.Dump();
    EXPECT_GT(monitor.Find({"event=answer code=MONITOR_APPLY_DONE target=found"}), apply);
    EXPECT_EQ(window.captures, 1);
    EXPECT_EQ(window.releases, 1);
    EXPECT_TRUE(window.buttonsEnabled);
    EXPECT_EQ(store.saves, 1);
    EXPECT_EQ(store.macroSaves, 1);

    auto section = ReadSectionNow();
    EXPECT_TRUE(NoChangeFlagRaised(*section));
    EXPECT_EQ(ArrayText(Profile(*section, 0).ProFileName), u"Raid night");
    EXPECT_EQ(section->KeyboardPlugIn, 1);
}

TEST_F(MonitorLinkWin, FlagsOfAChangeReachTheMonitor) {
    ASSERT_TRUE(monitor.Start());
    ASSERT_EQ(Start(), StartupSource::Section);
    Profile(*working, 1).LtTimeout = 40;
    Profile(*working, 2).PollingRate = 2;
    Profile(*working, 0).MacroKeyInfo[3].wCode = 0x05;
    window.StartApply(kApplyChanges);
    ASSERT_TRUE(PumpUntil([&] { return window.waitingClosed == 1; })) << monitor.Dump();
    EXPECT_GE(monitor.Find({"event=command code=MONITOR_APPLY wparam=0 ",
                            "flags=\"iLightChanged=1 iPerformanceChanged=2 iMacroKeyChanged=0.3\""}),
              0)
        << monitor.Dump();
}

TEST_F(MonitorLinkWin, AResetApplySendsFourDefaultProfilesWithEveryResetFlag) {
    ASSERT_TRUE(monitor.Start(L"--seed-profile 3 --seed-name Custom"));
    ASSERT_EQ(Start(), StartupSource::Section);
    Profile(*working, 2).standardKey[4] = 0x04;
    window.StartApply(kApplyAfterReset);
    ASSERT_TRUE(PumpUntil([&] { return window.waitingClosed == 1; })) << monitor.Dump();

    auto expected = std::make_unique<SharedConfig>();
    std::memset(expected.get(), 0, sizeof(SharedConfig));
    SetDefaultProfiles(*expected);
    MarkAllChanged(*expected);
    EXPECT_GE(monitor.Find({"event=command code=MONITOR_APPLY_RESET wparam=1 lparam=0 lock=ok"}), 0) << monitor.Dump();
    EXPECT_GE(monitor.Find({"event=command code=MONITOR_APPLY_RESET",
                            "flags=" + substitute::Quoted(substitute::SummarizeFlags(*expected)),
                            "names=\"#1|#2|#3|#4\""}),
              0)
        << monitor.Dump();

    auto section = ReadSectionNow();
    EXPECT_EQ(section->CurrentProfile, 0);
    EXPECT_EQ(std::memcmp(section->profiles, expected->profiles, sizeof(expected->profiles)), 0);
    auto marked = std::make_unique<SharedConfig>(*section);
    MarkAllChanged(*marked);
    EXPECT_EQ(std::memcmp(marked.get(), section.get(), sizeof(SharedConfig)), 0);
}

TEST_F(MonitorLinkWin, AnApplyLeavesTheMonitorsOwnPlugInStatus) {
    ASSERT_TRUE(monitor.Start());
    ASSERT_EQ(Start(), StartupSource::Section);
    ASSERT_EQ(working->KeyboardPlugIn, 1);
    monitor.Control(substitute::kSetPlugged, 0);  // unplugged after our start
    ASSERT_TRUE(monitor.WaitForLine("event=plug value=0 lock=ok"));
    CopyToArray(Profile(*working, 1).ProFileName, u"while unplugged");
    window.StartApply(kApplyChanges);
    ASSERT_TRUE(PumpUntil([&] { return window.waitingClosed == 1; })) << monitor.Dump();
    auto section = ReadSectionNow();
    EXPECT_EQ(section->KeyboardPlugIn, 0);
    EXPECT_EQ(ArrayText(Profile(*section, 1).ProFileName), u"while unplugged");
}

TEST_F(MonitorLinkWin, SelectingAProfileReachesTheMonitorWithoutTouchingTheSection) {
    ASSERT_TRUE(monitor.Start(L"", /*logThroughEnvironment=*/true));
    ASSERT_EQ(Start(), StartupSource::Section);
    port.PostMonitorCommand(MONITOR_SELECT_PROFILE, 2);
    EXPECT_TRUE(monitor.WaitForLine("event=command code=MONITOR_SELECT_PROFILE wparam=2 lparam=2 profile=2 result=ok active=2")) << monitor.Dump();
    EXPECT_EQ(ReadSectionNow()->CurrentProfile, 0);
}

// ---- the keyboard's reports

TEST_F(MonitorLinkWin, EffectReportsSetTheEffectOfTheCurrentProfile) {
    ASSERT_TRUE(monitor.Start());
    ASSERT_EQ(Start(), StartupSource::Section);
    working->CurrentProfile = 1;
    Profile(*working, 1).LtEffectType = 3;

    monitor.Control(substitute::kReportEffect, 2);
    EXPECT_TRUE(PumpUntil([&] { return Profile(*working, 1).LtEffectType == 5; }));
    // The command line of a second instance does the same as the button.
    ASSERT_TRUE(monitor.RunSecondInstance(L"--report-effect 7"));
    EXPECT_TRUE(PumpUntil([&] { return Profile(*working, 1).LtEffectType == 1; })) << monitor.Dump();
    EXPECT_EQ(window.lightingRefreshes, 2);
    EXPECT_EQ(Profile(*working, 0).LtEffectType, Profile(*applied, 0).LtEffectType);
}

TEST_F(MonitorLinkWin, AProfileReportSelectsTheProfileAndSendsNothingBack) {
    ASSERT_TRUE(monitor.Start());
    ASSERT_EQ(Start(), StartupSource::Section);
    monitor.Control(substitute::kReportProfile, 3);
    ASSERT_TRUE(PumpUntil([&] { return working->CurrentProfile == 3; }));
    EXPECT_EQ(window.checkedProfile, 3);

    // An index the keyboard cannot have is ignored.
    monitor.Control(substitute::kReportProfile, 7);
    ASSERT_TRUE(monitor.WaitForLine("event=report code=MONITOR_PROFILE_CHANGED wparam=7"));
    ASSERT_TRUE(window.Drain());
    EXPECT_EQ(working->CurrentProfile, 3);
    EXPECT_EQ(window.checkedProfile, 3);

    // Anything we had posted back would be logged before this marker.
    monitor.Control(substitute::kSetApplyDelay, 123);
    ASSERT_TRUE(monitor.WaitForLine("event=apply-delay ms=123"));
    EXPECT_EQ(monitor.Find({"event=command"}), -1) << monitor.Dump();
}

// ---- monitor, section or mutex missing or broken

TEST_F(MonitorLinkWin, WithoutMonitorTheFilesAreUsedAndTheProgramClosesAfterAnApply) {
    EXPECT_EQ(Start(), StartupSource::Files);
    EXPECT_EQ(store.loads, 1);
    EXPECT_EQ(ArrayText(Profile(*applied, 0).ProFileName), u"from files");
    Profile(*working, 3).iRGBBlue = 77;
    working->iProfileImported[3] = 1;
    window.StartApply(kApplyChanges);
    EXPECT_TRUE(PumpUntil([&] { return window.closeTimersFired == 1; }, 10000));
    EXPECT_EQ(window.closeTimersArmed, 1);
    EXPECT_EQ(window.captures, 0);
    EXPECT_EQ(store.saves, 1);
    EXPECT_EQ(store.macroSaves, 1);
    EXPECT_EQ(Profile(*store.files, 3).iRGBBlue, 77);
    EXPECT_EQ(working->iProfileImported[3], 0);
}

TEST_F(MonitorLinkWin, WithoutSectionTheMonitorStillGetsTheCommand) {
    ASSERT_TRUE(monitor.Start(L"--no-section"));
    EXPECT_EQ(Start(), StartupSource::Files);
    EXPECT_EQ(window.mapFailures, 0);
    window.StartApply(kApplyChanges);
    ASSERT_TRUE(PumpUntil([&] { return window.waitingClosed == 1; })) << monitor.Dump();
    EXPECT_GE(monitor.Find({"event=command code=MONITOR_APPLY wparam=0 lparam=0 section=absent"}), 0);
    EXPECT_EQ(store.saves, 1);
}

TEST_F(MonitorLinkWin, ASectionTooSmallForTheBlockIsNeverMapped) {
    win::UniqueKernelHandle mutex(CreateMutexW(nullptr, FALSE, Wide(kMonitorMutexName)));
    win::UniqueKernelHandle section(
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, Wide(kMonitorSectionName)));
    ASSERT_TRUE(mutex && section);
    EXPECT_EQ(Start(), StartupSource::Files);
    EXPECT_EQ(window.mapFailures, 1);
    EXPECT_FALSE(port.HasSectionView());
}

TEST_F(MonitorLinkWin, AnApplyTakesOverAMutexAbandonedByTheMonitor) {
    ASSERT_TRUE(monitor.Start());
    ASSERT_EQ(Start(), StartupSource::Section);
    monitor.Control(substitute::kAbandonMutex);
    ASSERT_TRUE(monitor.WaitForLine("event=mutex-abandoned result=ok")) << monitor.Dump();
    CopyToArray(Profile(*working, 2).ProFileName, u"after the crash");
    window.StartApply(kApplyChanges);
    ASSERT_TRUE(PumpUntil([&] { return window.waitingClosed == 1; })) << monitor.Dump();
    // The monitor finds the mutex free again (lock=ok, not abandoned) and the new block.
    EXPECT_GE(monitor.Find({"event=command code=MONITOR_APPLY wparam=0 ", "lock=ok", "names=\"#1|#2|after the crash|#4\""}), 0)
        << monitor.Dump();
}

TEST_F(MonitorLinkWin, AMonitorThatDiedHoldingTheMutexLeavesTheFilesInCharge) {
    ASSERT_TRUE(monitor.Start(L"--seed-name Torn"));
    ASSERT_EQ(port.OpenSharedSection(), SectionState::Mapped);  // our handles keep the objects alive
    monitor.Control(substitute::kDieHoldingMutex);
    ASSERT_TRUE(monitor.WaitForExit());
    EXPECT_EQ(Start(), StartupSource::FilesAbandoned);
    EXPECT_EQ(store.loads, 1);
    EXPECT_EQ(ArrayText(Profile(*applied, 0).ProFileName), u"from files");
    // Released again: nothing waits for it forever.
    EXPECT_EQ(port.WaitForMutex(), MutexWait::Acquired);
    port.ReleaseMutex();
}

TEST_F(MonitorLinkWin, AnApplyWaitsForAMonitorHoldingTheMutex) {
    ASSERT_TRUE(monitor.Start());
    ASSERT_EQ(Start(), StartupSource::Section);
    monitor.Control(substitute::kHoldMutex, 1500);
    ASSERT_TRUE(monitor.WaitForLine("event=mutex-held result=ok ms=1500"));
    Profile(*working, 0).iResponTime = 1;
    window.StartApply(kApplyChanges);
    ASSERT_TRUE(PumpUntil([&] { return window.waitingClosed == 1; })) << monitor.Dump();
    int released = monitor.Find({"event=mutex-released changed_while_held=0"});
    ASSERT_GE(released, 0) << monitor.Dump();
    EXPECT_GT(monitor.Find({"event=command code=MONITOR_APPLY wparam=0 ", "flags=\"iPerformanceChanged=0\""}), released)
        << monitor.Dump();
}

TEST_F(MonitorLinkWin, AnApplyThatIsNeverAnsweredKeepsTheWaitingDialog) {
    ASSERT_TRUE(monitor.Start(L"--never-answer"));
    ASSERT_EQ(Start(), StartupSource::Section);
    window.StartApply(kApplyChanges);
    ASSERT_TRUE(monitor.WaitForLine("event=answer-withheld pending=1")) << monitor.Dump();
    ASSERT_TRUE(window.Drain());
    EXPECT_EQ(window.waitingClosed, 0);
    // Answering again releases the waiting program.
    monitor.Control(substitute::kSetNeverAnswer, 0);
    EXPECT_TRUE(PumpUntil([&] { return window.waitingClosed == 1; })) << monitor.Dump();
}

TEST_F(MonitorLinkWin, AMonitorThatDiesBeforeAnsweringLetsTheProgramClose) {
    ASSERT_TRUE(monitor.Start(L"--apply-delay 600000"));
    ASSERT_EQ(Start(), StartupSource::Section);
    window.StartApply(kApplyChanges);
    ASSERT_TRUE(monitor.WaitForLine("event=command code=MONITOR_APPLY wparam=0 ")) << monitor.Dump();
    ASSERT_TRUE(window.Drain());
    EXPECT_EQ(window.closeTimersArmed, 0);
    EXPECT_TRUE(link.AwaitingAnswer());
    monitor.Control(substitute::kDieHoldingMutex);
    ASSERT_TRUE(monitor.WaitForExit());
    // Nobody will answer: the close timer of an apply without monitor takes over.
    ASSERT_TRUE(PumpUntil([&] { return window.closeTimersFired == 1; })) << monitor.Dump();
    EXPECT_EQ(window.closeTimersArmed, 1);
    EXPECT_EQ(window.waitingClosed, 0);
    EXPECT_FALSE(link.AwaitingAnswer());
}

}  // namespace
}  // namespace tavrel
