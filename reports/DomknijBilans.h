// The closing step of the balance sheet, applied to a node's record in
// memory before its balance is printed or read out: a negative settlement
// account is folded into receivables, and the shortfall of the liabilities
// side against its total is stored as the year's balancing item and added
// to the payables. The model-state file is not written.
#pragma once

#include "Typy.h"

namespace vesk {

struct Kontekst;

// Three passes over the years 1, 2, 3, each complete before the next:
//   1. RachunekRozliczeniowy < 0: Naleznosci += RachunekRozliczeniowy,
//      then RachunekRozliczeniowy := 0;
//   2. PozostaleWplywyRoku := SumaPasywow - KapitalWlasny
//      - ZobowiazaniaDlugoterminowe - Zobowiazania - KredytSanacyjny;
//   3. Zobowiazania += PozostaleWplywyRoku.
// Every store is rounded to the 6-byte grid. When a result cannot be
// stored (Real48Error) the record is left exactly as it was.
void DomknijBilans(StanModelu& rekord);
// The same on the current record, RekordBiezacy.
void DomknijBilans(Kontekst& k);

}  // namespace vesk
