#pragma once
#include <string>

namespace linkwatch {

// Small pieces the value parsers share.

// A number in plain decimal: no grouping, "." as the decimal point, as few
// decimals as the value needs (400 gives "400", 5.5 gives "5.5").
std::string PlainDecimal(double value);

// The octet a character of a value carries (values arrive one character per
// octet).
inline unsigned Octet(char c) { return static_cast<unsigned char>(c); }

}  // namespace linkwatch
