// What a control tells a screen reader about itself: its role, name, value, states and
// the name of its default action. The controls' models fill it from the same strings
// and numbers they draw; the Win32 side (accessibility/win/) hands it to the platform's
// accessibility layer.
#pragma once

#include <cstdint>
#include <string>

namespace tavrel {

// The platform's role numbers (the accessibility layer's ROLE_SYSTEM_* values).
enum class AccRole : uint32_t {
    Client = 0x0A,
    MenuPopup = 0x0B,
    MenuItem = 0x0C,
    Dialog = 0x12,
    Separator = 0x15,
    List = 0x21,
    ListItem = 0x22,
    PageTab = 0x25,
    PropertyPage = 0x26,
    Indicator = 0x27,
    Graphic = 0x28,
    StaticText = 0x29,
    Text = 0x2A,
    PushButton = 0x2B,
    CheckButton = 0x2C,
    RadioButton = 0x2D,
    Slider = 0x33,
};

// State bits, the platform's STATE_SYSTEM_* values.
inline constexpr uint32_t kAccUnavailable = 0x1;
inline constexpr uint32_t kAccSelected = 0x2;
inline constexpr uint32_t kAccFocused = 0x4;
inline constexpr uint32_t kAccChecked = 0x10;
inline constexpr uint32_t kAccReadOnly = 0x40;
inline constexpr uint32_t kAccInvisible = 0x8000;
inline constexpr uint32_t kAccFocusable = 0x100000;
inline constexpr uint32_t kAccSelectable = 0x200000;
inline constexpr uint32_t kAccHasPopup = 0x40000000;

struct AccessibleInfo {
    AccRole role = AccRole::Client;
    std::u16string name;
    std::u16string value;
    uint32_t state = 0;
    std::u16string defaultAction;  // empty: none
};

// The few words only a screen reader hears, strings 1500 to 1504 of the language
// library, by their index in that range.
inline constexpr int kSpokenFirstString = 1500;
inline constexpr int kSpokenLastString = 1504;
enum class Spoken : int { Press, Select, Colour, Hue, Close };

// How a skinned button presents itself. Push buttons run their command; the others
// show a state the owning window sets.
enum class ButtonKind : uint8_t {
    Push,
    Radio,    // one of a group, the current one checked (profiles)
    PageTab,  // one of the main window's page buttons, the shown one selected
    Check,    // an on/off switch
    Label,    // a caption drawn as a button that does nothing when clicked
};

// A skinned button's description from what it draws and how it is set; the default
// action is `pressWord`, or `selectWord` for profiles and pages.
AccessibleInfo DescribeButton(ButtonKind kind, std::u16string name, bool checked, bool enabled,
                              const std::u16string& pressWord, const std::u16string& selectWord);

// "Red 255, Green 0, Blue 0" from the colour names the page draws.
std::u16string ColourValueText(const std::u16string& red, const std::u16string& green, const std::u16string& blue,
                               int r, int g, int b);

}  // namespace tavrel
