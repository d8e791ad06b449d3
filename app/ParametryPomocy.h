// The parameter table of the help window: a heading row and one row per
// model parameter (value, unit, description), from the parameter values
// of the last simulation (zeros before any).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "ZmienneModelu.h"

namespace vesk {

using WierszParametru = std::array<std::string, 3>;  // code page 1250

// 30 rows: the headings, then the 29 parameters.
std::vector<WierszParametru> WierszeParametrow(const ZmienneModelu& m);

}  // namespace vesk
