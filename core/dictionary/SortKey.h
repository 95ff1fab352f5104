#pragma once

#include <string>
#include <string_view>

namespace palitra {

// The word list's order: byte order (unsigned), except that a leading Ñ
// (0xD1) reads as "NZ", so that words beginning with Ñ follow those
// beginning with N and precede those beginning with O.
std::string sortKey(std::string_view word);

// Compares sortKey(a) with sortKey(b) without building either key:
// negative, zero or positive.
int compareSortKeys(std::string_view a, std::string_view b);

// Upper-case form of a Windows-1252 word (a-z and the accented letters, ñ to Ñ).
std::string toUpperWord(std::string_view word);

} // namespace palitra
