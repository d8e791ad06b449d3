// The synthetic-result report: nine key results of the current node (its
// last year) beside their yearly average over the node's path in the
// decision tree, the root left out, as the text file NAME.SRE ("QAD.SRE")
// and the page NAME.SRE.html ("QAD.SRE.HTML"). The only report that reads
// other nodes' records: it walks the node table from the current node up
// to the root and reads each node's record from the model-state file.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "OpisRaportu.h"
#include "PolaRoku.h"
#include "Typy.h"
#include "Wyrazenie.h"

namespace vesk {

struct Kontekst;

// One item: its record field, the value the report prints (the field, or
// a ratio as the ratio reports print it, which may have no divisor) and the
// template lines that print it.
struct PozycjaSRE {
    PoleRoku pole;
    Wyrazenie wartosc;
    int liniaTekstu;
    int liniaHTML;
};
inline constexpr int LiczbaPozycjiSRE = 9;
const std::array<PozycjaSRE, LiczbaPozycjiSRE>& PozycjeSRE();

// The shape of the templates: lines read at most and characters kept, the
// value column and pitch of the text, the last line of each template, the
// text line never written, and the placeholders of a filled page line.
inline constexpr int LiniiSRE = 160, ZnakowSRE = 200;
inline constexpr int KolumnaSRE = 31, OdstepSRE = 9;
inline constexpr int OstatniaLiniaSRE = 31, PominietaLiniaSRE = 10;
inline constexpr int OstatniaLiniaStronySRE = 28;
inline constexpr int WartosciWLiniiStronySRE = 2;

// What the report's files are named after: its extension, its flag and its
// page (template, name and lines). Its text and fills are its own writer's
// (the averages along the path), so it has no text parts and is not for
// TworzRaport.
const OpisRaportu& OpisRaportuSRE();

// The path from node numer up to the root: numer, its parent, ..., 0. The
// parents are found in the occupied slots 1..50 of the node table, slots
// taken in ascending order pass after pass, so the order of the slots does
// not matter. Nothing when a node on the way has no occupied entry or the
// parents run in a circle: such a path has no end.
std::optional<std::vector<int>> SciezkaDoKorzenia(const ZESPOL& tabela, int numer);

// The yearly averages of the nine items over the path's nodes, the final
// root excepted: each node's three years are added to an item's sum (in
// extended precision, the sum kept as a 6-byte real), and the sum is
// divided by 3 x the nodes whose record the model-state file holds; a node
// without a record counts in neither. Records are read into
// RekordPomocniczy, which keeps the last one found. Nothing when no node's
// record was found (or the path holds only the root). IoError when the file
// cannot be read, Real48Error when a sum outgrows the 6-byte real. A ratio
// without a divisor in any year of the path leaves its average without a
// value too. The averages are of the printed values when `drukowane`, else
// of the record fields.
struct SrednieSRE {
    std::array<long double, LiczbaPozycjiSRE> srednie{};
    int wezlow = 0;  // the path nodes whose record was found
};
std::optional<SrednieSRE> SrednieNaSciezce(Kontekst& k, const std::vector<int>& sciezka, bool drukowane = false);

// Writes the report while its flag is pending and the current record is
// not the root's (the root has no path to average); true when its files
// were written by this call.
bool Raport_SRE(Kontekst& k);
// Writes the report into OutName and OutName + ".html" whatever the flag.
// True when both were written; false, with nothing written, when the path
// has no end or no record of it is found, and false at the first failure of
// an output or template otherwise.
bool Raport_SRE_Tworz(Kontekst& k, const std::string& OutName);

}  // namespace vesk
