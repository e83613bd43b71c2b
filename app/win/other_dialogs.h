// Dialogs the main window opens that belong to other parts of the program, behind
// plain functions so their owners can plug them in (app/win/page_factory.cpp).
#pragma once

#include <windows.h>

namespace tavrel {

// The macro manager, run modally over the main window (btnMacroManager).
void RunMacroManager(HWND mainWindow);

}  // namespace tavrel
