// The arguments that name something in the configuration: a profile, a colour, a
// lighting effect; and the lighting as the lighting page shows it.
#pragma once

#include <optional>
#include <string>

#include "config/records.h"
#include "lighting/colour_picker.h"
#include "skin/lang_table.h"

namespace tavrel::ctl {

// "default", "1", "2", "3" as the profile buttons are captioned (indices 0 to 3).
std::string ProfileButtonName(int k);

// A button caption, or a profile's own name without regard to case; nothing when no
// profile answers to it.
std::optional<int> ResolveProfile(const std::string& text, const SharedConfig& config);

// "RRGGBB" in hexadecimal.
std::optional<Rgb> ParseColour(const std::string& text);
std::string FormatColour(const ProfileRecord& profile);

// The colour of a profile, with the hue slider moved to the colour's hue as the
// lighting page keeps it; a grey leaves the slider where it was.
void SetLightingColour(ProfileRecord& profile, Rgb colour);

// An effect's English key ("wave", whatever the installed language, so a script runs
// the same on every install), its name as the lighting page shows it (strings
// 1100..1113 of the language library in lightStrings, index 0 holding 1100), both
// without regard to case, or its number 1 to 5.
std::optional<int> ResolveEffect(const std::string& text, const LangTable& lightStrings);
// "off", "static", "breathing", "spectrum" or "wave"; empty for another type.
std::string EffectKey(int type);
// The name of effect `type`, or its number when the language library has no name.
std::string EffectText(int type, const LangTable& lightStrings);
// "3", "6" or "9" as the speed button shows it; empty for another value.
std::string SpeedName(int pulsation);
// Whether the speed button applies to the effect (effects 3, 4 and 5).
bool EffectHasSpeed(int type);

}  // namespace tavrel::ctl
