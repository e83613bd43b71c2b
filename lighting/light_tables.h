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
