#include <gtest/gtest.h>

#include "Kontekst.h"
#include "Rownania.h"

namespace vesk {
namespace {

TEST(WycenaZapasow, OneStepMovesMaterialAndLabourThroughTheStocks) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    m.WartoscZapasuSurowcow[1] = 1;
    m.WartoscZapasuSurowcow[2] = 2;
    m.WartoscZapasuSurowcow[3] = 3;
    m.UruchomienieProdukcji[2] = 100;
    m.ZakonczenieProdukcji[2] = 50;
    m.SprzedazIlosciowa[2] = 40;
    m.KosztMaterialowyJednostkowy[2] = 2;
    m.KosztPracyJednostkowy[2] = 1;
    m.PraceWProdukcjiWToku[2] = 3;
    m.MaterialyWProdukcjiWToku[2] = 4;
    m.PraceWWyrobachGotowych[2] = 2;
    m.MaterialyWWyrobachGotowych[2] = 5;
    m.MaterialySprzedanychRoku[2] = 0.5L;
    m.WartoscProdukcjiWToku = 99;  // rebuilt from the parts

    WycenaZapasow(k);

    // Labour: half of 1 per unit at start (100 units) and at completion (50 units).
    EXPECT_NEAR(m.PracePrzeniesioneKroku[2], 0.5, 1e-9);
    EXPECT_NEAR(m.PlaceUruchomieniaKroku[2], 1.0, 1e-9);
    EXPECT_NEAR(m.PlaceZakonczeniaKroku[2], 0.5, 1e-9);
    EXPECT_NEAR(m.PraceWProdukcjiWToku[2], 3.5, 1e-9);      // 1 + 3 - 0.5
    EXPECT_NEAR(m.MaterialyWProdukcjiWToku[2], 6.0, 1e-9);  // 2 x 50 x 0.02 + 4
    EXPECT_NEAR(m.PraceWWyrobachGotowych[2], 2.2, 1e-9);    // 0.5 + 0.5 + 2 - 0.8
    EXPECT_NEAR(m.MaterialyWWyrobachGotowych[2], 5.4, 1e-9);
    EXPECT_NEAR(m.MaterialySprzedanychRoku[2], 2.1, 1e-9);
    EXPECT_EQ(m.WartoscMaterialow.value(), 6.0L);
    EXPECT_NEAR(m.WartoscProdukcjiWToku, 9.5, 1e-9);
    EXPECT_NEAR(m.WartoscWyrobowGotowych, 7.6, 1e-9);
    EXPECT_NEAR(m.Zapasy, 23.1, 1e-9);
}

TEST(WycenaZapasow, WithoutProductionAndSalesOnlyTheMaterialsFollowTheirStock) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    m.WartoscZapasuSurowcow[3] = 2.5L;
    m.KosztPracyJednostkowy[1] = 1;
    m.KosztMaterialowyJednostkowy[1] = 1;
    m.PraceWProdukcjiWToku[1] = 1;
    m.MaterialyWProdukcjiWToku[1] = 2;
    m.PraceWWyrobachGotowych[3] = 4;
    m.MaterialyWWyrobachGotowych[3] = 8;
    WycenaZapasow(k);
    EXPECT_EQ(m.PraceWProdukcjiWToku[1].value(), 1.0L);
    EXPECT_EQ(m.MaterialyWProdukcjiWToku[1].value(), 2.0L);
    EXPECT_EQ(m.PraceWWyrobachGotowych[3].value(), 4.0L);
    EXPECT_EQ(m.MaterialyWWyrobachGotowych[3].value(), 8.0L);
    EXPECT_EQ(m.WartoscMaterialow.value(), 2.5L);
    EXPECT_EQ(m.WartoscProdukcjiWToku.value(), 3.0L);
    EXPECT_EQ(m.WartoscWyrobowGotowych.value(), 12.0L);
    EXPECT_EQ(m.Zapasy.value(), 17.5L);
}

TEST(WycenaZapasow, SalesBeyondTheStockDriveAValuePartBelowZero) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    m.SprzedazIlosciowa[1] = 50;
    m.KosztMaterialowyJednostkowy[1] = 1;
    m.KosztPracyJednostkowy[1] = 2;
    WycenaZapasow(k);
    EXPECT_NEAR(m.MaterialyWWyrobachGotowych[1], -1.0, 1e-9);
    EXPECT_NEAR(m.PraceWWyrobachGotowych[1], -2.0, 1e-9);
    EXPECT_NEAR(m.WartoscWyrobowGotowych, -3.0, 1e-9);
}

TEST(WycenaZapasow, FixedAssetsSplitTwoThirdsToLandAndBuildings) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    m.SrodkiTrwale = 90;
    m.UmorzenieSrodkowTrwalych = 30;
    WycenaZapasow(k);
    EXPECT_NEAR(m.GruntyIBudynkiBrutto, 80.0, 1e-9);
    EXPECT_NEAR(m.DekapitalizacjaGruntowIBudynkow, 20.0, 1e-9);
    EXPECT_NEAR(m.GruntyIBudynkiNetto, 60.0, 1e-9);
    EXPECT_NEAR(m.UrzadzeniaIMaszynyBrutto, 40.0, 1e-9);
    EXPECT_NEAR(m.DekapitalizacjaUrzadzenIMaszyn, 10.0, 1e-9);
    EXPECT_NEAR(m.UrzadzeniaIMaszynyNetto, 30.0, 1e-9);

    m.SrodkiTrwale = 120;
    m.UmorzenieSrodkowTrwalych = 0;
    WycenaZapasow(k);
    EXPECT_NEAR(m.GruntyIBudynkiNetto, 80.0, 1e-9);
    EXPECT_NEAR(m.UrzadzeniaIMaszynyNetto, 40.0, 1e-9);
    EXPECT_NEAR(m.GruntyIBudynkiNetto + m.UrzadzeniaIMaszynyNetto, 120.0, 1e-9);
}

}  // namespace
}  // namespace vesk
