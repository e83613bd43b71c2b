// Opening the macro manager, from the main window and from the macro page alike.
#pragma once

#include <windows.h>

#include "macros/macro_store.h"

namespace tavrel {

// Runs the manager modally over the program's library (owner may be null), then keeps
// or throws away its changes: SaveMacroLibrary after OK, otherwise FreeMacroLibrary
// and LoadMacroLibrary from the file. Returns the dialog's result.
INT_PTR RunMacroManagerDialog(HWND owner);

// The program's library (g_MacroLibrary) as the macro page and the manager see it.
MacroStore& ProgramMacroStore();

}  // namespace tavrel
