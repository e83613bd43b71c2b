// The two complete states the kill-while-saving test alternates between: two distinct
// configurations (every profile differs) with two distinct macro libraries.
#pragma once

#include <memory>

#include "config/macro_library.h"
#include "config/records.h"

namespace crash_save {

constexpr int kVariantCount = 2;

// Variant 0 and variant 1. KeyboardPlugIn is never 0 in either: the program would
// close itself right after start on such a folder.
std::unique_ptr<tavrel::SharedConfig> MakeConfig(int variant);
void FillLibrary(tavrel::MacroLibrary& library, int variant);

// A single letter per variant for the reports ("A" or "B").
char VariantLetter(int variant);

}  // namespace crash_save
