// Read-outs: one item of a financial report of the current node, computed
// again from the node's record with the same fields and expressions the
// report prints, so that a script or an indicator can never see another
// number than the report shows.
//
// Each family is a plain function of the record that returns the value,
// or BrakWartosci (-1000.0) when the arguments select no cell. Sums run
// left to right in extended precision and are rounded to a double once;
// the synthetic result is rounded to the 6-byte real first. Years are 1..3
// of the node's period in every family (also production, inventories and
// costs: another year selects no cell and never reads outside the record).
//
// The procedures named after the language's verbs store the value into a
// script variable through wyjscie_transform. The balance sheet's cells are
// in PozycjaBilansu.h, with BrakWartosci.
#pragma once

#include <string>

#include "Kontekst.h"
#include "PozycjaBilansu.h"
#include "RaportyWskaznikow.h"
#include "Typy.h"

namespace vesk {

// ------------------------------------------------------------ families

// Income statement: side 1 costs and losses (items 1..16, 16 the total of
// items 8, 1, 7, 10 and 11), side 2 revenues and gains (items 1..7, 7 the
// total of items 5, 1 and 6). Item 13 of side 1, the net profit, is the
// statement's signed one (a loss negative), as the statement in stages, the
// revenue report and the balance sheet print it; the account form shows a
// loss on its right side instead and its net-profit line 0.
double WartoscRachunkuWynikow(const StanModelu& rekord, int pozycja, int strona, int rok);

// Synthetic result, items 1..9, as the report prints them (the ratios as
// the ratio reports do): kind 1 the item in year 3 of the current record,
// kind 2 its yearly average over the path from the current node up to the
// root, root excluded (SciezkaDoKorzenia, SrednieNaSciezce: records read
// into RekordPomocniczy). A ratio the report prints as "b.d." (no divisor)
// reads as the model stored it. BrakWartosci for the root's average, a
// parent chain that does not reach the root, or a path none of whose
// records is found. BladSkryptu (PlikStanu) when the model-state file
// cannot be read, (PozaZakresem) when a path sum outgrows the 6-byte real.
double WartoscWynikuSyntetycznego(Kontekst& k, int pozycja, int rodzaj);

// Cash flow by the direct method, items 1..15 (13 = item 1 - item 8).
double WartoscCashFlow(const StanModelu& rekord, int pozycja, int rok);

// Decision variables, items 1..18: orders, prices (x 1000), raw-material
// purchases, dividend share and debt ratio (x 100), share issue, and the
// variant code of the six investment projects (0 for none).
double WartoscDecyzji(const StanModelu& rekord, int pozycja, int rok);

// Production, the indicator window's numbering: items 1..3 production
// (side 1) and sales (side 2), items 4..6 capacity per step (side 1) and
// its use in percent (side 2, 0 with no capacity).
double WartoscProdukcji(const StanModelu& rekord, int pozycja, int strona, int rok);
// The same cells in the language's numbering: 1..3, 4..6, 7..9, 10..12.
double WartoscProdukcji(const StanModelu& rekord, int pozycja, int rok);

// Inventories: items 1..3 raw materials (side 1) and finished goods (side
// 2), items 4..6 work in progress (side 1); side 2 items 4..6 are 0.0.
double WartoscZapasow(const StanModelu& rekord, int pozycja, int strona, int rok);
// The language's numbering: 1..3, 4..6, 7..9.
double WartoscZapasow(const StanModelu& rekord, int pozycja, int rok);

// Costs: the left column group (side 1, items 1..12; 13 and 14 are 0.0)
// and the right one (side 2, items 1..14) in the report's order.
double WartoscKosztow(const StanModelu& rekord, int pozycja, int strona, int rok);
// The language's numbering: side 1 items 1..12, then side 2 as 13..26.
double WartoscKosztow(const StanModelu& rekord, int pozycja, int rok);

// Ratios in the order the ratio reports print them: items 1..3 (1..4 for
// profitability), the values the reports print (DrukowaneWskazniki); a
// ratio the report prints as "b.d." (no divisor) reads as the model stored
// it.
double WartoscWskaznika(const StanModelu& rekord, Wskazniki grupa, int pozycja, int rok);

// ------------------------------------------------------------ the store

// Stores wartosc into the script variable named exactly "x1" .. "x100"
// (case counts, nothing trimmed: "x01", "X1" and "x101" name none). False,
// with nothing stored, for any other name.
bool wyjscie_transform(Kontekst& k, const std::string& Name, double Value);

// The read-out procedures of the language and the indicator window: the
// family's value of the current record stored through wyjscie_transform;
// false when Name names no variable.
bool Wyjscie_rachunek_wynikow(Kontekst& k, int Item, int Side, int Year, const std::string& Name);
bool Wyjscie_wynik_syntetyczny(Kontekst& k, int Item, int Kind, const std::string& Name);
bool Wyjscie_CashFlow(Kontekst& k, int Item, int Year, const std::string& Name);
bool Wyjscie_Decyzje(Kontekst& k, int Item, int Year, const std::string& Name);
bool Wyjscie_Produkcja(Kontekst& k, int Item, int Side, int Year, const std::string& Name);
bool _produkcja(Kontekst& k, int Item, int Year, const std::string& Name);
bool Wyjscie_Zapasy(Kontekst& k, int Item, int Side, int Year, const std::string& Name);
bool _zapasy(Kontekst& k, int Item, int Year, const std::string& Name);
bool Wyjscie_Koszty(Kontekst& k, int Item, int Side, int Year, const std::string& Name);
bool _koszty(Kontekst& k, int Item, int Year, const std::string& Name);
bool Wyjscie_wskazniki_rentownosci(Kontekst& k, int Item, int Year, const std::string& Name);
bool Wyjscie_wskazniki_plynnosci(Kontekst& k, int Item, int Year, const std::string& Name);
bool Wyjscie_wskazniki_zadluzenia(Kontekst& k, int Item, int Year, const std::string& Name);
bool Wyjscie_wskazniki_obrotowosci(Kontekst& k, int Item, int Year, const std::string& Name);

// KomorkaBilansu / WartoscBilansu of the current record stored into the
// variable Name; BladSkryptu (PozaZakresem) for a cell beyond the 6-byte
// real.
bool Pozycja_Bilansu(Kontekst& k, int Row, int Column, const std::string& Name);
bool _bilans(Kontekst& k, int Item, int Side, int Year, const std::string& Name);

// The entries of the indicator window and the optimisation: the same
// read-outs under the names those callers use.
bool Odczyt_Rachunek_Wynikow(Kontekst& k, int Item, int Side, int Year, const std::string& Name);
bool Odczyt_Produkcja(Kontekst& k, int Item, int Side, int Year, const std::string& Name);
bool Odczyt_Zapasy(Kontekst& k, int Item, int Side, int Year, const std::string& Name);
bool Odczyt_Koszty(Kontekst& k, int Item, int Side, int Year, const std::string& Name);
bool Odczyt_Wynik_Syntetyczny(Kontekst& k, int Item, int Kind, const std::string& Name);
bool Odczyt_Bilans(Kontekst& k, int Row, int Column, const std::string& Name);
bool Odczyt_CashFlow(Kontekst& k, int Item, int Year, const std::string& Name);
bool Odczyt_Decyzje(Kontekst& k, int Item, int Year, const std::string& Name);

}  // namespace vesk
