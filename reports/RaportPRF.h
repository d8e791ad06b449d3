// The income-statement report: the statement in stages ("QAD.PRG"), then
// the account form with costs and losses on the left and revenues and
// gains on the right ("QAD.PRF"), one after the other in NAME.PRF; the page
// NAME.PRF.html repeats the statement in stages.
//
// The wages are split by the social-insurance rate in force when the
// report is written (the model parameter StawkaSkladekZUS), not by a rate
// stored with the node.
#pragma once

#include <string>

#include "OpisRaportu.h"

namespace vesk {

struct Kontekst;

// The stock change of the year split into its increase (revenue side)
// and decrease (cost side), each 0 or more and held as a 6-byte real.
Wyrazenie ZwiekszenieStanuProduktow();
Wyrazenie ZmniejszenieStanuProduktow();
// The mandatory charges on the result: income tax + mandatory dividend.
Wyrazenie ObciazeniaWyniku();
// The result on business activity (revenue and the change of the product
// stocks less the operating and the financial costs), and the gross result
// after the extraordinary losses (the other costs).
Wyrazenie WynikNaDzialalnosci();
Wyrazenie WynikPoStratach();
// The net profit (or loss) of the statement: the gross result after the
// extraordinary losses, less the income tax and the mandatory dividend, the
// two charges on the result. The profitability ratios of the reports are
// formed from it.
Wyrazenie ZyskNettoRachunku();
// The account form's gross profit (left) and loss (right), each 0 when the
// other one is there.
Wyrazenie ZyskBruttoKonta();
Wyrazenie StrataBruttoKonta();
// The totals of the account form: costs, stock decrease, financial costs,
// extraordinary losses and the gross profit; revenue, stock increase and
// the gross loss.
Wyrazenie RazemKosztyIStraty();
Wyrazenie RazemPrzychodyIZyski();

// The report as data for a social-insurance rate in percent: templates,
// column groups, row maps and fills.
OpisRaportu OpisRaportuPRF(long double StawkaSkladekZUS);

// Writes the report while its flag is pending; true when its files were
// written by this call.
bool Raport_PRF(Kontekst& k);
// Writes the report into OutName and OutName + ".html" whatever the flag;
// true when both statements and the page were written. A rate of -100 %,
// which leaves no wages without contributions to print, writes nothing and
// gives false.
bool Raport_PRF_Tworz(Kontekst& k, const std::string& OutName);

}  // namespace vesk
