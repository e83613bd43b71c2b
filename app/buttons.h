// The nineteen buttons of the main window, in the order they are created, with the
// skin entry that places each, its caption and whether it takes the dialog colours.
#pragma once

#include "skin/lang_table.h"

#include <array>
#include <string>

namespace tavrel {

enum class MainButton : int {
    PageKeys,
    PageMacros,
    PageAdvanced,
    PageLighting,
    Reset,
    Profile1,
    GameLinkNew,
    Import,
    Export,
    GameLinkEdit,
    Profile2,
    Profile3,
    Profile4,
    MacroManager,
    Apply,
    Cancel,
    Ok,
    Minimize,
    Close,
};
constexpr int kMainButtonCount = 19;

struct MainButtonDef {
    MainButton button;
    int skinKey;         // "BUTTONPOS" key
    int captionString;   // language string number, 0 for a picture-only button
    int profileNumber;   // >0: caption is "<string> <number>"
    bool dialogColours;  // black texts with the accent on hover
};

extern const std::array<MainButtonDef, kMainButtonCount> kMainButtons;

// The main window's language table holds strings 101 to 117 as entries 0 to 16.
constexpr int kMainFirstString = 101;
constexpr int kMainLastString = 117;
// The names of the two picture-only buttons, heard through a screen reader.
constexpr int kMainMinimizeString = 114;
constexpr int kMainCloseString = 117;
// The assignment-text table used by the key texts: strings 500 to 525.
constexpr int kActionFirstString = 500;
constexpr int kActionLastString = 525;

// Caption (and tooltip) of a button; empty for the picture-only ones.
std::u16string MainButtonCaption(const MainButtonDef& desc, const LangTable& mainStrings);

constexpr MainButton kPageButtons[4] = {MainButton::PageKeys, MainButton::PageMacros, MainButton::PageAdvanced,
                                        MainButton::PageLighting};
constexpr MainButton kProfileButtons[4] = {MainButton::Profile1, MainButton::Profile2, MainButton::Profile3,
                                           MainButton::Profile4};

}  // namespace tavrel
