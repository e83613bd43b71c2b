// Names taken from a full path the file dialogs report.
#pragma once

#include <string>
#include <string_view>

namespace tavrel {

// The file name without its folder and without its last extension:
// "C:\Games\Race.Pro.exe" gives "Race.Pro", "C:\Games\Race" gives "Race".
std::u16string FileTitle(std::u16string_view path);

// The path a file dialog reports in its buffer, given the offset of the first file name
// the platform hands back with it. A single choice is the full path itself; several
// choices come as the folder, a NUL, then each name and a NUL, and give the folder
// joined with the first name.
std::u16string ChosenPath(std::u16string_view buffer, size_t firstNameOffset);

// Cuts text to at most maxUnits code units without splitting a surrogate pair.
std::u16string_view CutText(std::u16string_view text, size_t maxUnits);

}  // namespace tavrel
