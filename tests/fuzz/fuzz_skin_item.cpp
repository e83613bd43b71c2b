// One "BUTTONPOS" entry of a skin layout file: any text gives terminated label and
// file texts and never an overflowing rectangle; an entry written from known numbers
// reads back as those numbers, saturated at the 32-bit limits.
//
// Input: four 32-bit numbers, then the text (as a layout file's bytes).
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

#include "config/ini_encoding.h"
#include "config/text.h"
#include "skin/skin_item.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

int32_t Saturated(int64_t value) {
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tavrel::fuzz::InputReader input(data, size);
    int32_t numbers[4];
    for (int32_t& n : numbers) n = static_cast<int32_t>(input.Uint32());
    const std::u16string text = tavrel::DecodeIniBytes(input.Rest());

    tavrel::SkinItem item;
    tavrel::ParseSkinItem(text, item);
    FUZZ_CHECK(tavrel::fuzz::Terminated(item.szLabel));
    FUZZ_CHECK(tavrel::fuzz::Terminated(item.szFile));
    // The label is the text before the first comma, cut to its array.
    const size_t comma = text.find(u',');
    const std::u16string_view label = comma == std::u16string::npos ? std::u16string_view() : std::u16string_view(text).substr(0, comma);
    FUZZ_CHECK(tavrel::ArrayText(item.szLabel) == label.substr(0, std::size(item.szLabel) - 1).substr(0, label.find(u'\0')));

    // The same text again gives the same item: nothing depends on earlier state.
    tavrel::SkinItem again;
    again.rcPos = {1, 2, 3, 4};
    tavrel::ParseSkinItem(text, again);
    FUZZ_CHECK(again.rcPos == item.rcPos);

    // Known numbers with the input's text as the file name (without commas, which
    // would move the name).
    std::u16string file;
    for (char16_t c : text.substr(0, 64)) {
        if (c != u',' && c != u'\0') file += c;
    }
    std::u16string entry = u"Button," + tavrel::FormatInt(numbers[0]) + u"," + tavrel::FormatInt(numbers[1]) + u"," +
                           tavrel::FormatInt(numbers[2]) + u"," + tavrel::FormatInt(numbers[3]) + u"," + file;
    tavrel::SkinItem known;
    tavrel::ParseSkinItem(entry, known);
    FUZZ_CHECK(known.rcPos.left == numbers[0]);
    FUZZ_CHECK(known.rcPos.top == numbers[1]);
    FUZZ_CHECK(known.rcPos.right == Saturated(int64_t{numbers[0]} + numbers[2]));
    FUZZ_CHECK(known.rcPos.bottom == Saturated(int64_t{numbers[1]} + numbers[3]));
    FUZZ_CHECK(tavrel::ArrayText(known.szLabel) == u"Button");
    FUZZ_CHECK(tavrel::ArrayText(known.szFile) == tavrel::Trim(file).substr(0, std::size(known.szFile) - 1));
    return 0;
}
