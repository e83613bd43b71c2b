#include "skin/skin_item.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "config/text.h"

namespace tavrel {

namespace {

constexpr int64_t kMin32 = std::numeric_limits<int32_t>::min();
constexpr int64_t kMax32 = std::numeric_limits<int32_t>::max();

int32_t Clamp32(int64_t value) { return static_cast<int32_t>(std::clamp(value, kMin32, kMax32)); }

bool IsScanSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// One "%d" conversion at `pos`: leading white space, an optional sign, at least one
// digit. Values beyond 32 bits are clamped. Returns false when nothing matches.
bool ScanInt(std::u16string_view text, size_t& pos, int32_t& value) {
    size_t p = pos;
    while (p < text.size() && IsScanSpace(text[p])) ++p;
    bool negative = false;
    if (p < text.size() && (text[p] == u'+' || text[p] == u'-')) {
        negative = text[p] == u'-';
        ++p;
    }
    if (p >= text.size() || text[p] < u'0' || text[p] > u'9') return false;
    int64_t magnitude = 0;
    for (; p < text.size() && text[p] >= u'0' && text[p] <= u'9'; ++p) {
        magnitude = std::min<int64_t>(magnitude * 10 + (text[p] - u'0'), kMax32 + 1);
    }
    value = Clamp32(negative ? -magnitude : magnitude);
    pos = p;
    return true;
}

}  // namespace

void ParseSkinItem(std::u16string_view text, SkinItem& item) {
    item = SkinItem{};

    const size_t comma = text.find(u',');
    std::u16string_view rest = text;
    if (comma != std::u16string_view::npos) {
        CopyToArray(item.szLabel, text.substr(0, comma));
        rest = text.substr(comma + 1);
    }

    // "%d,%d,%d,%d": stops at the first field that does not match.
    int32_t fields[4] = {0, 0, 0, 0};
    size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (pos >= rest.size() || rest[pos] != u',') break;
            ++pos;
        }
        if (!ScanInt(rest, pos, fields[i])) break;
    }
    item.rcPos.left = fields[0];
    item.rcPos.top = fields[1];
    item.rcPos.right = Clamp32(int64_t{fields[0]} + fields[2]);
    item.rcPos.bottom = Clamp32(int64_t{fields[1]} + fields[3]);

    const size_t lastComma = rest.rfind(u',');
    const std::u16string_view file = lastComma == std::u16string_view::npos ? rest : rest.substr(lastComma + 1);
    CopyToArray(item.szFile, Trim(file));
}

}  // namespace tavrel
