#include "config/ini_encoding.h"

#include "config/text.h"

namespace tavrel {

namespace {

// 0x80..0x9F of Windows-1252; the five undefined positions map as the platform's
// conversion maps them, to the C1 control of the same value.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string out;
    out.resize(bytes.size() / 2);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    for (size_t i = 0; i < out.size(); ++i) {
        const unsigned lo = bigEndian ? p[2 * i + 1] : p[2 * i];
        const unsigned hi = bigEndian ? p[2 * i] : p[2 * i + 1];
        out[i] = static_cast<char16_t>(lo | (hi << 8));
    }
    return out;
}

std::u16string DecodeAnsi(std::string_view bytes) {
    std::u16string out;
    out.resize(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) out[i] = Windows1252ToUtf16(static_cast<unsigned char>(bytes[i]));
    return out;
}

bool StartsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.size() >= prefix.size() && bytes.substr(0, prefix.size()) == prefix;
}

}  // namespace

char16_t Windows1252ToUtf16(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kCp1252High[byte - 0x80];
    return static_cast<char16_t>(byte);
}

bool IsValidUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    size_t i = 0;
    while (i < n) {
        const unsigned c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t len;
        unsigned cp;
        if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + len > n) return false;
        for (size_t k = 1; k < len; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        static constexpr unsigned kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += len;
    }
    return true;
}

std::u16string DecodeIniBytes(std::string_view bytes) {
    if (StartsWith(bytes, "\xFF\xFE")) return DecodeUtf16(bytes.substr(2), false);
    if (StartsWith(bytes, "\xFE\xFF")) return DecodeUtf16(bytes.substr(2), true);
    if (StartsWith(bytes, "\xEF\xBB\xBF")) return Utf8ToUtf16(bytes.substr(3));
    if (IsValidUtf8(bytes)) return Utf8ToUtf16(bytes);
    return DecodeAnsi(bytes);
}

std::string EncodeUtf16Le(std::u16string_view text) {
    std::string out;
    out.resize(2 + 2 * text.size());
    out[0] = '\xFF';
    out[1] = '\xFE';
    for (size_t i = 0; i < text.size(); ++i) {
        out[2 + 2 * i] = static_cast<char>(text[i] & 0xFF);
        out[3 + 2 * i] = static_cast<char>(text[i] >> 8);
    }
    return out;
}

}  // namespace tavrel
