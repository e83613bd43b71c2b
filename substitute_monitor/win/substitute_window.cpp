#include "substitute_monitor/win/substitute_window.h"

#include <memory>

#include "config/shared_config.h"
#include "config/text.h"
#include "monitor/monitor_protocol.h"
#include "lighting/light_tables.h"
#include "window/win/kernel_handles.h"
#include "monitor/win/monitor_win.h"
#include "skin/app_dir.h"
#include "skin/win/lang_library.h"

namespace tavrel::substitute {

namespace {

constexpr wchar_t kClassName[] = L"TavrelSubstituteMonitor";
constexpr UINT_PTR kAnswerTimer = 1;
constexpr UINT_PTR kReleaseTimer = 2;
constexpr int kLineHeight = 18;
constexpr int kMargin = 12;
constexpr int kSwatchLine = 3;

const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

std::wstring ToWide(const std::string& utf8) {
    std::u16string text = Utf8ToUtf16(utf8);
    return std::wstring(text.begin(), text.end());
}

HWND FindMainWindow() { return FindWindowW(nullptr, Wide(kMainWindowTitle)); }

std::string ProfileNames(const SharedConfig& block) {
    std::string names;
    for (int k = 0; k < kProfileCount; ++k) {
        if (k) names += '|';
        names += Utf16ToUtf8(ArrayText(Profile(block, k).ProFileName));
    }
    return Quoted(names);
}

struct AbandonRequest {
    HANDLE mutex;
    DWORD result;
};

DWORD WINAPI TakeMutexAndQuit(void* parameter) {
    auto* request = static_cast<AbandonRequest*>(parameter);
    request->result = WaitForSingleObject(request->mutex, 15000);
    return 0;  // ends still owning the mutex
}

}  // namespace

SubstituteWindow::SubstituteWindow(const Options& options, EventLog& log, SectionHost& section)
    : log_(log), section_(section), heldSnapshot_(std::make_unique<SharedConfig>()) {
    keyboard_.plugged = !options.unplugged;
    keyboard_.neverAnswer = options.neverAnswer;
    keyboard_.applyDelayMs = options.applyDelayMs;
    // Effect names as the lighting page shows them, from the language library beside us.
    const std::wstring self = tavrel::win::OwnExecutablePath();
    SetAppDir(std::u16string(reinterpret_cast<const char16_t*>(self.c_str()), self.size()));
    LoadLangTable(keyboard_.lightStrings, kLightLangFirst, kLightLangLast);

    auto initial = std::make_unique<SharedConfig>();
    Keyboard::MakeInitialBlock(*initial, options);
    if (section_.Exists()) {
        std::string lock = section_.Lock(kLockTimeoutMs);
        if (lock == "ok" || lock == "abandoned") {
            if (section_.Joined()) {
                // A program still holds the section of an earlier monitor: keep its block.
                section_.Read(*initial);
                section_.WritePlugIn(keyboard_.plugged ? 1 : 0);
                initial->KeyboardPlugIn = keyboard_.plugged ? 1 : 0;
            } else {
                section_.Write(*initial);
            }
            section_.Unlock();
        }
    }
    keyboard_.Hold(*initial);
    if (initial->CurrentProfile >= 0 && initial->CurrentProfile < kProfileCount) {
        keyboard_.SelectProfile(initial->CurrentProfile);
    }
}

bool SubstituteWindow::Create(HINSTANCE instance, int show) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);
    hwnd_ = CreateWindowExW(0, kClassName, Wide(kMonitorWindowTitle), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU |
                            WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT, 560, 520, nullptr, nullptr, instance, this);
    if (!hwnd_) return false;
    ShowWindow(hwnd_, show);
    UpdateWindow(hwnd_);
    std::string sectionState = section_.Exists() ? (section_.Joined() ? "joined" : "created") : "absent";
    Log("ready", {{"pid", std::to_string(GetCurrentProcessId())},
                  {"section", sectionState},
                  {"plug", keyboard_.plugged ? "1" : "0"},
                  {"delay", std::to_string(keyboard_.applyDelayMs)},
                  {"never_answer", keyboard_.neverAnswer ? "1" : "0"}});
    return true;
}

LRESULT CALLBACK SubstituteWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<SubstituteWindow*>(create->lpCreateParams)->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<SubstituteWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        // Nothing may cross the window procedure; a failed event is simply not logged.
        return 0;
    }
}

LRESULT SubstituteWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_COMMAND:
        if (lParam) OnButton(reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_DESTROY:
        if (holdingMutex_) ReleaseHeldMutex();
        Log("exit");
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    if (message == kWmMonitorCommand) {
        OnMonitorCommand(wParam, lParam);
        return 0;
    }
    if (message == kWmSubstituteControl) {
        OnControl(static_cast<ControlAction>(wParam), static_cast<int64_t>(lParam));
        return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

// ---- window contents

void SubstituteWindow::OnCreate() {
    auto* instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    int top = kMargin + 16 * kLineHeight + 8;
    auto button = [&](int column, int row) {
        HWND b = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, kMargin + column * 265,
                                 top + row * 34, 255, 28, hwnd_, nullptr, instance, nullptr);
        SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return b;
    };
    btnProfile_ = button(0, 0);
    btnEffect_ = button(1, 0);
    btnPlug_ = button(0, 1);
    btnNeverAnswer_ = button(1, 1);
    btnHold_ = button(0, 2);
    btnDie_ = button(1, 2);
    btnAbandon_ = button(0, 3);
    SetWindowTextW(btnProfile_, L"Profile key (report profile switch)");
    SetWindowTextW(btnEffect_, L"Effect key (report effect switch)");
    SetWindowTextW(btnHold_, L"Hold the mutex for 10 s");
    SetWindowTextW(btnDie_, L"Die while holding the mutex");
    SetWindowTextW(btnAbandon_, L"Abandon the mutex (thread dies)");
    UpdateButtonTexts();
}

void SubstituteWindow::UpdateButtonTexts() {
    SetWindowTextW(btnPlug_, keyboard_.plugged ? L"Unplug the keyboard" : L"Plug the keyboard in");
    SetWindowTextW(btnNeverAnswer_, keyboard_.neverAnswer ? L"Answer applies again" : L"Never answer applies");
}

void SubstituteWindow::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    std::vector<std::string> lines = keyboard_.ViewLines();
    lines.push_back(std::string("Link: ") +
                    (section_.Exists() ? (section_.Joined() ? "section joined" : "section created") : "no section") +
                    (holdingMutex_ ? ", mutex HELD by the monitor (fault)" : ", mutex free"));
    for (size_t i = 0; i < lines.size(); ++i) {
        std::wstring text = ToWide(lines[i]);
        TextOutW(dc, kMargin, kMargin + static_cast<int>(i) * kLineHeight, text.c_str(), static_cast<int>(text.size()));
    }
    auto rgb = keyboard_.SwatchColour();
    HBRUSH swatch = CreateSolidBrush(RGB(rgb[0], rgb[1], rgb[2]));
    RECT box{260, kMargin + kSwatchLine * kLineHeight, 330, kMargin + (kSwatchLine + 1) * kLineHeight - 2};
    FillRect(dc, &box, swatch);
    FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DeleteObject(swatch);
    SelectObject(dc, oldFont);
    EndPaint(hwnd_, &ps);
}

void SubstituteWindow::Redraw() {
    RECT text{0, 0, 560, kMargin + 16 * kLineHeight};
    InvalidateRect(hwnd_, &text, TRUE);
    UpdateButtonTexts();
}

void SubstituteWindow::Log(const std::string& event, const LogItems& items) {
    log_.Append(LogLine(event, items));
}

// ---- commands from the program

void SubstituteWindow::OnMonitorCommand(WPARAM wParam, LPARAM lParam) {
    // One line per command: what arrived, and for an apply what the block carried.
    LogItems items{{"code", RequestName(wParam)},
                   {"wparam", std::to_string(wParam)},
                   {"lparam", std::to_string(static_cast<int64_t>(lParam))}};
    switch (wParam) {
    case MONITOR_APPLY:
    case MONITOR_APPLY_RESET: {
        std::vector<LogItems> slots;
        TakeApply(wParam, items, slots);
        Log("command", items);
        for (const LogItems& slot : slots) Log("slot", slot);
        ScheduleAnswer();
        break;
    }
    case MONITOR_SELECT_PROFILE: {
        bool ok = keyboard_.SelectProfile(static_cast<int64_t>(lParam));
        keyboard_.NoteCommand("MONITOR_SELECT_PROFILE " + std::to_string(static_cast<int64_t>(lParam)), "none");
        items.push_back({"profile", std::to_string(static_cast<int64_t>(lParam))});
        items.push_back({"result", ok ? "ok" : "ignored"});
        items.push_back({"active", std::to_string(keyboard_.ActiveProfile())});
        Log("command", items);
        break;
    }
    default:
        Log("command", items);
        break;
    }
    Redraw();
}

void SubstituteWindow::TakeApply(uint64_t code, LogItems& items, std::vector<LogItems>& slots) {
    if (!section_.Exists()) {
        keyboard_.NoteCommand(RequestName(code), "(no section)");
        items.push_back({"section", "absent"});
        return;
    }
    std::string lock = section_.Lock(kLockTimeoutMs);
    items.push_back({"lock", lock});
    if (lock != "ok" && lock != "abandoned") return;
    auto block = std::make_unique<SharedConfig>();
    section_.Read(*block);
    section_.Unlock();
    BlockChange change = keyboard_.Apply(*block, code);
    int current = block->CurrentProfile;
    std::string currentName = current >= 0 && current < kProfileCount
                                  ? Utf16ToUtf8(ArrayText(Profile(*block, current).ProFileName))
                                  : std::string();
    items.push_back({"current", std::to_string(current)});
    items.push_back({"active", std::to_string(keyboard_.ActiveProfile())});
    items.push_back({"flags", Quoted(SummarizeFlags(*block))});
    items.push_back({"bytes", std::to_string(change.bytes)});
    items.push_back({"fields", JoinFields(change.fields)});
    items.push_back({"name", Quoted(currentName)});
    if (current >= 0 && current < kProfileCount) {
        items.push_back({"game", Quoted(Utf16ToUtf8(ArrayText(Profile(*block, current).GameFile)))});
    }
    items.push_back({"names", ProfileNames(*block)});
    items.push_back({"plug", std::to_string(block->KeyboardPlugIn)});
    items.push_back({"lighting", Quoted(LightingOfProfiles(*block, keyboard_.lightStrings))});
    for (int k = 0; k < kProfileCount; ++k) {
        for (int s = 0; s < kMacroSlotsPerProfile; ++s) {
            if (block->iMacroKeyChanged[k][s] == 0) continue;
            LogItems slot{{"profile", std::to_string(k)}, {"slot", std::to_string(s)}};
            for (auto& field : SlotFields(Profile(*block, k).MacroKeyInfo[s])) slot.push_back(std::move(field));
            slots.push_back(std::move(slot));
        }
    }
}

void SubstituteWindow::ScheduleAnswer() {
    ++pendingAnswers_;
    if (keyboard_.neverAnswer) {
        Log("answer-withheld", {{"pending", std::to_string(pendingAnswers_)}});
    } else {
        SetTimer(hwnd_, kAnswerTimer, static_cast<UINT>(keyboard_.applyDelayMs), nullptr);
    }
}

void SubstituteWindow::AnswerPendingApplies() {
    KillTimer(hwnd_, kAnswerTimer);
    HWND main = FindMainWindow();
    for (; pendingAnswers_ > 0; --pendingAnswers_) {
        ++keyboard_.appliesAnswered;
        // Logged before it is posted: whoever sees the answer's effect finds its line.
        Log("answer", {{"code", "MONITOR_APPLY_DONE"}, {"target", main ? "found" : "absent"}});
        if (main) PostMessageW(main, kWmMonitorCommand, 0, MONITOR_APPLY_DONE);
    }
    Redraw();
}

void SubstituteWindow::OnTimer(UINT_PTR id) {
    if (id == kAnswerTimer) AnswerPendingApplies();
    if (id == kReleaseTimer) {
        ReleaseHeldMutex();
        Redraw();
    }
}

// ---- the keyboard's own keys and the faults

void SubstituteWindow::OnButton(HWND button) {
    if (button == btnProfile_) OnControl(kReportProfile, kNext);
    else if (button == btnEffect_) OnControl(kReportEffect, kNext);
    else if (button == btnPlug_) OnControl(kSetPlugged, keyboard_.plugged ? 0 : 1);
    else if (button == btnNeverAnswer_) OnControl(kSetNeverAnswer, keyboard_.neverAnswer ? 0 : 1);
    else if (button == btnHold_) OnControl(kHoldMutex, kDefaultHoldMutexMs);
    else if (button == btnDie_) OnControl(kDieHoldingMutex, 0);
    else if (button == btnAbandon_) OnControl(kAbandonMutex, 0);
}

void SubstituteWindow::OnControl(ControlAction action, int64_t argument) {
    switch (action) {
    case kReportProfile: ReportProfile(argument); break;
    case kReportEffect: ReportEffect(argument); break;
    case kSetPlugged: SetPlugged(argument != 0); break;
    case kSetNeverAnswer:
        keyboard_.neverAnswer = argument != 0;
        Log("never-answer", {{"value", keyboard_.neverAnswer ? "1" : "0"}});
        // Answering again releases whoever is still waiting.
        if (!keyboard_.neverAnswer && pendingAnswers_ > 0) {
            SetTimer(hwnd_, kAnswerTimer, static_cast<UINT>(keyboard_.applyDelayMs), nullptr);
        }
        break;
    case kHoldMutex: HoldMutex(static_cast<int>(argument)); break;
    case kDieHoldingMutex: DieHoldingMutex(); break;
    case kAbandonMutex: AbandonMutex(); break;
    case kSetApplyDelay:
        if (argument >= 0 && argument <= 3600000) keyboard_.applyDelayMs = static_cast<int>(argument);
        Log("apply-delay", {{"ms", std::to_string(keyboard_.applyDelayMs)}});
        break;
    case kReleaseMutex: ReleaseHeldMutex(); break;
    case kQuit: DestroyWindow(hwnd_); return;
    default: Log("control", {{"unknown", std::to_string(action)}}); break;
    }
    Redraw();
}

void SubstituteWindow::ReportProfile(int64_t index) {
    if (index == kNext) index = keyboard_.NextProfile();
    keyboard_.SelectProfile(index);
    PostReport(MONITOR_PROFILE_CHANGED, index);
}

void SubstituteWindow::ReportEffect(int64_t code) {
    if (code == kNext) code = keyboard_.NextEffectCode();
    auto block = std::make_unique<SharedConfig>(keyboard_.Held());
    Profile(*block, keyboard_.ActiveProfile()).LtEffectType = EffectForMonitorCode(static_cast<uint64_t>(code));
    keyboard_.Hold(*block);
    PostReport(MONITOR_EFFECT_CHANGED, code);
}

void SubstituteWindow::PostReport(int64_t code, int64_t wParam) {
    HWND main = FindMainWindow();
    // Logged before it is posted, so whoever sees its effect finds its line.
    Log("report", {{"code", ReportName(code)}, {"wparam", std::to_string(wParam)}, {"target", main ? "found" : "absent"}});
    if (main) PostMessageW(main, kWmMonitorCommand, static_cast<WPARAM>(wParam), static_cast<LPARAM>(code));
}

void SubstituteWindow::SetPlugged(bool plugged) {
    keyboard_.plugged = plugged;
    std::string lock = "none";
    if (section_.Exists()) {
        lock = section_.Lock(kLockTimeoutMs);
        if (lock == "ok" || lock == "abandoned") {
            section_.WritePlugIn(plugged ? 1 : 0);
            section_.Unlock();
        }
    }
    Log("plug", {{"value", plugged ? "1" : "0"}, {"lock", lock}});
}

void SubstituteWindow::HoldMutex(int milliseconds) {
    if (holdingMutex_) {
        Log("mutex-held", {{"result", "already"}});
        return;
    }
    std::string lock = section_.Lock(kLockTimeoutMs);
    if (lock != "ok" && lock != "abandoned") {
        Log("mutex-held", {{"result", lock}});
        return;
    }
    section_.Read(*heldSnapshot_);
    holdingMutex_ = true;
    SetTimer(hwnd_, kReleaseTimer, static_cast<UINT>(milliseconds), nullptr);
    Log("mutex-held", {{"result", lock}, {"ms", std::to_string(milliseconds)}});
}

void SubstituteWindow::ReleaseHeldMutex() {
    KillTimer(hwnd_, kReleaseTimer);
    if (!holdingMutex_) return;
    // Nobody may have written the block while we held the mutex.
    auto now = std::make_unique<SharedConfig>();
    section_.Read(*now);
    size_t changed = CompareBlocks(*heldSnapshot_, *now).bytes;
    holdingMutex_ = false;
    section_.Unlock();
    Log("mutex-released", {{"changed_while_held", std::to_string(changed)}});
}

void SubstituteWindow::DieHoldingMutex() {
    std::string lock = section_.Lock(kLockTimeoutMs);
    Log("die-holding-mutex", {{"lock", lock}});
    ExitProcess(3);
}

void SubstituteWindow::AbandonMutex() {
    if (!section_.Mutex() || holdingMutex_) {
        // The worker could not take a mutex this thread already holds.
        Log("mutex-abandoned", {{"result", holdingMutex_ ? "busy" : "no-mutex"}});
        return;
    }
    AbandonRequest request{section_.Mutex(), WAIT_FAILED};
    win::UniqueKernelHandle thread(CreateThread(nullptr, 0, TakeMutexAndQuit, &request, 0, nullptr));
    if (!thread || WaitForSingleObject(thread.Get(), 20000) != WAIT_OBJECT_0) {
        Log("mutex-abandoned", {{"result", "thread-failed"}});
        return;
    }
    Log("mutex-abandoned", {{"result", request.result == WAIT_OBJECT_0 ? "ok" : "not-taken"}});
}

}  // namespace tavrel::substitute
