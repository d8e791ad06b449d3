// Resets of the model quantities, the root's opening state and its default
// decisions. None of them reads or writes a record or a file.
#pragma once

#include "Kontekst.h"

namespace vesk {

// Clears the broad set of model quantities (decisions and parameters
// included) and sets SumaEmisjiAkcji to 1E-12.
void ZerujZmienneModelu2(Kontekst& k);
// Clears the year accumulators and the step quantities.
void ZerujZmienneModelu1(Kontekst& k);
// End-of-year reset: ZerujZmienneModelu1, then the yearly counters. The
// year's WynikDoBilansu is kept for the next year's share-issue rule.
void KoniecRoku(Kontekst& k);
// The root's opening state: fixed assets 120, cash 50, equity 170.
void UstawStanPoczatkowy(Kontekst& k);
// The root's decisions for its three years.
void DomyslneDecyzje(Kontekst& k);

}  // namespace vesk
