// The program folder: drive and directory of the running executable, ending in a
// backslash. Every skin path and the language library path start with it.
#pragma once

#include <string>
#include <string_view>

namespace tavrel {

// Set once by the main window before any other window exists (SetAppDir).
extern char16_t g_szAppDir[260];

// Drive and directory of a module path joined again ("C:\Apps\X\Tavrel.exe" gives
// "C:\Apps\X\"); empty when the path names no folder. Forward slashes count as
// separators too.
std::u16string ProgramFolderOf(std::u16string_view modulePath);

// Fills g_szAppDir from the executable's path. A folder that does not fit leaves the
// program folder empty (paths then resolve against the current folder) rather than
// cut a path in the middle.
void SetAppDir(std::u16string_view modulePath);

// g_szAppDir followed by `relative`.
std::u16string AppPath(std::u16string_view relative);

}  // namespace tavrel
