// The initialisation-file parser: any bytes parse, the written form parses back to
// itself, lookups agree before and after, and a value set through the layer reads
// back as set, also after the file is written and read again.
//
// Input: one byte giving the length of a query, the query bytes (section, key and
// value names are drawn from them), then the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/ini_document.h"
#include "config/ini_encoding.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using tavrel::IniDocument;

// Names the layer can store and find again: no brackets, no '=', no line breaks, with
// letters of both cases in several alphabets so that the case-blind match is exercised.
constexpr char16_t kNameChars[] = u"aAbBzZ09 _.;\"'éÉσΣжЖāĀłŁ\x1A\t";

std::u16string NameFrom(std::string_view bytes) {
    std::u16string name;
    for (unsigned char b : bytes) name += kNameChars[b % (sizeof kNameChars / sizeof kNameChars[0] - 1)];
    return name;
}

void CheckLookupsAgree(const IniDocument& a, const IniDocument& b, std::u16string_view section,
                       std::u16string_view key) {
    FUZZ_CHECK(a.HasValue(section, key) == b.HasValue(section, key));
    FUZZ_CHECK(a.GetString(section, key, u"-") == b.GetString(section, key, u"-"));
    FUZZ_CHECK(a.GetInt(section, key, -7) == b.GetInt(section, key, -7));
    FUZZ_CHECK(a.EntryCount(section) == b.EntryCount(section));
}

std::u16string AsStored(std::u16string_view value) {
    std::u16string expected(value.substr(0, value.find(u'\0')));
    for (char16_t& c : expected) {
        if (c == u'\r' || c == u'\n') c = u' ';
    }
    return expected.substr(0, tavrel::kMaxIniStringChars);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tavrel::fuzz::InputReader input(data, size);
    const std::string_view query = input.Take(input.Byte() % 48);
    const std::string_view file = input.Rest();

    const std::u16string section = NameFrom(query.substr(0, query.size() / 3));
    const std::u16string key = NameFrom(query.substr(query.size() / 3, query.size() / 3));
    const std::u16string value = tavrel::DecodeIniBytes(query.substr(2 * (query.size() / 3)));

    const IniDocument parsed = IniDocument::FromBytes(file);
    const std::string written = parsed.ToBytes();
    const IniDocument reread = IniDocument::FromBytes(written);
    // Writing is a fixed point after one round: nothing is lost or invented on the way.
    FUZZ_CHECK(reread.ToBytes() == written);
    FUZZ_CHECK(reread.Empty() == parsed.Empty());
    for (std::u16string_view s : {std::u16string_view(section), std::u16string_view(u"Setting"),
                                  std::u16string_view(u"Macros"), std::u16string_view()}) {
        for (std::u16string_view k : {std::u16string_view(key), std::u16string_view(u"number"),
                                      std::u16string_view(u"0"), std::u16string_view(u"ProFileName")}) {
            CheckLookupsAgree(parsed, reread, s, k);
            const std::u16string text = parsed.GetString(s, k);
            FUZZ_CHECK(text.size() <= tavrel::kMaxIniStringChars);
            FUZZ_CHECK(text.find(u'\0') == std::u16string::npos);
            FUZZ_CHECK(text.empty() || parsed.HasValue(s, k));
        }
    }

    // A value set by the program reads back as set, in memory and from the file.
    if (tavrel::TrimIni(key).empty()) return 0;
    IniDocument changed = IniDocument::FromBytes(file);
    const size_t entriesBefore = changed.EntryCount(section);
    const bool hadKey = changed.HasValue(section, key);
    changed.SetString(section, key, value);
    const std::u16string expected = AsStored(value);
    FUZZ_CHECK(changed.GetString(section, key) == expected);
    // An existing key changes where it stands; a new one adds one entry.
    const size_t entriesAfter = changed.EntryCount(section);
    FUZZ_CHECK(entriesAfter == entriesBefore || (!hadKey && entriesAfter == entriesBefore + 1));
    const IniDocument saved = IniDocument::FromBytes(changed.ToBytes());
    FUZZ_CHECK(saved.GetString(section, key) == expected);
    CheckLookupsAgree(changed, saved, u"Setting", u"ProFileName");
    return 0;
}
