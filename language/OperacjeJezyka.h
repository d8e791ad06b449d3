// The operations through which programs (the optimisation, the verbs of
// the command language) drive the workbench as a user would. Nodes are
// named by their position in the tree (absolute index, depth-first from
// the root at 0); one position names one node for the record and the
// selection alike. Every failure, a position without a node included, is
// a BladSkryptu; the workbench has told the user its own refusal first.
#pragma once

#include <string>

#include "Warsztat.h"

namespace vesk {

// Opens the operator of a tree file and selects the root; creates a new
// operator of a tree file (one of the name in another letter case
// replaced) and selects the root. The name is taken as vesk-wsad takes its
// argument (ZnajdzOperatora, FormaNazwy::PlikDrzewa): blanks around it
// dropped, ".tr1" in any letter case required, a control character
// refused.
void Wczytaj_Plik(Warsztat& w, const std::string& plikDrzewa);
// Utworz_Plik tells an operator it replaced (Warsztat::ZglosZastapienie).
void Utworz_Plik(Warsztat& w, const std::string& plikDrzewa);
// The same for an operator this program names itself ("optyma"): its files
// spelt exactly so (Warsztat::TworzenieOperatoraProgramu).
void Utworz_Operator_Programu(Warsztat& w, const std::string& plikDrzewa);

// One box of the decision sheet for a product or material word ("alfa",
// "beta", "gamma"; "white", "black", "red") and a year word ("rok1" ..
// "rok3"), compared exactly; words that match nothing change no box. The
// sheet is confirmed in every case.
void Zmiana_Cena(Warsztat& w, const std::string& produkt, const std::string& rok, const std::string& wartosc);
void Zmiana_Produkcja(Warsztat& w, const std::string& produkt, const std::string& rok, const std::string& wartosc);
void Zmiana_Zamowienia_Surowcow(Warsztat& w, const std::string& surowiec, const std::string& rok,
                                const std::string& wartosc);
void Zmiana_Emisja_Akcji(Warsztat& w, const std::string& rok, const std::string& wartosc);
void Zmiana_Dywidenda(Warsztat& w, const std::string& rok, const std::string& wartosc);
void Zmiana_Zadluzenie(Warsztat& w, const std::string& rok, const std::string& wartosc);

// Base and template selections and a new child of the base; the add
// command is left enabled whatever happened.
void Dodaj_Wezel(Warsztat& w, int pozycjaBazowego, int pozycjaWzoru);
void Kasuj_Wezel(Warsztat& w, int pozycja);
// Simulates a node not yet simulated; a simulated node stays as it is.
void Symuluj_Wezel(Warsztat& w, int pozycja);
// The node's record into RekordBiezacy, the node selected and shown in the
// decision sheet, so that the next decision change confirms into it.
void Ustaw_Biezacy(Warsztat& w, int pozycja);

// ---------------------------------------------------- used by the verbs
// The sheet box of a group ("cena", "zlec", "Surowiec", "Dywidenda", ...)
// for the selector and year words; null when a word matches nothing.
std::string* PoleDecyzji(Warsztat& w, const std::string& grupa, const std::string& selektor,
                         const std::string& rok);
// Index 0..2 of "rok1".."rok3"; -1 for any other word.
int IndeksRoku(const std::string& rok);
// Stores the sheet into its node; BladSkryptu (Odmowa) when refused.
void PotwierdzFormularz(Warsztat& w);
// The position of the tree item of node numer; BladSkryptu (BrakWezla).
int PozycjaWezla(const Warsztat& w, int numer);

}  // namespace vesk
