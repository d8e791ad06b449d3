#include <gtest/gtest.h>

#include "ByteView.h"
#include "Rownania.h"

namespace vesk {
namespace {

long double v(const Real& r) { return r.value(); }

// Year 1 at its first step; every material norm 0.5, lead time 0.5 year,
// 1000 units of each material, nothing bought, no plan, no stocks.
void przygotuj(Kontekst& k) {
    ZmienneModelu& m = k.m;
    m.RokSymulacji = 1;
    m.CzasSymulacji = 0;
    for (int i = 1; i <= 3; ++i) {
        m.KolejnoscProduktow[i] = static_cast<std::uint8_t>(i);
        m.CzasPrzejsciaProdukcji[i] = 0.5L;
        m.ZapasSurowcow[i] = 1000;
        for (int j = 1; j <= 3; ++j) m.NormyZuzyciaSurowcow[j][i] = 0.5L;
    }
}

TEST(ProdukcjaIZapasy, OneStepByHand) {
    Kontekst k;
    przygotuj(k);
    ZmienneModelu& m = k.m;
    m.ZdolnoscProdukcyjna[1] = 200;
    m.DecyzjeProdukcji[1][1] = 1000;
    m.ProdukcjaWToku[1] = 50;
    m.ZapasWyrobowGotowych[1] = 20;
    m.Popyt[1] = 500;
    for (int j = 1; j <= 3; ++j) m.DecyzjeZakupuSurowcow[1][j] = 50;
    m.KosztyKroku = 7;
    m.WyplatyZZysku = 3;

    ProdukcjaIZapasy(k);

    EXPECT_EQ(v(m.KosztyKroku), 0.0L);  // per-step totals start from 0
    EXPECT_EQ(v(m.WyplatyZZysku), 0.0L);
    // Start limited by capacity; completion 50 / 0.5; sales by demand.
    EXPECT_EQ(v(m.UruchomienieProdukcji[1]), 200.0L);
    EXPECT_EQ(v(m.ZakonczenieProdukcji[1]), 100.0L);
    EXPECT_EQ(v(m.SprzedazIlosciowa[1]), 500.0L);
    EXPECT_EQ(v(m.ProdukcjaWToku[1]), 52.0L);        // 50 + 4 - 2
    EXPECT_EQ(v(m.ZapasWyrobowGotowych[1]), 12.0L);  // 20 + 2 - 10
    EXPECT_EQ(v(m.ProdukcjaRoku[1]), 2.0L);
    EXPECT_EQ(v(m.SprzedazRoku[1]), 10.0L);
    for (int j = 1; j <= 3; ++j) {
        EXPECT_EQ(v(m.ZuzycieSurowcow[j]), 100.0L);  // 0.5 * 200
        EXPECT_EQ(v(m.ZapasSurowcow[j]), 999.0L);    // 1000 + (50 - 100) * 0.02
    }
    // Products without a plan or stocks do nothing.
    for (int i = 2; i <= 3; ++i) {
        EXPECT_EQ(v(m.UruchomienieProdukcji[i]), 0.0L);
        EXPECT_EQ(v(m.ZakonczenieProdukcji[i]), 0.0L);
        EXPECT_EQ(v(m.SprzedazIlosciowa[i]), 0.0L);
    }
}

TEST(ProdukcjaIZapasy, StartRateOfFiveOrLessIsDropped) {
    for (long double zdolnosc : {5.0L, 5.0001L}) {
        Kontekst k;
        przygotuj(k);
        k.m.ZdolnoscProdukcyjna[1] = zdolnosc;
        k.m.DecyzjeProdukcji[1][1] = 1000;
        ProdukcjaIZapasy(k);
        long double oczekiwany = zdolnosc > 5.0L ? roundToReal48(5.0001L) : 0.0L;
        EXPECT_EQ(v(k.m.UruchomienieProdukcji[1]), oczekiwany) << zdolnosc;
    }
}

TEST(ProdukcjaIZapasy, StartSpreadsTheOutstandingPlanOverTheRestOfTheYear) {
    // 2 units of the plan left: at mid-year the rate is 4 a year; at the
    // last step the whole remainder may start in that step.
    Kontekst k;
    przygotuj(k);
    k.m.ZdolnoscProdukcyjna[1] = 1000;
    k.m.DecyzjeProdukcji[1][1] = 100;
    k.m.ProdukcjaRoku[1] = 98;
    k.m.CzasSymulacji = 0.5L;
    ProdukcjaIZapasy(k);
    EXPECT_EQ(v(k.m.UruchomienieProdukcji[1]), 0.0L);  // 4 a year is not above 5

    k.m.ProdukcjaRoku[1] = 90;  // 10 left: 20 a year
    ProdukcjaIZapasy(k);
    EXPECT_NEAR(v(k.m.UruchomienieProdukcji[1]), 20.0L, 1.0E-5L);

    k.m.ProdukcjaRoku[1] = 98;
    k.m.CzasSymulacji = 0.98L;
    ProdukcjaIZapasy(k);
    EXPECT_EQ(v(k.m.UruchomienieProdukcji[1]), roundToReal48(2.0L / ((1.0L - roundToReal48(0.98L)) + 1.0E-7L)));
    EXPECT_NEAR(v(k.m.UruchomienieProdukcji[1]) * 0.02L, 2.0L, 1.0E-5L);

    // A plan already exceeded starts nothing.
    k.m.ProdukcjaRoku[1] = 120;
    k.m.CzasSymulacji = 0;
    ProdukcjaIZapasy(k);
    EXPECT_EQ(v(k.m.UruchomienieProdukcji[1]), 0.0L);
}

TEST(ProdukcjaIZapasy, RemaindersOfOneUnitOrLessStopTheFlow) {
    Kontekst k;
    przygotuj(k);
    ZmienneModelu& m = k.m;
    // Finished stock of exactly 1 unit plus one step's sales: no sale.
    m.ZapasWyrobowGotowych[1] = 3;
    m.Popyt[1] = 100;
    // Work in progress that would fall below 1 unit: no completion
    // (1.04 - 1.04 / 0.5 * 0.02 = 0.9984).
    m.ProdukcjaWToku[2] = 1.04L;
    // A start that would leave 0.5 of material 2: no start.
    m.ZdolnoscProdukcyjna[3] = 200;
    m.DecyzjeProdukcji[1][3] = 1000;
    m.ZapasSurowcow[2] = 2.5L;
    ProdukcjaIZapasy(k);
    EXPECT_EQ(v(m.SprzedazIlosciowa[1]), 0.0L);
    EXPECT_EQ(v(m.ZapasWyrobowGotowych[1]), 3.0L);
    EXPECT_EQ(v(m.ZakonczenieProdukcji[2]), 0.0L);
    EXPECT_EQ(v(m.ProdukcjaWToku[2]), roundToReal48(1.04L));
    EXPECT_EQ(v(m.UruchomienieProdukcji[3]), 0.0L);
    EXPECT_EQ(v(m.ZuzycieSurowcow[2]), 0.0L);

    // Half a unit more of each and the flows go.
    Kontekst k2;
    przygotuj(k2);
    k2.m.ZapasWyrobowGotowych[1] = 3.5L;
    k2.m.Popyt[1] = 100;
    k2.m.ZdolnoscProdukcyjna[3] = 200;
    k2.m.DecyzjeProdukcji[1][3] = 1000;
    k2.m.ZapasSurowcow[2] = 3.5L;
    k2.m.ProdukcjaWToku[2] = 1.5L;  // 1.5 - 0.06 = 1.44
    ProdukcjaIZapasy(k2);
    EXPECT_EQ(v(k2.m.ZakonczenieProdukcji[2]), 3.0L);
    EXPECT_EQ(v(k2.m.SprzedazIlosciowa[1]), 100.0L);
    EXPECT_EQ(v(k2.m.ZapasWyrobowGotowych[1]), 1.5L);
    // 3.5 units of material 2 allow 3.5 / 0.5 / 0.02 = 350 a year; capacity 200 counts.
    EXPECT_EQ(v(k2.m.UruchomienieProdukcji[3]), 200.0L);
}

TEST(ProdukcjaIZapasy, AStartThatWouldUseUpTheScarcestMaterialIsDropped) {
    Kontekst k;
    przygotuj(k);
    k.m.ZdolnoscProdukcyjna[1] = 1000;
    k.m.DecyzjeProdukcji[1][1] = 1000;
    k.m.ZapasSurowcow[3] = 2;  // 4 units of product, 200 a year
    ProdukcjaIZapasy(k);
    // The scarcest material allows 200 a year, which would use up all of it.
    EXPECT_EQ(v(k.m.UruchomienieProdukcji[1]), 0.0L);
}

TEST(ProdukcjaIZapasy, NoPlanStillCompletesAndSells) {
    Kontekst k;
    przygotuj(k);
    k.m.ZdolnoscProdukcyjna[2] = 400;
    k.m.ProdukcjaWToku[2] = 25;
    k.m.ZapasWyrobowGotowych[2] = 10;
    k.m.Popyt[2] = 50;
    ProdukcjaIZapasy(k);
    EXPECT_EQ(v(k.m.UruchomienieProdukcji[2]), 0.0L);
    EXPECT_EQ(v(k.m.ZakonczenieProdukcji[2]), 50.0L);
    EXPECT_EQ(v(k.m.ProdukcjaWToku[2]), 24.0L);
    EXPECT_EQ(v(k.m.SprzedazIlosciowa[2]), 50.0L);
    EXPECT_EQ(v(k.m.ZapasWyrobowGotowych[2]), 10.0L);  // 10 + 1 - 1
}

TEST(ProdukcjaIZapasy, ProductsTogetherCanOverdrawAMaterial) {
    // Each product sees 10 units of material 1 and takes 4 of them.
    Kontekst k;
    przygotuj(k);
    k.m.KolejnoscProduktow[1] = 3;
    k.m.KolejnoscProduktow[2] = 1;
    k.m.KolejnoscProduktow[3] = 2;
    k.m.ZapasSurowcow[1] = 10;
    for (int i = 1; i <= 3; ++i) {
        k.m.ZdolnoscProdukcyjna[i] = 400;
        k.m.DecyzjeProdukcji[1][i] = 1000;
    }
    ProdukcjaIZapasy(k);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(v(k.m.UruchomienieProdukcji[i]), 400.0L);
    EXPECT_EQ(v(k.m.ZuzycieSurowcow[1]), 600.0L);
    EXPECT_EQ(v(k.m.ZapasSurowcow[1]), -2.0L);  // 10 - 600 * 0.02
}

TEST(ProdukcjaIZapasy, BadOrderOrLeadTimeIsAnErrorThatChangesNothing) {
    Kontekst k;
    przygotuj(k);
    k.m.KolejnoscProduktow[2] = 4;
    k.m.KosztyKroku = 7;
    EXPECT_THROW(ProdukcjaIZapasy(k), FormatError);
    EXPECT_EQ(v(k.m.KosztyKroku), 7.0L);
    EXPECT_EQ(v(k.m.ZapasSurowcow[1]), 1000.0L);

    Kontekst k2;
    przygotuj(k2);
    k2.m.CzasPrzejsciaProdukcji[3] = 0;
    k2.m.ProdukcjaWToku[1] = 50;
    EXPECT_THROW(ProdukcjaIZapasy(k2), Real48Error);
    EXPECT_EQ(v(k2.m.ProdukcjaWToku[1]), 50.0L);
}

}  // namespace
}  // namespace vesk
