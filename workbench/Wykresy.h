// The two charts of the selected node's three years: the balance chart
// (assets and liabilities as stacked bars, from TabelaBilansu) and the
// three-year line of net profit or net sales drawn over the tree. What is
// plotted, the titles, the menu toggles and the geometry live here; the
// chart widgets only draw these.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "Typy.h"

namespace vesk {

class Warsztat;

// [group 0..2][year 0..2][side 0 assets, 1 liabilities] at 6g + 2t + s.
using TabelaBilansu_t = std::array<double, 18>;
inline constexpr int PozycjaBilansu(int grupa, int rok, int strona) { return 6 * grupa + 2 * rok + strona; }

// The table from the balance cells of the record (the record itself is
// not changed; no script variable is touched). Assets group 2 stays 0.
TabelaBilansu_t TabelaBilansu(const StanModelu& rekord);

// The first year on the balance chart: the record's year field less 3.
int PierwszyRokBilansu(const StanModelu& rekord);

struct SeriaWykresu {
    std::string Nazwa;        // code page 1250
    unsigned Kolor;           // 0xRRGGBB
    std::vector<double> Wartosci;  // one per year
};

struct WykresBilansu {
    std::string Tytul;               // two lines, "\n" between
    std::vector<int> Lata;           // the categories
    std::vector<SeriaWykresu> Serie; // stacked bottom first
};

// The assets and the liabilities chart of the table; with no node
// selected (`pusty`) both have their series but no values.
struct WykresyBilansu {
    WykresBilansu Aktywa, Pasywa;
};
WykresyBilansu Rysuj(const TabelaBilansu_t& tabela, int pierwszyRok, bool pusty);

// The node a chart was drawn for: its number (-1: none selected) in the
// operator of that generation (Warsztat::PokolenieOperatora).
struct WezelWykresu {
    int Numer = -1;
    unsigned Operator = 0;
};
WezelWykresu WezelWybrany(const Warsztat& w);

// A chart of the selected node after any change of the selection, the tree
// or the operator: drawn again from the selected node's record when that
// node is simulated (rekord, and dla then names it), gone for an
// unsimulated node, for none, or after an operator command. One drawn with
// no node selected stays as it is while none is.
enum class WykresPoZmianie { Zostaje, Rysuj, Znika };
WykresPoZmianie ZaWyborem(Warsztat& w, WezelWykresu& dla, std::unique_ptr<StanModelu>& rekord);

enum class RodzajWykresu { Brak, ZyskNetto, Sprzedaz };

struct PunktWykresuTrzyletniego {
    double x, y;
    bool operator==(const PunktWykresuTrzyletniego&) const = default;
};

// The three points of the record: x = year field - 4 + i, y the net
// profit of year i as the income statement prints it (a loss negative) or
// the net sales (offset 4528 i + 1216).
std::vector<PunktWykresuTrzyletniego> PunktyTrzyletnie(const StanModelu& rekord, RodzajWykresu rodzaj);

// The value axis of the three-year chart: from the lowest to the highest
// point with zero always inside, so that a loss stands below the zero
// line and a small change is not blown up into a deep swing; -1 to 1 when
// every point is 0 (or there is none).
struct ZakresOsi {
    double Od = 0, Do = 0;
    bool operator==(const ZakresOsi&) const = default;
};
ZakresOsi OsWartosci(const std::vector<PunktWykresuTrzyletniego>& punkty);

struct ProstokatWykresu {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const ProstokatWykresu&) const = default;
};
// The three-year chart over the tree, moved right by one level column per
// level of the selected node (root 0).
ProstokatWykresu GeometriaWykresu(const ProstokatWykresu& drzewo, int poziom);

// The menu toggles "&Zysk netto" / "&Sprzedaż" and the chart they show.
struct WykresTrzyletni {
    bool Zysknetto1 = false, Sprzeda1 = false;
    bool Widoczny = false;  // Chart1
    std::string Tytul;      // two lines, "\n" between
    std::string TytulOsi = "[lata]";
    std::vector<PunktWykresuTrzyletniego> Punkty;

    RodzajWykresu Rodzaj() const;
    // Toggles an item; the other is unchecked first. Showing the chart
    // disables adding decisions (the menu "&Decyzje" and the add button),
    // hiding enables them. Draws from the current record.
    void Zysknetto1Click(Warsztat& w);
    void Sprzeda1Click(Warsztat& w);
    // A click on the chart hides it and unchecks its item. Hiding gives the
    // menu "&Decyzje" back only while a tree is loaded; with no node
    // selected the chart has no points.
    void Chart1Click(Warsztat& w);
    // Title and points from the current record, only while shown.
    void Maly_Wykres_Trzyletni(const StanModelu& rekord);
    // While shown, after any change: drawn for the node selected, or hidden
    // as a click on it hides it (ZaWyborem).
    void PoZmianie(Warsztat& w);

private:
    void przelacz(Warsztat& w, bool& ten, bool& inny);
    WezelWykresu dla_;
};

}  // namespace vesk

namespace vesk {

// The balance chart's data as the menu command "Bilans" leaves it: the
// table of the current record and its first year; empty when no node is
// selected. A cell beyond the 6-byte real is told the user and leaves the
// chart empty.
struct StanBilansu {
    TabelaBilansu_t Tabela{};
    int PierwszyRok = 0;
    bool Pusty = true;
    WezelWykresu Wezel;  // the node it was filled for
};
StanBilansu Bilans2Click(Warsztat& w);
// The balance chart shown, after any change: refilled for the node
// selected (ZaWyborem); false when it is to be hidden.
bool BilansPoZmianie(Warsztat& w, StanBilansu& s);

}  // namespace vesk
