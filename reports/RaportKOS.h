// The costs report: the costs by type and by department, of the products
// sold and of the period, for the three years of the node, as the text file
// NAME.KOS ("QAD.KOS", two column groups side by side) and the page
// NAME.KOS.html ("QAD.KOS.HTML", one row per item). It only formats fields
// of the current record; under "wolny" the depreciation of year 3 carries
// noise.
#pragma once

#include <string>

#include "OpisRaportu.h"

namespace vesk {

struct Kontekst;

// The report as data: template, column groups, row map and fills.
const OpisRaportu& OpisRaportuKOS();

// Writes the report while its flag is pending; true when its files were
// written by this call.
bool Raport_KOS(Kontekst& k);
// Writes the report into OutName and OutName + ".html" whatever the flag;
// true when both were written.
bool Raport_KOS_Tworz(Kontekst& k, const std::string& OutName);

}  // namespace vesk
