// Start of the investment projects whose start time has come (only at a
// year start): a credit-financed project draws its cost as investment
// credit, an own-financed one pays it from the settlement account; both
// enter the investments under way.
#include <cmath>

#include "Kalendarz.h"
#include "Rownania.h"

namespace vesk {

void RozpoczecieInwestycji(Kontekst& k) {
    ZmienneModelu& m = k.m;
    m.NakladyInwestycjiWlasnych = 0;
    m.NakladyInwestycjiKredytowanych = 0;

    for (int p = 1; p <= 3; ++p)
        for (int y = 1; y <= 3; ++y)
            for (int n = 1; n <= 2; ++n) {
                WpisHarmonogramu& e = m.HarmonogramInwestycji[p][y][n];
                const int kod = e.KodWariantu();
                // Codes above 8 name no variant: the bytes come from files.
                if (e.Rozpoczeta() != 0 || kod < 1 || kod > 8) continue;
                if (!(std::fabs(e.Start() - m.CzasPolroczny) < TolerancjaCzasu)) continue;
                e.UstawRozpoczeta(1);
                const WariantInwestycji& w = m.WariantyInwestycji[kod - 1];
                if (w.Rodzaj == 0)
                    m.NakladyInwestycjiKredytowanych = m.NakladyInwestycjiKredytowanych + w.Koszt;
                else if (w.Rodzaj == 1)
                    m.NakladyInwestycjiWlasnych = m.NakladyInwestycjiWlasnych + w.Koszt;
            }

    const Real Cw = m.NakladyInwestycjiWlasnych;
    const Real Ck = m.NakladyInwestycjiKredytowanych;
    m.NakladyInwestycjiWlasnychNarastajaco = m.NakladyInwestycjiWlasnychNarastajaco + Cw;
    m.RachunekRozliczeniowy = m.RachunekRozliczeniowy - Cw;
    m.InwestycjeRozpoczete = m.InwestycjeRozpoczete + Cw + Ck;
    m.FunduszObrotowyGotowkowy = m.FunduszObrotowyGotowkowy - Cw;
    m.KontoMajatkuTrwalego = m.KontoMajatkuTrwalego + Cw + Ck;
    m.KontoFunduszuMajatkuTrwalego = m.KontoFunduszuMajatkuTrwalego + Cw;
    m.KredytInwestycyjnyWRealizacji = m.KredytInwestycyjnyWRealizacji + Ck;
    m.FunduszInwestycjiWlasnych = m.FunduszInwestycjiWlasnych + Cw;
    m.KontoZadluzenia = m.KontoZadluzenia + Ck;
    m.KontoSumyBilansowej = m.KontoSumyBilansowej + Ck;
    m.NabycieGruntowIUrzadzen = m.NabycieGruntowIUrzadzen + Cw;
}

}  // namespace vesk
