#include <gtest/gtest.h>

#include "Deklaracje.h"
#include "Rownania.h"

namespace vesk {
namespace {

long double v(const Real& r) { return r.value(); }

// The first step of 2013 with the default variants: code 1 is a credit-
// financed project of 5, code 6 an own-financed one of 2.
void przygotuj(Kontekst& k) {
    DomyslneWariantyInwestycji(k.m);
    k.m.CzasSymulacji = 0;
    k.m.CzasPolroczny = 2013;
    k.m.RachunekRozliczeniowy = 100;
    k.m.FunduszObrotowyGotowkowy = 50;
}

void wpis(Kontekst& k, int p, int y, int n, std::uint8_t kod, long double start, long double koniec) {
    WpisHarmonogramu& e = k.m.HarmonogramInwestycji[p][y][n];
    e.UstawKodWariantu(kod);
    e.UstawStart(start);
    e.UstawKoniec(koniec);
}

TEST(RozpoczecieInwestycji, AProjectStartsOnceAtItsYearStart) {
    Kontekst k;
    przygotuj(k);
    wpis(k, 1, 1, 1, 1, 2013.0L, 2013.5L);  // credit, 5
    wpis(k, 2, 3, 2, 6, 2013.0L, 2013.5L);  // own funds, 2
    RozpoczecieInwestycji(k);
    RozpoczecieInwestycji(k);  // the step driver's second call at the same step

    const ZmienneModelu& m = k.m;
    EXPECT_EQ(m.HarmonogramInwestycji[1][1][1].Rozpoczeta(), 1);
    EXPECT_EQ(m.HarmonogramInwestycji[2][3][2].Rozpoczeta(), 1);
    EXPECT_EQ(m.HarmonogramInwestycji[1][1][1].Oddana(), 0);
    // The second call found nothing more.
    EXPECT_EQ(v(m.NakladyInwestycjiKredytowanych), 0.0L);
    EXPECT_EQ(v(m.NakladyInwestycjiWlasnych), 0.0L);

    EXPECT_EQ(v(m.InwestycjeRozpoczete), 7.0L);
    EXPECT_EQ(v(m.KredytInwestycyjnyWRealizacji), 5.0L);
    EXPECT_EQ(v(m.KontoZadluzenia), 5.0L);
    EXPECT_EQ(v(m.KontoSumyBilansowej), 5.0L);
    EXPECT_EQ(v(m.KontoMajatkuTrwalego), 7.0L);
    EXPECT_EQ(v(m.RachunekRozliczeniowy), 98.0L);
    EXPECT_EQ(v(m.FunduszObrotowyGotowkowy), 48.0L);
    EXPECT_EQ(v(m.NakladyInwestycjiWlasnychNarastajaco), 2.0L);
    EXPECT_EQ(v(m.KontoFunduszuMajatkuTrwalego), 2.0L);
    EXPECT_EQ(v(m.FunduszInwestycjiWlasnych), 2.0L);
    EXPECT_EQ(v(m.NabycieGruntowIUrzadzen), 2.0L);
    // Starting adds no capacity and no credit to repay yet.
    EXPECT_EQ(v(m.ZdolnoscProdukcyjna[1]), 0.0L);
    EXPECT_EQ(v(m.KredytInwestycyjny), 0.0L);
}

TEST(RozpoczecieInwestycji, OnlyMatchingValidEntriesStart) {
    Kontekst k;
    przygotuj(k);
    wpis(k, 1, 1, 1, 1, 2013.5L, 2014.0L);    // another time
    wpis(k, 1, 1, 2, 0, 2013.0L, 2013.5L);    // no project
    wpis(k, 1, 2, 1, 9, 2013.0L, 2013.5L);    // no such variant
    wpis(k, 1, 2, 2, 255, 2013.0L, 2013.5L);  // no such variant
    wpis(k, 3, 3, 2, 2, 2013.0L + 0.5E-7L, 2014.0L);  // within the tolerance
    RozpoczecieInwestycji(k);
    EXPECT_EQ(k.m.HarmonogramInwestycji[1][1][1].Rozpoczeta(), 0);
    EXPECT_EQ(k.m.HarmonogramInwestycji[1][1][2].Rozpoczeta(), 0);
    EXPECT_EQ(k.m.HarmonogramInwestycji[1][2][1].Rozpoczeta(), 0);
    EXPECT_EQ(k.m.HarmonogramInwestycji[1][2][2].Rozpoczeta(), 0);
    EXPECT_EQ(k.m.HarmonogramInwestycji[3][3][2].Rozpoczeta(), 1);
    EXPECT_EQ(v(k.m.InwestycjeRozpoczete), 6.0L);
    EXPECT_EQ(v(k.m.RachunekRozliczeniowy), 100.0L);
}

TEST(RozpoczecieInwestycji, AStartedProjectIsNotStartedAgain) {
    Kontekst k;
    przygotuj(k);
    wpis(k, 1, 1, 1, 6, 2013.0L, 2013.5L);
    k.m.HarmonogramInwestycji[1][1][1].UstawRozpoczeta(1);
    RozpoczecieInwestycji(k);
    EXPECT_EQ(v(k.m.InwestycjeRozpoczete), 0.0L);
    EXPECT_EQ(v(k.m.RachunekRozliczeniowy), 100.0L);
}

}  // namespace
}  // namespace vesk
