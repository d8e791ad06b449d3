// Helpers of the indicator tests: texts written in UTF-8 here, held in
// code page 1250 by the core.
#pragma once

#include <string>

#include "CodePage.h"

namespace vesk::test {

inline std::string P(const char* utf8) { return utf8ToCp1250(utf8); }

}  // namespace vesk::test
