// A decimal number as people type it in files and on the command line:
// an optional sign, digits with at most one ".", an optional exponent,
// nothing else around it. Infinities, NaN and numbers beyond the extended
// range are not numbers here.
#pragma once

#include <optional>
#include <string_view>

namespace vesk {

std::optional<long double> parseDecimal(std::string_view text);
// For a text written as such a number whose value lies beyond the extended
// range (parseDecimal gives nothing): 1 when it is too large, -1 when too
// near zero; 0 for any other text.
int decimalBeyondRange(std::string_view text);

}  // namespace vesk
