// The structure encoding: a decode either fails and leaves the target as it was, or
// succeeds with bytes that encode back to the same digits (ignoring case); encoding
// any bytes decodes back to them.
//
// Input: one byte choosing the record size, then the text (decoded as a file would be).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "config/ini_encoding.h"
#include "config/ini_struct.h"
#include "config/records.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

// The sizes the program decodes, and a few around them.
constexpr size_t kSizes[] = {0, 1, 2, 8, 16, sizeof(tavrel::ProfileRecord::standardKey), sizeof(tavrel::MacroKeyInfo),
                             sizeof(tavrel::MacroRecord), 3, 7};

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'f' ? static_cast<char16_t>(c - 32) : c; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tavrel::fuzz::InputReader input(data, size);
    const uint8_t choice = input.Byte();
    const std::string_view rest = input.Rest();
    // Either the bytes as UTF-16LE code units or as a file's text: both reach the decoder.
    std::u16string text;
    if (choice & 0x80) {
        for (size_t i = 0; i + 1 < rest.size(); i += 2) {
            text += static_cast<char16_t>(static_cast<uint8_t>(rest[i]) | (static_cast<uint8_t>(rest[i + 1]) << 8));
        }
    } else {
        text = tavrel::DecodeIniBytes(rest);
    }
    const size_t n = kSizes[(choice & 0x7F) % (sizeof kSizes / sizeof kSizes[0])];

    std::vector<uint8_t> out(n + 8, 0xA5);
    const std::vector<uint8_t> before = out;
    const bool ok = tavrel::DecodeStruct(text, out.data(), n);
    // Never a byte beyond the record.
    FUZZ_CHECK(std::memcmp(out.data() + n, before.data() + n, 8) == 0);
    if (!ok) {
        FUZZ_CHECK(out == before);
    } else {
        FUZZ_CHECK(text.size() == 2 * (n + 1));
        const std::u16string again = tavrel::EncodeStruct(out.data(), n);
        FUZZ_CHECK(again.size() == text.size());
        for (size_t i = 0; i < text.size(); ++i) FUZZ_CHECK(again[i] == Upper(text[i]));
    }

    // The other direction: the input bytes as a record.
    const size_t m = rest.size() < 2048 ? rest.size() : 2048;
    const std::u16string encoded = tavrel::EncodeStruct(rest.data(), m);
    FUZZ_CHECK(encoded.size() == 2 * (m + 1));
    std::vector<uint8_t> decoded(m);
    FUZZ_CHECK(tavrel::DecodeStruct(encoded, decoded.data(), m));
    FUZZ_CHECK(m == 0 || std::memcmp(decoded.data(), rest.data(), m) == 0);
    // One wrong digit is caught unless it leaves the same bytes and checksum.
    if (m != 0) {
        std::u16string damaged = encoded;
        const size_t at = choice % damaged.size();
        damaged[at] = damaged[at] == u'0' ? u'1' : u'0';
        std::vector<uint8_t> untouched(m, 0x5A);
        FUZZ_CHECK(!tavrel::DecodeStruct(damaged, untouched.data(), m));
        FUZZ_CHECK(untouched == std::vector<uint8_t>(m, 0x5A));
    }
    return 0;
}
