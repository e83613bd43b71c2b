// The rules of the lighting page, without windows: the colour being edited, the hue,
// the pick point and the palette, and what each click, typed value, slider release
// and menu command does to them and to the current profile. The page's window turns
// messages into these calls and shows the state.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "config/records.h"
#include "lighting/colour_picker.h"

namespace tavrel {

enum class Channel { Red = 0, Green = 1, Blue = 2 };
inline constexpr std::array<Channel, 3> kChannels{Channel::Red, Channel::Green, Channel::Blue};

// Control IDs of the page.
inline constexpr int kSliderIdRed = 107;
inline constexpr int kSliderIdGreen = 108;
inline constexpr int kSliderIdBlue = 109;
inline constexpr int kSliderIdHue = 110;
inline constexpr int kEditIdRed = 1001;
inline constexpr int kEditIdGreen = 1004;
inline constexpr int kEditIdBlue = 1005;

int SliderId(Channel c);
int EditId(Channel c);
// The channel of a colour slider or edit box ID.
std::optional<Channel> ChannelOfSlider(int id);
std::optional<Channel> ChannelOfEdit(int id);

int& ProfileComponent(ProfileRecord& p, Channel c);
int ProfileComponent(const ProfileRecord& p, Channel c);

// The decimal value at the start of an edit box's text, as the C library reads it
// (leading blanks, an optional sign, digits); no digits give 0. Saturates instead of
// overflowing.
int LeadingDecimal(std::u16string_view text);

struct EditOutcome {
    int value;           // 0..255
    int sliderPosition;  // 255 − value
    bool showMaximum;    // the text becomes "255" with the whole text selected
};

// Colours of an edit box: its text and its background, 0x00RRGGBB.
struct EditColours {
    uint32_t text;
    uint32_t background;
};
EditColours EditBoxColours(Channel c, int value);

// Result of a menu command on the page.
enum class LightMenuOutcome { None, EffectChosen, SpeedChosen };
LightMenuOutcome ApplyLightMenuCommand(int id, ProfileRecord& p);

enum class PressTarget { Palette, HueBar, Elsewhere };
PressTarget ClassifyPress(PagePoint pt);

class LightPageModel {
public:
    int Component(Channel c) const { return edited_[static_cast<size_t>(c)]; }
    Rgb Edited() const { return {edited_[0], edited_[1], edited_[2]}; }
    Rgb HueColour() const { return hueColour_; }
    PagePoint PickPoint() const { return pick_; }
    bool Picking() const { return picking_; }
    const Palette& CurrentPalette() const { return palette_; }

    // HueToColour with a hue (not a slider position).
    void SetHue(int hue) { hueColour_ = HueToColour(hue); }
    // Brings the palette in line with the hue colour; true when it was recomputed.
    bool UpdatePalette() { return palette_.Update(hueColour_); }

    // The colour and hue of a profile (RefreshFromProfile, steps 2 and 4).
    void LoadFromProfile(const ProfileRecord& p);

    // PickColour: takes the palette's colour at pt into the edited colour and the
    // profile. Refused (false) for effects without a chosen colour and outside the
    // palette. The colour comes from the palette's own pixels, so what lies on the
    // screen (the marker circle, another window, a hidden page) cannot alter it.
    bool PickAt(PagePoint pt, ProfileRecord& p);

    // Mouse: a press in the palette starts picking there; a press on the hue bar
    // gives the hue slider position to set; moves pick while picking.
    bool PressInPalette(PagePoint pt, ProfileRecord& p);
    static int HueBarPressPosition(PagePoint pt) { return HueSliderPosition(HueFromBarY(pt.y)); }
    // True when the point was taken (the marker must follow).
    bool MoveWhilePicking(PagePoint pt, ProfileRecord& p);
    void EndPicking() { picking_ = false; }

    // A colour slider released at pos: the component it now stands for.
    int ColourSliderReleased(Channel c, int pos, ProfileRecord& p);
    // The hue slider released at pos: the hue follows and the profile keeps the position.
    void HueSliderReleased(int pos, ProfileRecord& p);

    // An edit box's text changed.
    EditOutcome EditChanged(Channel c, std::u16string_view text, ProfileRecord& p);

private:
    void SetComponent(Channel c, int v, ProfileRecord& p);

    std::array<int, 3> edited_{};
    Rgb hueColour_ = HueToColour(0);
    PagePoint pick_ = kPaletteCentre;
    bool picking_ = false;
    Palette palette_;
};

}  // namespace tavrel
