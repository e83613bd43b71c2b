// Character encodings of initialisation files. Files are read in whatever encoding
// the platform's private-profile functions or a text editor left them in, and always
// written as UTF-16LE with a byte-order mark, which the platform functions also read
// and then keep writing as Unicode.
#pragma once

#include <string>
#include <string_view>

namespace tavrel {

// UTF-16LE or UTF-16BE with their byte-order marks, UTF-8 with a byte-order mark,
// UTF-8 without one when every byte sequence is valid, otherwise the ANSI code page
// (Windows-1252). Never fails: malformed input yields replacement characters, an odd
// trailing byte of a UTF-16 file is dropped.
std::u16string DecodeIniBytes(std::string_view bytes);

// UTF-16LE with a byte-order mark.
std::string EncodeUtf16Le(std::u16string_view text);

char16_t Windows1252ToUtf16(unsigned char byte);
bool IsValidUtf8(std::string_view bytes);

}  // namespace tavrel
