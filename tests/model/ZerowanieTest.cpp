#include "Zerowanie.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

long double v(const Real& r) { return r.value(); }

TEST(Zerowanie, RootOpeningStateBalancesAt170) {
    Kontekst k;
    ZerujZmienneModelu2(k);
    ZerujZmienneModelu1(k);
    UstawStanPoczatkowy(k);
    EXPECT_EQ(v(k.m.SumaAktywow), 170.0L);
    EXPECT_EQ(v(k.m.SumaPasywow), 170.0L);
    EXPECT_EQ(v(k.m.KapitalAkcyjny), 170.0L);
    EXPECT_EQ(v(k.m.MajatekObrotowy), 50.0L);
    EXPECT_EQ(v(k.m.CzasPolroczny), -2.0L);
    EXPECT_EQ(v(k.m.RokKalendarzowy), -2.0L);
    EXPECT_EQ(v(k.m.RokOkresu), -2.0L);
    EXPECT_EQ(k.m.RokSymulacji, 1);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(k.m.KolejnoscProduktow[i], i);
        EXPECT_EQ(v(k.m.ZdolnoscProdukcyjna[i]), 400.0L);
        EXPECT_EQ(v(k.m.WartoscInwestycjiProduktu[i]), 40.0L);
    }
    // The reserved values the root's record repeats.
    EXPECT_EQ(decodeReal48(k.m.OtwarcieZastrzezone.data() + 600), 120.0L);
    EXPECT_EQ(decodeReal48(k.m.OtwarcieZastrzezone.data() + 1152), 170.0L);
    EXPECT_EQ(decodeReal48(k.m.OtwarcieZastrzezone.data() + 1604), roundToReal48(0.3L));
}

TEST(Zerowanie, BroadResetLeavesTheIssueSumTinyAndTheOrderEmpty) {
    Kontekst k;
    UstawStanPoczatkowy(k);
    k.m.SumaEmisjiAkcji = 25;
    k.m.HarmonogramInwestycji[1][1][1].UstawKodWariantu(3);
    k.m.StawkaSkladekZUS = 20;
    k.m.OtwarcieZastrzezone[2000] = 7;
    ZerujZmienneModelu2(k);
    EXPECT_EQ(encodeReal48(v(k.m.SumaEmisjiAkcji)), encodeReal48(1.0E-12L));
    EXPECT_NE(v(k.m.SumaEmisjiAkcji), 0.0L);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(k.m.KolejnoscProduktow[i], 0);
    EXPECT_EQ(k.m.HarmonogramInwestycji[1][1][1].KodWariantu(), 0);
    EXPECT_EQ(v(k.m.StawkaSkladekZUS), 0.0L);
    EXPECT_EQ(v(k.m.SrodkiTrwale), 0.0L);
    EXPECT_EQ(k.m.OtwarcieZastrzezone[2000], 0);
    // Quantities outside the list keep their values.
    EXPECT_EQ(v(k.m.MajatekObrotowy), 50.0L);
    EXPECT_EQ(v(k.m.KapitalZapasowy), 0.0L);
}

TEST(Zerowanie, YearEndClearsYearCountersButNotStocksOrBalances) {
    Kontekst k;
    k.m.ProdukcjaRoku[2] = 5;
    k.m.KosztyOkresoweWyrobuRoku[1][1] = 1;
    k.m.KosztyOkresoweWyrobuRoku[2][1] = 2;
    k.m.KosztyOkresoweWyrobuRoku[3][1] = 3;  // row 3 is not in the year-end list
    k.m.ZyskKroku = 4;
    k.m.SplataKredytuKroku = 1;
    k.m.ZapasSurowcow[1] = 9;
    k.m.RachunekRozliczeniowy = 11;
    k.m.ZyskRoku = 12;
    KoniecRoku(k);
    EXPECT_EQ(v(k.m.ProdukcjaRoku[2]), 0.0L);
    EXPECT_EQ(v(k.m.KosztyOkresoweWyrobuRoku[1][1]), 0.0L);
    EXPECT_EQ(v(k.m.KosztyOkresoweWyrobuRoku[2][1]), 0.0L);
    EXPECT_EQ(v(k.m.KosztyOkresoweWyrobuRoku[3][1]), 3.0L);
    EXPECT_EQ(v(k.m.ZyskKroku), 0.0L);
    EXPECT_EQ(v(k.m.SplataKredytuKroku), 0.0L);
    EXPECT_EQ(v(k.m.ZapasSurowcow[1]), 9.0L);
    EXPECT_EQ(v(k.m.RachunekRozliczeniowy), 11.0L);
    EXPECT_EQ(v(k.m.ZyskRoku), 12.0L);
}

TEST(Zerowanie, YearEndKeepsTheResultThatTheNextYearsIssueRuleReads) {
    Kontekst k;
    k.m.WynikDoBilansu = -2.5L;  // a loss year
    k.m.WynikLatUbieglych = 4;
    KoniecRoku(k);
    EXPECT_EQ(v(k.m.WynikDoBilansu), -2.5L);
    EXPECT_EQ(v(k.m.WynikLatUbieglych), 0.0L);  // the rest of the list is cleared
    // The reset before a run still clears it; the opening state brings the parent's.
    ZerujZmienneModelu1(k);
    EXPECT_EQ(v(k.m.WynikDoBilansu), 0.0L);
}

TEST(Zerowanie, DefaultDecisions) {
    Kontekst k;
    DomyslneDecyzje(k);
    for (int rok = 1; rok <= 3; ++rok) {
        for (int i = 1; i <= 3; ++i) {
            EXPECT_EQ(v(k.m.DecyzjeProdukcji[rok][i]), 400.0L);
            EXPECT_EQ(v(k.m.DecyzjeZakupuSurowcow[rok][i]), rok == 1 ? 400.0L : 350.0L);
        }
        EXPECT_EQ(v(k.m.DecyzjeCen[rok][1]), roundToReal48(0.25L));
        EXPECT_EQ(v(k.m.DecyzjeCen[rok][2]), roundToReal48(0.34L));
        EXPECT_EQ(v(k.m.DecyzjeCen[rok][3]), roundToReal48(0.411L));
        EXPECT_EQ(v(k.m.UdzialDywidendyZwyklej[rok]), roundToReal48(0.1L));
        EXPECT_EQ(v(k.m.DecyzjeZadluzenia[rok]), 0.5L);
        EXPECT_EQ(v(k.m.EmisjaAkcji[rok]), 1.0L);
    }
}

}  // namespace
}  // namespace vesk
