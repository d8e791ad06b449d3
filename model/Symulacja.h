// The run of one node: 150 steps of 0.02 year through the equation groups,
// the per-step histories and the calendar.
#pragma once

#include <cstdint>

#include "Kontekst.h"

namespace vesk {

// Runs the 150 steps of node Wezel (0..50) on the model quantities as the
// caller prepared them; the root (0) is prepared here from its opening state,
// the parameters and the default decisions. True when all steps ran; false
// when the stop test answered yes or the node number is out of range.
// Throws IoError (parameter file of the root) and Real48Error (a value the
// 6-byte real cannot hold); k.NierownowagaWPrzebiegu tells whether any step
// ended out of balance.
bool Symulacja(Kontekst& k, std::uint8_t Wezel);

// One step; Krok is the step number 1..150 of the run.
void KrokModelu(Kontekst& k, int Krok, bool& Nierownowaga);

// Tolerance of the balance test after every step.
inline constexpr long double TolerancjaBilansu = 1.0E-4L;

}  // namespace vesk
