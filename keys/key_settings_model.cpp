#include "keys/key_settings_model.h"

#include "config/shared_config.h"
#include "keys/dialog_result.h"
#include "keys/key_actions.h"
#include "keys/key_codes.h"

namespace tavrel {

namespace {

bool IsKeyPosition(int keyPos) { return keyPos >= 0 && keyPos < kKeyPositions; }

}  // namespace

bool KeySettingsModel::IsRemapped(int keyPos) const {
    if (!IsKeyPosition(keyPos)) return false;
    return CurrentProfile(config_).standardKey[keyPos] != DefaultStandardKey[keyPos];
}

std::array<bool, kKeyPositions> KeySettingsModel::RemappedMarks() const {
    std::array<bool, kKeyPositions> marks{};
    for (int p = 0; p < kKeyPositions; ++p) marks[p] = IsRemapped(p);
    return marks;
}

std::u16string KeySettingsModel::KeyName(int keyPos, const KeyboardLayout& layout) {
    return IsKeyPosition(keyPos) ? UsageName(DefaultStandardKey[keyPos], layout) : std::u16string();
}

std::u16string KeySettingsModel::AssignedKeyName(int keyPos, const KeyboardLayout& layout) const {
    return IsKeyPosition(keyPos) ? UsageName(CurrentProfile(config_).standardKey[keyPos], layout) : std::u16string();
}

KeyClickOutcome KeySettingsModel::OnKeyClicked(int keyPos, KeyAssignRunner& dialog) {
    const int profile = config_.CurrentProfile;
    if (!IsKeyPosition(keyPos) || profile < 0 || profile >= kProfileCount ||
        IsRemapLimitReached(config_))
        return KeyClickOutcome::NothingOpened;
    const KeyAssignOutcome outcome = dialog.Run({keyPos, config_.profiles[profile].standardKey[keyPos]});
    if (outcome.result != kDialogOk || outcome.newKey == 0) return KeyClickOutcome::Unchanged;
    // The monitor may switch the profile while the dialog is open; the new key belongs
    // to the profile the user was editing when the key was clicked.
    config_.profiles[profile].standardKey[keyPos] = outcome.newKey;
    config_.iStandardKeyChanged[profile] = 1;
    return KeyClickOutcome::Stored;
}

}  // namespace tavrel
