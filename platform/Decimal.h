// A decimal number as people type it in files and on the command line:
// an optional sign, digits with at most one ".", an optional exponent,
// nothing else around it. Infinities, NaN and numbers beyond the extended
// range are not numbers here.
#pragma once

#include <optional>
#include <string_view>

namespace vesk {

std::optional<long double> parseDecimal(std::string_view text);

}  // namespace vesk
