// The decision-variables report: the decisions stored in the node's record
// for the three years of its period (production orders and prices of the
// products, raw-material orders, dividend share, debt ratio, share issue)
// and the codes of the investment schedule, as the text file NAME.DEC
// ("QAD.DEC") and the page NAME.DEC.html ("QAD.DEC.HTML"). Prices are
// stored per 1000 and the two shares as fractions; the report prints them
// scaled.
#pragma once

#include <string>

#include "OpisRaportu.h"

namespace vesk {

struct Kontekst;

// Element e (1..3) of the decision row named nazwa in the record map, for
// year rok: the row's year stride is a third of its size. The row's
// scale multiplies the stored value in extended precision.
Wyrazenie Decyzja(const char* nazwa, int e = 1, long double skala = 1.0L);
// Code bytes of investment schedule entries pierwszy..pierwszy+5 (1..18).
Kody6 KodyHarmonogramu(int pierwszy);

// The report as data: template, column start, row map and fills.
const OpisRaportu& OpisRaportuDEC();

// Writes the report while its flag is pending, nothing while no operator
// is open (NazwaPlikuStanu empty); true when its files were written by
// this call.
bool Raport_DEC(Kontekst& k);
// Writes the report into OutName and OutName + ".html" whatever the flag,
// and clears it; true when both were written.
bool Raport_DEC_Tworz(Kontekst& k, const std::string& OutName);

}  // namespace vesk
