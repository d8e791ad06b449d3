// The position lookup: which read-out of the current record gives the
// value of a statement position (source name, position label). Labels
// compare exactly, case and blanks included. The values come from the
// read-outs of a const record; no script variable is written.
#pragma once

#include <optional>
#include <vector>

#include "Typy.h"
#include "Wskaznik.h"

namespace vesk {

enum class RodzinaOdczytu { Koszty, Produkcja, Decyzje, Zapasy, RachunekWynikow, Bilans, CashFlow, Jedynka };

struct PozycjaTabeli {
    PozycjaWskaznika Pozycja;
    RodzinaOdczytu Rodzina;
    int Numer;     // item, or the balance-sheet row
    int Selektor;  // the family's selector; 0 for none
    // Balance sheet: 0 the year is the column (assets), 3 the year + 3
    // (liabilities).
    int PrzesuniecieKolumny;
};

// The 131 positions of the nine sources and the constant "jedynka" of
// "Bilans Aktywa", in table order.
const std::vector<PozycjaTabeli>& TabelaPozycji();

// The entry of the pair, nullptr for a pair the table does not know.
const PozycjaTabeli* ZnajdzPozycje(const PozycjaWskaznika& p);

// The value of the position in year rok (1..3) of the record; nothing for
// an unknown pair. A read-out whose arguments select no cell gives its
// default (-1000.0). BladSkryptu (PozaZakresem) when a balance cell is
// beyond the 6-byte real.
std::optional<double> WartoscPozycji(const StanModelu& rekord, const PozycjaWskaznika& p, int rok);

}  // namespace vesk
