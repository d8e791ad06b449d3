#include <gtest/gtest.h>

#include "Kontekst.h"
#include "Rownania.h"

namespace vesk {
namespace {

// A year in round numbers: short-term liabilities 40, all debt 80,
// liabilities 200, equity 100, revenue 100, net profit 10 (the statement's:
// 100 - 73 costs - 5 financial costs - 6 tax - 6 mandatory dividend).
void UstawRok(ZmienneModelu& m) {
    m.WynikNiepodzielonyNarastajaco = 10;
    m.WynikDoBilansu = 18;
    m.DywidendaZwykla = 9;
    m.WydatkiRoku = 50;
    m.PodatekDochodowy = 6;
    m.DywidendaObowiazkowa = 6;
    m.KredytyZaciagnieteRoku = 10;
    m.EmisjaAkcjiZwyklych = 5;
    m.WplywyRoku = 80;
    m.KredytySplaconeRoku = 2;
    m.SplataKredytowInwestycyjnych = 3;
    m.NabycieGruntowIUrzadzen = 4;
    m.MajatekObrotowy = 60;
    m.InwestycjeRozpoczete = 10;
    m.SrodkiTrwale = 90;
    m.AktywaNaPoczatkuRoku = 240;
    m.PozostaleZobowiazaniaKrotkoterminowe = 10;
    m.KredytSanacyjny = 5;
    m.Zobowiazania = 25;
    m.ZobowiazaniaDlugoterminowe = 40;
    m.RachunekRozliczeniowy = 20;
    m.Naleznosci = 20;
    m.SumaPasywow = 200;
    m.SumaAktywow = 200;
    m.KapitalWlasny = 100;
    m.KosztyFinansowe = 5;
    m.ZyskBrutto = 15;
    m.ZyskNetto = 12;
    m.KosztyWytworzenia = 73;
    m.PrzychodyZeSprzedazy = 100;
    m.ZapasyNaPoczatkuRoku = 20;
    m.WartoscWyrobowGotowych = 10;
    m.WartoscMaterialow = 5;
    m.WartoscProdukcjiWToku = 5;
    m.SumaEmisjiAkcji = 7;
}

// q / (d + 1E-7) as a stored ratio.
long double Wskaznik(long double q, long double d) { return Real(q / (d + 1.0E-7L)).value(); }

TEST(WskaznikiRoku, AYearOfCarryOverCashFlowAndRatios) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    UstawRok(m);

    WskaznikiRoku(k);

    EXPECT_EQ(m.WynikLatUbieglych.value(), 10.0L);
    EXPECT_EQ(m.WynikNiepodzielony.value(), 19.0L);  // 18 + 10 - 9
    EXPECT_EQ(m.WynikNiepodzielonyNarastajaco.value(), 19.0L);
    EXPECT_EQ(m.WydatkiRoku.value(), 62.0L);
    EXPECT_EQ(m.ZrodlaPieniadza.value(), 33.0L);         // 10 + 5 + (80 - 62)
    EXPECT_EQ(m.WykorzystaniePieniadza.value(), 18.0L);  // 2 + 3 + 9 + 4
    EXPECT_EQ(m.ZmianaStanuRachunku.value(), 15.0L);
    EXPECT_EQ(m.AktywaSrednie.value(), 200.0L);
    EXPECT_EQ(m.KapitalObrotowy.value(), 20.0L);

    EXPECT_NEAR(m.WskaznikBiezacejPlynnosci, 1.5, 1e-8);
    EXPECT_NEAR(m.WskaznikSzybkiejPlynnosci, 1.0, 1e-8);
    EXPECT_NEAR(m.WskaznikZadluzeniaOgolnego, 0.4, 1e-8);
    EXPECT_NEAR(m.WskaznikZadluzeniaKapitaluWlasnego, 0.8, 1e-8);
    EXPECT_NEAR(m.WskaznikPokryciaOdsetek, 4.0, 1e-7);
    EXPECT_NEAR(m.RentownoscAktywow, 0.05, 1e-8);
    EXPECT_NEAR(m.RentownoscMajatkuTrwalego, 0.1, 1e-8);
    EXPECT_NEAR(m.RentownoscSprzedazy, 0.1, 1e-8);
    EXPECT_NEAR(m.RentownoscKapitaluWlasnego, 0.1, 1e-8);
    EXPECT_NEAR(m.RotacjaZapasow, 5.0, 1e-7);
    EXPECT_NEAR(m.RotacjaMajatkuTrwalego, 1.0, 1e-8);
    EXPECT_NEAR(m.RotacjaAktywow, 0.5, 1e-8);
    // The guard is part of each denominator.
    EXPECT_EQ(m.WskaznikBiezacejPlynnosci.value(), Wskaznik(60, 40));
    EXPECT_EQ(m.RotacjaZapasow.value(), Wskaznik(200, 40));
    EXPECT_EQ(m.SumaEmisjiNaKoniec.value(), 7.0L);
}

TEST(WskaznikiRoku, EmptyDenominatorsGiveTheGuardedRatios) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    m.MajatekObrotowy = 3;
    m.ZyskBrutto = 2;
    m.ZmianaStanuProduktow = 0.5L;  // the net profit, with no revenue

    WskaznikiRoku(k);

    // No short-term liabilities, no financial costs, no revenue.
    EXPECT_NEAR(m.WskaznikBiezacejPlynnosci, 3.0E7, 1e-3);
    EXPECT_NEAR(m.WskaznikPokryciaOdsetek, 2.0E7, 1e-3);
    EXPECT_NEAR(m.RentownoscSprzedazy, 0.5E7, 1e-3);
    EXPECT_EQ(m.RotacjaZapasow.value(), 0.0L);
    EXPECT_EQ(m.RotacjaMajatkuTrwalego.value(), 0.0L);
    EXPECT_EQ(m.RotacjaAktywow.value(), 0.0L);

    Kontekst k2;
    WskaznikiRoku(k2);  // nothing at all: no gross profit, no cover
    EXPECT_EQ(k2.m.WskaznikPokryciaOdsetek.value(), 0.0L);
}

TEST(WskaznikiRoku, ADenominatorTheGuardLeavesAtZeroGivesZero) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    // Short-term liabilities of exactly -1E-7: the stored value nearest to
    // -1E-7 plus the stored remainder.
    const Real czesc = -1.0E-7L;
    const long double reszta = -1.0E-7L - czesc.value();
    m.PozostaleZobowiazaniaKrotkoterminowe = czesc;
    m.KredytSanacyjny = reszta;
    ASSERT_EQ(m.KredytSanacyjny.value(), reszta);
    ASSERT_EQ(czesc.value() + reszta, -1.0E-7L);
    m.MajatekObrotowy = 3;
    m.RachunekRozliczeniowy = 1;

    EXPECT_NO_THROW(WskaznikiRoku(k));
    EXPECT_EQ(m.WskaznikBiezacejPlynnosci.value(), 0.0L);
    EXPECT_EQ(m.WskaznikSzybkiejPlynnosci.value(), 0.0L);
}

TEST(WskaznikiRoku, ARatioBeyondTheRangeOfAModelValueGivesZero) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    // Short-term liabilities just off -1E-7 leave a denominator of about 1E-19.
    m.PozostaleZobowiazaniaKrotkoterminowe = -1.0E-7L;
    ASSERT_NE(m.PozostaleZobowiazaniaKrotkoterminowe.value() + 1.0E-7L, 0.0L);
    m.MajatekObrotowy = 1.0E30L;

    EXPECT_NO_THROW(WskaznikiRoku(k));
    EXPECT_EQ(m.WskaznikBiezacejPlynnosci.value(), 0.0L);
}

TEST(WskaznikiRoku, ALossLowersTheUndistributedResult) {
    Kontekst k;
    ZmienneModelu& m = k.m;
    m.WynikNiepodzielonyNarastajaco = 10;
    m.WynikDoBilansu = -3;
    WskaznikiRoku(k);
    EXPECT_EQ(m.WynikLatUbieglych.value(), 10.0L);
    EXPECT_EQ(m.WynikNiepodzielony.value(), 7.0L);
    EXPECT_EQ(m.WynikNiepodzielonyNarastajaco.value(), 7.0L);
}

}  // namespace
}  // namespace vesk
