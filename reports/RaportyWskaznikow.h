// The four ratio reports: liquidity (PLY), indebtedness (ZAD),
// profitability (REN) and activity (AKT). Each prints, for the three years
// of the node, the ratios the model stored at the year ends, two decimals,
// as the text file NAME.EXT ("QAD.EXT") and the page NAME.EXT.html
// ("QAD.EXT.HTML"). They differ only in their table sizes, ratio fields and
// the lines that carry them.
#pragma once

#include <string>
#include <vector>

#include "OpisRaportu.h"
#include "Wyrazenie.h"

namespace vesk {

struct Kontekst;

enum class Wskazniki { Plynnosci, Zadluzenia, Rentownosci, Obrotowosci };

// The ratios of a report as it prints them, ratio 1 first: the quotients
// the model stored at the year ends, without a value ("b.d.") where the
// divisor is missing; the profitability ratios are the statement's net
// profit over their divisors. The synthetic result and the command
// language's read-outs take their ratios from here too, so that every
// place shows one value.
const std::vector<Wyrazenie>& DrukowaneWskazniki(Wskazniki grupa);

// The reports as data.
const OpisRaportu& OpisRaportuPLY();
const OpisRaportu& OpisRaportuZAD();
const OpisRaportu& OpisRaportuREN();
const OpisRaportu& OpisRaportuAKT();

// Each writes its report while the report is pending; true when its files
// were written by this call.
bool Raport_PLY(Kontekst& k);
bool Raport_ZAD(Kontekst& k);
bool Raport_REN(Kontekst& k);
bool Raport_AKT(Kontekst& k);

// Each writes its report into OutName and OutName + ".html" whatever the
// flag; true when both were written.
bool Raport_PLY_Tworz(Kontekst& k, const std::string& OutName);
bool Raport_ZAD_Tworz(Kontekst& k, const std::string& OutName);
bool Raport_REN_Tworz(Kontekst& k, const std::string& OutName);
bool Raport_AKT_Tworz(Kontekst& k, const std::string& OutName);

}  // namespace vesk
