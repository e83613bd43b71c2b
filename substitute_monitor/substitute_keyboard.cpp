#include "substitute_monitor/substitute_keyboard.h"

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "config/shared_config.h"
#include "config/text.h"
#include "keys/fixed_keyboard_layouts.h"
#include "keys/key_actions.h"
#include "keys/key_codes.h"
#include "lighting/light_tables.h"
#include "monitor/monitor_protocol.h"

namespace tavrel::substitute {

// ---- command line

namespace {

std::optional<int64_t> ParseNumber(const std::u16string& text) {
    if (text.empty() || text.size() > 12) return std::nullopt;
    size_t i = 0;
    bool negative = false;
    if (text[0] == u'-') {
        negative = true;
        i = 1;
        if (text.size() == 1) return std::nullopt;
    }
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9') return std::nullopt;
        value = value * 10 + (text[i] - u'0');
    }
    return negative ? -value : value;
}

}  // namespace

std::string UsageText() {
    return "Pondrel.exe [options]\n"
           "  --log PATH            append one line per event to PATH (else %PONDREL_LOG%)\n"
           "  --apply-delay MS      answer each apply after MS milliseconds (default 300)\n"
           "  --unplugged           start with KeyboardPlugIn 0\n"
           "  --never-answer        never answer an apply\n"
           "  --no-section          create neither the mutex nor the section\n"
           "  --seed-profile N      CurrentProfile of the initial block\n"
           "  --seed-flags          raise every flag of a reset in the initial block\n"
           "  --seed-name TEXT      name of profile 1 in the initial block\n"
           "Reports and faults (sent to the running monitor when there is one):\n"
           "  --report-profile N|next   --report-effect CODE|next\n"
           "  --plug   --unplug   --hold-mutex MS   --release-mutex   --die-holding-mutex   --abandon-mutex\n"
           "  --answer-again (the withheld applies, then every one)   --quit\n";
}

std::optional<Options> ParseOptions(const std::vector<std::u16string>& args, std::string& error) {
    Options options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::u16string& arg = args[i];
        auto value = [&]() -> std::optional<std::u16string> {
            if (i + 1 >= args.size()) {
                error = "missing value after " + Utf16ToUtf8(arg);
                return std::nullopt;
            }
            return args[++i];
        };
        auto number = [&](bool allowNext) -> std::optional<int64_t> {
            auto text = value();
            if (!text) return std::nullopt;
            if (allowNext && *text == u"next") return kNext;
            auto n = ParseNumber(*text);
            if (!n) error = "not a number after " + Utf16ToUtf8(arg) + ": " + Utf16ToUtf8(*text);
            return n;
        };
        auto duration = [&]() -> std::optional<int> {
            auto n = number(false);
            if (!n) return std::nullopt;
            if (*n < 0 || *n > 3600000) {
                error = "milliseconds out of range after " + Utf16ToUtf8(arg);
                return std::nullopt;
            }
            return static_cast<int>(*n);
        };

        if (arg == u"--log") {
            auto v = value();
            if (!v) return std::nullopt;
            options.logPath = *v;
        } else if (arg == u"--apply-delay") {
            auto n = duration();
            if (!n) return std::nullopt;
            options.applyDelayMs = *n;
        } else if (arg == u"--unplugged") {
            options.unplugged = true;
        } else if (arg == u"--never-answer") {
            options.neverAnswer = true;
        } else if (arg == u"--no-section") {
            options.noSection = true;
        } else if (arg == u"--seed-profile") {
            auto n = number(false);
            if (!n) return std::nullopt;
            options.seedProfile = static_cast<int>(*n);
        } else if (arg == u"--seed-flags") {
            options.seedFlags = true;
        } else if (arg == u"--seed-name") {
            auto v = value();
            if (!v) return std::nullopt;
            options.seedName = *v;
        } else if (arg == u"--report-profile") {
            auto n = number(true);
            if (!n) return std::nullopt;
            options.requests.push_back({kReportProfile, *n});
        } else if (arg == u"--report-effect") {
            auto n = number(true);
            if (!n) return std::nullopt;
            options.requests.push_back({kReportEffect, *n});
        } else if (arg == u"--plug") {
            options.requests.push_back({kSetPlugged, 1});
        } else if (arg == u"--unplug") {
            options.requests.push_back({kSetPlugged, 0});
        } else if (arg == u"--hold-mutex") {
            auto n = duration();
            if (!n) return std::nullopt;
            options.requests.push_back({kHoldMutex, *n});
        } else if (arg == u"--die-holding-mutex") {
            options.requests.push_back({kDieHoldingMutex, 0});
        } else if (arg == u"--abandon-mutex") {
            options.requests.push_back({kAbandonMutex, 0});
        } else if (arg == u"--answer-again") {
            options.requests.push_back({kSetNeverAnswer, 0});
        } else if (arg == u"--release-mutex") {
            options.requests.push_back({kReleaseMutex, 0});
        } else if (arg == u"--quit") {
            options.requests.push_back({kQuit, 0});
        } else {
            error = "unknown option: " + Utf16ToUtf8(arg);
            return std::nullopt;
        }
    }
    return options;
}

// ---- flags and block comparison

namespace {

void AppendList(std::string& out, const char* name, const int32_t* flags, int count) {
    std::string list;
    for (int i = 0; i < count; ++i) {
        if (flags[i] == 0) continue;
        if (!list.empty()) list += ',';
        list += std::to_string(i);
    }
    if (list.empty()) return;
    if (!out.empty()) out += ' ';
    out += name;
    out += '=';
    out += list;
}

void AppendSingle(std::string& out, const char* name, int32_t flag) {
    if (flag == 0) return;
    if (!out.empty()) out += ' ';
    out += name;
}

struct Region {
    size_t offset;
    size_t size;
    std::string name;
};

const std::vector<Region>& BlockRegions() {
    static const std::vector<Region> regions = [] {
        std::vector<Region> r;
        r.push_back({offsetof(SharedConfig, CurrentProfile), 4, "CurrentProfile"});
#define TAVREL_FIELD(f) {offsetof(ProfileRecord, f), sizeof(ProfileRecord::f), #f}
        const Region profileFields[] = {
            TAVREL_FIELD(ProFileName), TAVREL_FIELD(GameFile),     TAVREL_FIELD(MediaOption),
            TAVREL_FIELD(HDDKeyboard), TAVREL_FIELD(LtSwitch),     TAVREL_FIELD(iLtPulsation),
            TAVREL_FIELD(LtEffectType), TAVREL_FIELD(reserved0),   TAVREL_FIELD(LtFlag),
            TAVREL_FIELD(LtColor),     TAVREL_FIELD(LtControl),    TAVREL_FIELD(LtSaving),
            TAVREL_FIELD(LtTimeout),   TAVREL_FIELD(PollingRate),  TAVREL_FIELD(reserved1),
            TAVREL_FIELD(iRGBRed),     TAVREL_FIELD(iRGBGreen),    TAVREL_FIELD(iRGBBlue),
            TAVREL_FIELD(iCrlSliderPos), TAVREL_FIELD(iResponTime), TAVREL_FIELD(ModifyKey),
            TAVREL_FIELD(standardKey), TAVREL_FIELD(reserved2),    TAVREL_FIELD(GKey),
            TAVREL_FIELD(reserved3),   TAVREL_FIELD(apmLightInfo),
        };
#undef TAVREL_FIELD
        for (int k = 0; k < kProfileCount; ++k) {
            size_t base = offsetof(SharedConfig, profiles) + k * sizeof(ProfileRecord);
            std::string prefix = "profiles[" + std::to_string(k) + "].";
            for (const Region& f : profileFields) {
                r.push_back({base + f.offset, f.size, prefix + f.name});
            }
            for (int s = 0; s < kMacroSlotsPerProfile; ++s) {
                r.push_back({base + offsetof(ProfileRecord, MacroKeyInfo) + s * sizeof(MacroKeyInfo),
                             sizeof(MacroKeyInfo), prefix + "MacroKeyInfo[" + std::to_string(s) + "]"});
            }
        }
#define TAVREL_TAIL(f) r.push_back({offsetof(SharedConfig, f), sizeof(SharedConfig::f), #f})
        TAVREL_TAIL(iMacroKeyChanged);
        TAVREL_TAIL(iLightChanged);
        TAVREL_TAIL(iProfileChanged);
        TAVREL_TAIL(iStandardKeyChanged);
        TAVREL_TAIL(iModifyKeyChanged);
        TAVREL_TAIL(iProfileImported);
        TAVREL_TAIL(iHDDKeyboardChanged);
        TAVREL_TAIL(iProfileReset);
        TAVREL_TAIL(iPerformanceChanged);
        TAVREL_TAIL(KeyboardPlugIn);
#undef TAVREL_TAIL
        return r;
    }();
    return regions;
}

}  // namespace

std::string SummarizeFlags(const SharedConfig& block) {
    std::string out;
    AppendSingle(out, "iProfileChanged", block.iProfileChanged);
    AppendSingle(out, "iHDDKeyboardChanged", block.iHDDKeyboardChanged);
    AppendList(out, "iLightChanged", block.iLightChanged, kFlagSlots);
    AppendList(out, "iStandardKeyChanged", block.iStandardKeyChanged, kFlagSlots);
    AppendList(out, "iModifyKeyChanged", block.iModifyKeyChanged, kFlagSlots);
    AppendList(out, "iPerformanceChanged", block.iPerformanceChanged, kFlagSlots);
    AppendList(out, "iProfileReset", block.iProfileReset, kFlagSlots);
    AppendList(out, "iProfileImported", block.iProfileImported, kFlagSlots);
    std::string slots;
    for (int k = 0; k < kFlagSlots; ++k) {
        for (int s = 0; s < kMacroSlotsPerProfile; ++s) {
            if (block.iMacroKeyChanged[k][s] == 0) continue;
            if (!slots.empty()) slots += ',';
            slots += std::to_string(k) + '.' + std::to_string(s);
        }
    }
    if (!slots.empty()) {
        if (!out.empty()) out += ' ';
        out += "iMacroKeyChanged=" + slots;
    }
    return out.empty() ? "none" : out;
}

BlockChange CompareBlocks(const SharedConfig& before, const SharedConfig& after, size_t maxFields) {
    BlockChange change;
    const auto* a = reinterpret_cast<const uint8_t*>(&before);
    const auto* b = reinterpret_cast<const uint8_t*>(&after);
    size_t extra = 0;
    for (const Region& region : BlockRegions()) {
        size_t differing = 0;
        for (size_t i = region.offset; i < region.offset + region.size; ++i) differing += a[i] != b[i];
        if (differing == 0) continue;
        change.bytes += differing;
        if (change.fields.size() < maxFields) {
            change.fields.push_back(region.name);
        } else {
            ++extra;
        }
    }
    if (extra > 0) change.fields.push_back("+" + std::to_string(extra));
    return change;
}

std::string JoinFields(const std::vector<std::string>& fields) {
    if (fields.empty()) return "none";
    std::string out;
    for (const std::string& f : fields) {
        if (!out.empty()) out += ',';
        out += f;
    }
    return out;
}

// ---- slots

namespace {

std::string Hex2(unsigned value) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X", value & 0xFFFF);
    return buf;
}

std::string Modifiers(uint8_t flags) { return Utf16ToUtf8(ModifierPrefix(flags)); }

// The key's name on a US keyboard, as the key settings page names keys.
std::string KeyName(unsigned usage) {
    const std::u16string name = UsageName(usage, UsKeyboardLayout());
    return name.empty() ? "key " + Hex2(usage) : Utf16ToUtf8(name);
}

}  // namespace

std::string DescribeSlot(const MacroKeyInfo& slot) {
    switch (slot.byType) {
    case 0: return "none";
    case 2:
    case 9: return Modifiers(slot.byFlags) + KeyName(slot.wCode);
    case 10: return KeyName(slot.wCode);
    case 3: {
        unsigned events = slot.wEventCount > kMaxMacroEvents ? kMaxMacroEvents : slot.wEventCount;
        return "macro " + Quoted(Utf16ToUtf8(ArrayText(slot.szText))) + " (" + std::to_string(events) + " events)";
    }
    case 4: return "shortcut " + std::to_string(slot.byFlags);
    case 6: return "function " + Hex2(slot.wCode);
    case 7: return "mouse button " + std::to_string(slot.byFlags);
    case 11: return "run " + Quoted(Utf16ToUtf8(ArrayText(slot.szPath)));
    default: return "kind " + std::to_string(slot.byType);
    }
}

std::vector<std::pair<std::string, std::string>> SlotFields(const MacroKeyInfo& slot) {
    const unsigned count = slot.wEventCount > kMaxMacroEvents ? kMaxMacroEvents : slot.wEventCount;
    std::string events;
    const auto* bytes = reinterpret_cast<const uint8_t*>(slot.Events);
    for (size_t b = 0; b < count * sizeof(MacroEvent); ++b) events += Hex2(bytes[b]);
    return {{"type", std::to_string(slot.byType)},
            {"flags", std::to_string(slot.byFlags)},
            {"action", std::to_string(slot.byAction)},
            {"code", Hex2(slot.wCode)},
            {"name", Quoted(Utf16ToUtf8(ArrayText(slot.szText)))},
            {"count", std::to_string(count)},
            {"repeat", std::to_string(slot.iRepeat)},
            {"events", events}};
}

// ---- the keyboard

Keyboard::Keyboard() : held_(std::make_unique<SharedConfig>()) {
    MakeInitialBlock(*held_, Options{});
}

void Keyboard::MakeInitialBlock(SharedConfig& block, const Options& options) {
    std::memset(&block, 0, sizeof block);
    ResetConfig(block);
    SetDefaultProfiles(block);
    if (options.seedProfile) block.CurrentProfile = *options.seedProfile;
    if (options.seedFlags) MarkAllChanged(block);
    if (!options.seedName.empty()) CopyToArray(Profile(block, 0).ProFileName, options.seedName);
    block.KeyboardPlugIn = options.unplugged ? 0 : 1;
}

BlockChange Keyboard::Apply(const SharedConfig& block, uint64_t code) {
    BlockChange change = CompareBlocks(*held_, block);
    *held_ = block;
    // A profile index from the program that the keyboard cannot have leaves the keyboard
    // on its active profile.
    if (block.CurrentProfile >= 0 && block.CurrentProfile < kProfileCount) activeProfile_ = block.CurrentProfile;
    NoteCommand(RequestName(code), SummarizeFlags(block));
    return change;
}

bool Keyboard::SelectProfile(int64_t index) {
    if (index < 0 || index >= kProfileCount) return false;
    activeProfile_ = static_cast<int>(index);
    return true;
}

void Keyboard::NoteCommand(std::string command, std::string flags) {
    lastCommand_ = std::move(command);
    lastFlags_ = std::move(flags);
}

int Keyboard::NextEffectCode() const {
    // Effect codes 1..4 stand for effects 2, 5, 3, 4: step to the code after the
    // active effect's own.
    int effect = Profile(*held_, activeProfile_).LtEffectType;
    int code = 0;
    for (int c = 1; c <= 4; ++c) {
        if (EffectForMonitorCode(static_cast<uint64_t>(c)) == effect) code = c;
    }
    return code % 4 + 1;
}

int Keyboard::RemappedKeys() const {
    const ProfileRecord& p = Profile(*held_, activeProfile_);
    int count = 0;
    for (int i = 0; i < kKeyPositions; ++i) count += p.standardKey[i] != DefaultStandardKey[i];
    return count;
}

std::array<int, 3> Keyboard::SwatchColour() const {
    const ProfileRecord& p = Profile(*held_, activeProfile_);
    auto clamp = [](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
    return {clamp(p.iRGBRed), clamp(p.iRGBGreen), clamp(p.iRGBBlue)};
}

std::vector<std::string> Keyboard::ViewLines() const {
    const ProfileRecord& p = Profile(*held_, activeProfile_);
    std::vector<std::string> lines;
    lines.push_back(std::string("Keyboard: ") + (plugged ? "plugged in" : "UNPLUGGED"));
    lines.push_back("Active profile: " + std::to_string(activeProfile_ + 1) + "  " +
                    Quoted(Utf16ToUtf8(ArrayText(p.ProFileName))));
    const std::u16string effect = EffectName(p.LtEffectType, lightStrings);
    const std::u16string speed = SpeedCaption(p.iLtPulsation);
    lines.push_back("Effect: " + (effect.empty() ? std::string() : Utf16ToUtf8(effect) + " ") + "(" +
                    std::to_string(p.LtEffectType) + ")   Speed: " + (speed == u" " ? std::string() : Utf16ToUtf8(speed) + " ") +
                    "(" + std::to_string(p.iLtPulsation) + ")");
    auto rgb = SwatchColour();
    lines.push_back("Colour: " + std::to_string(rgb[0]) + ", " + std::to_string(rgb[1]) + ", " +
                    std::to_string(rgb[2]));
    std::string rate = p.PollingRate == 1 ? "500 Hz" : p.PollingRate == 2 ? "1000 Hz" : std::to_string(p.PollingRate);
    lines.push_back("Polling rate: " + rate + "   Response time: " + std::to_string(p.iResponTime) + " ms");
    lines.push_back("Remapped keys: " + std::to_string(RemappedKeys()));
    for (int s = 0; s < 6; ++s) {
        lines.push_back("Macro key " + std::to_string(s + 1) + ": " + DescribeSlot(p.MacroKeyInfo[s]));
    }
    lines.push_back("Last command: " + lastCommand_);
    lines.push_back("Flags: " + lastFlags_);
    lines.push_back("Answers: " + (neverAnswer ? std::string("never (fault)")
                                               : "after " + std::to_string(applyDelayMs) + " ms") +
                    "   answered: " + std::to_string(appliesAnswered));
    return lines;
}

// ---- names and log lines

std::string LightingOfProfiles(const SharedConfig& block, const LangTable& lightStrings) {
    std::string text;
    for (int k = 0; k < kProfileCount; ++k) {
        const ProfileRecord& p = Profile(block, k);
        if (k > 0) text += '|';
        text += DescribeLighting(p.LtEffectType, p.iLtPulsation, p.iRGBRed, p.iRGBGreen, p.iRGBBlue, lightStrings);
    }
    return text;
}

std::string RequestName(uint64_t code) {
    switch (code) {
    case MONITOR_APPLY: return "MONITOR_APPLY";
    case MONITOR_APPLY_RESET: return "MONITOR_APPLY_RESET";
    case MONITOR_SELECT_PROFILE: return "MONITOR_SELECT_PROFILE";
    default: return "unknown-" + std::to_string(code);
    }
}

std::string ReportName(int64_t code) {
    switch (code) {
    case MONITOR_APPLY_DONE: return "MONITOR_APPLY_DONE";
    case MONITOR_START_APPLY: return "MONITOR_START_APPLY";
    case MONITOR_PROFILE_CHANGED: return "MONITOR_PROFILE_CHANGED";
    case MONITOR_EFFECT_CHANGED: return "MONITOR_EFFECT_CHANGED";
    default: return "unknown-" + std::to_string(code);
    }
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n' || c == '\r') {
            out += ' ';
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

std::string LogLine(const std::string& event, const std::vector<std::pair<std::string, std::string>>& items) {
    std::string line = "event=" + event;
    for (const auto& [key, value] : items) {
        line += ' ';
        line += key;
        line += '=';
        line += value;
    }
    return line;
}

}  // namespace tavrel::substitute
