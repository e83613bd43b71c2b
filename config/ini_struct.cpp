#include "config/ini_struct.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace tavrel {

namespace {

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

}  // namespace

std::u16string EncodeStruct(const void* bytes, size_t n) {
    const auto* p = static_cast<const uint8_t*>(bytes);
    std::u16string out;
    out.resize(2 * (n + 1));
    unsigned sum = 0;
    for (size_t i = 0; i < n; ++i) {
        out[2 * i] = kHexDigits[p[i] >> 4];
        out[2 * i + 1] = kHexDigits[p[i] & 0x0F];
        sum += p[i];
    }
    out[2 * n] = kHexDigits[(sum >> 4) & 0x0F];
    out[2 * n + 1] = kHexDigits[sum & 0x0F];
    return out;
}

bool DecodeStruct(std::u16string_view value, void* out, size_t n) {
    if (value.size() != 2 * (n + 1)) return false;
    // Decoded aside first: a failed checksum must not leave half-written bytes.
    std::vector<uint8_t> bytes(n);
    unsigned sum = 0;
    for (size_t i = 0; i <= n; ++i) {
        const int hi = HexValue(value[2 * i]);
        const int lo = HexValue(value[2 * i + 1]);
        if (hi < 0 || lo < 0) return false;
        const auto b = static_cast<uint8_t>((hi << 4) | lo);
        if (i == n) {
            if (b != (sum & 0xFF)) return false;
        } else {
            bytes[i] = b;
            sum += b;
        }
    }
    if (n != 0) std::memcpy(out, bytes.data(), n);
    return true;
}

}  // namespace tavrel
