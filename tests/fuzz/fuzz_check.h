// What every fuzz target shares: a check that stops the run with a message (libFuzzer
// then keeps the input as a crash), and readers of the raw input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#define FUZZ_CHECK(condition)                                                              \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)

namespace tavrel::fuzz {

// Consumes the input front to back; past the end every read yields zeros.
class InputReader {
public:
    InputReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    uint32_t Uint32() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value |= uint32_t{Byte()} << (8 * i);
        return value;
    }
    std::string_view Rest() {
        std::string_view rest(reinterpret_cast<const char*>(m_data) + m_pos, m_size - m_pos);
        m_pos = m_size;
        return rest;
    }
    std::string_view Take(size_t n) {
        n = n < m_size - m_pos ? n : m_size - m_pos;
        std::string_view part(reinterpret_cast<const char*>(m_data) + m_pos, n);
        m_pos += n;
        return part;
    }
    bool Done() const { return m_pos >= m_size; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// A text field of a record holds a terminator inside its array.
template <size_t N>
bool Terminated(const char16_t (&field)[N]) {
    for (char16_t c : field) {
        if (c == u'\0') return true;
    }
    return false;
}

// Compares a field byte by byte: records are packed, so fields may be unaligned.
template <typename T>
bool SameBytes(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

}  // namespace tavrel::fuzz
