#include "Deklaracje.h"

namespace vesk {

void DomyslneWariantyInwestycji(ZmienneModelu& m) {
    struct Wiersz {
        std::uint8_t rodzaj;
        long double koszt, czas, okres, zdolnosc;
    };
    static const Wiersz tabela[8] = {
        {0, 5.0L, 0.5L, 0.5L, 50.0L}, {0, 6.0L, 1.0L, 1.0L, 60.0L},
        {0, 7.5L, 1.5L, 1.5L, 75.0L}, {0, 9.0L, 2.0L, 1.5L, 90.0L},
        {1, 1.0L, 0.5L, 0.0L, 10.0L}, {1, 2.0L, 0.5L, 0.0L, 20.0L},
        {1, 3.0L, 0.5L, 0.0L, 30.0L}, {1, 4.0L, 1.0L, 0.0L, 40.0L},
    };
    for (int r = 0; r < 8; ++r) {
        WariantInwestycji& w = m.WariantyInwestycji[r];
        w.Rodzaj = tabela[r].rodzaj;
        w.Koszt = tabela[r].koszt;
        w.CzasRealizacji = tabela[r].czas;
        w.OkresKredytu = tabela[r].okres;
        w.Zdolnosc = tabela[r].zdolnosc;
    }
}

}  // namespace vesk
