#include "RaportPRO.h"

#include "Kontekst.h"

namespace vesk {

namespace {

using namespace pola;

constexpr long double KrokowRoku = 50.0L;

// Text: production (left) and sales (right) on lines 14-16, capacity per
// step (left) and its use (right) on lines 20-22, one line per product.
CzescTekstu Produkcja() {
    CzescTekstu c{.wzorzec = "QAD.PRO", .N = 53, .K = 200, .c1 = 31, .c2 = 88, .ostatnia = 24};
    c.wiersze = {{9, RodzajWiersza::Lata, 0}};
    for (int e = 1; e <= 3; ++e) {
        c.wiersze.push_back({13 + e, RodzajWiersza::Wiersz6, 1, ElementPola(ProdukcjaRoku, e),
                             ElementPola(SprzedazRoku, e)});
        c.wiersze.push_back({19 + e, RodzajWiersza::Wiersz6, 1, ZdolnoscNaKrok(e), WykorzystanieZdolnosci(e)});
    }
    return c;
}

// Page: four sections of three products, each product on every second line.
StronaRaportu StronaProdukcji() {
    StronaRaportu s{.wzorzec = "QAD.PRO.HTML", .rozszerzenie = "", .N = 53, .K = 200, .pierwsza = 18, .ostatnia = 53};
    s.wypelnienia = {{18, 0, RokKalendarzowy()}};
    for (int e = 1; e <= 3; ++e) s.wypelnienia.push_back({20 + 2 * e, 2, ElementPola(ProdukcjaRoku, e)});
    for (int e = 1; e <= 3; ++e) s.wypelnienia.push_back({28 + 2 * e, 2, ElementPola(SprzedazRoku, e)});
    for (int e = 1; e <= 3; ++e) s.wypelnienia.push_back({36 + 2 * e, 2, ZdolnoscNaKrok(e)});
    for (int e = 1; e <= 3; ++e) s.wypelnienia.push_back({44 + 2 * e, 2, WykorzystanieZdolnosci(e)});
    return s;
}

}  // namespace

Wyrazenie ZdolnoscNaKrok(int e) {
    const PoleRoku zdolnosc = ElementPola(ZdolnoscProdukcyjna, e);
    return Wyrazenie([zdolnosc](const StanModelu& r, int rok) { return Odczyt(r, zdolnosc, rok) / KrokowRoku; });
}

Wyrazenie WykorzystanieZdolnosci(int e) {
    const PoleRoku produkcja = ElementPola(ProdukcjaRoku, e);
    const PoleRoku zdolnosc = ElementPola(ZdolnoscRoku, e);
    return Wyrazenie([produkcja, zdolnosc](const StanModelu& r, int rok) -> long double {
        const long double mianownik = Odczyt(r, zdolnosc, rok);
        if (mianownik == 0.0L) return 0.0L;
        return (Odczyt(r, produkcja, rok) / mianownik) * 100.0L;
    });
}

const OpisRaportu& OpisRaportuPRO() {
    static const OpisRaportu opis{
        .EXT = "PRO",
        .flaga = &FlagiWynikow_t::PRO,
        .czesci = {Produkcja()},
        .strony = {StronaProdukcji()},
    };
    return opis;
}

bool Raport_PRO(Kontekst& k) { return UruchomRaport(k, OpisRaportuPRO()); }

bool Raport_PRO_Tworz(Kontekst& k, const std::string& OutName) { return TworzRaport(k, OpisRaportuPRO(), OutName); }

}  // namespace vesk
