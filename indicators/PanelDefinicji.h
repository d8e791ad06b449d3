// The definition panel of the indicator window as plain state: the source
// chosen on each side with its statement tree, the four definition boxes
// and two operators (the two sides), the indicator list's text and index,
// and whether the chart may be drawn. The window shows it and turns drags
// and choices into these calls.
#pragma once

#include <string>

#include "DrzewoPozycji.h"
#include "UserInterface.h"
#include "Wskaznik.h"

namespace vesk {

enum class StronaPanelu { Licznik, Mianownik };
enum class Okienko { Licznik1, Licznik2, Mianownik1, Mianownik2 };

struct PanelDefinicji {
    // The selected entry of each side's source box and its tree.
    std::string ZrodloLicznika;
    std::string ZrodloMianownika = "Bilans Pasywa";
    DrzewoPozycji DrzewoLicznika, DrzewoMianownika;

    StronaWskaznika Licznik, Mianownik;

    // The indicator list: its text and selected entry (-1: none).
    std::string TekstListy;
    int IndeksListy = -1;

    bool WykresDozwolony = false;

    // The text of a definition box: label(source), or empty.
    std::string Tekst(Okienko o) const;
    const StronaWskaznika& Strona(StronaPanelu s) const { return s == StronaPanelu::Licznik ? Licznik : Mianownik; }
    StronaWskaznika& Strona(StronaPanelu s) { return s == StronaPanelu::Licznik ? Licznik : Mianownik; }
    // Both first boxes hold an item.
    bool Kompletny() const { return Licznik.Pierwsza.has_value() && Mianownik.Pierwsza.has_value(); }

    // A source chosen on a side: its tree is loaded from katalog. A name
    // that is no source changes nothing. A tree file that cannot be read
    // or is refused leaves the tree empty and tells the user why.
    void ZmianaZrodla(StronaPanelu strona, const std::string& nazwa, const std::string& katalog, UserInterface& ui);

    // The node numbered numerWezla (0: none selected) of the tree of side
    // zDrzewa dropped onto a box. A numerator box takes only the numerator
    // tree's nodes and a denominator box only the denominator tree's; the
    // other side's node is refused with a message. A first item dropped
    // while the boxes show a listed indicator starts a new indicator: both
    // second items and operators are emptied.
    void Upusc(Okienko cel, StronaPanelu zDrzewa, int numerWezla, UserInterface& ui);

    // An operator chosen for a side: "xxx" empties the second box and
    // leaves the operator box empty.
    void ZmianaOperatora(StronaPanelu strona, const std::string& op);
};

}  // namespace vesk
