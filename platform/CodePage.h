// Conversions between the single-byte code pages of the program's texts
// and UTF-8. The core keeps its texts in code page 1250 (so report columns
// count bytes); these are called only where text meets the windows or a
// file name.
#pragma once

#include <string>
#include <string_view>

namespace vesk {

std::string cp1250ToUtf8(std::string_view text);
// Characters that code page 1250 lacks become '?'. Invalid UTF-8 bytes too.
std::string utf8ToCp1250(std::string_view text);
std::string cp852ToUtf8(std::string_view text);
std::string cp852ToCp1250(std::string_view text);

// Letter-case folding within code page 1250 (ASCII and the Polish and other
// Central European letters); used to match file names without regard to case.
char foldCaseCp1250(char c);
bool equalNoCaseCp1250(std::string_view a, std::string_view b);

}  // namespace vesk
