#pragma once
// Conversions between the scene's code page 932 (Shift-JIS) bytes and UTF-8.
// Scene strings stay raw code page 932 bytes so documents load and store byte for byte; these
// conversions happen only at the edges (display, file paths, export).
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// Lead byte of a double-byte code page 932 character.
constexpr bool IsCp932LeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Bytes that are not valid code page 932 become U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);
// Characters without a code page 932 form (and invalid UTF-8) become "?".
std::string Utf8ToCp932(std::string_view utf8);
// UTF-16LE code units (the archive's wide string form) to code page 932; unmappable become "?".
std::string Utf16ToCp932(std::u16string_view utf16);

// Name comparison that ignores ASCII letter case and never splits a double-byte character.
int CompareNoCase(std::string_view a, std::string_view b);
inline bool EqualsNoCase(std::string_view a, std::string_view b) { return CompareNoCase(a, b) == 0; }

// Equality folding ASCII letters only: for UTF-8 file names and keywords, where the double-byte
// rule of code page 932 would pair UTF-8 bytes wrongly.
bool EqualsAsciiNoCase(std::string_view a, std::string_view b);

}  // namespace qv
