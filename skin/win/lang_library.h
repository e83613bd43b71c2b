// Language strings from "lang.dll" in the program folder.
#pragma once

#include "skin/lang_table.h"

namespace tavrel {

// Empties `table` and fills it with string numbers first..last of the language
// library, index 0 holding `first`. A missing library or string leaves an empty text
// at its index. The library is opened once (as a data file: it holds resources only,
// so none of its code runs) and stays open while the program runs.
void LoadLangTable(LangTable& table, int first, int last);

}  // namespace tavrel
