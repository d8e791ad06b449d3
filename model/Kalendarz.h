// The model clock: the time tests of the step driver and the calendar that
// advances after every step.
#pragma once

#include <cstdint>

#include "Real.h"

namespace vesk {

// Tolerance of every comparison of model times.
inline constexpr long double TolerancjaCzasu = 1.0E-7L;

// First step of a model year (t = 0).
bool PoczatekRokuTest(long double t);
// The 26th step of a year (t = 0.5).
bool PolowaRokuTest(long double t);
// The 50th, last step of a year (t = 0.98).
bool KoniecRokuTest(long double t);

// Advances the calendar after a step: half a year at mid-year; at the year
// end half a year more, the year counter, the time back to 0 and, every
// third year, the period year. IndeksRoku is passed and not used.
void KalendarzModelu(Real& Czas, Real& Polrocze, Real& Rok, std::uint8_t& IndeksRoku, Real& Okres);

}  // namespace vesk
