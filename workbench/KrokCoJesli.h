// The what-if step's decision parameters: k = 1..54 names one decision
// field of a node's record (prices, production and raw-material orders,
// dividend share, debt ratio, share issue, investment variant codes).
#pragma once

#include <cstddef>
#include <optional>

#include "Typy.h"

namespace vesk {

inline constexpr int LiczbaParametrowDecyzji = 54;

// Where decision parameter k lives in a node's record: a 6-byte real at
// Offset holding the value divided by Dzielnik (prices 1000, ratios 100),
// or for a variant code (k >= 37) the byte at Offset. Nothing for k
// outside 1..54.
struct MiejsceParametruDecyzji {
    std::size_t Offset = 0;
    long double Dzielnik = 1;
    bool Kod = false;
};
std::optional<MiejsceParametruDecyzji> PoleParametruDecyzji(int k);

// Stores v into the field of parameter k as the record holds it: prices
// v / 1000, ratios v / 100, orders and share issue v, a variant code
// round(v) as one byte. k outside 1..54 changes nothing and is accepted.
// False, nothing changed, for a variant code outside 0..8 or a value
// beyond the 6-byte real.
bool UstawParametrDecyzji(StanModelu& rekord, int k, long double v);

}  // namespace vesk
