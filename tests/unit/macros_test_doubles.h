// Test doubles for the macro models: an in-memory library, a fixed US key table, a
// settable clock and a host that records what the recorder asked of its window.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "config/records.h"
#include "config/text.h"
#include "keys/fixed_keyboard_layouts.h"
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
    ManualTicks ticks;
    RecordingHostLog host;
    MacroEditor editor{library, UsKeyboardLayout(), ticks, host};
};

}  // namespace tavrel::testing
