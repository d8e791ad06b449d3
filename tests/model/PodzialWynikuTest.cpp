#include <gtest/gtest.h>

#include "Kontekst.h"
#include "Rownania.h"

namespace vesk {
namespace {

// Tax 20 %, mandatory dividend 25 %, half of the distributable profit paid out.
void UstawParametry(ZmienneModelu& m) {
    m.RokSymulacji = 2;
    m.StawkaPodatkuDochodowego = 20;
    m.StopaDywidendy = 25;
    m.UdzialDywidendyZwyklej[2] = 0.5L;
    m.KapitalAkcyjny = 170;
}

// A year with a loss L by the comparative method and a negative gross profit
// by the cost-of-sales method: nothing is retained, only the loss is covered.
void UstawStrate(ZmienneModelu& m, long double L) {
    m.RokSymulacji = 1;
    m.KosztyWytworzenia = L;
    m.KosztySprzedanychProduktow = L;
}

TEST(PodzialWyniku, AProfitYearIsTaxedPaidOutAndRetained) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawParametry(m);
    m.PrzychodyZeSprzedazy = 100;
    m.KosztyWytworzenia = 60;
    m.KosztyFinansowe = 5;
    m.PozostaleKoszty = 5;
    m.WartoscWyrobowGotowych = 10;
    m.WartoscProdukcjiWToku = 5;
    m.ProduktyNaPoczatkuRoku = 15;
    m.KosztySprzedanychProduktow = 50;
    m.KosztyOkresowe1 = 5;
    m.KosztyOkresowe2 = 3;
    m.KosztyOkresowe3 = 2;
    m.RachunekRozliczeniowy = 50;
    m.FunduszObrotowyGotowkowy = 50;
    m.KontoKapitalow = 100;
    m.KontoSumyBilansowej = 100;
    m.ResztaZyskuZatrzymanego = 99;

    PodzialWyniku(k);

    EXPECT_EQ(m.ZmianaStanuProduktow.value(), 0.0L);
    EXPECT_EQ(m.StrataBrutto.value(), 0.0L);
    EXPECT_EQ(m.PodatekDochodowy.value(), 6.0L);  // 20 % of the comparative 30
    EXPECT_EQ(m.WynikZeSprzedazy.value(), 50.0L);
    EXPECT_EQ(m.WynikOperacyjny.value(), 40.0L);
    EXPECT_EQ(m.WynikPrzedOpodatkowaniem.value(), 35.0L);
    EXPECT_EQ(m.ZyskBrutto.value(), 30.0L);
    EXPECT_EQ(m.ZyskNetto.value(), 24.0L);
    EXPECT_EQ(m.DywidendaObowiazkowa.value(), 6.0L);
    EXPECT_EQ(m.ZyskDoPodzialu.value(), 18.0L);
    EXPECT_EQ(m.DywidendaZwykla.value(), 9.0L);
    EXPECT_EQ(m.ZyskZatrzymany.value(), 9.0L);
    EXPECT_EQ(m.WynikBrutto.value(), 35.0L);
    EXPECT_EQ(m.ZyskNaDzialalnosciGospodarczej.value(), 30.0L);
    EXPECT_EQ(m.WynikNetto.value(), 18.0L);
    EXPECT_EQ(m.WynikDoBilansu.value(), 18.0L);

    // Payout 9 + 6 + 6.
    EXPECT_EQ(m.RachunekRozliczeniowy.value(), 29.0L);
    EXPECT_EQ(m.KontoKapitalow.value(), 79.0L);
    EXPECT_EQ(m.ZyskPoWyplatach.value(), 9.0L);
    EXPECT_EQ(m.WyplatyZZysku.value(), 0.0L);

    // 8 % of the retained 9 to supplementary capital, the rest to reserve.
    EXPECT_NEAR(m.OdpisNaKapitalZapasowy, 0.72, 1e-9);
    EXPECT_NEAR(m.KapitalZapasowy, 0.72, 1e-9);
    EXPECT_NEAR(m.ResztaZyskuZatrzymanego, 8.28, 1e-9);
    EXPECT_NEAR(m.KapitalRezerwowy, 8.28, 1e-9);
    EXPECT_NEAR(m.ZwiekszenieKapitaluZapasowego, 0.72, 1e-9);
    EXPECT_EQ(m.ZmniejszenieKapitaluZapasowego.value(), 0.0L);
    EXPECT_NEAR(m.KapitalWlasny, 179.0, 1e-9);
    EXPECT_EQ(m.KapitalAkcyjny.value(), 170.0L);

    // The balance after the payout: the account and the product stocks on
    // the assets side, the cash fund on the liabilities side.
    EXPECT_EQ(m.SumaAktywow.value(), 44.0L);
    EXPECT_EQ(m.SumaPasywow.value(), 29.0L);
    EXPECT_EQ(m.MajatekObrotowy.value(), 44.0L);
    EXPECT_NEAR(m.PozostaleZobowiazaniaKrotkoterminowe, 29.0 - 179.0, 1e-9);
}

TEST(PodzialWyniku, AComparativeLossWithAPositiveCostOfSalesResult) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawParametry(m);
    m.PrzychodyZeSprzedazy = 100;
    m.KosztyWytworzenia = 110;
    m.KosztySprzedanychProduktow = 50;

    PodzialWyniku(k);

    EXPECT_EQ(m.StrataBrutto.value(), 10.0L);
    EXPECT_EQ(m.PodatekDochodowy.value(), 0.0L);
    EXPECT_EQ(m.ZyskBrutto.value(), 50.0L);
    EXPECT_EQ(m.ZyskNetto.value(), 50.0L);
    EXPECT_EQ(m.DywidendaObowiazkowa.value(), 12.5L);
    EXPECT_EQ(m.ZyskDoPodzialu.value(), 37.5L);
    EXPECT_EQ(m.DywidendaZwykla.value(), 18.75L);
    EXPECT_EQ(m.WynikBrutto.value(), 0.0L);
    EXPECT_EQ(m.ZyskNaDzialalnosciGospodarczej.value(), 0.0L);
    EXPECT_EQ(m.WynikNetto.value(), 0.0L);
    EXPECT_EQ(m.WynikDoBilansu.value(), 37.5L);
    // Retained 18.75: 1.5 to supplementary, 17.25 to reserve, which then covers the loss of 10.
    EXPECT_EQ(m.KapitalZapasowy.value(), 1.5L);
    EXPECT_EQ(m.KapitalRezerwowy.value(), 7.25L);
    EXPECT_EQ(m.ZwiekszenieKapitaluRezerwowego.value(), 17.25L);
    EXPECT_EQ(m.KapitalAkcyjny.value(), 170.0L);
    // 50 - 10 - (18.75 + 12.5).
    EXPECT_EQ(m.ZyskPoWyplatach.value(), 8.75L);
}

TEST(PodzialWyniku, ANegativeNetProfitPaysNothing) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawParametry(m);
    m.PrzychodyZeSprzedazy = 10;
    m.KosztySprzedanychProduktow = 12;
    m.KapitalRezerwowy = 5;
    m.RachunekRozliczeniowy = 4;
    m.OdpisNaKapitalZapasowy = 3;  // left from the year before

    PodzialWyniku(k);

    EXPECT_EQ(m.ZyskBrutto.value(), -2.0L);
    EXPECT_EQ(m.PodatekDochodowy.value(), 2.0L);  // the comparative result of 10 was a profit
    EXPECT_EQ(m.ZyskNetto.value(), -4.0L);
    EXPECT_EQ(m.DywidendaObowiazkowa.value(), 0.0L);
    EXPECT_EQ(m.ZyskDoPodzialu.value(), 0.0L);
    EXPECT_EQ(m.DywidendaZwykla.value(), 0.0L);
    EXPECT_EQ(m.ZyskZatrzymany.value(), 0.0L);
    EXPECT_EQ(m.OdpisNaKapitalZapasowy.value(), 0.0L);
    EXPECT_EQ(m.ZwiekszenieKapitaluZapasowego.value(), 0.0L);
    EXPECT_EQ(m.KapitalRezerwowy.value(), 5.0L);
    EXPECT_EQ(m.WynikDoBilansu.value(), 0.0L);  // neither a distributable profit nor a loss
    EXPECT_EQ(m.RachunekRozliczeniowy.value(), 2.0L);
}

TEST(PodzialWyniku, SupplementaryCapitalAtAThirdOfShareCapitalStillTakesEightPerCent) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    m.RokSymulacji = 1;
    m.PrzychodyZeSprzedazy = 10;  // retained profit 10: no tax, no dividends
    m.KapitalAkcyjny = 100;
    m.KapitalZapasowy = 33;  // exactly 0.33 x 100

    PodzialWyniku(k);
    EXPECT_EQ(m.ZyskZatrzymany.value(), 10.0L);
    EXPECT_NEAR(m.OdpisNaKapitalZapasowy, 0.8, 1e-9);
    EXPECT_NEAR(m.KapitalZapasowy, 33.8, 1e-9);
    EXPECT_NEAR(m.KapitalRezerwowy, 9.2, 1e-9);

    // Above the third, all retained profit goes to reserve capital.
    Kontekst k2;
    ZmienneModelu& n = k2.m;
    n.RokSymulacji = 1;
    n.PrzychodyZeSprzedazy = 10;
    n.KapitalAkcyjny = 100;
    n.KapitalZapasowy = 33.001L;
    n.ResztaZyskuZatrzymanego = 4;
    PodzialWyniku(k2);
    EXPECT_EQ(n.OdpisNaKapitalZapasowy.value(), 0.0L);
    EXPECT_EQ(n.KapitalZapasowy, Real(33.001L));
    EXPECT_EQ(n.KapitalRezerwowy.value(), 10.0L);
    EXPECT_EQ(n.ZwiekszenieKapitaluRezerwowego.value(), 10.0L);
    EXPECT_EQ(n.ResztaZyskuZatrzymanego.value(), 4.0L);  // written only by the 8 % rule
}

TEST(PodzialWyniku, ALossBeyondBothCapitalsReducesShareCapital) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawStrate(m, 1.0L);
    m.KapitalAkcyjny = 100;
    m.KapitalRezerwowy = 0.4L;
    m.KapitalZapasowy = 0.5L;

    PodzialWyniku(k);

    EXPECT_EQ(m.StrataBrutto.value(), 1.0L);
    EXPECT_NEAR(m.KapitalAkcyjny, 99.9, 1e-9);
    EXPECT_EQ(m.KapitalRezerwowy.value(), 0.0L);
    EXPECT_EQ(m.KapitalZapasowy.value(), 0.0L);
    EXPECT_EQ(m.ZmniejszenieKapitaluZapasowego.value(), 0.5L);
    EXPECT_NEAR(m.KapitalWlasny, 99.9, 1e-9);
    EXPECT_EQ(m.WynikDoBilansu.value(), -1.0L);
    EXPECT_EQ(m.ZyskPoWyplatach.value(), -2.0L);  // gross profit -1 less the loss 1
}

TEST(PodzialWyniku, ALossBeyondReserveCapitalTakesTheRestFromSupplementaryCapital) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawStrate(m, 1.0L);
    m.KapitalAkcyjny = 100;
    m.KapitalRezerwowy = 0.4L;
    m.KapitalZapasowy = 0.8L;

    PodzialWyniku(k);

    EXPECT_NEAR(m.KapitalZapasowy, 0.2, 1e-9);
    EXPECT_EQ(m.KapitalRezerwowy.value(), 0.0L);
    EXPECT_EQ(m.KapitalAkcyjny.value(), 100.0L);
    // The decrease is what supplementary capital actually lost.
    EXPECT_NEAR(m.ZmniejszenieKapitaluZapasowego, 0.6, 1e-9);
    EXPECT_NEAR(m.KapitalZapasowy + m.ZmniejszenieKapitaluZapasowego, 0.8, 1e-9);
}

TEST(PodzialWyniku, ALossEqualToReserveCapitalClearsItOnly) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawStrate(m, 2.0L);
    m.KapitalAkcyjny = 100;
    m.KapitalRezerwowy = 2;
    m.KapitalZapasowy = 3;
    m.ZmniejszenieKapitaluZapasowego = 5;  // from an earlier year or the parent node

    PodzialWyniku(k);

    EXPECT_EQ(m.KapitalRezerwowy.value(), 0.0L);
    EXPECT_EQ(m.KapitalZapasowy.value(), 3.0L);
    EXPECT_EQ(m.KapitalAkcyjny.value(), 100.0L);
    EXPECT_EQ(m.ZmniejszenieKapitaluZapasowego.value(), 0.0L);
}

TEST(PodzialWyniku, ThePayoutCanOverdrawTheAccount) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawParametry(m);
    m.PrzychodyZeSprzedazy = 40;  // tax 8, net 32, dividends 8 + 12
    m.RachunekRozliczeniowy = 10;
    PodzialWyniku(k);
    EXPECT_EQ(m.RachunekRozliczeniowy.value(), -18.0L);
}

TEST(PodzialWyniku, OtherShortTermLiabilitiesCloseTheLiabilitiesSide) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawParametry(m);
    m.PrzychodyZeSprzedazy = 7.3L;
    m.RachunekRozliczeniowy = 12.1L;
    m.FunduszObrotowyGotowkowy = 5.7L;
    m.FunduszMajatkuTrwalego = 33.3L;
    m.KredytObrotowy = 1.9L;
    m.KredytInwestycyjny = 2.2L;
    m.KredytSanacyjny = 0.7L;
    m.Zobowiazania = 3.1L;
    m.KapitalZapasowy = 0.3L;
    PodzialWyniku(k);
    const long double suma = m.KapitalWlasny + m.ZobowiazaniaDlugoterminowe + m.Zobowiazania + m.KredytSanacyjny +
                             m.PozostaleZobowiazaniaKrotkoterminowe;
    EXPECT_NEAR(suma, m.SumaPasywow, 1e-9);
}

}  // namespace
}  // namespace vesk
