#include "RaportPRF.h"

#include "Kontekst.h"
#include "Pomocnicze.h"
#include "SzablonRaportu.h"

namespace vesk {

using namespace pola;

Wyrazenie ZwiekszenieStanuProduktow() {
    return Wyrazenie([](const StanModelu& r, int rok) -> long double {
        return Max_Real(Odczyt(r, ZmianaStanuProduktow, rok), 0.0L);
    });
}
Wyrazenie ZmniejszenieStanuProduktow() {
    return Wyrazenie([](const StanModelu& r, int rok) -> long double {
        return -Min_Real(Odczyt(r, ZmianaStanuProduktow, rok), 0.0L);
    });
}

Wyrazenie ObciazeniaWyniku() { return PodatekDochodowy + DywidendaObowiazkowa; }

Wyrazenie WynikNaDzialalnosci() { return PrzychodyZeSprzedazy + ZmianaStanuProduktow - KosztyWytworzenia - KosztyFinansowe; }
Wyrazenie WynikPoStratach() { return WynikNaDzialalnosci() - PozostaleKoszty; }

Wyrazenie ZyskNettoRachunku() { return WynikPoStratach() - PodatekDochodowy - DywidendaObowiazkowa; }

Wyrazenie ZyskBruttoKonta() { return NieujemneLubZero(WynikPoStratach()); }
Wyrazenie StrataBruttoKonta() { return NieujemneLubZero(Zero() - WynikPoStratach()); }
Wyrazenie RazemKosztyIStraty() {
    return KosztyWytworzenia + ZmniejszenieStanuProduktow() + KosztyFinansowe + PozostaleKoszty + ZyskBruttoKonta();
}
Wyrazenie RazemPrzychodyIZyski() { return PrzychodyZeSprzedazy + ZwiekszenieStanuProduktow() + StrataBruttoKonta(); }

namespace {

using namespace skroty;

Wyrazenie Sprzedaz(int produkt) { return ElementPola(SprzedazWyrobow, produkt); }

// The wages without the social-insurance contributions, and the
// contributions, at the rate stawka (percent).
Wyrazenie WynagrodzeniaBezSkladek(long double stawka) {
    return Wyrazenie([stawka](const StanModelu& r, int rok) -> long double {
        return Odczyt(r, WynagrodzeniaISwiadczenia, rok) / (stawka / 100.0L + 1.0L);
    });
}
Wyrazenie SkladkiZUS(long double stawka) { return WynagrodzeniaISwiadczenia - WynagrodzeniaBezSkladek(stawka); }

Wyrazenie PrzychodyIZmianaStanu() { return PrzychodyZeSprzedazy + ZmianaStanuProduktow; }
// The results that remain after deducting in turn the operating costs (A),
// the financial costs (B), the other costs (C), the income tax and the
// mandatory dividend (D); each formed afresh from the fields.
Wyrazenie A() { return PrzychodyZeSprzedazy + ZmianaStanuProduktow - KosztyWytworzenia; }
Wyrazenie B() { return WynikNaDzialalnosci(); }
Wyrazenie C() { return WynikPoStratach(); }
Wyrazenie D() { return ZyskNettoRachunku(); }
// Other costs with the opposite sign, as 0 - the costs (no negative zero).
Wyrazenie UjemnePozostaleKoszty() { return Zero() - PozostaleKoszty; }

// ---------------------------------------------------- statement in stages
CzescTekstu Etapy(long double stawka) {
    CzescTekstu c{.wzorzec = "QAD.PRG", .N = 160, .K = 255, .c1 = 57, .c2 = 88, .ostatnia = 59};
    c.wiersze = {
        {9, RodzajWiersza::LataLewe, 0},
        L3(12, PrzychodyIZmianaStanu()),
        L3(14, PrzychodyZeSprzedazy),
        L3(15, Sprzedaz(1)),
        L3(16, Sprzedaz(2)),
        L3(17, Sprzedaz(3)),
        L3(18, ZmianaStanuProduktow),
        L3(22, KosztyWytworzenia),
        L3(23, Amortyzacja, SzumRoku3),
        L3(24, ZuzycieMaterialow),
        L3(25, UslugiObce),
        L3(26, PodatkiIOplaty),
        L3(27, WynagrodzeniaBezSkladek(stawka)),
        L3(28, SkladkiZUS(stawka)),
        L3(30, A()),
        L3(32, Zero()),
        L3(34, Zero()),
        L3(36, A()),
        L3(38, Zero()),
        L3(40, KosztyFinansowe),
        L3(41, KosztyFinansowe),
        L3(43, B()),
        L3(45, UjemnePozostaleKoszty()),
        L3(46, Zero()),
        L3(47, PozostaleKoszty),
        L3(49, C()),
        L3(51, PodatekDochodowy),
        L3(53, DywidendaObowiazkowa),
        L3(56, D()),
        L3(57, DywidendaZwykla),
        L3(58, ZyskZatrzymany),
    };
    return c;
}

// ------------------------------------------------------------ account form
CzescTekstu Konto() {
    CzescTekstu c{.wzorzec = "QAD.PRF", .N = 160, .K = 255, .c1 = 31, .c2 = 88, .ostatnia = 40};
    c.wiersze = {
        {9, RodzajWiersza::Lata, 0},
        W6(12, KosztyWytworzenia, PrzychodyZeSprzedazy),
        L3(14, Amortyzacja, SzumRoku3),
        W6(15, ZuzycieMaterialow, Sprzedaz(1)),
        W6(16, PodatkiIOplaty, Sprzedaz(2)),
        W6(17, WynagrodzeniaISwiadczenia, Sprzedaz(3)),
        L3(18, UslugiObce),
        L3(20, KosztyFinansowe),
        W6(23, ZmniejszenieStanuProduktow(), ZwiekszenieStanuProduktow()),
        W6(25, WynikNaDzialalnosci(), StrataBruttoKonta()),
        L3(27, PozostaleKoszty),
        L3(29, ZyskBruttoKonta()),
        L3(32, ObciazeniaWyniku()),
        L3(34, WynikNetto),
        L3(36, DywidendaZwykla),
        L3(37, ZyskZatrzymany),
        W6(39, RazemKosztyIStraty(), RazemPrzychodyIZyski()),
    };
    return c;
}

// ------------------------------------------------------------------ page
StronaRaportu Strona(long double stawka) {
    StronaRaportu s{.wzorzec = "QAD.PRG.HTML", .rozszerzenie = "", .N = 160, .K = 255, .pierwsza = 18, .ostatnia = 51};
    s.wypelnienia = {
        H0(18, RokKalendarzowy()),
        H(19, PrzychodyIZmianaStanu()),
        H(20, PrzychodyZeSprzedazy),
        H(21, Sprzedaz(1)),
        H(22, Sprzedaz(2)),
        H(23, Sprzedaz(3)),
        H(25, ZmianaStanuProduktow),
        H(26, KosztyWytworzenia),
        H(27, Amortyzacja, SzumRoku3),
        H(28, ZuzycieMaterialow),
        H(29, UslugiObce),
        H(30, PodatkiIOplaty),
        H(31, WynagrodzeniaBezSkladek(stawka)),
        H(32, SkladkiZUS(stawka)),
        H(33, A()),
        H0(34, Zero()),
        H0(35, Zero()),
        H(36, A()),
        H0(37, Zero()),
        H(38, KosztyFinansowe),
        H(39, KosztyFinansowe),
        H(40, B()),
        H(41, UjemnePozostaleKoszty()),
        H0(42, Zero()),
        H(43, PozostaleKoszty),
        H(44, C()),
        H(45, PodatekDochodowy),
        H(46, DywidendaObowiazkowa),
        H(47, D()),
        H(48, DywidendaZwykla),
        H(49, ZyskZatrzymany),
    };
    return s;
}

}  // namespace

OpisRaportu OpisRaportuPRF(long double StawkaSkladekZUS) {
    return OpisRaportu{
        .EXT = "PRF",
        .flaga = &FlagiWynikow_t::PRF,
        .czesci = {Etapy(StawkaSkladekZUS), Konto()},
        .strony = {Strona(StawkaSkladekZUS)},
    };
}

bool Raport_PRF(Kontekst& k) {
    if (!k.FlagiWynikow.PRF) return false;
    const std::optional<std::string> wyjscie = NazwaWyjscia(k, "PRF");
    return wyjscie && Raport_PRF_Tworz(k, *wyjscie);
}

bool Raport_PRF_Tworz(Kontekst& k, const std::string& OutName) {
    const long double stawka = k.m.StawkaSkladekZUS;
    if (stawka / 100.0L + 1.0L == 0.0L) return false;
    return TworzRaport(k, OpisRaportuPRF(stawka), OutName);
}

}  // namespace vesk
