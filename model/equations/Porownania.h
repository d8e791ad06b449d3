// Comparisons of three model values, used by the equation groups for their
// clamps. Each compares in extended precision, keeps its running value on
// the grid of the 6-byte real and returns it; ties keep the earlier value.
// The two-value comparisons are Min_Real and Max_Real (Pomocnicze.h).
#pragma once

#include "Real.h"
#include "ZmienneModelu.h"

namespace vesk {

// The smallest of A, B, C.
Real Min3_Real(Real A, Real B, Real C);
// The largest of A, B, C.
Real Max3_Real(Real A, Real B, Real C);
// The smallest of T[1], T[2], T[3].
Real MinTablicy3_Real(const R3& T);

}  // namespace vesk
