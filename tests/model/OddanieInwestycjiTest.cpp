#include <gtest/gtest.h>

#include "Deklaracje.h"
#include "Rownania.h"

namespace vesk {
namespace {

long double v(const Real& r) { return r.value(); }

// Default variants: code 1 credit 5 (capacity 50), code 2 credit 6
// (capacity 60), code 5 own funds 1 (capacity 10).
void wpis(Kontekst& k, int p, int y, int n, std::uint8_t kod, long double start, long double koniec) {
    WpisHarmonogramu& e = k.m.HarmonogramInwestycji[p][y][n];
    e.UstawKodWariantu(kod);
    e.UstawStart(start);
    e.UstawKoniec(koniec);
    e.UstawRozpoczeta(1);
}

// The clock at step `t` of year 2013 (year 2 of the node).
void zegar(Kontekst& k, long double t) {
    k.m.CzasSymulacji = t;
    k.m.CzasPolroczny = t < 0.5L - 1.0E-7L ? 2013.0L : 2013.5L;
    k.m.RokKalendarzowy = 2013;
    k.m.RokOkresu = 2012;
    k.m.RokSymulacji = 2;
}

void sprawdzZegar(const Kontekst& k, long double t, long double polrocze) {
    EXPECT_EQ(k.m.CzasSymulacji.value(), roundToReal48(t));
    EXPECT_EQ(k.m.CzasPolroczny.value(), polrocze);
    EXPECT_EQ(k.m.RokKalendarzowy.value(), 2013.0L);
    EXPECT_EQ(k.m.RokOkresu.value(), 2012.0L);
    EXPECT_EQ(k.m.RokSymulacji, 2);
}

TEST(OddanieInwestycji, CompletionAtTheNextYearStartHappensAtTheLastStep) {
    Kontekst k;
    DomyslneWariantyInwestycji(k.m);
    wpis(k, 2, 1, 1, 2, 2012.0L, 2014.0L);
    k.m.InwestycjeRozpoczete = 6;
    k.m.KredytInwestycyjnyWRealizacji = 6;
    k.m.ZdolnoscProdukcyjna[2] = 400;

    // Mid-year: not yet.
    zegar(k, 0.5L);
    OddanieInwestycji(k);
    EXPECT_EQ(k.m.HarmonogramInwestycji[2][1][1].Oddana(), 0);
    sprawdzZegar(k, 0.5L, 2013.5L);

    // The last step of 2013 sees the calendar as it will stand after it.
    zegar(k, 0.98L);
    OddanieInwestycji(k);
    sprawdzZegar(k, 0.98L, 2013.5L);
    const ZmienneModelu& m = k.m;
    EXPECT_EQ(m.HarmonogramInwestycji[2][1][1].Oddana(), 1);
    EXPECT_EQ(v(m.WartoscInwestycjiProduktu[2]), 6.0L);
    EXPECT_EQ(v(m.ZdolnoscProdukcyjna[2]), 460.0L);
    EXPECT_EQ(v(m.KredytProjektu[2][2]), 6.0L);
    EXPECT_EQ(v(m.OddaneInwestycjeKredytowane), 6.0L);
    EXPECT_EQ(v(m.InwestycjeRozpoczete), 0.0L);
    EXPECT_EQ(v(m.SrodkiTrwale), 6.0L);
    EXPECT_EQ(v(m.KredytInwestycyjnyWRealizacji), 0.0L);
    EXPECT_EQ(v(m.KredytInwestycyjny), 6.0L);
    EXPECT_EQ(v(m.WartoscOddanychInwestycji), 6.0L);
    EXPECT_EQ(v(m.KontoOddanychInwestycji), 6.0L);
    EXPECT_EQ(v(m.FunduszMajatkuTrwalego), 0.0L);

    // The first step of 2014 skips it.
    k.m.CzasSymulacji = 0;
    k.m.CzasPolroczny = 2014;
    OddanieInwestycji(k);
    EXPECT_EQ(v(m.ZdolnoscProdukcyjna[2]), 460.0L);
    EXPECT_EQ(v(m.KredytInwestycyjny), 6.0L);
    EXPECT_EQ(v(m.OddaneInwestycjeKredytowane), 0.0L);
}

TEST(OddanieInwestycji, CompletionAtMidYear) {
    Kontekst k;
    DomyslneWariantyInwestycji(k.m);
    wpis(k, 1, 2, 1, 5, 2013.0L, 2013.5L);  // own funds, 1
    k.m.InwestycjeRozpoczete = 1;
    k.m.FunduszInwestycjiWlasnych = 1;

    zegar(k, 0.0L);  // the year start looks at 2013.0
    OddanieInwestycji(k);
    EXPECT_EQ(k.m.HarmonogramInwestycji[1][2][1].Oddana(), 0);

    zegar(k, 0.5L);
    OddanieInwestycji(k);
    sprawdzZegar(k, 0.5L, 2013.5L);
    const ZmienneModelu& m = k.m;
    EXPECT_EQ(m.HarmonogramInwestycji[1][2][1].Oddana(), 1);
    EXPECT_EQ(v(m.ZdolnoscProdukcyjna[1]), 10.0L);
    EXPECT_EQ(v(m.OddaneInwestycjeWlasne), 1.0L);
    EXPECT_EQ(v(m.InwestycjeRozpoczete), 0.0L);
    EXPECT_EQ(v(m.SrodkiTrwale), 1.0L);
    EXPECT_EQ(v(m.FunduszInwestycjiWlasnych), 0.0L);
    EXPECT_EQ(v(m.FunduszMajatkuTrwalego), 1.0L);
    EXPECT_EQ(v(m.KredytInwestycyjny), 0.0L);
    for (int kod = 1; kod <= 8; ++kod) EXPECT_EQ(v(m.KredytProjektu[1][kod]), 0.0L);
}

TEST(OddanieInwestycji, TwoProjectsOfOneVariantAndProductAddToOneCredit) {
    Kontekst k;
    DomyslneWariantyInwestycji(k.m);
    wpis(k, 3, 1, 1, 1, 2013.0L, 2013.5L);
    wpis(k, 3, 2, 2, 1, 2013.0L, 2013.5L);
    k.m.InwestycjeRozpoczete = 10;
    k.m.KredytInwestycyjnyWRealizacji = 10;
    zegar(k, 0.5L);
    OddanieInwestycji(k);
    EXPECT_EQ(v(k.m.KredytProjektu[3][1]), 10.0L);
    EXPECT_EQ(v(k.m.ZdolnoscProdukcyjna[3]), 100.0L);
    EXPECT_EQ(v(k.m.KredytInwestycyjny), 10.0L);
    EXPECT_EQ(v(k.m.InwestycjeRozpoczete), 0.0L);
}

TEST(OddanieInwestycji, UnstartedProjectKeepsInvestmentsUnderWayAtZero) {
    // Its start time was not a whole year, so it never started; it still
    // completes and the credit under way goes below 0 in full.
    Kontekst k;
    DomyslneWariantyInwestycji(k.m);
    wpis(k, 1, 1, 1, 1, 2012.5L, 2013.5L);
    k.m.HarmonogramInwestycji[1][1][1].UstawRozpoczeta(0);
    k.m.InwestycjeRozpoczete = 2;
    zegar(k, 0.5L);
    OddanieInwestycji(k);
    EXPECT_EQ(v(k.m.InwestycjeRozpoczete), 0.0L);
    EXPECT_EQ(v(k.m.KredytInwestycyjnyWRealizacji), -5.0L);
    EXPECT_EQ(v(k.m.KredytInwestycyjny), 5.0L);
    EXPECT_EQ(v(k.m.SrodkiTrwale), 5.0L);
}

TEST(OddanieInwestycji, EntriesWithoutAVariantAreIgnored) {
    Kontekst k;
    DomyslneWariantyInwestycji(k.m);
    wpis(k, 1, 1, 1, 0, 2013.0L, 2013.5L);
    wpis(k, 1, 1, 2, 9, 2013.0L, 2013.5L);
    wpis(k, 2, 1, 1, 200, 2013.0L, 2013.5L);
    zegar(k, 0.5L);
    OddanieInwestycji(k);
    EXPECT_EQ(k.m.HarmonogramInwestycji[1][1][1].Oddana(), 0);
    EXPECT_EQ(k.m.HarmonogramInwestycji[1][1][2].Oddana(), 0);
    EXPECT_EQ(k.m.HarmonogramInwestycji[2][1][1].Oddana(), 0);
    EXPECT_EQ(v(k.m.SrodkiTrwale), 0.0L);
    EXPECT_EQ(v(k.m.ZdolnoscProdukcyjna[1]), 0.0L);
}

}  // namespace
}  // namespace vesk
