// What a window's skin is made of: its size, outline, background and buttons. Each
// window module describes one window with these; skin_writer turns a description
// into the layout file and its five images.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/skingen/canvas.h"

namespace skingen {

// The four state images every skinned window supplies, in the order the program
// hands them to its buttons.
enum class State { Normal, Over, Down, Disabled };
inline constexpr State kAllStates[] = {State::Normal, State::Over, State::Down, State::Disabled};

// Which caption colours the program gives the button (it draws the caption itself):
//   Accent: the button defaults, accent text, dark grey under the mouse, white when
//           pressed or disabled;
//   Dark:   the dialog buttons, black text, accent under the mouse;
//   Label:  accent in every state (captions that only label something);
//   None:   no caption.
enum class Captions { None, Accent, Dark, Label };

enum class Look {
    Push,      // rounded push button
    Tab,       // page tab of the main window, rounded at the top
    Flat,      // borderless button whose caption starts at its left edge
    Record,    // push button with a record dot in its first 30 pixels
    Radio,     // option card: a radio mark at the left, caption at the right
    Dropdown,  // push button with a small arrow at its right end
    CheckBox,  // a switch drawn as a box with a tick
    Close,     // the cross of a close button
    Minimise,  // the bar of a minimise button
    Browse,    // folder symbol
    Key,       // a keycap of the keyboard picture
    Label,     // a text plate that looks the same in every state
    Control,   // places another control (list box, edit): nothing painted per state
};

struct Button {
    std::string key;       // "BUTTONPOS" key
    std::string name;      // first field of the entry (carries no behaviour)
    Rect rect;
    Look look = Look::Push;
    Captions captions = Captions::None;
    std::string legend;    // keycap legend, lines separated by '\n'
    bool onDarkBand = false;  // drawn over the main window's dark title band
};

struct WindowDesign {
    std::string layoutFile;   // file name inside Skins, e.g. "skin_main.ini"
    std::string imageStem;    // image files are <stem>_mask.bmp, <stem>_normal.bmp, ...
    bool disableKeyIsDisable = false;  // the main window reads "Disable", the others "Disabled"
    int width = 0;
    int height = 0;
    int cornerRadius = 0;     // 0: rectangular outline
    std::function<void(Canvas&)> paintBackground;
    std::vector<Button> buttons;
    // Drawn over the buttons in one state image (rarely needed).
    std::function<void(Canvas&, State)> paintOverlay;
};

}  // namespace skingen
