// What each skinned window needs from its skin: its layout file, the "BUTTONPOS"
// keys it reads, the places where it draws texts or creates controls of its own,
// and the captions it gives its buttons with their colours. Taken from the windows'
// descriptions, independently of the skin generator.
#pragma once

#include <string>
#include <vector>

#include "skin_default_support.h"

namespace skin_default_test {

inline constexpr Colour kAccentText{163, 25, 48};
inline constexpr Colour kBrightRedText{255, 25, 48};
inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kWhite{255, 255, 255};
inline constexpr Colour kDarkGrey{55, 55, 55};

// Caption colours by state (normal, over, down, disabled) as the windows set them.
enum class Scheme {
    Accent,  // button defaults: accent, dark grey, white, white
    Dark,    // dialog buttons: black, accent, black, black
    Label,   // accent in every state
};

enum class Align { Centre, Left, Right };

struct CaptionSpec {
    std::string key;
    Scheme scheme;
    Align align = Align::Centre;
    int leftIndent = 0;
    bool wordBreak = false;   // DT_WORDBREAK: centred captions move 9 pixels down
    bool top = false;         // vertical format 0: the caption starts at the top
    std::vector<std::string> texts;  // every caption the button can show
    int fontWeight = 400;
};

enum class Placement { SingleLine, Wrapped, FromPoint };

struct TextSpec {
    std::string what;
    Rect rect;                // for FromPoint: the point and the room up to the next thing
    Colour colour;
    int height;
    int weight = 400;
    Placement placement = Placement::SingleLine;
    std::vector<std::string> texts;
    bool mustFit = true;      // names of keys are cut by the window, not fitted
};

struct WindowSpec {
    std::string name;
    std::string layoutFile;
    bool disableKey = false;              // "Disable" instead of "Disabled"
    int width = 0, height = 0;            // required size, 0 = any
    std::vector<std::string> buttonKeys;  // skinned buttons
    std::vector<std::string> controlKeys; // entries placing other controls
    std::vector<Rect> fixedRects;         // controls and drawings at fixed places
    std::vector<TextSpec> texts;
    std::vector<CaptionSpec> captions;
};

std::vector<WindowSpec> AllWindowSpecs();
const WindowSpec& WindowByFile(const std::string& layoutFile);

}  // namespace skin_default_test
