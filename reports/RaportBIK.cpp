#include "RaportBIK.h"

#include "DomknijBilans.h"
#include "Kontekst.h"

namespace vesk {

using namespace pola;

Wyrazenie MajatekTrwaly() { return SrodkiTrwale + InwestycjeRozpoczete; }
Wyrazenie ZapasyRazem() { return WartoscMaterialow + WartoscProdukcjiWToku + WartoscWyrobowGotowych; }
Wyrazenie KredytyInwestycyjne() { return KredytInwestycyjnyWRealizacji + KredytInwestycyjny; }
Wyrazenie ZobowiazaniaKrotkie() { return Zobowiazania + KredytSanacyjny; }

namespace {

using namespace skroty;

// Recurring sums.
Wyrazenie Dekapitalizacja() { return DekapitalizacjaGruntowIBudynkow + DekapitalizacjaUrzadzenIMaszyn; }
Wyrazenie ZobowiazaniaRazem() { return ZobowiazaniaDlugoterminowe + Zobowiazania + KredytSanacyjny; }
Wyrazenie KredytyRazem() { return KredytObrotowy + KredytInwestycyjnyWRealizacji + KredytInwestycyjny; }
// Share capital without the issues: at the start (A0) and at the end (A1) of the year.
Wyrazenie A0() { return KapitalAkcyjnyNaPoczatek - SumaEmisjiNaPoczatek; }
Wyrazenie A1() { return KapitalAkcyjny - SumaEmisjiNaKoniec; }
Wyrazenie ZmianaKapitaluAkcyjnego() { return KapitalAkcyjny - KapitalAkcyjnyNaPoczatek; }
Wyrazenie ZmniejszenieKapitaluAkcyjnego() { return KapitalAkcyjnyNaPoczatek + EmisjaAkcjiWRoku - KapitalAkcyjny; }
Wyrazenie ZmianaKapitaluZapasowego() { return ZwiekszenieKapitaluZapasowego - ZmniejszenieKapitaluZapasowego; }
Wyrazenie ZmianaKapitaluRezerwowego() { return KapitalRezerwowy - KapitalRezerwowyNaPoczatek; }
Wyrazenie ZmniejszenieKapitaluRezerwowego() {
    return Modul(KapitalRezerwowy - KapitalRezerwowyNaPoczatek - ZwiekszenieKapitaluRezerwowego);
}

// ---------------------------------------------------------- balance sheet
CzescTekstu Bilans() {
    CzescTekstu c{.wzorzec = "QAD.BIK", .N = 160, .K = 255, .c1 = 49, .c2 = 119, .ostatnia = 72};
    c.pominiete = {13, 20};
    c.wiersze = {
        {9, RodzajWiersza::Wiersz3L, 0, RokKalendarzowy()},
        L3(12, MajatekTrwaly()),
        L3(14, SrodkiTrwale),
        L3(15, GruntyIBudynkiBrutto),
        L3(16, GruntyIBudynkiNetto),
        L3(17, UrzadzeniaIMaszynyBrutto),
        L3(19, UrzadzeniaIMaszynyNetto),
        L3(21, Dekapitalizacja()),
        L3(22, InwestycjeRozpoczete),
        L3(24, MajatekObrotowy),
        L3(26, ZapasyRazem()),
        L3(27, WartoscMaterialow),
        L3(28, WartoscProdukcjiWToku),
        L3(29, WartoscWyrobowGotowych),
        L3(30, Naleznosci),
        L3(31, Naleznosci),
        L3(32, Naleznosci),
        L3(33, RachunekRozliczeniowy, SzumLat23),
        L3(34, RachunekRozliczeniowy, SzumLat23),
        L3(35, RachunekRozliczeniowy, SzumLat23),
        L3(39, SumaAktywow),
        {44, RodzajWiersza::Wiersz3L, 0, RokKalendarzowy()},
        L3(47, KapitalWlasny),
        L3(48, KapitalAkcyjny),
        L3(49, KapitalZapasowy),
        L3(50, KapitalRezerwowy),
        L3(51, WynikDoBilansu),
        L3(53, ZobowiazaniaRazem()),
        L3(54, ZobowiazaniaDlugoterminowe),
        L3(55, ZobowiazaniaDlugoterminowe),
        L3(57, KredytyRazem()),
        L3(58, KredytObrotowy),
        L3(60, KredytyInwestycyjne()),
        L3(61, ZobowiazaniaKrotkie()),
        L3(62, ZobowiazaniaKrotkie()),
        L3(63, KredytSanacyjny),
        L3(64, Zero()),
        L3(66, Zero()),
        L3(67, Zobowiazania),
        L3(70, SumaPasywow),
    };
    // Every value of all five outputs is read after the closing step.
    c.wstawki = {{12, [](Kontekst& k) { DomknijBilans(k); }}};
    return c;
}

// ------------------------------------------------------ capital statement
CzescTekstu Kapital() {
    CzescTekstu c{.wzorzec = "QAD.KAP", .N = 160, .K = 255, .c1 = 74, .c2 = 100, .ostatnia = 88};
    c.wiersze = {
        Lata(9),
        L3(12, KapitalWlasnyNaPoczatek),
        L3(15, KapitalWlasnyNaPoczatek),
        L3(17, KapitalAkcyjnyNaPoczatek),
        L3(18, ZmianaKapitaluAkcyjnego()),
        L3(19, EmisjaAkcjiWRoku),
        L3(20, EmisjaAkcjiWRoku),
        L3(21, ZmniejszenieKapitaluAkcyjnego()),
        L3(22, ZmniejszenieKapitaluAkcyjnego()),
        L3(23, KapitalAkcyjny),
        L3(31, A0()),
        L3(32, NieujemneLubZero(A1() - A0())),
        L3(33, NieujemneLubZero(A0() - A1())),
        L3(34, A1()),
        L3(36, KapitalZapasowyNaPoczatek),
        L3(37, ZmianaKapitaluZapasowego()),
        L3(38, ZwiekszenieKapitaluZapasowego),
        L3(40, ZwiekszenieKapitaluZapasowego),
        L3(43, ZmniejszenieKapitaluZapasowego),
        L3(44, ZmniejszenieKapitaluZapasowego),
        L3(45, KapitalZapasowy),
        L3(54, KapitalRezerwowyNaPoczatek),
        L3(55, ZmianaKapitaluRezerwowego()),
        L3(56, ZwiekszenieKapitaluRezerwowego),
        L3(57, ZmniejszenieKapitaluRezerwowego()),
        L3(58, KapitalRezerwowy),
        L3(77, WynikDoBilansu),
        L3(78, NieujemneLubZero(WynikDoBilansu)),
        L3(79, NieujemneLubZero(-Wyrazenie(WynikDoBilansu))),
        L3(80, ZyskZatrzymany),
        L3(82, KapitalWlasny),
        L3(84, KapitalWlasny),
    };
    for (int linia : {13, 25, 26, 27, 28, 29, 39, 41, 47, 48, 49, 50, 51, 52}) c.wiersze.push_back(L3(linia, Zero()));
    for (int linia = 60; linia <= 75; ++linia) c.wiersze.push_back(L3(linia, Zero()));
    return c;
}

// ------------------------------------------------------ two-sided balance
CzescTekstu BilansDwustronny() {
    CzescTekstu c{.wzorzec = "QAD.BIL", .N = 160, .K = 255, .c1 = 31, .c2 = 88, .ostatnia = 39};
    c.wiersze = {
        Lata(9),
        W6(12, MajatekTrwaly(), KapitalWlasny),
        W6(14, GruntyIBudynkiBrutto, KapitalAkcyjny),
        L3(15, DekapitalizacjaGruntowIBudynkow),
        P3(16, KapitalZapasowy),
        L3(17, GruntyIBudynkiNetto),
        P3(18, KapitalRezerwowy),
        L3(19, UrzadzeniaIMaszynyBrutto),
        W6(20, DekapitalizacjaUrzadzenIMaszyn, WynikDoBilansu),
        W6(22, UrzadzeniaIMaszynyNetto, ZyskZatrzymany),
        P3(23, -Wyrazenie(StrataBrutto)),
        L3(24, InwestycjeRozpoczete),
        W6(26, MajatekObrotowy, ZobowiazaniaDlugoterminowe),
        L3(28, ZapasyRazem()),
        P3(29, KredytObrotowy),
        W6(30, WartoscMaterialow, KredytyInwestycyjne()),
        L3(31, WartoscProdukcjiWToku),
        L3(32, WartoscWyrobowGotowych),
        P3(33, ZobowiazaniaKrotkie()),
        L3(34, Naleznosci),
        P3(35, Zobowiazania),
        W6(36, RachunekRozliczeniowy, KredytSanacyjny, SzumLat23),
        W6(38, SumaAktywow, SumaPasywow),
    };
    return c;
}

// ----------------------------------------------------------- balance page
StronaRaportu StronaBilansu() {
    StronaRaportu s{.wzorzec = "QAD.BIK.HTML", .rozszerzenie = "", .N = 160, .K = 255, .pierwsza = 19, .ostatnia = 63};
    s.wypelnienia = {
        H0(19, RokKalendarzowy()),
        H(20, MajatekTrwaly()),
        H(21, SrodkiTrwale),
        H(22, GruntyIBudynkiBrutto),
        H(23, GruntyIBudynkiNetto),
        H(24, UrzadzeniaIMaszynyBrutto),
        H(25, UrzadzeniaIMaszynyNetto),
        H(26, Dekapitalizacja()),
        H(27, InwestycjeRozpoczete),
        H(28, MajatekObrotowy),
        H(29, ZapasyRazem()),
        H(30, WartoscMaterialow),
        H(31, WartoscProdukcjiWToku),
        H(32, WartoscWyrobowGotowych),
        H(33, Naleznosci),
        H(34, Naleznosci),
        H(35, Naleznosci),
        H(36, RachunekRozliczeniowy, SzumLat23),
        H(37, RachunekRozliczeniowy, SzumLat23),
        H(38, RachunekRozliczeniowy, SzumLat23),
        H(39, SumaAktywow),
        H0(43, RokKalendarzowy()),
        H(44, KapitalWlasny),
        H(45, KapitalAkcyjny),
        H(46, KapitalZapasowy),
        H(47, KapitalRezerwowy),
        H(48, WynikDoBilansu),
        H(49, ZobowiazaniaRazem()),
        H(50, ZobowiazaniaDlugoterminowe),
        H(51, ZobowiazaniaDlugoterminowe),
        H(52, KredytyRazem()),
        H(53, KredytObrotowy),
        H(54, KredytyInwestycyjne()),
        H(55, ZobowiazaniaKrotkie()),
        H(56, ZobowiazaniaKrotkie()),
        H(57, KredytSanacyjny),
        H(58, Zero()),
        H(59, Zero()),
        H(60, Zobowiazania),
        H(61, SumaPasywow),
    };
    return s;
}

// ----------------------------------------------------------- capital page
StronaRaportu StronaKapitalu() {
    StronaRaportu s{.wzorzec = "QAD.KAP.HTML", .rozszerzenie = "kap", .N = 160, .K = 255, .pierwsza = 18, .ostatnia = 82};
    s.wypelnienia = {
        H0(18, RokKalendarzowy()),
        H(19, KapitalWlasnyNaPoczatek),
        H(20, Zero()),
        H(21, KapitalWlasnyNaPoczatek),
        H(22, KapitalAkcyjnyNaPoczatek),
        H(23, ZmianaKapitaluAkcyjnego()),
        H(24, EmisjaAkcjiWRoku),
        H(25, EmisjaAkcjiWRoku),
        H(26, ZmniejszenieKapitaluAkcyjnego()),
        H(27, ZmniejszenieKapitaluAkcyjnego()),
        H(28, KapitalAkcyjny),
    };
    for (int linia = 29; linia <= 33; ++linia) s.wypelnienia.push_back(H0(linia, Zero()));
    s.wypelnienia.insert(s.wypelnienia.end(), {
        H(34, A0()),
        H(35, NieujemneLubZero(A1() - A0())),
        H(36, NieujemneLubZero(A0() - A1())),
        H(37, A1()),
        H(38, KapitalZapasowyNaPoczatek),
        H(39, ZmianaKapitaluZapasowego()),
        H(40, ZwiekszenieKapitaluZapasowego),
        H0(41, Zero()),
        H(42, ZwiekszenieKapitaluZapasowego),
        H0(43, Zero()),
        H(44, ZmniejszenieKapitaluZapasowego),
        H(45, ZmniejszenieKapitaluZapasowego),
        H(46, KapitalZapasowy),
    });
    for (int linia = 47; linia <= 52; ++linia) s.wypelnienia.push_back(H0(linia, Zero()));
    s.wypelnienia.insert(s.wypelnienia.end(), {
        H(53, KapitalRezerwowyNaPoczatek),
        H(54, ZmianaKapitaluRezerwowego()),
        H(55, ZwiekszenieKapitaluRezerwowego),
        H(56, ZmniejszenieKapitaluRezerwowego()),
        H(57, KapitalRezerwowy),
        H(58, KapitalRezerwowy),
    });
    for (int linia = 59; linia <= 73; ++linia) s.wypelnienia.push_back(H0(linia, Zero()));
    s.wypelnienia.insert(s.wypelnienia.end(), {
        H(74, WynikDoBilansu),
        H(75, NieujemneLubZero(WynikDoBilansu)),
        H(76, NieujemneLubZero(-Wyrazenie(WynikDoBilansu))),
        H(77, ZyskZatrzymany),
        H(78, KapitalWlasny),
        H(80, KapitalWlasny),
    });
    return s;
}

}  // namespace

const OpisRaportu& OpisRaportuBIK() {
    static const OpisRaportu opis{
        .EXT = "BIK",
        .flaga = &FlagiWynikow_t::BIK,
        .czesci = {Bilans(), Kapital(), BilansDwustronny()},
        .strony = {StronaBilansu(), StronaKapitalu()},
    };
    return opis;
}

bool Raport_BIK(Kontekst& k) { return UruchomRaport(k, OpisRaportuBIK()); }

bool Raport_BIK_Tworz(Kontekst& k, const std::string& OutName) { return TworzRaport(k, OpisRaportuBIK(), OutName); }

}  // namespace vesk
