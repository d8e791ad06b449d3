#include <gtest/gtest.h>

#include "Kontekst.h"
#include "Rownania.h"

namespace vesk {
namespace {

// A balance in round numbers: assets 170 = liabilities 170.
void UstawBilans(ZmienneModelu& m) {
    m.SrodkiTrwale = 100;
    m.InwestycjeRozpoczete = 10;
    m.WartoscMaterialow = 4;
    m.WartoscProdukcjiWToku = 3;
    m.WartoscWyrobowGotowych = 2;
    m.Naleznosci = 6;
    m.RachunekRozliczeniowy = 45;
    m.FunduszInwestycjiWlasnych = 4;
    m.FunduszMajatkuTrwalego = 30;
    m.FunduszMajatkuTrwalegoPoczatkowy = 50;
    m.FunduszObrotowyGotowkowy = 40;
    m.FunduszObrotowyRozliczeniowy = 5;
    m.KredytInwestycyjnyWRealizacji = 6;
    m.KredytObrotowy = 12;
    m.KredytInwestycyjny = 10;
    m.KredytSanacyjny = 1;
    m.Zobowiazania = 12;
}

TEST(ZestawienieBilansu, AssemblesTotalsAndControlItems) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawBilans(m);
    m.KosztyOkresoweKroku[0] = 0.5L;
    m.KosztZdolnosciKrokuRazem = 1;
    m.OdsetkiKroku = 0.25L;
    m.AmortyzacjaKrokuRazem = 0.75L;
    m.PlaceKrokuRazem = 2;
    m.ZakupySurowcowKroku = 3;
    m.KosztyKroku = 4;
    m.PrzeplywyNarastajaco = 10;
    m.WyplatyZZysku = 8;
    m.PozycjaBilansuZerowa = 1;

    ZestawienieBilansu(k);

    EXPECT_EQ(m.PrzeplywKroku.value(), 3.5L);  // 0.5 + (1 + 0.25 + 0.75 + 2 + 3 - 4)
    EXPECT_EQ(m.PrzeplywyNarastajaco.value(), 13.5L);
    EXPECT_EQ(m.KredytIFinansowanieInwestycji.value(), 10.0L);
    EXPECT_EQ(m.FunduszObrotowy.value(), 45.0L);
    EXPECT_EQ(m.MajatekObrotowy.value(), 60.0L);
    EXPECT_EQ(m.ZobowiazaniaDlugoterminowe.value(), 28.0L);
    EXPECT_EQ(m.SumaAktywow.value(), 170.0L);
    EXPECT_EQ(m.SumaPasywow.value(), 170.0L);
    EXPECT_EQ(m.WyplatyZZysku.value(), 0.0L);
    EXPECT_EQ(m.PozycjaBilansuZerowa.value(), 0.0L);

    EXPECT_EQ(m.SrodkiPieniezneKontrolne.value(), 45.0L);
    EXPECT_EQ(m.FunduszeRazemKontrolne.value(), 84.0L);  // 45 + 5 + 4 + 30
    EXPECT_EQ(m.ZobowiazaniaBiezaceKontrolne.value(), 6.0L);
    EXPECT_EQ(m.FunduszeMajatkuTrwalegoRazem.value(), 80.0L);
    EXPECT_EQ(m.FunduszMajatkuTrwalegoKopia.value(), 30.0L);
    EXPECT_EQ(m.KredytSanacyjnyKopia.value(), 1.0L);
    EXPECT_EQ(m.SrodkiIZobowiazaniaBiezace.value(), 51.0L);
    EXPECT_EQ(m.PasywaKontrolne.value(), 131.0L);
    EXPECT_EQ(m.FinansowanieRazem.value(), 138.0L);  // 45 + 50 + 30 + 12 + 1
    EXPECT_EQ(m.AktywaKontrolne.value(), 154.0L);    // 45 + 2 + 3 + 4 + 100
}

TEST(ZestawienieBilansu, AnOverRepaidInvestmentCreditComesOutOfTheFund) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    m.KredytInwestycyjny = -0.3L;
    m.FunduszMajatkuTrwalego = 30;
    m.KontoKapitalow = 110;
    m.KontoZadluzenia = 5;
    ZestawienieBilansu(k);
    EXPECT_EQ(m.KredytInwestycyjny.value(), 0.0L);
    EXPECT_EQ(m.NadplataKredytuInwestycyjnego, Real(0.3L));
    EXPECT_NEAR(m.FunduszMajatkuTrwalego, 29.7, 1e-9);
    EXPECT_NEAR(m.KontoKapitalow, 109.7, 1e-9);
    EXPECT_NEAR(m.KontoZadluzenia, 5.3, 1e-9);
    EXPECT_NEAR(m.SumaPasywow, 29.7, 1e-9);
}

TEST(ZestawienieBilansu, ANegativeSettlementFundMovesToTheRescueCreditAndOnToTheCredit) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    m.FunduszObrotowyRozliczeniowy = -0.25L;
    m.KredytSanacyjny = 0.125L;
    m.KredytObrotowy = 2;
    m.KontoKapitalow = 1;
    m.KontoSumyBilansowej = 1;
    ZestawienieBilansu(k);
    EXPECT_EQ(m.FunduszObrotowyRozliczeniowy.value(), 0.0L);
    EXPECT_EQ(m.KontoZadluzenia.value(), -0.25L);
    EXPECT_EQ(m.KontoKapitalow.value(), 1.25L);
    // The rescue credit went to -0.125; that part moves onto the credit.
    EXPECT_EQ(m.KredytSanacyjny.value(), 0.0L);
    EXPECT_EQ(m.KredytObrotowy.value(), 1.875L);
    EXPECT_EQ(m.KontoSumyBilansowej.value(), 0.875L);
}

TEST(ZestawienieBilansu, ANegativeCreditMovesOntoTheRescueCreditForOneStep) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    m.KredytObrotowy = -0.5L;
    m.KredytSanacyjny = 0.25L;
    ZestawienieBilansu(k);
    EXPECT_EQ(m.KredytObrotowy.value(), 0.0L);
    EXPECT_EQ(m.KredytSanacyjny.value(), -0.25L);
    EXPECT_EQ(m.KontoSumyBilansowej.value(), -0.5L);
    EXPECT_EQ(m.SumaPasywow.value(), -0.25L);
}

TEST(ZestawienieBilansu, AnEmptyBalanceHasZeroTotals) {
    Kontekst k;
    ZestawienieBilansu(k);
    EXPECT_EQ(k.m.SumaAktywow.value(), 0.0L);
    EXPECT_EQ(k.m.SumaPasywow.value(), 0.0L);
    EXPECT_EQ(k.m.PrzeplywyNarastajaco.value(), 0.0L);
}

}  // namespace
}  // namespace vesk
