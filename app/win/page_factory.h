// The main window's four pages, by index, and where they lie.
#pragma once

#include <windows.h>

#include <memory>

#include "window/win/main_page.h"

namespace tavrel {

enum MainPageIndex : int {
    kKeySettingsPage = 0,    // CDlgMainCtrlPanel, template 131
    kMacroPage = 1,          // CDlgMacroCtrlPanel, template 132
    kAdvancedPage = 2,       // CDlgAdvCtrlPanel, template 133
    kLightingPageIndex = 3,  // CDlgLightCtrlPanel, template 134
};

// Where every page lies in the main window's client area.
inline constexpr RECT kPageArea{1, 100, 1 + 785, 100 + 267};

// The page object of `index` (0..3), not yet created; none for any other index.
std::unique_ptr<MainPage> MakeMainPage(int index);

}  // namespace tavrel
