// Evaluation and diagnosis of the indicator in the definition boxes for one
// year of the current record: each side from 0, its items applied strictly
// left to right, the quotient shown with 3 decimals, then the relation and
// thresholds of the indicator's table row and the diagnosis in words. Also
// the two threshold dialogs and the relation box.
//
// Every failure shows as a text in the value box with the diagnosis
// "nie wiem": an unknown source or position (NieznanaPozycja), a zero
// divisor or denominator ("0 w mianowniku"), a value beyond the 6-byte
// real ("poza zakresem"). Nothing is thrown and no script variable is
// touched.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "PanelDefinicji.h"
#include "Typy.h"
#include "UserInterface.h"
#include "Wskaznik.h"

namespace vesk {

// The entries of the relation box, entry 0 the empty one.
const std::array<const char*, 6>& WpisyRelacji();

struct OcenaWskaznika {
    TabelaWskaznikow Tabela;
    int Rok = 1;  // 1..3 of the node's period
    // The thresholds were changed by a dialog since the indicator was
    // chosen: the evaluation takes them from the boxes, not the table.
    bool ProgiEdytowane = false;
    std::string Prog1, Prog2;  // threshold boxes: lower, upper
    int WpisRelacji = 0;       // selected entry of the relation box
    std::string RelacjaWskaznika;  // relation of the indicator last evaluated
    std::string Wartosc;           // the value box
    std::string Diagnoza;
};

// Why an item has no value: "nieznane źródło: " + source for a source
// name that is none of the nine, else "nieznana pozycja: " + label.
std::string NieznanaPozycja(const PozycjaWskaznika& p);

// A decimal number as the evaluation reads it: "." as the decimal point,
// blanks around it allowed, no locale.
std::optional<long double> LiczbaProgu(const std::string& tekst);

// The value box text of a quotient: rounded to the 6-byte real, fixed
// point with 3 decimals in at least 5 characters; "0 w mianowniku" for a
// zero denominator, "poza zakresem" beyond the 6-byte real.
std::string TekstWartosci(long double licznik, long double mianownik);

// The diagnosis of a value box text under a relation and two threshold
// texts; "nie wiem" for an unknown relation, a value text that is no
// number, a missing or non-numeric threshold.
std::string DiagnozaWartosci(const std::string& relacja, const std::string& wartosc, const std::string& t1,
                             const std::string& t2);

// The evaluation (both first boxes must hold an item, else nothing
// happens). The indicator row is the list's index + 2, or, when that
// row's name differs from the list text, the first row of that name.
void Oblicz(PanelDefinicji& panel, OcenaWskaznika& o, const StanModelu& rekord);

// The dialog of threshold 1 (ktory = 1, the lower one) or 2: a numeric
// answer (or an empty one) replaces the box, marks the thresholds edited
// and goes into the indicator's row; emptying a threshold drops the
// relation. Any other answer is refused with a message, nothing changed.
void DialogProgu(int ktory, PanelDefinicji& panel, OcenaWskaznika& o, const StanModelu& rekord, UserInterface& ui);

// A relation chosen (entry 0..5): one that needs a threshold the boxes do
// not hold falls back to entry 0; the entry's text goes into the row.
void ZmianaRelacji(int wpis, const PanelDefinicji& panel, OcenaWskaznika& o);

}  // namespace vesk
