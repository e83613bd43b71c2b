// The rules of the key settings page: which of the 114 key positions of the current
// profile show as remapped, and what a click on a key does to the configuration. The
// page's window only turns clicks into calls and marks into button states.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "config/records.h"
#include "keys/keyboard_layout.h"

namespace tavrel {

// What the key assignment dialog is opened with, and how it ended.
struct KeyAssignRequest {
    int keyPos = 0;
    uint8_t curKey = 0;
};
struct KeyAssignOutcome {
    int result = 0;       // kDialogOk, kDialogCancel or kDialogClosed
    uint8_t newKey = 0;   // usage chosen in the dialog; 0 = none
};

// Runs the key assignment dialog modally (the page's window opens the real one).
class KeyAssignRunner {
public:
    virtual ~KeyAssignRunner() = default;
    virtual KeyAssignOutcome Run(const KeyAssignRequest& request) = 0;
};

enum class KeyClickOutcome {
    NothingOpened,  // the remap limit is reached, or the position is not a key position
    Unchanged,      // the dialog ended without a new key
    Stored,         // the new usage is in the current profile, its change flag raised
};

class KeySettingsModel {
public:
    // The model edits `config` (WorkingConfig in the program); it must outlive the model.
    explicit KeySettingsModel(SharedConfig& config) : config_(config) {}

    // Position keyPos of the current profile differs from its default.
    bool IsRemapped(int keyPos) const;
    std::array<bool, kKeyPositions> RemappedMarks() const;

    KeyClickOutcome OnKeyClicked(int keyPos, KeyAssignRunner& dialog);

    // What a screen reader hears of key button keyPos: the name of the key drawn there
    // (its default usage, named for the active layout) and the name of the key it sends
    // in the current profile. Empty for a position that carries no key.
    static std::u16string KeyName(int keyPos, const KeyboardLayout& layout);
    std::u16string AssignedKeyName(int keyPos, const KeyboardLayout& layout) const;

private:
    SharedConfig& config_;
};

}  // namespace tavrel
