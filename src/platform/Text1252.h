#pragma once

// Ploq keeps texts as Windows-1252 bytes, as its files hold them; these convert them to and
// from Unicode at the edge of the user interface.

#include <string>
#include <string_view>

namespace ploq {

// The Unicode code point of a Windows-1252 byte. The five bytes the code page leaves
// undefined map to the control characters of the same value, so every byte round-trips.
char32_t CodePointOf1252(unsigned char byte);

// The Windows-1252 byte of a code point, or '?' when the code page has none.
char ByteOf1252(char32_t codePoint);

std::string Cp1252ToUtf8(std::string_view text);
// Invalid UTF-8 sequences become '?'.
std::string Utf8ToCp1252(std::string_view text);

} // namespace ploq
