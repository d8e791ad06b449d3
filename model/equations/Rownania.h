// The equation groups of one model step. Each is a procedure over the model
// quantities of the context (k.m), without arguments or result; the step
// driver calls them in a fixed order. One unit per group.
#pragma once

#include "Kontekst.h"

namespace vesk {

// At the first step of each year.
void PoczatekRoku(Kontekst& k);
void RozpoczecieInwestycji(Kontekst& k);

// Every step, in this order.
void FunkcjaPopytu(Kontekst& k);
void ProdukcjaIZapasy(Kontekst& k);
void KosztyProdukcji(Kontekst& k);
void SprzedazIZakupy(Kontekst& k);
void Dekapitalizacja(Kontekst& k);
void WynikKroku(Kontekst& k);
void SterowanieKredytem(Kontekst& k);
void WycenaZapasow(Kontekst& k);
// The split of the fixed assets into land and buildings and machines, part of
// the stock valuation; the completion of investments runs it again, so that
// the stored lines add up to the fixed assets that the completion raised.
void PodzialSrodkowTrwalych(ZmienneModelu& m);
void ZestawienieBilansu(Kontekst& k);

// At mid-year and at the last step of each year.
void OddanieInwestycji(Kontekst& k);
void RatyKredytuInwestycyjnego(Kontekst& k);

// At the last step of each year.
void PodzialWyniku(Kontekst& k);
void WskaznikiRoku(Kontekst& k);

}  // namespace vesk
