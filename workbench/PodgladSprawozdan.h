// The report viewers of the results menu: each loads the selected node's
// record, sets its report's pending flag, runs the report's entry and
// names the text file and the HTML page the window shows. The table holds
// one row per viewer in menu order; the window finds its items by name.
#pragma once

#include <string>
#include <vector>

#include "Kontekst.h"

namespace vesk {

class Warsztat;

struct OpisPodgladu {
    const char* nazwa;    // the menu item, e.g. "Zapasy1"
    bool (*wejscie)(Kontekst&);
    bool FlagiWynikow_t::*flaga;
    const char* raport;   // the report's extension, for messages
    const char* podpis;   // the report window's caption (code page 1250)
    const char* tekst;    // the text file: stem + this
    const char* strona;   // the page: stem + this; nullptr: none
};

// The thirteen viewers in menu order (the decision-variables form last).
const std::vector<OpisPodgladu>& Podglady();
// The row of a menu item's name; nullptr for none.
const OpisPodgladu* ZnajdzPodglad(const std::string& nazwa);
// The order in which "&Zapis sprawozdan do pliku" runs them.
const std::vector<std::string>& KolejnoscZapisu();

enum class StatusPodgladu {
    Pokazany,    // the files were written now: show them
    Pominiety,   // the node is not simulated: nothing shown
    Odmowa,      // the synthetic result of the root: told the user
    BladRekordu, // the node's record is missing: told the user
    BladRaportu, // the entry failed: told the user, the windows cleared
    BrakTekstu,  // the text file cannot be found: told the user, the windows cleared
};

struct WynikPodgladu {
    StatusPodgladu Status = StatusPodgladu::Pominiety;
    int Numer = 0;           // the node reported on
    std::string Podpis;      // the report window's caption
    std::string Tekst;       // the text file's native path; empty: none
    std::string Strona;      // the page's native path; empty: none
    // The report and browser windows are to be emptied (a failure: they
    // never keep another node's files).
    bool Wyczysc = false;
    // The viewers' tab is to become the only one shown.
    bool PokazZakladke = false;
};

// The viewer on the selected node (the root when none is selected).
WynikPodgladu UruchomPodglad(Warsztat& w, const OpisPodgladu& opis);

// All reports of the selected node, the viewers one after another; a
// failed one does not stop the others. The result is the last viewer's
// (the costs report's); the failed ones are named in one message at the end.
WynikPodgladu ZapisSprawozdanDoPliku(Warsztat& w);

}  // namespace vesk
