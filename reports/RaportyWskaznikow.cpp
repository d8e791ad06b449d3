#include "RaportyWskaznikow.h"

#include "Kontekst.h"
#include "RaportPRF.h"

namespace vesk {

namespace {

using namespace pola;

// The denominators of the stored ratios: short-term liabilities, and the
// fixed assets with the investments in progress.
Wyrazenie Krotkoterminowe() { return PozostaleZobowiazaniaKrotkoterminowe + KredytSanacyjny + Zobowiazania; }
Wyrazenie Trwale() { return InwestycjeRozpoczete + SrodkiTrwale; }

// What sets one ratio report apart from the others.
struct OpisWskaznikow {
    const char* EXT;
    bool FlagiWynikow_t::*flaga;
    int N, K;
    std::vector<Wyrazenie> pola;  // ratios 1, 2, ... in order
    std::vector<int> linieTekstu;  // their text lines
    int liniaLatStrony;  // the page's year line; the ratio lines follow it
    int ostatniaStrony;
};

// Text: years on line 9 from column start 46, ratio rows with 2 decimals,
// lines 1-21. Page: header, the lines before the year line, the fills, the
// rest up to the last line.
OpisRaportu Opis(const OpisWskaznikow& w) {
    const std::string ext = w.EXT;
    CzescTekstu c{.wzorzec = "QAD." + ext, .N = w.N, .K = w.K, .c1 = 46, .c2 = 46, .ostatnia = 21};
    c.wiersze = {{9, RodzajWiersza::Lata3, 0}};
    StronaRaportu s{.wzorzec = "QAD." + ext + ".HTML", .rozszerzenie = "", .N = w.N, .K = w.K,
                    .pierwsza = w.liniaLatStrony, .ostatnia = w.ostatniaStrony};
    s.wypelnienia = {skroty::H0(w.liniaLatStrony, RokKalendarzowy())};
    for (std::size_t i = 0; i < w.pola.size(); ++i) {
        c.wiersze.push_back({w.linieTekstu[i], RodzajWiersza::Wiersz3L, 2, w.pola[i]});
        s.wypelnienia.push_back(skroty::H(w.liniaLatStrony + 1 + static_cast<int>(i), w.pola[i]));
    }
    return {.EXT = ext, .flaga = w.flaga, .czesci = {c}, .strony = {s}};
}

}  // namespace

const std::vector<Wyrazenie>& DrukowaneWskazniki(Wskazniki grupa) {
    static const std::vector<Wyrazenie> plynnosci{KapitalObrotowy,
                                                  ZDzielnikiem(WskaznikBiezacejPlynnosci, Krotkoterminowe()),
                                                  ZDzielnikiem(WskaznikSzybkiejPlynnosci, Krotkoterminowe())};
    static const std::vector<Wyrazenie> zadluzenia{ZDzielnikiem(WskaznikZadluzeniaOgolnego, SumaPasywow),
                                                   ZDzielnikiem(WskaznikZadluzeniaKapitaluWlasnego, KapitalWlasny),
                                                   ZDzielnikiem(WskaznikPokryciaOdsetek, KosztyFinansowe)};
    static const std::vector<Wyrazenie> rentownosci{
        Iloraz(ZyskNettoRachunku(), SumaAktywow), Iloraz(ZyskNettoRachunku(), Trwale()),
        Iloraz(ZyskNettoRachunku(), PrzychodyZeSprzedazy), Iloraz(ZyskNettoRachunku(), KapitalWlasny)};
    static const std::vector<Wyrazenie> obrotowosci{RotacjaZapasow, ZDzielnikiem(RotacjaMajatkuTrwalego, Trwale()),
                                                    ZDzielnikiem(RotacjaAktywow, SumaAktywow)};
    switch (grupa) {
        case Wskazniki::Plynnosci: return plynnosci;
        case Wskazniki::Zadluzenia: return zadluzenia;
        case Wskazniki::Rentownosci: return rentownosci;
        case Wskazniki::Obrotowosci: break;
    }
    return obrotowosci;
}

const OpisRaportu& OpisRaportuPLY() {
    static const OpisRaportu opis = Opis({"PLY", &FlagiWynikow_t::PLY, 30, 150,
                                          DrukowaneWskazniki(Wskazniki::Plynnosci), {12, 15, 18}, 19, 24});
    return opis;
}

const OpisRaportu& OpisRaportuZAD() {
    static const OpisRaportu opis = Opis({"ZAD", &FlagiWynikow_t::ZAD, 23, 255,
                                          DrukowaneWskazniki(Wskazniki::Zadluzenia), {12, 15, 18}, 18, 23});
    return opis;
}

const OpisRaportu& OpisRaportuREN() {
    static const OpisRaportu opis = Opis({"REN", &FlagiWynikow_t::REN, 24, 255,
                                          DrukowaneWskazniki(Wskazniki::Rentownosci), {13, 15, 17, 19}, 18, 24});
    return opis;
}

const OpisRaportu& OpisRaportuAKT() {
    static const OpisRaportu opis = Opis({"AKT", &FlagiWynikow_t::AKT, 30, 255,
                                          DrukowaneWskazniki(Wskazniki::Obrotowosci), {12, 15, 18}, 18, 23});
    return opis;
}

bool Raport_PLY(Kontekst& k) { return UruchomRaport(k, OpisRaportuPLY()); }
bool Raport_ZAD(Kontekst& k) { return UruchomRaport(k, OpisRaportuZAD()); }
bool Raport_REN(Kontekst& k) { return UruchomRaport(k, OpisRaportuREN()); }
bool Raport_AKT(Kontekst& k) { return UruchomRaport(k, OpisRaportuAKT()); }

bool Raport_PLY_Tworz(Kontekst& k, const std::string& OutName) { return TworzRaport(k, OpisRaportuPLY(), OutName); }
bool Raport_ZAD_Tworz(Kontekst& k, const std::string& OutName) { return TworzRaport(k, OpisRaportuZAD(), OutName); }
bool Raport_REN_Tworz(Kontekst& k, const std::string& OutName) { return TworzRaport(k, OpisRaportuREN(), OutName); }
bool Raport_AKT_Tworz(Kontekst& k, const std::string& OutName) { return TworzRaport(k, OpisRaportuAKT(), OutName); }

}  // namespace vesk
