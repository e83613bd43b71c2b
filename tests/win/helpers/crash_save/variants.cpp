#include "crash_save/variants.h"

#include <string>

#include "config/shared_config.h"
#include "config/text.h"

namespace crash_save {

using namespace tavrel;

namespace {

std::u16string Name(const char16_t* stem, int variant, int k) {
    return std::u16string(stem) + (variant == 0 ? u" alpha " : u" bravo ") + FormatInt(k + 1);
}

void ShapeProfile(ProfileRecord& p, int variant, int k) {
    CopyToArray(p.ProFileName, Name(u"Profile", variant, k));
    CopyToArray(p.GameFile, u"C:\\Games\\" + Name(u"Game", variant, k) + u".exe");
    p.LtEffectType = variant == 0 ? 2 : 5;
    p.iRGBRed = 10 + 40 * k + variant;
    p.iRGBGreen = variant == 0 ? 200 : 30;
    p.iRGBBlue = 7 * k + 100 * variant;
    p.PollingRate = variant == 0 ? 1 : 3;
    p.iResponTime = variant + k;
    // A few remapped positions, different in each variant and profile.
    for (int i = 0; i < 6; ++i) {
        const int position = (variant * 17 + k * 5 + i * 11) % kKeyPositions;
        p.standardKey[position] = static_cast<uint8_t>(0x04 + (variant * 9 + i + k) % 26);
    }
}

}  // namespace

std::unique_ptr<SharedConfig> MakeConfig(int variant) {
    auto config = std::make_unique<SharedConfig>();
    ResetConfig(*config);
    SetDefaultProfiles(*config);
    ClearChangeFlags(*config);
    config->CurrentProfile = variant == 0 ? 1 : 3;
    config->KeyboardPlugIn = variant == 0 ? 1 : -1;
    for (int k = 0; k < kProfileCount; ++k) ShapeProfile(Profile(*config, k), variant, k);
    return config;
}

void FillLibrary(MacroLibrary& library, int variant) {
    library.Clear();
    const int count = variant == 0 ? 3 : 5;
    for (int m = 0; m < count; ++m) {
        MacroRecord record{};
        CopyToArray(record.szName, Name(u"Macro", variant, m));
        record.iRepeat = 1 + m + variant;
        record.iEventCount = 2 * (2 + m + variant * 3);
        for (int e = 0; e < record.iEventCount; ++e) {
            MacroEvent& event = record.Events[e];
            event.byCode = static_cast<uint8_t>(0x04 + (e / 2 + m + variant) % 26);
            event.byState = static_cast<uint8_t>(e % 2 == 0 ? 1 : 2);
            event.wDelay = static_cast<uint16_t>(e + 1 == record.iEventCount ? 0 : 20 + 5 * m + variant);
        }
        library.Append(record);
    }
}

char VariantLetter(int variant) { return variant == 0 ? 'A' : 'B'; }

}  // namespace crash_save
