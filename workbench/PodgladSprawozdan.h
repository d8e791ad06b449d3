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
    // The report's extension, for messages; its files are the ones its
    // writers name (PlikiRaportuEXT): the text file and the first page.
    const char* raport;
    const char* podpis;   // the report window's caption (code page 1250)
    bool strona;          // its page is shown in the viewers' tab
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
    BrakTekstu,  // the text file written cannot be found: told the user, the windows cleared
};

struct WynikPodgladu {
    StatusPodgladu Status = StatusPodgladu::Pominiety;
    int Numer = 0;           // the node reported on
    std::string Podpis;      // the report window's caption
    // The native paths of the files its writer wrote now, by the names it
    // gave them (never an older file, nor one spelt otherwise): the text
    // file and the page the viewers' tab shows; empty: none.
    std::string Tekst;
    std::string Strona;
    // Every page of the statement (PlikiRaportu::strony) written now: its
    // native path, or empty for one not written now.
    std::vector<std::string> Strony;
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
