// The lighting effects and speeds the lighting page offers, with their menu commands,
// names and the controls each effect allows.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "skin/lang_table.h"

namespace tavrel {

inline constexpr int kLightLangFirst = 1100;
inline constexpr int kLightLangLast = 1113;

struct EffectInfo {
    int type;             // LtEffectType
    int nameString;       // language string number
    int command;          // effect menu command
    bool colourControls;  // sliders, edit boxes and palette picking
    bool speedButton;
};

struct SpeedInfo {
    int pulsation;  // iLtPulsation
    int command;    // speed menu command
    const char16_t* text;
};

// In menu order.
std::span<const EffectInfo> Effects();
std::span<const SpeedInfo> Speeds();

const EffectInfo* FindEffect(int type);

// "3", "6" or "9"; any other value gives one blank.
std::u16string SpeedCaption(int pulsation);

// The name of effect `type` from the page's strings; empty when unknown or unnamed.
std::u16string EffectName(int type, const LangTable& lang);

// A profile's lighting in words, each beside the number it is stored as:
// "Wave (5), speed 3 (1), colour FF0000". The speed is left out for the effects
// whose speed button is disabled, a name the library lacks leaves the number alone.
std::string DescribeLighting(int effect, int pulsation, int red, int green, int blue, const LangTable& lang);

// Palette picking is refused only for the effects that show no chosen colour.
bool EffectAllowsPicking(int type);

// What ApplyEffect does to the page's controls. An unknown effect changes no enabling
// and leaves the speed caption alone; its effect caption is empty.
struct EffectPresentation {
    std::optional<bool> colourControlsEnabled;
    std::optional<bool> speedButtonEnabled;
    std::u16string effectCaption;
    std::optional<std::u16string> speedCaption;
};
EffectPresentation PresentEffect(int type, int pulsation, const LangTable& lang);

}  // namespace tavrel
