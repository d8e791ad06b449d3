// The inventories report: the year-end stocks of the three raw materials,
// the finished goods and the work in progress of the three products, as
// the text file NAME.ZAO ("QAD.ZAO") and the page NAME.ZAO.html
// ("QAD.ZAO.HTML"). It only formats fields of the current record.
#pragma once

#include <string>

#include "OpisRaportu.h"

namespace vesk {

struct Kontekst;

// The report as data: template, column groups, row map and fills.
const OpisRaportu& OpisRaportuZAO();

// Writes the report while its flag is pending; true when its files were
// written by this call.
bool Raport_ZAO(Kontekst& k);
// Writes the report into OutName and OutName + ".html" whatever the flag;
// true when both were written.
bool Raport_ZAO_Tworz(Kontekst& k, const std::string& OutName);

}  // namespace vesk
