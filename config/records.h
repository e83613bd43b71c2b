// Plain fixed-size records shared byte for byte with the monitor process and stored
// in profile files and the macro library. Every size and offset is pinned below:
// the monitor reads this layout directly, so any drift is a protocol break.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavrel {

constexpr int kProfileCount = 4;
constexpr int kFlagSlots = 5;        // per-profile flag arrays carry one spare entry
constexpr int kMacroSlotsPerProfile = 32;
constexpr int kKeyPositions = 114;
constexpr int kMaxMacroEvents = 50;
constexpr int kProfileNameChars = 250;
constexpr int kGameFileChars = 500;
constexpr int kSlotTextChars = 20;
constexpr int kSlotPathChars = 260;
constexpr int kMacroNameChars = 50;

#pragma pack(push, 1)

struct MacroEvent {
    uint8_t byCode;    // HID usage; 0xF0..0xF4 are mouse buttons 1..5
    uint8_t byState;   // 1 press, 2 release
    uint16_t wDelay;   // pause in ms after this event
};

struct MacroKeyInfo {
    uint8_t byIndex;
    uint8_t byType;
    uint8_t byFlags;
    uint8_t byAction;
    uint16_t wCode;
    uint8_t reserved0[2];
    int32_t iMacroIndex;
    char16_t szText[kSlotTextChars];
    uint16_t wEventCount;
    uint8_t reserved1[2];
    int32_t iRepeat;
    MacroEvent Events[kMaxMacroEvents];
    char16_t szPath[kSlotPathChars];
};

struct ProfileRecord {
    char16_t ProFileName[kProfileNameChars];
    char16_t GameFile[kGameFileChars];
    int32_t MediaOption;
    int32_t HDDKeyboard;
    int32_t LtSwitch;
    int32_t iLtPulsation;
    int32_t LtEffectType;
    uint8_t reserved0[4];
    int32_t LtFlag;
    int32_t LtColor;
    int32_t LtControl;
    int32_t LtSaving;
    int32_t LtTimeout;
    int32_t PollingRate;
    uint8_t reserved1[4];
    int32_t iRGBRed;
    int32_t iRGBGreen;
    int32_t iRGBBlue;
    int32_t iCrlSliderPos;
    int32_t iResponTime;
    int32_t ModifyKey[6];
    uint8_t standardKey[kKeyPositions];
    uint8_t reserved2[2];
    struct MacroKeyInfo MacroKeyInfo[kMacroSlotsPerProfile];
    uint8_t GKey[8];
    uint8_t reserved3[4];
    uint8_t apmLightInfo[16];
};

struct SharedConfig {
    int32_t CurrentProfile;
    ProfileRecord profiles[kProfileCount];
    int32_t iMacroKeyChanged[kFlagSlots][kMacroSlotsPerProfile];
    int32_t iLightChanged[kFlagSlots];
    int32_t iProfileChanged;
    int32_t iStandardKeyChanged[kFlagSlots];
    int32_t iModifyKeyChanged[kFlagSlots];
    int32_t iProfileImported[kFlagSlots];
    int32_t iHDDKeyboardChanged;
    int32_t iProfileReset[kFlagSlots];
    int32_t iPerformanceChanged[kFlagSlots];
    int32_t KeyboardPlugIn;
};

struct MacroRecord {
    char16_t szName[kMacroNameChars];
    int32_t iRepeat;
    int32_t iEventCount;
    MacroEvent Events[kMaxMacroEvents];
};

#pragma pack(pop)

static_assert(sizeof(char16_t) == 2);

static_assert(sizeof(MacroEvent) == 4);
static_assert(offsetof(MacroEvent, byState) == 1);
static_assert(offsetof(MacroEvent, wDelay) == 2);

static_assert(sizeof(MacroKeyInfo) == 780);
static_assert(offsetof(MacroKeyInfo, byType) == 1);
static_assert(offsetof(MacroKeyInfo, byFlags) == 2);
static_assert(offsetof(MacroKeyInfo, byAction) == 3);
static_assert(offsetof(MacroKeyInfo, wCode) == 4);
static_assert(offsetof(MacroKeyInfo, iMacroIndex) == 8);
static_assert(offsetof(MacroKeyInfo, szText) == 12);
static_assert(offsetof(MacroKeyInfo, wEventCount) == 52);
static_assert(offsetof(MacroKeyInfo, iRepeat) == 56);
static_assert(offsetof(MacroKeyInfo, Events) == 60);
static_assert(offsetof(MacroKeyInfo, szPath) == 260);

static_assert(sizeof(ProfileRecord) == 26700);
static_assert(offsetof(ProfileRecord, GameFile) == 500);
static_assert(offsetof(ProfileRecord, MediaOption) == 1500);
static_assert(offsetof(ProfileRecord, HDDKeyboard) == 1504);
static_assert(offsetof(ProfileRecord, LtSwitch) == 1508);
static_assert(offsetof(ProfileRecord, iLtPulsation) == 1512);
static_assert(offsetof(ProfileRecord, LtEffectType) == 1516);
static_assert(offsetof(ProfileRecord, LtFlag) == 1524);
static_assert(offsetof(ProfileRecord, LtColor) == 1528);
static_assert(offsetof(ProfileRecord, LtControl) == 1532);
static_assert(offsetof(ProfileRecord, LtSaving) == 1536);
static_assert(offsetof(ProfileRecord, LtTimeout) == 1540);
static_assert(offsetof(ProfileRecord, PollingRate) == 1544);
static_assert(offsetof(ProfileRecord, iRGBRed) == 1552);
static_assert(offsetof(ProfileRecord, iRGBGreen) == 1556);
static_assert(offsetof(ProfileRecord, iRGBBlue) == 1560);
static_assert(offsetof(ProfileRecord, iCrlSliderPos) == 1564);
static_assert(offsetof(ProfileRecord, iResponTime) == 1568);
static_assert(offsetof(ProfileRecord, ModifyKey) == 1572);
static_assert(offsetof(ProfileRecord, standardKey) == 1596);
static_assert(offsetof(ProfileRecord, MacroKeyInfo) == 1712);
static_assert(offsetof(ProfileRecord, GKey) == 26672);
static_assert(offsetof(ProfileRecord, apmLightInfo) == 26684);

static_assert(sizeof(SharedConfig) == 107576);
static_assert(offsetof(SharedConfig, profiles) == 4);
static_assert(offsetof(SharedConfig, iMacroKeyChanged) == 106804);
static_assert(offsetof(SharedConfig, iLightChanged) == 107444);
static_assert(offsetof(SharedConfig, iProfileChanged) == 107464);
static_assert(offsetof(SharedConfig, iStandardKeyChanged) == 107468);
static_assert(offsetof(SharedConfig, iModifyKeyChanged) == 107488);
static_assert(offsetof(SharedConfig, iProfileImported) == 107508);
static_assert(offsetof(SharedConfig, iHDDKeyboardChanged) == 107528);
static_assert(offsetof(SharedConfig, iProfileReset) == 107532);
static_assert(offsetof(SharedConfig, iPerformanceChanged) == 107552);
static_assert(offsetof(SharedConfig, KeyboardPlugIn) == 107572);

static_assert(sizeof(MacroRecord) == 308);
static_assert(offsetof(MacroRecord, iRepeat) == 100);
static_assert(offsetof(MacroRecord, iEventCount) == 104);
static_assert(offsetof(MacroRecord, Events) == 108);

}  // namespace tavrel
