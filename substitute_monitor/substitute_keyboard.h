// The portable core of the substitute monitor (Pondrel.exe): what the simulated
// keyboard holds, how a block taken from the section changes it, the texts its window
// shows and the lines its log receives. The Win32 program in substitute_monitor/ only
// moves messages, the mutex and the section in and out of these functions.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/records.h"
#include "skin/lang_table.h"

namespace tavrel::substitute {

// Private message to a running substitute (from its own buttons' handlers, a second
// instance started with control options, or a test): wParam = ControlAction,
// lParam = its argument.
inline constexpr unsigned kWmSubstituteControl = 0x8000 + 0x177;  // WM_APP + 0x177

enum ControlAction : uint32_t {
    kReportProfile = 1,    // lParam = index to report, or kNext for the keyboard's next profile
    kReportEffect = 2,     // lParam = effect code, or kNext for the next of 1..4
    kSetPlugged = 3,       // lParam 0 = unplugged, 1 = plugged in
    kSetNeverAnswer = 4,   // lParam 1 = applies are never answered
    kHoldMutex = 5,        // lParam = milliseconds to hold the mutex
    kDieHoldingMutex = 6,  // the process ends while it holds the mutex
    kAbandonMutex = 7,     // a worker thread ends while it holds the mutex; the window lives on
    kSetApplyDelay = 8,    // lParam = milliseconds before MONITOR_APPLY_DONE
    kQuit = 9,
    kReleaseMutex = 10,    // ends a hold of the mutex before its time
};
inline constexpr int64_t kNext = -1;

inline constexpr int kDefaultApplyDelayMs = 300;
inline constexpr int kDefaultHoldMutexMs = 10000;
// Environment variable naming the log file when the command line does not.
inline constexpr char16_t kLogEnvironmentVariable[] = u"PONDREL_LOG";

struct ControlRequest {
    ControlAction action;
    int64_t argument = 0;
};

struct Options {
    std::u16string logPath;
    int applyDelayMs = kDefaultApplyDelayMs;
    bool unplugged = false;
    bool neverAnswer = false;
    bool noSection = false;             // no mutex and no section: a monitor without its link
    std::optional<int> seedProfile;     // CurrentProfile of the initial block
    bool seedFlags = false;             // every flag of MarkAllChanged raised in the initial block
    std::u16string seedName;            // ProFileName of profile 0 in the initial block
    std::vector<ControlRequest> requests;  // carried out once the window exists
};

// Parses the command line (without the program name). Returns nothing and sets error
// on an unknown option or a bad number.
std::optional<Options> ParseOptions(const std::vector<std::u16string>& args, std::string& error);
std::string UsageText();

// The change flags raised in a block, by field name: "none" when none is raised,
// otherwise space-separated items such as "iProfileChanged iLightChanged=0,2
// iMacroKeyChanged=0.3,1.5".
std::string SummarizeFlags(const SharedConfig& block);

// Bytes that differ between two blocks, and the fields they lie in (at most
// maxFields names, then "+N").
struct BlockChange {
    size_t bytes = 0;
    std::vector<std::string> fields;
};
BlockChange CompareBlocks(const SharedConfig& before, const SharedConfig& after, size_t maxFields = 12);
std::string JoinFields(const std::vector<std::string>& fields);

// Text of one programmable key slot as a user names it, e.g. "Ctrl+1",
// "macro \"Combo\" (4 events)"; a key without a name shows its usage, "key E8".
std::string DescribeSlot(const MacroKeyInfo& slot);

// The lighting of the four profiles as the lighting page names it, beside the
// numbers: "Wave (5), speed 3 (1), colour FF0000|Static (2), colour FF0000|...".
std::string LightingOfProfiles(const SharedConfig& block, const LangTable& lightStrings);

// The stored fields of a key slot as the substitute logs a changed one, so a test can
// compare them with the files: type, flags, action, code (hex), name, event count
// (bounded to 50), repeat and the used events as they are stored, 8 hex digits each.
std::vector<std::pair<std::string, std::string>> SlotFields(const MacroKeyInfo& slot);

// What the simulated keyboard holds and how it was last told.
class Keyboard {
public:
    Keyboard();

    // The initial block the substitute puts into its section.
    static void MakeInitialBlock(SharedConfig& block, const Options& options);

    // A block taken from the section for MONITOR_APPLY or MONITOR_APPLY_RESET. Returns
    // what changed against the block held before.
    BlockChange Apply(const SharedConfig& block, uint64_t code);
    // MONITOR_SELECT_PROFILE; false (and nothing changes) outside 0..3.
    bool SelectProfile(int64_t index);
    void NoteCommand(std::string command, std::string flags);

    int ActiveProfile() const { return activeProfile_; }
    // The keyboard's own profile key: the next of the four profiles.
    int NextProfile() const { return (activeProfile_ + 1) % kProfileCount; }
    // The keyboard's own effect key: the code (1..4) following the active profile's effect.
    int NextEffectCode() const;
    const SharedConfig& Held() const { return *held_; }
    void Hold(const SharedConfig& block) { *held_ = block; }

    // The lighting page's strings (1100..1113 of the language library), for names.
    LangTable lightStrings;
    bool plugged = true;
    bool neverAnswer = false;
    int applyDelayMs = kDefaultApplyDelayMs;
    int appliesAnswered = 0;

    // The window's lines, top to bottom, and the swatch colour of the active profile.
    std::vector<std::string> ViewLines() const;
    std::array<int, 3> SwatchColour() const;
    int RemappedKeys() const;

private:
    std::unique_ptr<SharedConfig> held_;
    int activeProfile_ = 0;
    std::string lastCommand_ = "none";
    std::string lastFlags_ = "none";
};

// Names of the monitor commands as the log writes them.
std::string RequestName(uint64_t code);
std::string ReportName(int64_t code);

// One log line: "event=<event>" followed by the given "key=value" items, no newline.
std::string LogLine(const std::string& event, const std::vector<std::pair<std::string, std::string>>& items);
// A value in double quotes with backslash and quote escaped.
std::string Quoted(const std::string& text);

}  // namespace tavrel::substitute
