#include "tests/unit/support/ini_key_order.h"

namespace tavrel::test {

namespace {

std::u16string_view Trimmed(std::u16string_view s) {
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

}  // namespace

std::vector<std::u16string> IniKeysInFileOrder(std::u16string_view text) {
    std::vector<std::u16string> keys;
    std::u16string section;
    while (!text.empty()) {
        const size_t end = text.find(u'\n');
        const std::u16string_view line = Trimmed(text.substr(0, end));
        text = end == std::u16string_view::npos ? std::u16string_view() : text.substr(end + 1);
        if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
            section = std::u16string(line.substr(1, line.size() - 2));
        } else if (const size_t equals = line.find(u'='); equals != std::u16string_view::npos) {
            keys.push_back(section + u"/" + std::u16string(Trimmed(line.substr(0, equals))));
        }
    }
    return keys;
}

}  // namespace tavrel::test
