#include "RaportINF.h"

#include "Kontekst.h"
#include "SzablonRaportu.h"

namespace vesk {

namespace {

using namespace pola;
using skroty::H;
using skroty::H0;

// Y[o] of the statement, named after the record map.
const Wyrazenie Emisja = EmisjaAkcjiZwyklych;                   // 688
const Wyrazenie SplataInwestycyjnych = SplataKredytowInwestycyjnych;  // 808
const Wyrazenie Wykorzystanie = WykorzystaniePieniadza;         // 928
const Wyrazenie Nabycie = NabycieGruntowIUrzadzen;              // 936
const Wyrazenie Wplywy = WplywyRoku;                            // 976
const Wyrazenie NaPoczatku = RachunekRozliczeniowyNaPoczatkuRoku;  // 984
const Wyrazenie Wydatki = WydatkiRoku;                          // 992
const Wyrazenie Zaciagniete = KredytyZaciagnieteRoku;           // 1048
const Wyrazenie Splacone = KredytySplaconeRoku;                 // 1064
const Wyrazenie Obowiazkowa = DywidendaObowiazkowa;             // 1240
const Wyrazenie Finansowe = KosztyFinansowe;                    // 1520
const Wyrazenie Zwykla = DywidendaZwykla;                       // 3064
const Wyrazenie Rachunek = RachunekRozliczeniowy;               // 3368

Wyrazenie Razy(Wyrazenie a, long double mnoznik) {
    return Wyrazenie([a, mnoznik](const StanModelu& r, int rok) { return a(r, rok) * mnoznik; });
}
Wyrazenie Przez(Wyrazenie a, long double dzielnik) {
    return Wyrazenie([a, dzielnik](const StanModelu& r, int rok) { return a(r, rok) / dzielnik; });
}

WierszTekstu Wartosc(int linia, Wyrazenie w, Szum szum = BezSzumu) {
    return {linia, RodzajWiersza::Wiersz3L, 1, std::move(w), {}, szum};
}

struct PozycjaRachunku {
    int liniaTekstu, liniaStrony;
    Wyrazenie wartosc;
    Szum szum = BezSzumu;
};

// The statement's value lines: text line, page line, value.
std::vector<PozycjaRachunku> PozycjeRachunku() {
    return {
        {12, 17, PrzeplywyOperacyjne()},
        {15, 18, Wplywy},
        {16, 19, (Wydatki - Finansowe) - Obowiazkowa},
        {17, 20, PrzeplywyOperacyjne()},
        {20, 22, PrzeplywyInwestycyjne()},
        {23, 23, Zero()},
        {24, 24, Nabycie},
        {25, 25, Przez(Nabycie, 3.0L)},
        {28, 26, Przez(Razy(Nabycie, 2.0L), 3.0L)},
        {30, 27, PrzeplywyInwestycyjne()},
        {33, 29, PrzeplywyFinansowe()},
        {36, 30, Zaciagniete + Emisja},
        {37, 31, Emisja},
        {40, 32, Zaciagniete},
        {41, 33, WydatkiFinansowe()},
        {42, 34, Obowiazkowa + Zwykla},
        {44, 35, Splacone + SplataInwestycyjnych},
        {45, 36, Finansowe},
        {46, 37, PrzeplywyFinansowe()},
        {48, 39, PrzeplywyRazem()},
        {51, 41, NaPoczatku},
        {52, 43, Rachunek, SzumLat23},
    };
}

// The statement as a text part: column start 53, lines 1..ostatnia of at
// most K characters.
CzescTekstu CzescRachunku(int N, int K, int ostatnia) {
    CzescTekstu c{.wzorzec = "QAD.ING", .N = N, .K = K, .c1 = 53, .c2 = 53, .ostatnia = ostatnia};
    c.wiersze = {{9, RodzajWiersza::Lata3, 0}};
    for (const PozycjaRachunku& p : PozycjeRachunku()) c.wiersze.push_back(Wartosc(p.liniaTekstu, p.wartosc, p.szum));
    return c;
}

// The cash-situation section: column start 46.
CzescTekstu SytuacjaPieniezna() {
    CzescTekstu c{.wzorzec = "QAD.INF", .N = 100, .K = 150, .c1 = 46, .c2 = 46, .ostatnia = 35};
    c.wiersze = {
        {9, RodzajWiersza::Lata3, 0},
        Wartosc(12, SrodkiDoDyspozycji()),
        Wartosc(14, Wplywy - Wydatki),
        Wartosc(15, Wplywy),
        Wartosc(16, Wydatki),
        Wartosc(19, Emisja),
        Wartosc(20, Zaciagniete),
        Wartosc(23, Wykorzystanie),
        Wartosc(25, Nabycie),
        Wartosc(26, SplataInwestycyjnych),
        Wartosc(27, Splacone),
        Wartosc(28, Zwykla),
        Wartosc(30, SrodkiDoDyspozycji() - Wykorzystanie),
        Wartosc(32, NaPoczatku),
        Wartosc(33, Rachunek),  // never noisy here
    };
    return c;
}

StronaRaportu StronaRachunku() {
    StronaRaportu s{.wzorzec = "QAD.ING.HTML", .rozszerzenie = "", .N = 58, .K = 255, .pierwsza = 16, .ostatnia = 45};
    s.wypelnienia = {H0(16, RokKalendarzowy())};
    for (const PozycjaRachunku& p : PozycjeRachunku()) s.wypelnienia.push_back(H(p.liniaStrony, p.wartosc, p.szum));
    return s;
}

bool tworzINF(Kontekst& k, const std::string& OutName, bool* ing) {
    if (!TworzRaport(k, OpisRaportuINF(), OutName)) return false;
    const std::optional<std::string> folder = FolderSprawozdan(k);
    const bool zapisane = folder && Raport_ING_Tworz(k, *folder + RdzenSprawozdan(k));
    if (ing != nullptr) *ing = zapisane;
    return true;
}

}  // namespace

Wyrazenie PrzeplywyOperacyjne() { return Wplywy - ((Wydatki - Finansowe) - Obowiazkowa); }
Wyrazenie PrzeplywyInwestycyjne() { return Zero() - Nabycie; }
Wyrazenie WydatkiFinansowe() { return (((Zwykla + Obowiazkowa) + SplataInwestycyjnych) + Splacone) + Finansowe; }
Wyrazenie PrzeplywyFinansowe() { return (Zaciagniete + Emisja) - WydatkiFinansowe(); }
Wyrazenie PrzeplywyRazem() {
    return (Zaciagniete + (Emisja + ((PrzeplywyOperacyjne() + Zero()) - Nabycie))) - WydatkiFinansowe();
}
Wyrazenie SrodkiDoDyspozycji() { return Zaciagniete + (Emisja + (Wplywy - Wydatki)); }

const OpisRaportu& OpisRaportuINF() {
    static const OpisRaportu opis{
        .EXT = "INF",
        .flaga = &FlagiWynikow_t::INF,
        .czesci = {CzescRachunku(100, 150, 54), SytuacjaPieniezna()},
        .strony = {},
    };
    return opis;
}

const OpisRaportu& OpisRaportuING() {
    static const OpisRaportu opis{
        .EXT = "ING",
        .flaga = &FlagiWynikow_t::INF,
        .czesci = {CzescRachunku(58, 255, 55)},
        .strony = {StronaRachunku()},
    };
    return opis;
}

bool Raport_INF(Kontekst& k) {
    if (!k.FlagiWynikow.INF) return false;
    const std::optional<std::string> wyjscie = NazwaWyjscia(k, OpisRaportuINF().EXT);
    bool ing = false;
    return wyjscie && tworzINF(k, *wyjscie, &ing) && ing;
}

bool Raport_INF_Tworz(Kontekst& k, const std::string& OutName) { return tworzINF(k, OutName, nullptr); }

bool Raport_ING_Tworz(Kontekst& k, const std::string& NameStem) {
    return TworzRaport(k, OpisRaportuING(), NameStem + ".ING");
}

}  // namespace vesk
