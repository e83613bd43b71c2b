// Test doubles for the macro models: an in-memory library, a fixed US key table, a
// settable clock and a host that records what the recorder asked of its window.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "config/records.h"
#include "config/text.h"
#include "macros/key_codes.h"
#include "macros/macro_store.h"
#include "macros/recorder_globals.h"
#include "macros/tick_source.h"
#include "macros/macro_editor.h"

namespace tavrel {

// Events compare and print by their three fields (found by argument-dependent lookup).
inline bool operator==(const MacroEvent& a, const MacroEvent& b) {
    return a.byCode == b.byCode && a.byState == b.byState && a.wDelay == b.wDelay;
}
inline void PrintTo(const MacroEvent& e, std::ostream* os) {
    *os << "{" << int(e.byCode) << "," << int(e.byState) << "," << e.wDelay << "}";
}

}  // namespace tavrel

namespace tavrel::testing {

class VectorMacroStore : public MacroStore {
public:
    int Count() const override { return static_cast<int>(records.size()); }
    MacroRecord* At(int position) override {
        if (position < 0 || position >= Count()) return nullptr;
        return records[static_cast<size_t>(position)].get();
    }
    void Append(std::u16string_view name) override {
        auto r = std::make_unique<MacroRecord>();
        *r = MacroRecord{};
        CopyToArray(r->szName, name);
        records.push_back(std::move(r));
    }
    void DeleteAt(int position) override {
        if (position < 0 || position >= Count()) return;
        records.erase(records.begin() + position);
    }
    // A macro with events given as (code, state, delay) triples.
    MacroRecord& Add(std::u16string_view name, std::vector<MacroEvent> events = {}, int repeat = 0) {
        Append(name);
        MacroRecord& r = *records.back();
        r.iRepeat = repeat;
        r.iEventCount = static_cast<int>(events.size());
        for (size_t i = 0; i < events.size(); ++i) r.Events[i] = events[i];
        return r;
    }
    std::vector<std::unique_ptr<MacroRecord>> records;
};

// Letters, digits, Enter, keypad Enter, the left and right Shift and the mouse buttons,
// as on a US layout.
class UsKeyCodes : public KeyCodes {
public:
    uint32_t UsageToVk(uint32_t usage) const override {
        for (const Row& r : kRows) {
            if (r.usage == usage) return r.vk;
        }
        return 0;
    }
    uint32_t VkToUsage(uint32_t vk) const override {
        for (const Row& r : kRows) {
            if (r.vk == vk) return r.usage;
        }
        return 0;
    }
    std::u16string VkName(uint32_t vk) const override {
        if (vk >= 0x41 && vk <= 0x5A) return std::u16string(1, static_cast<char16_t>(vk));
        if (vk >= 0x30 && vk <= 0x39) return std::u16string(1, static_cast<char16_t>(vk));
        switch (vk) {
        case 0x0D: return u"Enter";
        case 0x6C: return u"Num Enter";
        case 0xA0: return u"Shift";
        case 0xA1: return u"Right Shift";
        case 0xF0: return u"L-Button";
        case 0xF1: return u"R-Button";
        case 0xF2: return u"M-Button";
        case 0xF3: return u"Button 4";
        case 0xF4: return u"Button 5";
        default: return u"";
        }
    }

private:
    struct Row {
        uint32_t vk, usage;
    };
    static constexpr Row kRows[] = {
        {0x41, 0x04}, {0x42, 0x05}, {0x43, 0x06}, {0x44, 0x07}, {0x45, 0x08}, {0x46, 0x09},
        {0x31, 0x1E}, {0x32, 0x1F}, {0x0D, 0x28}, {0x6C, 0x58}, {0xA0, 0xE1}, {0xA1, 0xE5},
        {0xF0, 0xF0}, {0xF1, 0xF1}, {0xF2, 0xF2}, {0xF3, 0xF3}, {0xF4, 0xF4},
    };
};

class ManualTicks : public TickSource {
public:
    uint32_t Now() override { return now; }
    uint32_t now = 1000;
};

class RecordingHostLog : public RecordingHost {
public:
    void RecordingStarted() override { ++hooksInstalled; }
    void RecordingStopped() override { ++hooksRemoved; }
    void FocusEventList() override { ++eventListFocused; }
    int hooksInstalled = 0;
    int hooksRemoved = 0;
    int eventListFocused = 0;
};

constexpr MacroEvent Press(uint8_t code, uint16_t delay = 0) { return MacroEvent{code, 1, delay}; }
constexpr MacroEvent Release(uint8_t code, uint16_t delay = 0) { return MacroEvent{code, 2, delay}; }

// A manager model over its doubles, with the recorder's program-wide memory cleared.
struct EditorFixture {
    EditorFixture() {
        g_nLastVk = 0;
        g_nLastFlags = 0;
        g_dwLastTick = 0;
    }
    void Open(const MacroKeyInfo& menuKey = MacroKeyInfo{}) { editor.Initialise(menuKey); }

    VectorMacroStore library;
    UsKeyCodes keys;
    ManualTicks ticks;
    RecordingHostLog host;
    MacroEditor editor{library, keys, ticks, host};
};

}  // namespace tavrel::testing
