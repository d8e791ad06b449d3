// The physical flows of one step: starts, completions and sales of each
// product, work in progress, finished stock, the year's counters and the
// raw-material stock. Rates are per year; a step moves rate * 0.02.
#include <string>

#include "ByteView.h"
#include "Pomocnicze.h"
#include "Porownania.h"
#include "Rownania.h"

namespace vesk {

namespace {

// The totals that the later groups of the step add to start from 0.
void zerujSumyKroku(ZmienneModelu& m) {
    m.ZuzycieMaterialowKroku.fill(Real());
    m.ZuzycieSurowcow.fill(Real());
    m.OdsetkiKroku = 0;
    m.KosztyKroku = 0;
    m.KosztZdolnosciKrokuRazem = 0;
    m.AmortyzacjaKrokuRazem = 0;
    m.KosztyOkresoweKroku[1] = 0;
    m.KosztyOkresoweKroku[2] = 0;
    m.KosztyOkresoweKroku[3] = 0;
    m.KosztyOkresoweKroku[0] = 0;
    m.KosztyWytworzenia = 0;
    m.Amortyzacja = 0;
    m.ZuzycieMaterialow = 0;
    m.KosztyOkresowe1 = 0;
    m.KosztyOkresowe2 = 0;
    m.KosztyOkresowe3 = 0;
    m.WynagrodzeniaISwiadczenia = 0;
    m.UslugiObce = 0;
    m.PodatkiIOplaty = 0;
    m.WynikPrzedOpodatkowaniem = 0;
    m.KosztZdolnosciRazem = 0;
    m.KosztySprzedanychProduktow = 0;
    m.KosztWyrobowRazem = 0;
    m.PrzychodyKroku = 0;
    m.WplywyNaleznosciKroku = 0;
    m.SplataZobowiazanKroku = 0;
    m.ZakupySurowcowKroku = 0;
    m.PlaceKrokuRazem = 0;
    m.SaldoOperacyjneKroku = 0;
    m.WyplatyZZysku = 0;
    m.PozycjaBilansuZerowa = 0;
}

void produkt(ZmienneModelu& m, int i) {
    const int rok = m.RokSymulacji;

    // Work in progress leaves at stock / lead time (before this step's starts).
    m.ZakonczenieProdukcji[i] = m.ProdukcjaWToku[i] / m.CzasPrzejsciaProdukcji[i];
    // Sales follow demand, but no faster than the finished stock lasts one step.
    m.SprzedazIlosciowa[i] = Min_Real(m.ZapasWyrobowGotowych[i] / 0.02L, m.Popyt[i]);

    // Units of the product that the stock of each material alone allows.
    R3 L;
    for (int j = 1; j <= 3; ++j) L[j] = m.ZapasSurowcow[j] / m.NormyZuzyciaSurowcow[j][i];
    // Start: capacity, the outstanding plan spread over the rest of the
    // year, and the scarcest material within one step.
    m.UruchomienieProdukcji[i] =
        Min3_Real(m.ZdolnoscProdukcyjna[i],
                  (m.DecyzjeProdukcji[rok][i] - m.ProdukcjaRoku[i]) / ((1.0L - m.CzasSymulacji) + 1.0E-7L),
                  MinTablicy3_Real(L) / 0.02L);
    if (!(m.UruchomienieProdukcji[i] > 5.0L)) m.UruchomienieProdukcji[i] = 0;

    // No start that would leave 1 unit of a material or less.
    for (int j = 1; j <= 3; ++j)
        if (!(m.ZapasSurowcow[j] - m.NormyZuzyciaSurowcow[j][i] * m.UruchomienieProdukcji[i] * 0.02L > 1.0L))
            m.UruchomienieProdukcji[i] = 0;
    // The materials all started products use (nothing above reads them).
    for (int n = 1; n <= 3; ++n)
        m.ZuzycieSurowcow[n] = m.NormyZuzyciaSurowcow[n][1] * m.UruchomienieProdukcji[1] +
                               m.NormyZuzyciaSurowcow[n][2] * m.UruchomienieProdukcji[2] +
                               m.NormyZuzyciaSurowcow[n][3] * m.UruchomienieProdukcji[3];

    m.ProdukcjaWToku[i] = m.ProdukcjaWToku[i] + m.UruchomienieProdukcji[i] * 0.02L;
    // No completion that would leave 1 unit of work in progress or less.
    if (!(m.ProdukcjaWToku[i] - m.ZakonczenieProdukcji[i] * 0.02L > 1.0L)) m.ZakonczenieProdukcji[i] = 0;
    m.ProdukcjaWToku[i] = m.ProdukcjaWToku[i] - m.ZakonczenieProdukcji[i] * 0.02L;
    m.ZapasWyrobowGotowych[i] = m.ZapasWyrobowGotowych[i] + m.ZakonczenieProdukcji[i] * 0.02L;
    // No sale that would leave 1 unit of finished stock or less.
    if (!(m.ZapasWyrobowGotowych[i] - m.SprzedazIlosciowa[i] * 0.02L > 1.0L)) m.SprzedazIlosciowa[i] = 0;
    m.ZapasWyrobowGotowych[i] = m.ZapasWyrobowGotowych[i] - m.SprzedazIlosciowa[i] * 0.02L;
    m.ProdukcjaRoku[i] = m.ProdukcjaRoku[i] + m.ZakonczenieProdukcji[i] * 0.02L;
    m.SprzedazRoku[i] = m.SprzedazRoku[i] + m.SprzedazIlosciowa[i] * 0.02L;
}

}  // namespace

void ProdukcjaIZapasy(Kontekst& k) {
    ZmienneModelu& m = k.m;
    // Checked before anything moves: the order comes from the record's
    // opening bytes (offset 2260), and a lead time of 0 would make the
    // completion rate infinite.
    for (int n = 1; n <= 3; ++n) {
        const int i = m.KolejnoscProduktow[n];
        if (i < 1 || i > 3)
            throw FormatError("model-state record, KolejnoscProduktow", 2260 + static_cast<std::size_t>(n - 1),
                              "product " + std::to_string(i) + " is not 1..3");
        if (m.CzasPrzejsciaProdukcji[i] == 0.0L)
            throw Real48Error("ProdukcjaIZapasy: the lead time of product " + std::to_string(i) + " is 0");
    }

    zerujSumyKroku(m);
    for (int n = 1; n <= 3; ++n) produkt(m, m.KolejnoscProduktow[n]);

    // Purchases arrive evenly at the ordered annual quantity; the stock is
    // not bounded otherwise.
    const int rok = m.RokSymulacji;
    for (int j = 1; j <= 3; ++j)
        m.ZapasSurowcow[j] = m.ZapasSurowcow[j] + (m.DecyzjeZakupuSurowcow[rok][j] - m.ZuzycieSurowcow[j]) * 0.02L;
}

}  // namespace vesk
