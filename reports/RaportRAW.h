// The revenue-and-profit report: the revenue, costs and results of the
// node's three years with the distribution of the result ("QAD.RAX"), then
// the same items in two column groups ("QAD.RAW"), one after the other in
// NAME.RAW; the page NAME.RAW.html repeats the first statement.
#pragma once

#include <string>

#include "OpisRaportu.h"

namespace vesk {

struct Kontekst;

// The report as data: templates, column groups, row maps and fills.
const OpisRaportu& OpisRaportuRAW();

// Writes the report while its flag is pending; true when its files were
// written by this call.
bool Raport_RAW(Kontekst& k);
// Writes the report into OutName and OutName + ".html" whatever the flag;
// true when both statements and the page were written.
bool Raport_RAW_Tworz(Kontekst& k, const std::string& OutName);

}  // namespace vesk
