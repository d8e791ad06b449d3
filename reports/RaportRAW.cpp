#include "RaportRAW.h"

#include "Kontekst.h"

namespace vesk {

namespace {

using namespace pola;

// The noise of this report: year 2 only, with the narrower constants.
constexpr Szum SzumRAW = SzumRoku2 | SzumWezszy;

using namespace skroty;

Wyrazenie KosztyOkresowe23() { return KosztyOkresowe2 + KosztyOkresowe3; }
// Other costs with the opposite sign, as 0 - the costs (no negative zero).
Wyrazenie UjemnePozostaleKoszty() { return Zero() - PozostaleKoszty; }
Wyrazenie ZyskZatrzymanyPoOdpisie() { return ZyskZatrzymany - OdpisNaKapitalZapasowy; }
// The year end settles the whole result in the capitals (the retained
// profit added, the loss covered) and pays the dividends, so nothing of the
// earlier years is left to divide, as the capital statement shows; what the
// year leaves after the ordinary dividend goes to the capitals.
Wyrazenie WynikZLatUbieglych() { return Zero(); }
Wyrazenie WynikDoPodzialu() { return WynikZLatUbieglych() + WynikDoBilansu; }
Wyrazenie DoKapitalow() { return WynikDoPodzialu() - DywidendaZwykla; }

// ------------------------------------------- revenue, costs and results
CzescTekstu Wyniki() {
    CzescTekstu c{.wzorzec = "QAD.RAX", .N = 180, .K = 255, .c1 = 52, .c2 = 109, .ostatnia = 87};
    c.wiersze = {
        {9, RodzajWiersza::LataLewe, 0},
        L3(12, PrzychodyZeSprzedazy),
        L3(14, PrzychodyZeSprzedazy),
        L3(16, PrzychodyZeSprzedazy),
        L3(18, KosztySprzedanychProduktow),
        L3(20, KosztySprzedanychProduktow),
        L3(22, WynikZeSprzedazy),
        L3(24, KosztyOkresowe1),
        L3(26, KosztyOkresowe23(), SzumRAW),
        L3(27, KosztyOkresowe2, SzumRAW),
        L3(28, KosztyOkresowe3),
        L3(30, WynikOperacyjny),
        L3(32, Zero()),
        L3(34, Zero()),
        L3(36, WynikOperacyjny),
        L3(38, Zero()),
        L3(40, KosztyFinansowe),
        L3(41, KosztyFinansowe),
        L3(43, WynikPrzedOpodatkowaniem),
        L3(46, UjemnePozostaleKoszty()),
        L3(47, Zero()),
        L3(48, PozostaleKoszty),
        L3(50, ZyskBrutto),
        L3(52, PodatekDochodowy),
        L3(54, DywidendaObowiazkowa),
        L3(56, DywidendaObowiazkowa),
        L3(58, WynikDoBilansu),
        L3(59, DywidendaZwykla),
        L3(60, ZyskZatrzymany),
        L3(61, OdpisNaKapitalZapasowy),
        L3(62, ZyskZatrzymanyPoOdpisie()),
        {68, RodzajWiersza::LataLewe, 0},
        L3(71, WynikZLatUbieglych()),
        L3(75, WynikDoBilansu),
        L3(78, WynikDoPodzialu()),
        L3(82, DywidendaZwykla),
        L3(84, DoKapitalow()),
    };
    return c;
}

// ------------------------------------------------ the two column groups
CzescTekstu Zestawienie() {
    CzescTekstu c{.wzorzec = "QAD.RAW", .N = 180, .K = 255, .c1 = 31, .c2 = 88, .ostatnia = 42};
    c.wiersze = {
        {9, RodzajWiersza::Lata, 0},
        W6(12, PrzychodyZeSprzedazy, WynikZLatUbieglych()),
        L3(13, KosztySprzedanychProduktow),
        L3(15, WynikZeSprzedazy),
        W6(17, KosztyOkresowe1, WynikDoBilansu),
        L3(18, KosztyOkresowe2, SzumRAW),
        W6(19, KosztyOkresowe3, WynikDoPodzialu()),
        L3(21, WynikOperacyjny),
        W6(23, KosztyFinansowe, DywidendaZwykla),
        W6(25, WynikPrzedOpodatkowaniem, DoKapitalow()),
        L3(27, PozostaleKoszty),
        L3(29, ZyskBrutto),
        L3(31, DywidendaObowiazkowa + PodatekDochodowy),
        L3(33, PodatekDochodowy),
        L3(34, DywidendaObowiazkowa),
        L3(36, WynikDoBilansu),
        L3(38, DywidendaZwykla),
        L3(39, ZyskZatrzymany),
        L3(40, OdpisNaKapitalZapasowy),
        L3(41, ZyskZatrzymanyPoOdpisie()),
    };
    return c;
}

// ------------------------------------------------------------------ page
StronaRaportu Strona() {
    StronaRaportu s{.wzorzec = "QAD.RAX.HTML", .rozszerzenie = "", .N = 180, .K = 255, .pierwsza = 16, .ostatnia = 54};
    s.wypelnienia = {
        H0(16, RokKalendarzowy()),
        H(17, PrzychodyZeSprzedazy),
        H(18, PrzychodyZeSprzedazy),
        H(19, PrzychodyZeSprzedazy),
        H(20, KosztySprzedanychProduktow),
        H(21, KosztySprzedanychProduktow),
        H(22, WynikZeSprzedazy),
        H(23, KosztyOkresowe1),
        H(24, KosztyOkresowe23(), SzumRAW),
        H(25, KosztyOkresowe2, SzumRAW),
        H(26, KosztyOkresowe3),
        H(27, WynikOperacyjny),
        H0(28, Zero()),
        H0(29, Zero()),
        H(30, WynikOperacyjny),
        H0(31, Zero()),
        H(32, KosztyFinansowe),
        H(33, KosztyFinansowe),
        H(34, WynikPrzedOpodatkowaniem),
        H(35, UjemnePozostaleKoszty()),
        H0(36, Zero()),
        H(37, PozostaleKoszty),
        H(38, ZyskBrutto),
        H(39, PodatekDochodowy),
        H(40, DywidendaObowiazkowa),
        H(41, DywidendaObowiazkowa),
        H(42, WynikDoBilansu),
        H(43, DywidendaZwykla),
        H(44, ZyskZatrzymany),
        H(45, OdpisNaKapitalZapasowy),
        H(46, ZyskZatrzymanyPoOdpisie()),
        H0(47, RokKalendarzowy()),
        H(48, WynikZLatUbieglych()),
        H(49, WynikDoBilansu),
        H(50, WynikDoPodzialu()),
        H(51, DywidendaZwykla),
        H(52, DoKapitalow()),
    };
    return s;
}

}  // namespace

const OpisRaportu& OpisRaportuRAW() {
    static const OpisRaportu opis{
        .EXT = "RAW",
        .flaga = &FlagiWynikow_t::RAW,
        .czesci = {Wyniki(), Zestawienie()},
        .strony = {Strona()},
    };
    return opis;
}

bool Raport_RAW(Kontekst& k) { return UruchomRaport(k, OpisRaportuRAW()); }

bool Raport_RAW_Tworz(Kontekst& k, const std::string& OutName) { return TworzRaport(k, OpisRaportuRAW(), OutName); }

}  // namespace vesk
