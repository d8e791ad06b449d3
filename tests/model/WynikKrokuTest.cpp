#include <gtest/gtest.h>

#include "Kontekst.h"
#include "Rownania.h"

namespace vesk {
namespace {

// Step charges of the cost group, in binary fractions so the sums are exact.
void UstawKosztyKroku(ZmienneModelu& m) {
    m.KosztZdolnosciKrokuRazem = 0.25L;
    m.AmortyzacjaKrokuRazem = 0.5L;
    m.KosztyOkresoweKroku[0] = 0.125L;
    m.OdsetkiKroku = 0.0625L;  // charges 0.9375 together
    m.PlaceKrokuRazem = 0.5L;
    m.SplataZobowiazanKroku = 1;
    m.WplywyNaleznosciKroku = 2;
}

TEST(WynikKroku, AProfitStepBooksItsResultAndCashStatistics) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawKosztyKroku(m);
    m.PrzychodyKroku = 3;
    m.KosztyKroku = 2;
    m.ZyskRoku = 10;
    m.StrataRoku = 4;
    m.ZyskBrutto = 5;
    m.FunduszObrotowyRozliczeniowy = 1;
    m.KontoKapitalow = 100;
    m.KontoSumyBilansowej = 170;
    m.WplywyRoku = 20;
    m.WydatkiRoku = 10;
    m.RachunekRozliczeniowy = 53;
    m.RachunekRozliczeniowyNaPoczatkuRoku = 50;
    m.ZaciagniecieKredytuKroku = 0.75L;
    m.KredytSanacyjnyKroku = 0.25L;
    m.SplataKredytuKroku = 0.5L;
    m.KredytyZaciagnieteRoku = 1;

    WynikKroku(k);

    EXPECT_EQ(m.ZyskKroku.value(), 1.0L);
    EXPECT_EQ(m.StrataKroku.value(), 0.0L);
    EXPECT_EQ(m.ZyskRoku.value(), 11.0L);
    EXPECT_EQ(m.StrataRoku.value(), 4.0L);
    EXPECT_EQ(m.FunduszObrotowyRozliczeniowy.value(), 2.9375L);
    EXPECT_EQ(m.KontoKapitalow.value(), 101.9375L);
    EXPECT_EQ(m.KontoSumyBilansowej.value(), 171.9375L);
    EXPECT_EQ(m.ZyskBrutto.value(), 6.0L);
    EXPECT_EQ(m.WplywyRoku.value(), 22.0L);
    // 0.0625 + 0.25 + 1 + 0.125 + 0.5 paid in the step.
    EXPECT_EQ(m.WydatkiRoku.value(), 11.9375L);
    // 11.9375 + (53 - 50) - 22.
    EXPECT_EQ(m.PozostaleWplywyRoku.value(), -7.0625L);
    // The credit group counts its own movements, in the step it makes them.
    EXPECT_EQ(m.KredytyZaciagnieteRoku.value(), 1.0L);
    EXPECT_EQ(m.KredytySplaconeRoku.value(), 0.0L);
    // The step charges stay for the later groups.
    EXPECT_EQ(m.OdsetkiKroku.value(), 0.0625L);
}

TEST(WynikKroku, ALossStepReducesTheFundByTheLossLessItsCharges) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawKosztyKroku(m);
    m.PrzychodyKroku = 1;
    m.KosztyKroku = 3;
    m.FunduszObrotowyRozliczeniowy = 5;
    WynikKroku(k);
    EXPECT_EQ(m.ZyskKroku.value(), 0.0L);
    EXPECT_EQ(m.StrataKroku.value(), 2.0L);
    EXPECT_EQ(m.StrataRoku.value(), 2.0L);
    EXPECT_EQ(m.FunduszObrotowyRozliczeniowy.value(), 5.0L - 2.0L + 0.9375L);
    EXPECT_EQ(m.ZyskBrutto.value(), 0.0L);
}

TEST(WynikKroku, AStepWithoutRevenueBooksNothingAndDropsItsCharges) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawKosztyKroku(m);
    m.PrzychodyKroku = 0;
    m.KosztyKroku = 3;
    m.FunduszObrotowyRozliczeniowy = 5;
    m.KontoKapitalow = 7;
    WynikKroku(k);
    EXPECT_EQ(m.ZyskKroku.value(), 0.0L);
    EXPECT_EQ(m.StrataKroku.value(), 0.0L);
    EXPECT_EQ(m.StrataRoku.value(), 0.0L);
    EXPECT_EQ(m.KosztZdolnosciKrokuRazem.value(), 0.0L);
    EXPECT_EQ(m.OdsetkiKroku.value(), 0.0L);
    EXPECT_EQ(m.AmortyzacjaKrokuRazem.value(), 0.0L);
    EXPECT_EQ(m.KosztyOkresoweKroku[0].value(), 0.0L);
    EXPECT_EQ(m.FunduszObrotowyRozliczeniowy.value(), 5.0L);
    EXPECT_EQ(m.KontoKapitalow.value(), 7.0L);
    // The charges dropped from the result were still paid from the account.
    EXPECT_EQ(m.WydatkiRoku.value(), 1.9375L);
}

TEST(WynikKroku, RevenueEqualToCostsIsNeitherProfitNorLoss) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    m.PrzychodyKroku = 2.5L;
    m.KosztyKroku = 2.5L;
    m.ZyskKroku = 9;  // left from an earlier step
    m.StrataKroku = 9;
    WynikKroku(k);
    EXPECT_EQ(m.ZyskKroku.value(), 0.0L);
    EXPECT_EQ(m.StrataKroku.value(), 0.0L);
}

}  // namespace
}  // namespace vesk
