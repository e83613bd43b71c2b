// The words only a screen reader hears ("Press", "Select", "Colour", ...), in the
// user's language, read from the language library on the first request.
#pragma once

#include <string>

#include "accessibility/accessible_info.h"

namespace tavrel::win {

std::u16string SpokenWord(Spoken word);

}  // namespace tavrel::win

namespace tavrel::win {

// A describer for a button that draws no caption: its name is `word`, read when asked.
inline auto NamedBy(Spoken word) {
    return [word](AccessibleInfo& info) { info.name = SpokenWord(word); };
}

}  // namespace tavrel::win
