#include <gtest/gtest.h>

#include "Kontekst.h"
#include "Rownania.h"

namespace vesk {
namespace {

TEST(Dekapitalizacja, OneStepWearsFundsCapacityAndInvestments) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    m.StawkaDekapitalizacjiKroku = 0.01L;
    m.StawkaAmortyzacjiKroku = 0.02L;
    m.FunduszMajatkuTrwalego = 100;
    m.FunduszMajatkuTrwalegoPoczatkowy = 50;
    m.SrodkiTrwale = 120;
    m.KontoKapitalow = 110;
    m.KontoMajatkuTrwalego = 120;
    m.KontoFunduszuMajatkuTrwalego = 60;
    m.UmorzenieSrodkowTrwalych = 2;
    m.ZdolnoscProdukcyjna[1] = 400;
    m.ZdolnoscProdukcyjna[2] = 200;
    m.WartoscInwestycjiProduktu[1] = 40;
    m.ZdolnoscRoku[1] = 10;

    Dekapitalizacja(k);

    EXPECT_NEAR(m.DekapitalizacjaKroku1, 1.0, 1e-9);
    EXPECT_NEAR(m.DekapitalizacjaKroku2, 0.5, 1e-9);
    EXPECT_NEAR(m.ZdolnoscProdukcyjna[1], 396.0, 1e-9);
    EXPECT_NEAR(m.ZdolnoscProdukcyjna[2], 198.0, 1e-9);
    EXPECT_EQ(m.ZdolnoscProdukcyjna[3].value(), 0.0L);
    EXPECT_NEAR(m.WartoscInwestycjiProduktu[1], 39.2, 1e-9);
    // The year's capacity integrates the capacity after this step's decay.
    EXPECT_NEAR(m.ZdolnoscRoku[1], 10.0 + 7.92, 1e-9);
    EXPECT_NEAR(m.ZdolnoscRoku[2], 3.96, 1e-9);
    EXPECT_NEAR(m.SrodkiTrwale, 118.5, 1e-9);
    EXPECT_NEAR(m.FunduszMajatkuTrwalego, 99.0, 1e-9);
    EXPECT_NEAR(m.FunduszMajatkuTrwalegoPoczatkowy, 49.5, 1e-9);
    // The equity account loses the decapitalisation of the investment fund only.
    EXPECT_NEAR(m.KontoKapitalow, 109.0, 1e-9);
    EXPECT_NEAR(m.KontoMajatkuTrwalego, 118.5, 1e-9);
    EXPECT_NEAR(m.KontoFunduszuMajatkuTrwalego, 59.0, 1e-9);
    EXPECT_NEAR(m.UmorzenieSrodkowTrwalych, 3.5, 1e-9);
}

TEST(Dekapitalizacja, WithoutWearAYearIntegratesTheCapacityItself) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    m.ZdolnoscProdukcyjna[1] = 400;
    m.SrodkiTrwale = 120;
    for (int krok = 1; krok <= 50; ++krok) Dekapitalizacja(k);
    EXPECT_EQ(m.ZdolnoscProdukcyjna[1].value(), 400.0L);
    EXPECT_NEAR(m.ZdolnoscRoku[1], 400.0, 1e-8);
    EXPECT_EQ(m.SrodkiTrwale.value(), 120.0L);
}

}  // namespace
}  // namespace vesk
