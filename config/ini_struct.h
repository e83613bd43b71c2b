// The structure encoding of initialisation-file values: every byte as two upper-case
// hexadecimal digits in memory order, then a checksum byte (the sum of the bytes
// modulo 256) as two more digits.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrel {

std::u16string EncodeStruct(const void* bytes, size_t n);

// Succeeds only for exactly 2 * (n + 1) hexadecimal digits (either case) with a
// matching checksum. On failure out is left untouched, so a caller's field keeps
// the bytes it had.
bool DecodeStruct(std::u16string_view value, void* out, size_t n);

}  // namespace tavrel
