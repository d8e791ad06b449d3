#include "Kalendarz.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(Kalendarz, TimeTestsUseTheTolerance) {
    EXPECT_TRUE(PoczatekRokuTest(0.0L));
    EXPECT_TRUE(PoczatekRokuTest(0.9E-7L));
    EXPECT_FALSE(PoczatekRokuTest(1.0E-7L));
    EXPECT_TRUE(PolowaRokuTest(Real(0.5L)));
    EXPECT_FALSE(PolowaRokuTest(Real(0.52L)));
    EXPECT_TRUE(KoniecRokuTest(Real(0.98L)));
    EXPECT_FALSE(KoniecRokuTest(Real(0.96L)));
}

TEST(Kalendarz, AYearOfStepsAdvancesTheCalendar) {
    Real czas = 0, polrocze = 2012, rok = 2012, okres = 2012;
    std::uint8_t indeks = 1;
    for (int step = 1; step <= 50; ++step) {
        czas = czas + 0.02L;
        KalendarzModelu(czas, polrocze, rok, indeks, okres);
        if (step == 25) {
            EXPECT_EQ(polrocze.value(), 2012.5L);
        }
    }
    EXPECT_EQ(czas.value(), 0.0L);
    EXPECT_EQ(polrocze.value(), 2013.0L);
    EXPECT_EQ(rok.value(), 2013.0L);
    EXPECT_EQ(okres.value(), 2012.0L);  // (2013 - 1) mod 3 = 2: unchanged
    EXPECT_EQ(indeks, 1);
}

TEST(Kalendarz, PeriodYearFollowsEveryThirdYear) {
    Real czas = 0.98L, polrocze = 0, rok = 2016, okres = 0;
    std::uint8_t indeks = 3;
    czas = czas + 0.02L;
    KalendarzModelu(czas, polrocze, rok, indeks, okres);
    EXPECT_EQ(rok.value(), 2017.0L);
    EXPECT_EQ(okres.value(), 2017.0L);  // (2017 - 1) mod 3 = 0
    // Negative years: the remainder takes the sign of the dividend.
    Real czas2 = 1.0L, rok2 = -3, okres2 = 7, p2 = 0;
    KalendarzModelu(czas2, p2, rok2, indeks, okres2);
    EXPECT_EQ(rok2.value(), -2.0L);
    EXPECT_EQ(okres2.value(), -2.0L);  // (-2 - 1) mod 3 = 0
}

}  // namespace
}  // namespace vesk
