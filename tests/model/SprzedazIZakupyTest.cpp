#include <gtest/gtest.h>

#include "Kontekst.h"
#include "Rownania.h"

namespace vesk {
namespace {

// The collection and payment periods as the parameter load fixes them.
void UstawOkresy(ZmienneModelu& m) {
    m.RokSymulacji = 1;
    m.OkresSplatyNaleznosci = 0.12L;
    m.OkresSplatyZobowiazan = 0.12L;
}

TEST(SprzedazIZakupy, OneStepOfSalesPurchasesAndCollections) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawOkresy(m);
    m.RokSymulacji = 2;  // the year's row of prices and orders is used
    m.SprzedazIlosciowa[1] = 100;
    m.SprzedazIlosciowa[2] = 50;
    m.DecyzjeCen[2][1] = 0.25L;
    m.DecyzjeCen[2][2] = 0.5L;
    m.DecyzjeCen[2][3] = 1;  // nothing sold
    m.DecyzjeCen[1][1] = 7;  // another year's price: not used
    m.PlaceKroku[1] = 0.25L;
    m.PlaceKroku[2] = 0.125L;
    m.Naleznosci = 6;
    m.CenySurowcow[2][1] = 1;
    m.CenySurowcow[2][2] = 2;
    m.DecyzjeZakupuSurowcow[2][1] = 50;
    m.DecyzjeZakupuSurowcow[2][2] = 25;
    m.Zobowiazania = 12;
    m.RachunekRozliczeniowy = 10;
    m.FunduszObrotowyGotowkowy = 10;
    m.FunduszObrotowyRozliczeniowy = 5;
    m.SprzedazWyrobow[1] = 1;
    m.PrzychodyZeSprzedazy = 4;

    SprzedazIZakupy(k);

    // Revenue: 100 x 0.25 x 0.02 = 0.5 and 50 x 0.5 x 0.02 = 0.5.
    EXPECT_NEAR(m.SprzedazWyrobow[1], 1.5, 1e-9);
    EXPECT_NEAR(m.SprzedazWyrobow[2], 0.5, 1e-9);
    EXPECT_EQ(m.SprzedazWyrobow[3].value(), 0.0L);
    EXPECT_NEAR(m.PrzychodyKroku, 1.0, 1e-9);
    EXPECT_NEAR(m.PrzychodyZeSprzedazy, 5.0, 1e-9);
    EXPECT_EQ(m.PlaceKrokuRazem.value(), 0.375L);
    // Collections 6 x 0.02 / 0.12 = 1; receivables 6 + 1 - 1.
    EXPECT_NEAR(m.WplywyNaleznosciKroku, 1.0, 1e-9);
    EXPECT_NEAR(m.Naleznosci, 6.0, 1e-9);
    // Purchases 1 x 50 x 0.02 + 2 x 25 x 0.02 = 2; payments 12 x 0.02 / 0.12 = 2.
    EXPECT_NEAR(m.ZakupySurowcowKroku, 2.0, 1e-9);
    EXPECT_NEAR(m.SplataZobowiazanKroku, 2.0, 1e-9);
    EXPECT_NEAR(m.Zobowiazania, 12.0, 1e-9);
    EXPECT_NEAR(m.KontoZadluzenia, 0.0, 1e-9);
    EXPECT_NEAR(m.KontoSumyBilansowej, 0.0, 1e-9);
    // Net collections 1 - 0.375 enter the account after the payment of 2.
    EXPECT_NEAR(m.SaldoOperacyjneKroku, 0.625, 1e-9);
    EXPECT_NEAR(m.RachunekRozliczeniowy, 8.625, 1e-9);
    EXPECT_NEAR(m.FunduszObrotowyRozliczeniowy, 6.375, 1e-9);
    EXPECT_EQ(m.KredytSanacyjny.value(), 0.0L);
}

TEST(SprzedazIZakupy, RevenueIsCollectedFromTheNextStepOn) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawOkresy(m);
    m.SprzedazIlosciowa[1] = 300;
    m.DecyzjeCen[1][1] = 1;
    m.FunduszObrotowyRozliczeniowy = 1;

    SprzedazIZakupy(k);
    EXPECT_EQ(m.WplywyNaleznosciKroku.value(), 0.0L);
    EXPECT_NEAR(m.Naleznosci, 6.0, 1e-9);

    // The next step (its sums cleared as the production group does) sells
    // the same again and collects 6 x 0.02 / 0.12 = 1.
    m.PrzychodyKroku = 0;
    m.PlaceKrokuRazem = 0;
    m.ZakupySurowcowKroku = 0;
    SprzedazIZakupy(k);
    EXPECT_NEAR(m.WplywyNaleznosciKroku, 1.0, 1e-9);
    EXPECT_NEAR(m.Naleznosci, 11.0, 1e-9);
}

TEST(SprzedazIZakupy, FundEqualToNetCollectionsGoesAgainstTheRescueCredit) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawOkresy(m);
    m.PlaceKroku[1] = 0.5L;  // wages without collections: net -0.5
    m.FunduszObrotowyRozliczeniowy = -0.5L;
    m.RachunekRozliczeniowy = 3;
    m.FunduszObrotowyGotowkowy = 3;
    SprzedazIZakupy(k);
    EXPECT_EQ(m.SaldoOperacyjneKroku.value(), -0.5L);
    EXPECT_EQ(m.KredytSanacyjny.value(), 0.5L);
    EXPECT_EQ(m.KontoZadluzenia.value(), 0.5L);
    EXPECT_EQ(m.RachunekRozliczeniowy.value(), 3.0L);
    EXPECT_EQ(m.FunduszObrotowyRozliczeniowy.value(), -0.5L);
    // The wages the rescue credit paid count as credit drawn in the year.
    EXPECT_EQ(m.KredytyZaciagnieteRoku.value(), 0.5L);
}

TEST(SprzedazIZakupy, PositiveNetCollectionsCanTurnTheRescueCreditNegative) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawOkresy(m);
    m.Naleznosci = 6;  // collects 1
    SprzedazIZakupy(k);
    EXPECT_NEAR(m.KredytSanacyjny, -1.0, 1e-9);
    EXPECT_NEAR(m.KontoZadluzenia, -1.0, 1e-9);
    EXPECT_EQ(m.RachunekRozliczeniowy.value(), 0.0L);
    EXPECT_NEAR(m.KredytySplaconeRoku, 1.0, 1e-9);
}

TEST(SprzedazIZakupy, NegativeNetCollectionsLowerTheAccountWhileTheFundIsPositive) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawOkresy(m);
    m.PlaceKroku[2] = 2;
    m.FunduszObrotowyRozliczeniowy = 0.25L;
    m.RachunekRozliczeniowy = 1;
    SprzedazIZakupy(k);
    EXPECT_EQ(m.RachunekRozliczeniowy.value(), -1.0L);
    EXPECT_EQ(m.FunduszObrotowyRozliczeniowy.value(), 2.25L);
    EXPECT_EQ(m.KredytSanacyjny.value(), 0.0L);
}

}  // namespace
}  // namespace vesk
