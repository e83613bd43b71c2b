// What the user is told when a skin picture the program needs cannot be read.
#pragma once

#include <windows.h>

#include <string>

namespace tavrel {

// Shows a fixed English message that names the full path of the picture (fixed: the
// language library may be as damaged as the skin) in a modal message box, owned by
// `owner` when given, and writes it to the debugger output. Returns when the user has
// dismissed the box.
void ReportUnreadableSkinPicture(HWND owner, const std::u16string& path);

}  // namespace tavrel
