// Wear of the fixed assets, of the lines' capacity and of the value of the
// products' investments over one step.
#include "Rownania.h"

namespace vesk {

void Dekapitalizacja(Kontekst& k) {
    ZmienneModelu& m = k.m;
    m.DekapitalizacjaKroku1 = m.StawkaDekapitalizacjiKroku * m.FunduszMajatkuTrwalego;
    m.DekapitalizacjaKroku2 = m.StawkaDekapitalizacjiKroku * m.FunduszMajatkuTrwalegoPoczatkowy;

    // Capacity decays at the decapitalisation rate, the investments' value at
    // the depreciation rate; the year's capacity integrates the decayed value.
    for (int i = 1; i <= 3; ++i) {
        m.ZdolnoscProdukcyjna[i] = (1.0L - m.StawkaDekapitalizacjiKroku) * m.ZdolnoscProdukcyjna[i];
        m.WartoscInwestycjiProduktu[i] = (1.0L - m.StawkaAmortyzacjiKroku) * m.WartoscInwestycjiProduktu[i];
        m.ZdolnoscRoku[i] += m.ZdolnoscProdukcyjna[i] * 0.02L;
    }

    m.SrodkiTrwale -= m.DekapitalizacjaKroku1 + m.DekapitalizacjaKroku2;
    m.FunduszMajatkuTrwalego -= m.DekapitalizacjaKroku1;
    m.FunduszMajatkuTrwalegoPoczatkowy -= m.DekapitalizacjaKroku2;
    m.KontoKapitalow -= m.DekapitalizacjaKroku1;
    m.KontoMajatkuTrwalego -= m.DekapitalizacjaKroku1 + m.DekapitalizacjaKroku2;
    m.KontoFunduszuMajatkuTrwalego -= m.DekapitalizacjaKroku1;
    m.UmorzenieSrodkowTrwalych += m.DekapitalizacjaKroku1 + m.DekapitalizacjaKroku2;
}

}  // namespace vesk
