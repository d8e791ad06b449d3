// Values the stocks at cost and splits the fixed assets into land and
// buildings (two thirds) and machines and equipment (the rest).
//
// Work in progress and finished goods are kept per product as a material
// part and a labour part. Material enters work in progress in full when
// production starts; labour enters in two halves, at the start and at
// completion. Every movement is valued at the unit costs of the step.
#include "Rownania.h"

namespace vesk {

void WycenaZapasow(Kontekst& k) {
    ZmienneModelu& m = k.m;
    m.WartoscMaterialow = 0;
    m.WartoscProdukcjiWToku = 0;
    m.WartoscWyrobowGotowych = 0;
    m.PracePrzeniesioneKroku.fill(Real());

    m.WartoscMaterialow = m.WartoscZapasuSurowcow[1] + m.WartoscZapasuSurowcow[2] + m.WartoscZapasuSurowcow[3];

    for (int p = 1; p <= 3; ++p) {
        const Real& S = m.UruchomienieProdukcji[p];
        const Real& Z = m.ZakonczenieProdukcji[p];
        const Real& Q = m.SprzedazIlosciowa[p];
        const Real& M = m.KosztMaterialowyJednostkowy[p];
        const Real& L = m.KosztPracyJednostkowy[p];

        m.PracePrzeniesioneKroku[p] = L * (Z * 0.5L) * 0.02L;
        m.PlaceUruchomieniaKroku[p] = S * (L * 0.5L) * 0.02L;
        m.PlaceZakonczeniaKroku[p] = Z * (L * 0.5L) * 0.02L;
        m.PraceWProdukcjiWToku[p] =
            m.PlaceUruchomieniaKroku[p] + m.PraceWProdukcjiWToku[p] - m.PracePrzeniesioneKroku[p];
        m.MaterialyWProdukcjiWToku[p] = M * (S - Z) * 0.02L + m.MaterialyWProdukcjiWToku[p];
        m.PraceWWyrobachGotowych[p] = m.PracePrzeniesioneKroku[p] + m.PlaceZakonczeniaKroku[p] +
                                      m.PraceWWyrobachGotowych[p] - L * Q * 0.02L;
        m.MaterialyWWyrobachGotowych[p] = M * (Z - Q) * 0.02L + m.MaterialyWWyrobachGotowych[p];
        m.MaterialySprzedanychRoku[p] = Q * M * 0.02L + m.MaterialySprzedanychRoku[p];
        m.WartoscProdukcjiWToku += m.MaterialyWProdukcjiWToku[p] + m.PraceWProdukcjiWToku[p];
        m.WartoscWyrobowGotowych += m.MaterialyWWyrobachGotowych[p] + m.PraceWWyrobachGotowych[p];
        m.Zapasy = m.WartoscWyrobowGotowych + m.WartoscProdukcjiWToku + m.WartoscMaterialow;
    }
    PodzialSrodkowTrwalych(m);
}

// Fixed-asset split of the gross value.
void PodzialSrodkowTrwalych(ZmienneModelu& m) {
    m.GruntyIBudynkiBrutto = 0;
    m.DekapitalizacjaGruntowIBudynkow = 0;
    m.GruntyIBudynkiNetto = 0;
    m.UrzadzeniaIMaszynyBrutto = 0;
    m.DekapitalizacjaUrzadzenIMaszyn = 0;
    m.UrzadzeniaIMaszynyNetto = 0;
    const long double G = m.UmorzenieSrodkowTrwalych + m.SrodkiTrwale;
    m.GruntyIBudynkiBrutto = G * 2 / 3;
    m.DekapitalizacjaGruntowIBudynkow = m.UmorzenieSrodkowTrwalych * 2 / 3;
    m.GruntyIBudynkiNetto = m.GruntyIBudynkiBrutto - m.DekapitalizacjaGruntowIBudynkow;
    m.UrzadzeniaIMaszynyBrutto = G - m.GruntyIBudynkiBrutto;
    m.DekapitalizacjaUrzadzenIMaszyn = m.UmorzenieSrodkowTrwalych - m.DekapitalizacjaGruntowIBudynkow;
    m.UrzadzeniaIMaszynyNetto = m.UrzadzeniaIMaszynyBrutto - m.DekapitalizacjaUrzadzenIMaszyn;
}

}  // namespace vesk
