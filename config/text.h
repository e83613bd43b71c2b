// UTF-16 text helpers shared by every subsystem. Records hold char16_t arrays; these
// helpers keep every copy inside its array and every array NUL-terminated.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrel {

// Length of a NUL-terminated string stored in an array of n code units; never reads
// past the array, so an unterminated field yields n.
size_t BoundedLength(const char16_t* text, size_t n);

template <size_t N>
std::u16string_view ArrayText(const char16_t (&field)[N]) {
    return std::u16string_view(field, BoundedLength(field, N));
}

// Copies at most N - 1 code units and zero-fills the rest of the array.
void CopyToArray(char16_t* field, size_t n, std::u16string_view text);
template <size_t N>
void CopyToArray(char16_t (&field)[N], std::u16string_view text) {
    CopyToArray(field, N, text);
}

// Case-insensitive comparison as the Windows shell compares names and paths
// (simple case folding over the Basic Multilingual Plane's Latin, Greek and Cyrillic).
bool EqualsNoCase(std::u16string_view a, std::u16string_view b);
char16_t FoldCase(char16_t c);

// White space at both ends removed (blank, tab, CR, LF, VT, FF).
std::u16string_view Trim(std::u16string_view text);

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// "%d" of a 32-bit integer.
std::u16string FormatInt(long long value);

}  // namespace tavrel
