#pragma once
// Text rules of the registry: UTF-8 <-> UTF-16 conversion and Wine's name ordering.
//
// Names and string data are UTF-8 in the program. Wine stores UTF-16, which may hold unpaired
// surrogates; those are kept as their 3-byte generalized UTF-8 form so every name read from a
// hive round-trips exactly.

#include <cstdint>
#include <string>
#include <string_view>

namespace orvane::reg {

// UTF-16 code units -> UTF-8 (unpaired surrogates as 3-byte sequences).
std::string utf16ToUtf8(std::u16string_view text);
// UTF-8 -> UTF-16; an invalid byte becomes U+FFFD as MultiByteToWideChar does.
std::u16string utf8ToUtf16(std::string_view text);

// UTF-16LE bytes -> UTF-8 into `out` (its storage reused); an odd last byte is dropped.
void utf16BytesToUtf8(std::string_view utf16le, std::string& out);

// Raw little-endian UTF-16 bytes <-> code units. An odd last byte is dropped.
std::u16string bytesToUnits(std::string_view bytes);
std::string unitsToBytes(std::u16string_view units);

// Lower case of one UTF-16 unit as Wine's server compares names (ASCII, Latin-1, Latin
// Extended-A, Greek and Cyrillic; other units compare as they are).
char16_t foldUnit(char16_t unit);

// Wine's sibling order: compares the UTF-16 units of both names as if lower-cased.
// <0, 0, >0 like strcmp. 0 means "the same name" for every lookup.
int compareNames(std::string_view a, std::string_view b);
inline bool sameName(std::string_view a, std::string_view b) { return compareNames(a, b) == 0; }

// Length of a UTF-8 name in UTF-16 units (what the "W" functions count).
std::size_t utf16Length(std::string_view text);

// ASCII upper case, as the key lists of the registry cleaner are written.
std::string asciiUpper(std::string_view text);

} // namespace orvane::reg
