// Language strings from "lang.dll" in the program folder.
#pragma once

#include "skin/lang_table.h"

namespace tavrel {

// Empties `table` and fills it with string numbers first..last of the language
// library, index 0 holding `first`. A missing library or string leaves an empty text
// at its index. The library is opened once (as a data file: it holds resources only,
// so none of its code runs) and stays open while the program runs.
void LoadLangTable(LangTable& table, int first, int last);

// One string of the library; empty when it is missing.
std::u16string LoadLangString(int number);

// Makes the library another file of the program folder (the gallery shows the
// windows in each language this way; the program itself always reads "lang.dll").
// Tables loaded afterwards come from it.
void UseLanguageLibrary(std::u16string relativePath);

}  // namespace tavrel
