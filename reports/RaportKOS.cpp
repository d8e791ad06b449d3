#include "RaportKOS.h"

#include "Kontekst.h"

namespace vesk {

namespace {

using namespace pola;
using skroty::H;
using skroty::L3;
using skroty::P3;

WierszTekstu Szesc(int linia, Wyrazenie lewa, Wyrazenie prawa, Szum szumPrawa = BezSzumu) {
    return {linia, RodzajWiersza::Wiersz6, 1, std::move(lewa), std::move(prawa), BezSzumu, szumPrawa};
}

// Text: the left group holds the production costs, materials, wages and
// their splits per product or department; the right group depreciation,
// services, taxes, financial costs and the costs of the products sold.
CzescTekstu Koszty() {
    CzescTekstu c{.wzorzec = "QAD.KOS", .N = 53, .K = 200, .c1 = 31, .c2 = 88, .ostatnia = 36};
    c.wiersze = {{9, RodzajWiersza::Lata, 0}, Szesc(12, KosztyWytworzenia, Amortyzacja, SzumRoku3)};
    for (int e = 1; e <= 3; ++e)
        c.wiersze.push_back(Szesc(13 + e, ElementPola(KosztyOperacyjneWyrobu, e), ElementPola(AmortyzacjaWydzialu, e)));
    c.wiersze.push_back(Szesc(19, ZuzycieMaterialow, UslugiObce));
    for (int e = 1; e <= 3; ++e)
        c.wiersze.push_back(Szesc(20 + e, ElementPola(ZuzycieMaterialowRoku, e), ElementPola(UslugiObceWydzialu, e)));
    c.wiersze.push_back(Szesc(25, WynagrodzeniaISwiadczenia, PodatkiIOplaty));
    c.wiersze.push_back(Szesc(27, ElementPola(WynagrodzeniaWydzialu, 1), KosztyFinansowe));
    c.wiersze.push_back(L3(28, ElementPola(WynagrodzeniaWydzialu, 2)));
    c.wiersze.push_back(L3(29, ElementPola(WynagrodzeniaWydzialu, 3)));
    c.wiersze.push_back(P3(30, KosztySprzedanychProduktow));
    for (int e = 1; e <= 3; ++e) c.wiersze.push_back(P3(31 + e, ElementPola(KosztSprzedanychRoku, e)));
    return c;
}

// Page: one row per item, the left group's items first.
StronaRaportu StronaKosztow() {
    StronaRaportu s{.wzorzec = "QAD.KOS.HTML", .rozszerzenie = "", .N = 53, .K = 200, .pierwsza = 18, .ostatnia = 53};
    s.wypelnienia = {skroty::H0(18, RokKalendarzowy()), H(19, KosztyWytworzenia)};
    for (int e = 1; e <= 3; ++e) s.wypelnienia.push_back(H(20 + e, ElementPola(KosztyOperacyjneWyrobu, e)));
    s.wypelnienia.push_back(H(25, ZuzycieMaterialow));
    for (int e = 1; e <= 3; ++e) s.wypelnienia.push_back(H(26 + e, ElementPola(ZuzycieMaterialowRoku, e)));
    s.wypelnienia.push_back(H(30, WynagrodzeniaISwiadczenia));
    for (int e = 1; e <= 3; ++e) s.wypelnienia.push_back(H(31 + e, ElementPola(WynagrodzeniaWydzialu, e)));
    s.wypelnienia.push_back(H(35, Amortyzacja, SzumRoku3));
    for (int e = 1; e <= 3; ++e) s.wypelnienia.push_back(H(36 + e, ElementPola(AmortyzacjaWydzialu, e)));
    s.wypelnienia.push_back(H(40, UslugiObce));
    for (int e = 1; e <= 3; ++e) s.wypelnienia.push_back(H(41 + e, ElementPola(UslugiObceWydzialu, e)));
    s.wypelnienia.push_back(H(45, PodatkiIOplaty));
    s.wypelnienia.push_back(H(46, KosztyFinansowe));
    s.wypelnienia.push_back(H(47, KosztySprzedanychProduktow));
    for (int e = 1; e <= 3; ++e) s.wypelnienia.push_back(H(48 + e, ElementPola(KosztSprzedanychRoku, e)));
    return s;
}

}  // namespace

const OpisRaportu& OpisRaportuKOS() {
    static const OpisRaportu opis{
        .EXT = "KOS",
        .flaga = &FlagiWynikow_t::KOS,
        .czesci = {Koszty()},
        .strony = {StronaKosztow()},
    };
    return opis;
}

bool Raport_KOS(Kontekst& k) { return UruchomRaport(k, OpisRaportuKOS()); }

bool Raport_KOS_Tworz(Kontekst& k, const std::string& OutName) { return TworzRaport(k, OpisRaportuKOS(), OutName); }

}  // namespace vesk
