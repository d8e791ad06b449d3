// A record whose balance needs the closing step, for the tests of the
// balance read-outs and of the verbs that store them: assets 60 + 5 + 25 =
// 90; equity 50, long-term 20, payables 10 and the overdraft 5 leave a
// shortfall of 5 against the total of 90; cash 6, but -3.5 in year 2; a
// loss of 2.5; the period starts in 2012.
#pragma once

#include "PolaRoku.h"

namespace vesk::test {

inline void BilansZNiedoborem(StanModelu& r) {
    using namespace pola;
    r.UstawRok(2012);
    for (int rok = 1; rok <= 3; ++rok) {
        Zapis(r, SrodkiTrwale, rok, 60.0L);
        Zapis(r, InwestycjeRozpoczete, rok, 5.0L);
        Zapis(r, MajatekObrotowy, rok, 25.0L);
        Zapis(r, Naleznosci, rok, 10.0L);
        Zapis(r, RachunekRozliczeniowy, rok, 6.0L);
        Zapis(r, SumaAktywow, rok, 90.0L);
        Zapis(r, KapitalWlasny, rok, 50.0L);
        Zapis(r, ZobowiazaniaDlugoterminowe, rok, 20.0L);
        Zapis(r, Zobowiazania, rok, 10.0L);
        Zapis(r, KredytSanacyjny, rok, 5.0L);
        Zapis(r, SumaPasywow, rok, 90.0L);
        Zapis(r, StrataBrutto, rok, 2.5L);
    }
    Zapis(r, RachunekRozliczeniowy, 2, -3.5L);
}

}  // namespace vesk::test
