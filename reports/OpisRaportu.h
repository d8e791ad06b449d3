// A report as data: its extension and pending flag, the text templates
// written one after another into the text output with the map of their
// value rows, and the HTML pages with their fills. The generic writer runs
// such a description through the stages of SzablonRaportu; adding a report
// is a matter of a description, its templates and an entry.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "Typy.h"
#include "Wyrazenie.h"

namespace vesk {

struct Kontekst;

// How a value row of a text template is written.
enum class RodzajWiersza {
    Lata,      // the node's years in both groups (PiszLata)
    Lata3,     // the node's years in the left group (PiszLata3)
    Wiersz3L,  // three yearly values in the left group
    Wiersz3P,  // three yearly values in the right group
    Wiersz6,   // three yearly values in each group, left first
    // The node's years in both groups as Lata, in a template whose value
    // rows all lie in the left group: its year row may end after the left
    // years, and the right ones then find no room.
    LataLewe,
    Cyfry6,  // six small codes as digits from the left group (PiszWiersz6Cyfr)
};

// Six small codes of a row or a page line, read from the record (two per
// year: years 1, 2, 3 left to right).
using Kody6 = std::function<std::array<int, 6>(const StanModelu&)>;

// The years whose printed value carries the "wolny" noise: bit y for year y.
using Szum = unsigned;
inline constexpr Szum BezSzumu = 0;
inline constexpr Szum SzumLat23 = (1u << 2) | (1u << 3);
inline constexpr Szum SzumRoku2 = 1u << 2;
inline constexpr Szum SzumRoku3 = 1u << 3;
// Or-ed with the years: their noise is (v - 1.5) + R / 100, R drawn from
// 0..299, in place of (v - 2) + R / 100, R from 0..399.
inline constexpr Szum SzumWezszy = 1u << 8;

struct WierszTekstu {
    int linia;
    RodzajWiersza rodzaj;
    int miejsca;            // decimals
    Wyrazenie lewa{};       // the left group (the only one of Wiersz3L, Wiersz3P)
    Wyrazenie prawa{};      // the right group of Wiersz6
    Szum szumLewa = BezSzumu;
    Szum szumPrawa = BezSzumu;
    Kody6 kody{};           // the codes of Cyfry6
};

// An action on the context run just before a given line is written.
struct Wstawka {
    int przedLinia;
    std::function<void(Kontekst&)> akcja;
};

// One text template written into the text output: header lines 1 and 2,
// then lines 3..ostatnia, each a value row of the map, a skipped line, or
// otherwise copied unchanged.
struct CzescTekstu {
    std::string wzorzec;  // "QAD." + EXT or another name of the report
    int N;                // lines read at most
    int K;                // characters kept per line
    int c1, c2;           // first columns of the left and right group
    int W = 9;            // column pitch
    int ostatnia;         // last line written
    std::vector<int> pominiete{};
    std::vector<WierszTekstu> wiersze{};
    std::vector<Wstawka> wstawki{};
};

// Three fills of one HTML line: years 1, 2, 3 of the value, each in place
// of the first "x" still left in the line. A fill with codes instead puts
// its six codes in, 0 decimals, a zero code as "." (WypelnijKropka).
struct WypelnienieHTML {
    int linia;
    int miejsca;
    Wyrazenie wartosc;
    Szum szum = BezSzumu;
    Kody6 kody{};
};

// The number of placeholders a fill takes.
inline int LiczbaWypelnien(const WypelnienieHTML& w) { return w.kody ? 6 : 3; }

// One HTML page: header lines 9 and 11, lines 1..pierwsza-1, the fills in
// the order given, then lines pierwsza..ostatnia.
struct StronaRaportu {
    std::string wzorzec;
    // Empty: the page is the text output's name + ".html". Otherwise the
    // text output's name with its last three characters replaced by this,
    // + ".html".
    std::string rozszerzenie;
    int N;
    int K;
    int pierwsza;
    int ostatnia;
    std::vector<WypelnienieHTML> wypelnienia{};
};

struct OpisRaportu {
    std::string EXT;
    bool FlagiWynikow_t::*flaga;
    std::vector<CzescTekstu> czesci;
    std::vector<StronaRaportu> strony;
};

// Shorthands of the row maps: text rows print 1 decimal and years 0, HTML
// fills 2 decimals (H) or 0 (H0).
namespace skroty {
inline WierszTekstu L3(int linia, Wyrazenie w, Szum szum = BezSzumu) {
    return {linia, RodzajWiersza::Wiersz3L, 1, std::move(w), {}, szum};
}
inline WierszTekstu P3(int linia, Wyrazenie w) { return {linia, RodzajWiersza::Wiersz3P, 1, std::move(w)}; }
inline WierszTekstu W6(int linia, Wyrazenie lewa, Wyrazenie prawa, Szum szumLewa = BezSzumu) {
    return {linia, RodzajWiersza::Wiersz6, 1, std::move(lewa), std::move(prawa), szumLewa};
}
inline WierszTekstu Lata(int linia) { return {linia, RodzajWiersza::Lata, 0}; }
inline WypelnienieHTML H(int linia, Wyrazenie w, Szum szum = BezSzumu) { return {linia, 2, std::move(w), szum}; }
inline WypelnienieHTML H0(int linia, Wyrazenie w) { return {linia, 0, std::move(w)}; }
inline WierszTekstu Cyfry(int linia, Kody6 kody) {
    return {linia, RodzajWiersza::Cyfry6, 0, {}, {}, BezSzumu, BezSzumu, std::move(kody)};
}
inline WypelnienieHTML HKody(int linia, Kody6 kody) { return {linia, 0, {}, BezSzumu, std::move(kody)}; }
}  // namespace skroty

// The file name of an HTML page of the text output wyjscie.
std::string NazwaStrony(const std::string& wyjscie, const StronaRaportu& strona);

// The writer: the text output at wyjscie, then every page, each put in
// place whole. True when all outputs were written. Every template is read
// first: one that cannot be read changes no file and leaves the flag. A
// failed write stops the writer, the files put in place before staying;
// k.PowodBleduRaportu tells why. The pending flag is cleared when the text
// output is in place and again when each page is.
bool TworzRaport(Kontekst& k, const OpisRaportu& opis, const std::string& wyjscie);

// The entry: while the report is pending, writes it under the name
// KatalogOperatora + stem + "." + EXT. True when its files were written
// now; false when it was not pending or its writer failed, so that a
// caller does not show a file that this call did not write.
bool UruchomRaport(Kontekst& k, const OpisRaportu& opis);

// The length a template line needs so that every field of the row lies
// inside it.
int MinimalnaDlugosc(const CzescTekstu& czesc, const WierszTekstu& wiersz);

}  // namespace vesk
