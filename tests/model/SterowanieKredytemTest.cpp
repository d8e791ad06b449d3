#include <gtest/gtest.h>

#include "Kontekst.h"
#include "Rownania.h"

namespace vesk {
namespace {

TEST(SterowanieKredytem, BelowTheTargetDrawsAndRepeatsTheLastRepayment) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    m.RokSymulacji = 2;
    m.DecyzjeZadluzenia[2] = 0.5L;
    m.SrodkiTrwale = 120;
    m.KredytInwestycyjny = 20;
    m.KredytObrotowy = 0;
    m.SplataKredytuKroku = 0.25L;  // set by an earlier repaying step of the year
    m.KredytSanacyjny = 2;
    m.RachunekRozliczeniowy = 10;
    m.FunduszObrotowyGotowkowy = 10;
    m.FunduszObrotowyRozliczeniowy = 4;

    SterowanieKredytem(k);

    // Target (120 - 20) x 0.5 = 50; 0.02 of the gap of 50 is drawn.
    EXPECT_EQ(m.KredytDocelowy.value(), 50.0L);
    EXPECT_NEAR(m.ZaciagniecieKredytuKroku, 1.0, 1e-9);
    EXPECT_EQ(m.SplataKredytuKroku.value(), 0.25L);
    EXPECT_EQ(m.KredytSanacyjnyKroku.value(), 0.0L);
    EXPECT_NEAR(m.KredytObrotowy, 1.0, 1e-9);
    EXPECT_NEAR(m.RachunekRozliczeniowy, 10.75, 1e-9);
    EXPECT_NEAR(m.FunduszObrotowyRozliczeniowy, 3.25, 1e-9);
    EXPECT_NEAR(m.KontoZadluzenia, 0.75, 1e-9);
    // The repayment goes against the rescue credit.
    EXPECT_EQ(m.KredytSanacyjny.value(), 1.75L);
}

TEST(SterowanieKredytem, AtOrAboveTheTargetRepaysAndRepeatsTheLastDrawing) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    m.RokSymulacji = 1;
    m.DecyzjeZadluzenia[1] = 0.5L;
    m.SrodkiTrwale = 100;
    m.KredytObrotowy = 60;
    m.ZaciagniecieKredytuKroku = 0.5L;
    m.RachunekRozliczeniowy = 100;

    SterowanieKredytem(k);

    // Min(60 - 50, 100) x 0.02 repaid; the drawing of 0.5 is applied again.
    EXPECT_NEAR(m.SplataKredytuKroku, 0.2, 1e-9);
    EXPECT_EQ(m.ZaciagniecieKredytuKroku.value(), 0.5L);
    EXPECT_EQ(m.KredytObrotowy.value(), 60.5L);
    EXPECT_NEAR(m.RachunekRozliczeniowy, 100.3, 1e-9);
    // Nothing clamps the rescue credit below 0.
    EXPECT_NEAR(m.KredytSanacyjny, -0.2, 1e-9);

    // A target reached exactly also repays.
    m.KredytObrotowy = 50;
    m.SplataKredytuKroku = 7;
    SterowanieKredytem(k);
    EXPECT_EQ(m.SplataKredytuKroku.value(), 0.0L);
    EXPECT_EQ(m.KredytObrotowy.value(), 50.5L);
}

TEST(SterowanieKredytem, ANegativeAccountIsLiftedByTheRescueCredit) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    m.RokSymulacji = 1;  // debt ratio 0 and no credit: target 0
    m.RachunekRozliczeniowy = -3;
    m.FunduszObrotowyGotowkowy = -3;
    m.KredytSanacyjny = 1;

    SterowanieKredytem(k);

    // Min(0, -3) x 0.02 is negative and clamped to 0.
    EXPECT_EQ(m.SplataKredytuKroku.value(), 0.0L);
    EXPECT_EQ(m.KredytSanacyjnyKroku.value(), 3.0L);
    EXPECT_EQ(m.RachunekRozliczeniowy.value(), 0.0L);
    EXPECT_EQ(m.FunduszObrotowyRozliczeniowy.value(), -3.0L);
    EXPECT_EQ(m.KredytSanacyjny.value(), 4.0L);
    EXPECT_EQ(m.KontoZadluzenia.value(), 3.0L);
    EXPECT_EQ(m.KredytObrotowy.value(), 0.0L);
    EXPECT_EQ(m.KredytyZaciagnieteRoku.value(), 3.0L);
}

TEST(SterowanieKredytem, WithoutDebtAndWithMoneyNothingMoves) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    m.RokSymulacji = 3;
    m.SrodkiTrwale = 120;
    m.RachunekRozliczeniowy = 50;
    SterowanieKredytem(k);
    EXPECT_EQ(m.KredytDocelowy.value(), 0.0L);
    EXPECT_EQ(m.SplataKredytuKroku.value(), 0.0L);
    EXPECT_EQ(m.ZaciagniecieKredytuKroku.value(), 0.0L);
    EXPECT_EQ(m.RachunekRozliczeniowy.value(), 50.0L);
    EXPECT_EQ(m.KredytSanacyjny.value(), 0.0L);
}

}  // namespace
}  // namespace vesk
