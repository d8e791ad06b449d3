// The cash-flow statement by the direct method. One call writes three
// files: NAME.INF, the statement ("QAD.ING") followed by the cash-situation
// section ("QAD.INF"); NAME.ING, the statement alone; and its page
// NAME.ING.html ("QAD.ING.HTML"). The statement's net flows are A
// (operating activity), B (investing activity) and C (financing activity);
// their total is the net change of cash.
#pragma once

#include <string>

#include "OpisRaportu.h"

namespace vesk {

struct Kontekst;

// The flows of the statement, per year, in the order their terms are taken.
Wyrazenie PrzeplywyOperacyjne();  // A = Y[976] - ((Y[992] - Y[1520]) - Y[1240])
Wyrazenie PrzeplywyInwestycyjne();  // B = 0 - Y[936]
Wyrazenie WydatkiFinansowe();  // S = (((Y[3064] + Y[1240]) + Y[808]) + Y[1064]) + Y[1520]
Wyrazenie PrzeplywyFinansowe();  // C = (Y[1048] + Y[688]) - S
Wyrazenie PrzeplywyRazem();  // (Y[1048] + (Y[688] + ((A + 0) - Y[936]))) - S
Wyrazenie SrodkiDoDyspozycji();  // T = Y[1048] + (Y[688] + (Y[976] - Y[992]))

// NAME.INF: the statement with its lines 1-54 cut to 150 characters, then
// the cash-situation section.
const OpisRaportu& OpisRaportuINF();
// NAME.ING and NAME.ING.html: the statement, lines 1-55 and its page.
const OpisRaportu& OpisRaportuING();

// While the report is pending, writes all three files under the operator's
// name; true only when all three were written by this call.
bool Raport_INF(Kontekst& k);
// Writes NAME.INF into OutName, then, once it is complete, NAME.ING and its
// page beside it (KatalogOperatora + stem). True when NAME.INF was written,
// whatever became of the other two.
bool Raport_INF_Tworz(Kontekst& k, const std::string& OutName);
// Writes NameStem + ".ING" and NameStem + ".ING.html"; true when both were
// written.
bool Raport_ING_Tworz(Kontekst& k, const std::string& NameStem);

}  // namespace vesk
