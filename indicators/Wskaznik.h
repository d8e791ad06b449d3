// Indicator definitions: the nine statement sources with their tree files,
// an item (one statement position of one source), the two sides of an
// indicator, the text parsers of side formulas, and the indicator table in
// which a set keeps its definitions (20 text columns per row).
//
// Items stay structured (source, label) from the drop through the table
// to the evaluation; their text form label(source) is for display. The
// parsers serve text that exists only as a formula: they split on ( ) and
// + - * /, so a label holding one of those characters does not survive
// them (the cash-flow label that starts with "- ").
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// ------------------------------------------------------------ the sources

struct ZrodloWskaznika {
    const char* Nazwa;  // the source name the source boxes show
    const char* Rdzen;  // the stem of its tree file
};
// The nine sources in the order of the source boxes.
const std::array<ZrodloWskaznika, 9>& ZrodlaWskaznikow();
// Index of the source named nazwa (exact match), -1 for none.
int IndeksZrodla(const std::string& nazwa);
// katalog + stem + ".tre" of the source named nazwa; nothing for an unknown one.
std::optional<std::string> PlikDrzewa(const std::string& katalog, const std::string& nazwa);

// ------------------------------------------------------------- the items

struct PozycjaWskaznika {
    std::string Zrodlo;    // source name
    std::string Etykieta;  // position label
    bool operator==(const PozycjaWskaznika&) const = default;
    // label + "(" + source + ")"
    std::string Tekst() const;
};

// One side: the first item, the operator ("" or "xxx": none, or one of
// "+", "-", "*", "/") and the second item.
struct StronaWskaznika {
    std::optional<PozycjaWskaznika> Pierwsza;
    std::string Operator;
    std::optional<PozycjaWskaznika> Druga;
    // The items with the operator that joins each to the value before it:
    // '!' for the first, the side's operator for the second (a second item
    // without an operator is left out).
    std::vector<std::pair<char, PozycjaWskaznika>> Skladniki() const;
    // The side formula: first box text, then operator and second box text.
    std::string Formula() const;
};

// ------------------------------------------------------------ the parsers

// The position label of the N-th item of a side formula (N from 1).
std::string RozbiorPozycja(const std::string& Formula, int N);
// The source name of the N-th item.
std::string RozbiorZrodlo(const std::string& Formula, int N);
// The operator joining the N-th item to the value before it: '!' for a
// first item that starts the formula, else the N-th (or last) operator
// character, '\x14' when there is none.
char RozbiorOperand(const std::string& Formula, int N);

// --------------------------------------------------------- the table

inline constexpr int KolumnWiersza = 20;
using WierszWskaznika = std::array<std::string, KolumnWiersza>;

// Column numbers of an indicator row.
namespace kol {
inline constexpr int Nazwa = 1, Nieuzywana = 2, ZrodloLicznika1 = 3, PozycjaLicznika1 = 4, ZrodloMianownika1 = 5,
                     PozycjaMianownika1 = 6, OperatorLicznika = 7, OperatorMianownika = 8, ZrodloLicznika2 = 9,
                     PozycjaLicznika2 = 10, ZrodloMianownika2 = 11, PozycjaMianownika2 = 12, Relacja = 13,
                     Prog1 = 14, Prog2 = 15;
}

struct IndicatorDef {
    std::string Nazwa;
    std::string Kolumna2;  // kept as read, written back unchanged
    StronaWskaznika Licznik, Mianownik;
    std::string Relacja, T1, T2;

    static IndicatorDef ZWiersza(const WierszWskaznika& wiersz);
    // The row's columns 1..15 (column 0 and 16..19 empty).
    WierszWskaznika DoWiersza() const;
};

// The hidden grid of the window: row 0 holds the column letters, row 1
// the set's titles, rows 2..LiczbaWskaznikow one indicator each.
struct TabelaWskaznikow {
    std::vector<WierszWskaznika> Wiersze;
    int LiczbaWskaznikow = 1;

    TabelaWskaznikow();
    // The cell, empty outside the grid.
    const std::string& Komorka(int wiersz, int kolumna) const;
    // Sets the cell, growing the grid; false for a negative place or a
    // column beyond 19.
    bool UstawKomorke(int wiersz, int kolumna, const std::string& tekst);
    // True for rows 2..LiczbaWskaznikow that exist.
    bool WierszWskaznikaIstnieje(int wiersz) const;
    // Appends a definition after the last one.
    void Dodaj(const IndicatorDef& w);
    // The names of rows 2..LiczbaWskaznikow: the list's entries.
    std::vector<std::string> Nazwy() const;
};

}  // namespace vesk
