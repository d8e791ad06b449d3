// The balance-sheet report: the balance sheet ("QAD.BIK"), the capital
// statement ("QAD.KAP") and the two-sided balance ("QAD.BIL") one after
// another in NAME.BIK, the balance page NAME.BIK.html and the capital page
// NAME.kap.html. Before any value is printed the current record is closed
// with DomknijBilans.
#pragma once

#include <string>

#include "OpisRaportu.h"

namespace vesk {

struct Kontekst;

// Sums the balance sheet prints: fixed assets (net fixed assets and
// investments begun), inventories (materials, work in progress, finished
// goods), investment credits, short-term liabilities (payables and the
// overdraft).
Wyrazenie MajatekTrwaly();
Wyrazenie ZapasyRazem();
Wyrazenie KredytyInwestycyjne();
Wyrazenie ZobowiazaniaKrotkie();

// The report as data: templates, column groups, row maps and fills.
const OpisRaportu& OpisRaportuBIK();

// Writes the report while its flag is pending; true when its files were
// written by this call.
bool Raport_BIK(Kontekst& k);
// Writes the report into OutName (and its two pages) whatever the flag;
// true when all five parts were written.
bool Raport_BIK_Tworz(Kontekst& k, const std::string& OutName);

}  // namespace vesk
