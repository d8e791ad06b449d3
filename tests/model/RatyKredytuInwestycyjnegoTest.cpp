#include <gtest/gtest.h>

#include "Deklaracje.h"
#include "Kontekst.h"
#include "Rownania.h"

namespace vesk {
namespace {

// The default variants, four of them credit-financed, as the parameter load leaves them.
void UstawWarianty(ZmienneModelu& m, long double stawkaAmortyzacji) {
    DomyslneWariantyInwestycji(m);
    m.LiczbaWariantowKredytowanych = 4;
    m.StawkaAmortyzacji = stawkaAmortyzacji;
}

TEST(RatyKredytuInwestycyjnego, EachVariantRepaysHalfAYearOfItsCost) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawWarianty(m, 0.0L);
    m.KredytProjektu[1][1] = 5;
    m.KredytProjektu[1][2] = 6;
    m.KredytProjektu[1][3] = 7.5L;
    m.KredytProjektu[1][4] = 9;
    m.KredytProjektu[3][2] = 2;  // less than an instalment left
    m.KredytProjektu[3][5] = 4;  // an own-funds code: never repaid here
    m.KredytInwestycyjny = 29.5L;
    m.RachunekRozliczeniowy = 50;
    m.FunduszObrotowyGotowkowy = 50;
    m.FunduszMajatkuTrwalego = 10;
    m.SplatyKredytuInwestycyjnegoNarastajaco = 1;
    m.SplataKredytowInwestycyjnych = 2;
    m.OddaneInwestycjeWlasne = 1;
    m.OddaneInwestycjeKredytowane = 1;
    m.NakladyInwestycjiWlasnych = 1;
    m.NakladyInwestycjiKredytowanych = 1;

    RatyKredytuInwestycyjnego(k);

    EXPECT_EQ(m.RataKredytuProjektu[1][1].value(), 5.0L);
    EXPECT_EQ(m.RataKredytuProjektu[1][2].value(), 3.0L);
    EXPECT_EQ(m.RataKredytuProjektu[1][3].value(), 2.5L);
    EXPECT_EQ(m.RataKredytuProjektu[1][4].value(), 3.0L);
    EXPECT_EQ(m.RataKredytuProjektu[3][2].value(), 2.0L);
    EXPECT_EQ(m.KredytProjektu[1][1].value(), 0.0L);
    EXPECT_EQ(m.KredytProjektu[1][2].value(), 3.0L);
    EXPECT_EQ(m.KredytProjektu[1][3].value(), 5.0L);
    EXPECT_EQ(m.KredytProjektu[1][4].value(), 6.0L);
    EXPECT_EQ(m.KredytProjektu[3][2].value(), 0.0L);
    EXPECT_EQ(m.KredytProjektu[3][5].value(), 4.0L);
    EXPECT_EQ(m.KredytInwestycyjnyProduktu[1].value(), 14.0L);
    EXPECT_EQ(m.KredytInwestycyjnyProduktu[2].value(), 0.0L);
    EXPECT_EQ(m.KredytInwestycyjnyProduktu[3].value(), 0.0L);

    EXPECT_EQ(m.SplataKredytuInwestycyjnego.value(), 15.5L);
    EXPECT_EQ(m.SplatyKredytuInwestycyjnegoNarastajaco.value(), 16.5L);
    EXPECT_EQ(m.SplataKredytowInwestycyjnych.value(), 17.5L);
    EXPECT_EQ(m.RachunekRozliczeniowy.value(), 34.5L);
    EXPECT_EQ(m.FunduszMajatkuTrwalego.value(), 25.5L);
    EXPECT_EQ(m.KredytInwestycyjny.value(), 14.0L);
    EXPECT_EQ(m.KontoFunduszuMajatkuTrwalego.value(), 15.5L);
    EXPECT_EQ(m.KontoZadluzenia.value(), -15.5L);
    // The completion group's step totals are cleared.
    EXPECT_EQ(m.OddaneInwestycjeWlasne.value(), 0.0L);
    EXPECT_EQ(m.OddaneInwestycjeKredytowane.value(), 0.0L);
    EXPECT_EQ(m.NakladyInwestycjiWlasnych.value(), 0.0L);
    EXPECT_EQ(m.NakladyInwestycjiKredytowanych.value(), 0.0L);
}

TEST(RatyKredytuInwestycyjnego, TheRemainderIsWrittenDownButTheCreditKeepsIt) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawWarianty(m, 10.0L);  // 10 % a year
    m.KredytProjektu[2][2] = 6;
    m.KredytInwestycyjny = 6;

    RatyKredytuInwestycyjnego(k);
    // 3 repaid; 3 x 10 x 0.02 / 100 = 0.006 written down.
    EXPECT_EQ(m.RataKredytuProjektu[2][2].value(), 3.0L);
    EXPECT_EQ(m.KredytInwestycyjnyProduktu[2].value(), 3.0L);
    EXPECT_NEAR(m.OdpisKredytuProjektu[2][2], 0.006, 1e-9);
    EXPECT_NEAR(m.KredytProjektu[2][2], 2.994, 1e-9);

    // The second instalment is capped by what is left.
    RatyKredytuInwestycyjnego(k);
    EXPECT_NEAR(m.RataKredytuProjektu[2][2], 2.994, 1e-9);
    EXPECT_EQ(m.KredytProjektu[2][2].value(), 0.0L);
    EXPECT_EQ(m.OdpisKredytuProjektu[2][2].value(), 0.0L);
    // The credit falls by the instalments only: the written-down part stays.
    EXPECT_NEAR(m.KredytInwestycyjny, 0.006, 1e-9);
    EXPECT_NEAR(m.SplatyKredytuInwestycyjnegoNarastajaco, 5.994, 1e-9);
}

TEST(RatyKredytuInwestycyjnego, ABalanceOfAtMostTheToleranceIsDropped) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawWarianty(m, 10.0L);
    m.KredytProjektu[1][3] = 0.5E-7L;
    m.KredytProjektu[2][4] = -0.5E-7L;
    m.RataKredytuProjektu[1][3] = 1;
    RatyKredytuInwestycyjnego(k);
    EXPECT_EQ(m.KredytProjektu[1][3].value(), 0.0L);
    EXPECT_EQ(m.KredytProjektu[2][4].value(), 0.0L);
    EXPECT_EQ(m.RataKredytuProjektu[1][3].value(), 0.0L);
    EXPECT_EQ(m.SplataKredytuInwestycyjnego.value(), 0.0L);
    EXPECT_EQ(m.RachunekRozliczeniowy.value(), 0.0L);
}

TEST(RatyKredytuInwestycyjnego, WithoutCreditFinancedVariantsNothingIsRepaid) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawWarianty(m, 10.0L);
    m.LiczbaWariantowKredytowanych = 0;
    m.KredytProjektu[1][1] = 5;
    m.KredytInwestycyjnyProduktu[1] = 5;
    RatyKredytuInwestycyjnego(k);
    EXPECT_EQ(m.KredytProjektu[1][1].value(), 5.0L);
    EXPECT_EQ(m.KredytInwestycyjnyProduktu[1].value(), 0.0L);
    EXPECT_EQ(m.SplataKredytuInwestycyjnego.value(), 0.0L);
}

}  // namespace
}  // namespace vesk
