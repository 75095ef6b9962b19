#pragma once
#include <string>

namespace linkwatch {

// True for a dotted IPv4 address: exactly four parts separated by ".", each a
// whole number from 0 to 255 (blanks around a part allowed).
bool IsIPAddress(const std::string& text);

// Hexadecimal MAC text as three upper-case groups of four digits joined by ".":
// blanks around it and every "." are removed first, digits after the twelfth are
// dropped, and a text with no digits left gives an empty text.
std::string NormalizeMacAddress(const std::string& text);

}  // namespace linkwatch
