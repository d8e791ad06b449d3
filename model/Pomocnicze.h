// Text and number helpers of the reports and the start-up readers. Texts
// are code-page-1250 byte strings; positions count from 1.
#pragma once

#include <cstdint>
#include <string>

#include "Real.h"

namespace vesk {

// s without its trailing blanks (code 32 only; tabs stay).
std::string UsunSpacjeKoncowe(const std::string& s);
// s without its leading blanks (code 32 only).
std::string UsunSpacjePoczatkowe(const std::string& s);

// Copies text over line from position column on, stopping at the end of
// text or of line: line never grows; a column beyond its end changes nothing.
void NadpiszTekst(std::string& line, const std::string& text, int column);

// value right-aligned in width characters; wider numbers are not cut.
std::string LiczbaNaTekst(std::int32_t value, int width);

// value in fixed point with exactly `decimals` digits after ".", right-
// aligned in width characters and widened when needed. Rounded to nearest
// at the last printed digit, decided on the 18-significant-digit decimal
// expansion of the value (a first dropped digit of 5 or more rounds the
// magnitude up). A negative value that rounds to zero prints without "-".
std::string RealNaTekst(long double value, int width, int decimals);

// True for an existing file (not a folder); wildcards as in a directory search.
bool IstniejePlik(const std::string& path);

// A when A > B, else B (ties give B).
Real Max_Real(long double A, long double B);
// A when A < B, else B (ties give B).
Real Min_Real(long double A, long double B);

// The folder part of a path up to and including its last separator ("\" or
// "/"); empty when there is none.
std::string WyodrebnijKatalog(const std::string& path);
// The text after the last separator; the whole path when there is none.
std::string WyodrebnijNazwePliku(const std::string& path);

// A node-number text ("12") as a number; nothing when it is not a decimal
// number or is outside 0..255.
bool NumerZTekstu(const std::string& text, int& number);

}  // namespace vesk
