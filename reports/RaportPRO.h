// The production report: per product and year the quantity produced and
// sold, the production capacity per simulation step and the use of the
// capacity in percent, as the text file NAME.PRO ("QAD.PRO") and the page
// NAME.PRO.html ("QAD.PRO.HTML").
#pragma once

#include <string>

#include "OpisRaportu.h"

namespace vesk {

struct Kontekst;

// The capacity of product e per step of year rok: the yearly capacity
// at the end of the year / 50.
Wyrazenie ZdolnoscNaKrok(int e);
// The capacity use of product e in percent: (production of the year /
// capacity summed over its steps) x 100, the quotient first. A year with
// no accumulated capacity has no use to show and gives 0.
Wyrazenie WykorzystanieZdolnosci(int e);

// The report as data: template, column groups, row map and fills.
const OpisRaportu& OpisRaportuPRO();

// Writes the report while its flag is pending; true when its files were
// written by this call.
bool Raport_PRO(Kontekst& k);
// Writes the report into OutName and OutName + ".html" whatever the flag;
// true when both were written.
bool Raport_PRO_Tworz(Kontekst& k, const std::string& OutName);

}  // namespace vesk
