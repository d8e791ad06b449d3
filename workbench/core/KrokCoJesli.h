// The what-if step's decision parameters: k = 1..54 names one decision
// field of a node's record (prices, production and raw-material orders,
// dividend share, debt ratio, share issue, investment variant codes).
#pragma once

#include "Typy.h"

namespace vesk {

inline constexpr int LiczbaParametrowDecyzji = 54;

// Stores v into the field of parameter k as the record holds it: prices
// v / 1000, ratios v / 100, orders and share issue v, a variant code
// round(v) as one byte. k outside 1..54 changes nothing and is accepted.
// False, nothing changed, for a variant code outside 0..8 or a value
// beyond the 6-byte real.
bool UstawParametrDecyzji(StanModelu& rekord, int k, long double v);

}  // namespace vesk
