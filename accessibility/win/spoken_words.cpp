#include "accessibility/win/spoken_words.h"

#include "skin/win/lang_library.h"

namespace tavrel::win {

std::u16string SpokenWord(Spoken word) {
    // Read at each request, from the library the windows' own texts come from: a screen
    // reader asks seldom, and a program nobody reads never loads these.
    return LoadLangString(kSpokenFirstString + static_cast<int>(word));
}

}  // namespace tavrel::win
