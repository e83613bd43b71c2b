#include "config/shared_config.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "config/text.h"

namespace tavrel {

SharedConfig WorkingConfig{};
SharedConfig AppliedConfig{};

const uint8_t DefaultStandardKey[kKeyPositions] = {
    0x29, 0x3A, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48,
    0x35, 0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x2D, 0x2E, 0x2A, 0x2B, 0x14,
    0x1A, 0x08, 0x15, 0x17, 0x1C, 0x18, 0x0C, 0x12, 0x13, 0x2F, 0x30, 0x28, 0x39, 0x04, 0x16, 0x07,
    0x09, 0x0A, 0x0B, 0x0D, 0x0E, 0x0F, 0x33, 0x34, 0x31, 0xE1, 0x1D, 0x1B, 0x06, 0x19, 0x05, 0x11,
    0x10, 0x36, 0x37, 0x38, 0xE5, 0xE0, 0xE3, 0xE2, 0x2C, 0xE6, 0xE7, 0x65, 0xE4, 0x49, 0x4C, 0x50,
    0x4A, 0x4D, 0x52, 0x51, 0x4B, 0x4E, 0x4F, 0x53, 0x5F, 0x5C, 0x59, 0x62, 0x54, 0x60, 0x5D, 0x5A,
    0x55, 0x61, 0x5E, 0x5B, 0x63, 0x56, 0x57, 0x58, 0x64, 0x85, 0x89, 0x86, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00,
};

const uint8_t DefaultGKey[8] = {0x3A, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41};

namespace {

// Lighting effect of each default profile.
constexpr int32_t kDefaultEffect[kProfileCount] = {5, 2, 3, 5};

constexpr uint8_t kSlotKindShortcut = 2;
constexpr uint8_t kModifierCtrl = 1;
constexpr uint16_t kUsageDigit1 = 0x1E;
constexpr int kProgrammableKeys = 6;

int ClampedIndex(int k) { return (k >= 0 && k < kProfileCount) ? k : 0; }

template <typename T, size_t N>
void Fill(T (&array)[N], T value) {
    std::fill(std::begin(array), std::end(array), value);
}

template <size_t N>
void Terminate(char16_t (&field)[N]) {
    if (BoundedLength(field, N) == N) field[N - 1] = u'\0';
}

template <typename T>
int32_t Differs(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) != 0 ? 1 : 0;
}

}  // namespace

// ---- defaults

void ResetConfig(SharedConfig& config) {
    const int32_t plugIn = config.KeyboardPlugIn;
    std::memset(&config, 0, sizeof(config));
    config.CurrentProfile = -1;
    config.KeyboardPlugIn = plugIn;
}

void SetDefaultProfile(ProfileRecord& record, int k) {
    // Field by field on purpose: apmLightInfo and the reserved gaps keep their bytes.
    CopyToArray(record.ProFileName, u"#" + FormatInt(k + 1));
    CopyToArray(record.GameFile, u"");
    record.MediaOption = 0;
    record.HDDKeyboard = 1;
    record.LtSwitch = 1;
    record.iLtPulsation = 1;
    record.LtFlag = 1;
    record.LtColor = 2;
    record.LtEffectType = kDefaultEffect[ClampedIndex(k)];
    record.iRGBRed = 255;
    record.iRGBGreen = 0;
    record.iRGBBlue = 0;
    record.iCrlSliderPos = 1530;
    record.LtControl = 4;
    record.LtSaving = 50;
    record.LtTimeout = 15;
    record.PollingRate = 1;
    record.iResponTime = 2;
    Fill(record.ModifyKey, int32_t{1});
    std::memcpy(record.standardKey, DefaultStandardKey, sizeof(record.standardKey));
    std::memcpy(record.GKey, DefaultGKey, sizeof(record.GKey));
    std::memset(record.MacroKeyInfo, 0, sizeof(record.MacroKeyInfo));
    for (int s = 0; s < kProgrammableKeys; ++s) {
        MacroKeyInfo& slot = record.MacroKeyInfo[s];
        slot.byIndex = static_cast<uint8_t>(s);
        slot.byType = kSlotKindShortcut;
        slot.byFlags = kModifierCtrl;
        slot.wCode = static_cast<uint16_t>(kUsageDigit1 + s);
    }
}

void SetDefaultProfiles(SharedConfig& config) {
    config.CurrentProfile = 0;
    for (int k = 0; k < kProfileCount; ++k) SetDefaultProfile(config.profiles[k], k);
}

// ---- change flags

void ClearChangeFlags(SharedConfig& config) {
    // iHDDKeyboardChanged and KeyboardPlugIn survive: the monitor owns their meaning.
    std::memset(config.iMacroKeyChanged, 0, sizeof(config.iMacroKeyChanged));
    Fill(config.iLightChanged, 0);
    config.iProfileChanged = 0;
    Fill(config.iStandardKeyChanged, 0);
    Fill(config.iModifyKeyChanged, 0);
    Fill(config.iProfileImported, 0);
    Fill(config.iProfileReset, 0);
    Fill(config.iPerformanceChanged, 0);
}

void MarkAllChanged(SharedConfig& config) {
    for (auto& row : config.iMacroKeyChanged) Fill(row, 1);
    Fill(config.iLightChanged, 1);
    Fill(config.iStandardKeyChanged, 1);
    Fill(config.iModifyKeyChanged, 1);
    Fill(config.iProfileReset, 1);
    Fill(config.iPerformanceChanged, 1);
    config.iProfileChanged = 1;
}

void ComputeChangeFlags(const SharedConfig& applied, SharedConfig& working) {
    // Every flag owned here is rewritten, so flags raised by pages are replaced.
    std::memset(working.iMacroKeyChanged, 0, sizeof(working.iMacroKeyChanged));
    Fill(working.iLightChanged, 0);
    Fill(working.iStandardKeyChanged, 0);
    Fill(working.iModifyKeyChanged, 0);
    Fill(working.iProfileReset, 0);
    Fill(working.iPerformanceChanged, 0);
    working.iProfileChanged = applied.CurrentProfile != working.CurrentProfile ? 1 : 0;
    working.iHDDKeyboardChanged = 0;

    for (int k = 0; k < kProfileCount; ++k) {
        const ProfileRecord& a = applied.profiles[k];
        const ProfileRecord& w = working.profiles[k];
        working.iStandardKeyChanged[k] = Differs(a.standardKey, w.standardKey);
        working.iModifyKeyChanged[k] = Differs(a.ModifyKey, w.ModifyKey);
        for (int s = 0; s < kMacroSlotsPerProfile; ++s) {
            working.iMacroKeyChanged[k][s] = Differs(a.MacroKeyInfo[s], w.MacroKeyInfo[s]);
        }
        const bool light = a.LtSwitch != w.LtSwitch || a.LtEffectType != w.LtEffectType || a.LtFlag != w.LtFlag ||
                           a.LtColor != w.LtColor || a.LtControl != w.LtControl || a.LtSaving != w.LtSaving ||
                           a.LtTimeout != w.LtTimeout;
        working.iLightChanged[k] = light ? 1 : 0;
        working.iPerformanceChanged[k] = (a.PollingRate != w.PollingRate || a.iResponTime != w.iResponTime) ? 1 : 0;
        if (a.HDDKeyboard != w.HDDKeyboard) working.iHDDKeyboardChanged = 1;
    }
}

// ---- profile access

ProfileRecord& Profile(SharedConfig& config, int k) { return config.profiles[ClampedIndex(k)]; }
const ProfileRecord& Profile(const SharedConfig& config, int k) { return config.profiles[ClampedIndex(k)]; }
ProfileRecord& CurrentProfile(SharedConfig& config) { return Profile(config, config.CurrentProfile); }
const ProfileRecord& CurrentProfile(const SharedConfig& config) { return Profile(config, config.CurrentProfile); }

// ---- sanitising

void SanitizeSlot(MacroKeyInfo& slot) {
    Terminate(slot.szText);
    Terminate(slot.szPath);
    if (slot.wEventCount > kMaxMacroEvents) slot.wEventCount = kMaxMacroEvents;
}

void SanitizeProfile(ProfileRecord& record) {
    Terminate(record.ProFileName);
    Terminate(record.GameFile);
    for (MacroKeyInfo& slot : record.MacroKeyInfo) SanitizeSlot(slot);
}

void SanitizeConfig(SharedConfig& config) {
    if (config.CurrentProfile < 0 || config.CurrentProfile >= kProfileCount) config.CurrentProfile = 0;
    for (ProfileRecord& record : config.profiles) SanitizeProfile(record);
}

}  // namespace tavrel
