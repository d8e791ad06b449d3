// Defaults of the declarations module.
#pragma once

#include "ZmienneModelu.h"

namespace vesk {

// Fills the eight investment variants with the defaults: rows 0..3 credit-
// financed (5, 6, 7.5, 9 million zl), rows 4..7 from own funds.
void DomyslneWariantyInwestycji(ZmienneModelu& m);

}  // namespace vesk
