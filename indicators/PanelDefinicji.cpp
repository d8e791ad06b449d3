#include "PanelDefinicji.h"

namespace vesk {

namespace {

bool BoxLicznika(Okienko o) { return o == Okienko::Licznik1 || o == Okienko::Licznik2; }
bool PierwszyBox(Okienko o) { return o == Okienko::Licznik1 || o == Okienko::Mianownik1; }

}  // namespace

std::string PanelDefinicji::Tekst(Okienko o) const {
    const StronaWskaznika& s = BoxLicznika(o) ? Licznik : Mianownik;
    const auto& p = PierwszyBox(o) ? s.Pierwsza : s.Druga;
    return p ? p->Tekst() : std::string();
}

void PanelDefinicji::ZmianaZrodla(StronaPanelu strona, const std::string& nazwa, const std::string& katalog,
                                  UserInterface& ui) {
    const auto plik = PlikDrzewa(katalog, nazwa);
    if (!plik) return;
    (strona == StronaPanelu::Licznik ? ZrodloLicznika : ZrodloMianownika) = nazwa;
    WczytaneDrzewo w = WczytajDrzewo(*plik);
    if (!w.Blad.empty()) ui.message(w.Blad);
    (strona == StronaPanelu::Licznik ? DrzewoLicznika : DrzewoMianownika) = std::move(w.Drzewo);
}

void PanelDefinicji::Upusc(Okienko cel, StronaPanelu zDrzewa, int numerWezla, UserInterface& ui) {
    const bool dlaLicznika = BoxLicznika(cel);
    if (dlaLicznika && zDrzewa != StronaPanelu::Licznik) {
        ui.message("z tego okienka mo\xBFna wybra\xE6 tylko MIANOWNIK");
        return;
    }
    if (!dlaLicznika && zDrzewa != StronaPanelu::Mianownik) {
        ui.message("z tego okienka mo\xBFna wybra\xE6 tylko LICZNIK");
        return;
    }
    const DrzewoPozycji& drzewo = dlaLicznika ? DrzewoLicznika : DrzewoMianownika;
    if (const WezelPozycji* w = drzewo.Wezel(numerWezla)) {
        // A first item dropped over a listed indicator starts a new one:
        // the listed one's second items and operators do not join it.
        if (PierwszyBox(cel) && IndeksListy >= 0)
            for (StronaWskaznika* strona : {&Licznik, &Mianownik}) {
                strona->Druga.reset();
                strona->Operator.clear();
            }
        StronaWskaznika& s = dlaLicznika ? Licznik : Mianownik;
        (PierwszyBox(cel) ? s.Pierwsza : s.Druga) =
            PozycjaWskaznika{dlaLicznika ? ZrodloLicznika : ZrodloMianownika, w->Tekst};
        TekstListy.clear();  // the boxes no longer show a listed indicator
        IndeksListy = -1;
    }
    if (PierwszyBox(cel) && Kompletny()) WykresDozwolony = true;
}

void PanelDefinicji::ZmianaOperatora(StronaPanelu strona, const std::string& op) {
    StronaWskaznika& s = Strona(strona);
    if (op == "xxx") {
        s.Druga.reset();
        s.Operator.clear();
    } else {
        s.Operator = op;
    }
}

}  // namespace vesk
