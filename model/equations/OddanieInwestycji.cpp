// Completion of the investment projects whose completion time has come:
// their value moves to fixed assets, their capacity joins the product's
// line, and the credit of a credit-financed project becomes repayable.
// The schedule is compared with the calendar as it will stand after this
// step (at a year's last step that is already the next year's start); the
// clock and the calendar are left as they were found.
#include <cmath>

#include "Kalendarz.h"
#include "Rownania.h"

namespace vesk {

void OddanieInwestycji(Kontekst& k) {
    ZmienneModelu& m = k.m;

    const Real czas = m.CzasSymulacji;
    const Real polrocze = m.CzasPolroczny;
    const Real rokKalendarzowy = m.RokKalendarzowy;
    const Real rokOkresu = m.RokOkresu;
    const std::uint8_t rokSymulacji = m.RokSymulacji;
    m.CzasSymulacji = m.CzasSymulacji + 0.02L;
    KalendarzModelu(m.CzasSymulacji, m.CzasPolroczny, m.RokKalendarzowy, m.RokSymulacji, m.RokOkresu);

    m.OddaneInwestycjeWlasne = 0;
    m.OddaneInwestycjeKredytowane = 0;
    for (int p = 1; p <= 3; ++p)
        for (int y = 1; y <= 3; ++y)
            for (int n = 1; n <= 2; ++n) {
                WpisHarmonogramu& e = m.HarmonogramInwestycji[p][y][n];
                const int kod = e.KodWariantu();
                // Codes above 8 name no variant: the bytes come from files.
                if (e.Oddana() != 0 || kod < 1 || kod > 8) continue;
                if (!(std::fabs(e.Koniec() - m.CzasPolroczny) < TolerancjaCzasu)) continue;
                e.UstawOddana(1);
                const WariantInwestycji& w = m.WariantyInwestycji[kod - 1];
                m.WartoscInwestycjiProduktu[p] = m.WartoscInwestycjiProduktu[p] + w.Koszt;
                m.ZdolnoscProdukcyjna[p] = m.ZdolnoscProdukcyjna[p] + w.Zdolnosc;
                if (w.Rodzaj == 1) m.OddaneInwestycjeWlasne = m.OddaneInwestycjeWlasne + w.Koszt;
                if (w.Rodzaj == 0) {
                    m.OddaneInwestycjeKredytowane = m.OddaneInwestycjeKredytowane + w.Koszt;
                    m.KredytProjektu[p][kod] = m.KredytProjektu[p][kod] + w.Koszt;
                }
            }

    m.CzasSymulacji = czas;
    m.CzasPolroczny = polrocze;
    m.RokKalendarzowy = rokKalendarzowy;
    m.RokOkresu = rokOkresu;
    m.RokSymulacji = rokSymulacji;

    const Real Ow = m.OddaneInwestycjeWlasne;
    const Real Ok = m.OddaneInwestycjeKredytowane;
    m.InwestycjeRozpoczete = m.InwestycjeRozpoczete - Ow - Ok;
    if (m.InwestycjeRozpoczete < 0.0L) m.InwestycjeRozpoczete = 0;
    m.SrodkiTrwale = m.SrodkiTrwale + Ok + Ow;
    m.FunduszInwestycjiWlasnych = m.FunduszInwestycjiWlasnych - Ow;
    m.FunduszMajatkuTrwalego = m.FunduszMajatkuTrwalego + Ow;
    m.KredytInwestycyjnyWRealizacji = m.KredytInwestycyjnyWRealizacji - Ok;
    m.KredytInwestycyjny = m.KredytInwestycyjny + Ok;
    m.WartoscOddanychInwestycji = m.WartoscOddanychInwestycji + Ow + Ok;
    m.KontoOddanychInwestycji = m.KontoOddanychInwestycji + Ok + Ow;
    // At a year's last step the completion follows the stock valuation;
    // the year block must hold the split of the fixed assets it stores.
    PodzialSrodkowTrwalych(m);
}

}  // namespace vesk
