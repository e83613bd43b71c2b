// The entries of an initialisation file's text as "section/key", in file order, with
// the key as the line spells it (blanks around it dropped, letter case kept).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavrel::test {

std::vector<std::u16string> IniKeysInFileOrder(std::u16string_view text);

}  // namespace tavrel::test
