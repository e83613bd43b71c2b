#include "ctl/targets.h"

#include <charconv>
#include <cstdio>

#include "config/shared_config.h"
#include "config/text.h"
#include "ctl/command_line.h"
#include "lighting/light_tables.h"

namespace tavrel::ctl {

std::string ProfileButtonName(int k) { return k == 0 ? "default" : std::to_string(k); }

std::optional<int> ResolveProfile(const std::string& text, const SharedConfig& config) {
    for (int k = 0; k < kProfileCount; ++k) {
        if (text == ProfileButtonName(k)) return k;
    }
    const std::u16string wanted = Utf8ToUtf16(text);
    for (int k = 0; k < kProfileCount; ++k) {
        if (!wanted.empty() && EqualsNoCase(ArrayText(Profile(config, k).ProFileName), wanted)) return k;
    }
    return std::nullopt;
}

std::optional<Rgb> ParseColour(const std::string& text) {
    if (!IsHexColour(text)) return std::nullopt;
    unsigned value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return UnpackRgb(value);
}

std::string FormatColour(const ProfileRecord& p) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", p.iRGBRed & 0xFF, p.iRGBGreen & 0xFF, p.iRGBBlue & 0xFF);
    return text;
}

void SetLightingColour(ProfileRecord& p, Rgb colour) {
    p.iRGBRed = colour.red;
    p.iRGBGreen = colour.green;
    p.iRGBBlue = colour.blue;
    if (std::optional<int> hue = HueOfColour(colour)) p.iCrlSliderPos = HueSliderPosition(*hue);
}

std::string EffectKey(int type) {
    static constexpr const char* kKeys[] = {"off", "static", "breathing", "spectrum", "wave"};
    return type >= 1 && type <= 5 ? kKeys[type - 1] : std::string();
}

std::optional<int> ResolveEffect(const std::string& text, const LangTable& lightStrings) {
    const std::u16string wanted(Trim(Utf8ToUtf16(text)));
    for (const EffectInfo& effect : Effects()) {
        const std::u16string name = tavrel::EffectName(effect.type, lightStrings);
        if (text == std::to_string(effect.type) || EqualsNoCase(Utf8ToUtf16(EffectKey(effect.type)), wanted) ||
            (!name.empty() && EqualsNoCase(Trim(name), wanted))) {
            return effect.type;
        }
    }
    return std::nullopt;
}

std::string EffectText(int type, const LangTable& lightStrings) {
    const std::u16string name = tavrel::EffectName(type, lightStrings);
    return name.empty() ? std::to_string(type) : Utf16ToUtf8(name);
}

std::string SpeedName(int pulsation) {
    std::string name = Utf16ToUtf8(SpeedCaption(pulsation));
    return name == " " ? std::string() : name;
}

bool EffectHasSpeed(int type) {
    const EffectInfo* effect = FindEffect(type);
    return effect && effect->speedButton;
}

}  // namespace tavrel::ctl
