#include "lighting/light_tables.h"

#include <cstdio>

#include "config/text.h"

namespace tavrel {

namespace {

constexpr EffectInfo kEffects[] = {
    {1, 1105, 2005, false, false},
    {2, 1106, 2006, true, false},
    {3, 1107, 2007, true, true},
    {4, 1108, 2008, false, true},
    {5, 1112, 2012, false, true},
};

constexpr SpeedInfo kSpeeds[] = {
    {1, 2009, u"3"},
    {2, 2010, u"6"},
    {3, 2011, u"9"},
};

}  // namespace

std::span<const EffectInfo> Effects() { return kEffects; }
std::span<const SpeedInfo> Speeds() { return kSpeeds; }

const EffectInfo* FindEffect(int type) {
    for (const EffectInfo& e : kEffects)
        if (e.type == type) return &e;
    return nullptr;
}

std::u16string SpeedCaption(int pulsation) {
    for (const SpeedInfo& s : kSpeeds)
        if (s.pulsation == pulsation) return s.text;
    return u" ";
}

std::u16string EffectName(int type, const LangTable& lang) {
    const EffectInfo* e = FindEffect(type);
    return e ? lang.Get(static_cast<size_t>(e->nameString - kLightLangFirst)) : std::u16string();
}

std::string DescribeLighting(int effect, int pulsation, int red, int green, int blue, const LangTable& lang) {
    const std::u16string name = EffectName(effect, lang);
    std::string text = name.empty() ? std::to_string(effect) : Utf16ToUtf8(name) + " (" + std::to_string(effect) + ")";
    const EffectInfo* e = FindEffect(effect);
    if (e && e->speedButton) {
        const std::u16string speed = SpeedCaption(pulsation);
        text += ", speed " + (speed == u" " ? std::string() : Utf16ToUtf8(speed) + " ") + "(" + std::to_string(pulsation) + ")";
    }
    char colour[16];
    std::snprintf(colour, sizeof colour, "%02X%02X%02X", red & 0xFF, green & 0xFF, blue & 0xFF);
    return text + ", colour " + colour;
}

bool EffectAllowsPicking(int type) { return type != 1 && type != 4 && type != 5; }

EffectPresentation PresentEffect(int type, int pulsation, const LangTable& lang) {
    EffectPresentation out;
    const EffectInfo* e = FindEffect(type);
    if (!e) return out;
    out.colourControlsEnabled = e->colourControls;
    out.speedButtonEnabled = e->speedButton;
    out.effectCaption = EffectName(type, lang);
    out.speedCaption = SpeedCaption(e->speedButton ? pulsation : 0);
    return out;
}

}  // namespace tavrel
