// The designs of the default skin's eleven windows, one module each.
#pragma once

#include <vector>

#include "tools/skingen/skin_design.h"

namespace skingen {

WindowDesign MainWindowDesign();      // skin_Config.ini
WindowDesign KeyPageDesign();         // skin_main.ini
WindowDesign MacroPageDesign();       // Skin_Macro_control.ini
WindowDesign AdvancedPageDesign();    // Skin_color_control.ini
WindowDesign LightingPageDesign();    // Skin_light_control.ini
WindowDesign KeyAssignDesign();       // skin_swap_key.ini
WindowDesign ShortcutDesign();        // skin_Shortcut.ini
WindowDesign MacroManagerDesign();    // skin_macro_manager.ini
WindowDesign GameLinkDesign();        // skin_Profile.ini
WindowDesign WaitingDesign();         // skin_wait.ini
WindowDesign ResetWarningDesign();    // skin_reset_warn.ini

std::vector<WindowDesign> AllWindowDesigns();

// Size of the main window's page area; every page image has exactly this size.
inline constexpr int kPageWidth = 785;
inline constexpr int kPageHeight = 267;

}  // namespace skingen
