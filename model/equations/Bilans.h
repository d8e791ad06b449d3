// The balance-sheet assembly, in steps that two groups share: every model
// step assembles the balance after its corrections, and the year-end profit
// distribution assembles it again after the payouts.
#pragma once

#include "Kontekst.h"

namespace vesk {

// Financing of investments in progress, the working fund, current assets,
// long-term liabilities and the two balance totals, from the balance items.
void SumyBilansu(Kontekst& k);

// Clears the payout carrier and the balance line that is always 0.
void ZerujWyplatyIPozycjeZerowa(Kontekst& k);

// The control items: copies and sums of balance items kept beside the
// totals for the statements.
void PozycjeKontrolneBilansu(Kontekst& k);

}  // namespace vesk
