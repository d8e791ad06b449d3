// The balance-sheet read-outs: a cell of the balance the balance-sheet
// report prints, that is of the record after the closing step
// (DomknijBilans). The step runs on a copy: the current record is never
// changed, so a read-out gives the same value whichever read-outs ran
// before it (cash read through the cash flow stays as the record holds it).
#pragma once

#include "Typy.h"

namespace vesk {

// The value of a read-out whose arguments select no cell.
inline constexpr double BrakWartosci = -1000;

// The grid of the balance chart and the indicator window: row 0 the
// calendar years, assets in rows 1..16 of columns 1..3 (years 1..3),
// liabilities in rows 1..14 of columns 4..6. Rounded to the 6-byte real;
// BrakWartosci (-1000.0) for a cell outside the grid; Real48Error for a
// sum beyond the 6-byte real.
double KomorkaBilansu(const StanModelu& rekord, int wiersz, int kolumna);

// The language's numbering: side 1 asset row 1..16, side 2 liability row
// 1..14, year 1..3; liability row 7 (the loss) negated.
double WartoscBilansu(const StanModelu& rekord, int pozycja, int strona, int rok);

}  // namespace vesk
