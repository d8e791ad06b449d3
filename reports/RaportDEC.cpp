#include "RaportDEC.h"

#include <cstring>
#include <stdexcept>

#include "Kontekst.h"
#include "MapaRekordu.h"

namespace vesk {

namespace {

using skroty::H;
using skroty::P3;

constexpr int WpisowHarmonogramu = 18;

const PoleDecyzji& WierszDecyzji(const char* nazwa) {
    for (const PoleDecyzji& p : MapaDecyzji())
        if (std::strcmp(p.wielkosc.nazwa, nazwa) == 0) return p;
    throw std::logic_error(std::string("no decision row ") + nazwa + " in the record map");
}

const char* const Produkcja = "DecyzjeProdukcji";
const char* const Ceny = "DecyzjeCen";
const char* const Surowce = "DecyzjeZakupuSurowcow";
const char* const Dywidenda = "UdzialDywidendyZwyklej";
const char* const Zadluzenie = "DecyzjeZadluzenia";
const char* const Emisja = "EmisjaAkcji";

// One column start for every value row: values at 88, 98, 108, years at
// 90, 100, 110, schedule digits at 90/94, 100/104, 110/114.
CzescTekstu Decyzje() {
    CzescTekstu c{.wzorzec = "QAD.DEC", .N = 52, .K = 255, .c1 = 88, .c2 = 88, .ostatnia = 52};
    c.wiersze = {{9, RodzajWiersza::Lata3, 0}};
    for (int p = 1; p <= 3; ++p) {
        c.wiersze.push_back(P3(11 + p, Decyzja(Produkcja, p)));
        c.wiersze.push_back(P3(15 + p, Decyzja(Ceny, p, 1000.0L)));
        c.wiersze.push_back(P3(19 + p, Decyzja(Surowce, p)));
    }
    c.wiersze.push_back(P3(24, Decyzja(Dywidenda, 1, 100.0L)));
    c.wiersze.push_back(P3(26, Decyzja(Zadluzenie, 1, 100.0L)));
    c.wiersze.push_back(P3(28, Decyzja(Emisja)));
    for (int k = 1; k <= 3; ++k) c.wiersze.push_back(skroty::Cyfry(29 + k, KodyHarmonogramu(6 * (k - 1) + 1)));
    return c;
}

StronaRaportu StronaDecyzji() {
    StronaRaportu s{.wzorzec = "QAD.DEC.HTML", .rozszerzenie = "", .N = 52, .K = 255, .pierwsza = 21, .ostatnia = 52};
    s.wypelnienia = {skroty::H0(21, RokKalendarzowy())};
    for (int p = 1; p <= 3; ++p) s.wypelnienia.push_back(H(23 + p, Decyzja(Produkcja, p)));
    for (int p = 1; p <= 3; ++p) s.wypelnienia.push_back(H(28 + p, Decyzja(Ceny, p, 1000.0L)));
    for (int m = 1; m <= 3; ++m) s.wypelnienia.push_back(H(33 + m, Decyzja(Surowce, m)));
    s.wypelnienia.push_back(H(39, Decyzja(Dywidenda, 1, 100.0L)));
    s.wypelnienia.push_back(H(42, Decyzja(Zadluzenie, 1, 100.0L)));
    s.wypelnienia.push_back(H(45, Decyzja(Emisja)));
    for (int k = 1; k <= 3; ++k) s.wypelnienia.push_back(skroty::HKody(47 + k, KodyHarmonogramu(6 * (k - 1) + 1)));
    return s;
}

}  // namespace

Wyrazenie Decyzja(const char* nazwa, int e, long double skala) {
    const PoleDecyzji& wiersz = WierszDecyzji(nazwa);
    const std::size_t poczatek = wiersz.offset + 6 * static_cast<std::size_t>(e - 1);
    const std::size_t krokRoku = wiersz.rozmiar / 3;
    return Wyrazenie([poczatek, krokRoku, skala](const StanModelu& r, int rok) -> long double {
        return r.widok().real48(poczatek + krokRoku * static_cast<std::size_t>(rok - 1)) * skala;
    });
}

Kody6 KodyHarmonogramu(int pierwszy) {
    const PoleDecyzji& wiersz = WierszDecyzji("HarmonogramInwestycji");
    const std::size_t wpis = wiersz.rozmiar / WpisowHarmonogramu;
    const std::size_t poczatek = wiersz.offset + wpis * static_cast<std::size_t>(pierwszy - 1);
    return [poczatek, wpis](const StanModelu& r) {
        std::array<int, 6> kody{};
        for (std::size_t j = 0; j < kody.size(); ++j) kody[j] = r.widok().u8(poczatek + wpis * j);
        return kody;
    };
}

const OpisRaportu& OpisRaportuDEC() {
    static const OpisRaportu opis{
        .EXT = "DEC",
        .flaga = &FlagiWynikow_t::DEC,
        .czesci = {Decyzje()},
        .strony = {StronaDecyzji()},
    };
    return opis;
}

bool Raport_DEC(Kontekst& k) {
    if (k.NazwaPlikuStanu.empty()) return false;
    return UruchomRaport(k, OpisRaportuDEC());
}

bool Raport_DEC_Tworz(Kontekst& k, const std::string& OutName) { return TworzRaport(k, OpisRaportuDEC(), OutName); }

}  // namespace vesk
