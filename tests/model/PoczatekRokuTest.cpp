#include <gtest/gtest.h>

#include "Deklaracje.h"
#include "Rownania.h"

namespace vesk {
namespace {

long double v(const Real& r) { return r.value(); }

// The first step of 2013, year 2 of the node: 4 issued so far, reserve
// capital 2, share capital 100, settlement account 30, a profit year behind.
void przygotuj(Kontekst& k) {
    ZmienneModelu& m = k.m;
    DomyslneWariantyInwestycji(m);
    m.RokSymulacji = 2;
    m.CzasSymulacji = 0;
    m.CzasPolroczny = 2013;
    m.RokKalendarzowy = 2013;
    m.RokOkresu = 2013;
    m.SumaEmisjiAkcji = 4;
    m.KapitalZapasowy = 2;
    m.KapitalRezerwowy = 3;
    m.KapitalAkcyjny = 100;
    m.KapitalWlasny = 105;
    m.WynikDoBilansu = 1;
    m.RachunekRozliczeniowy = 30;
    m.FunduszObrotowyGotowkowy = 20;
    m.KontoKapitalow = 10;
    m.KontoSumyBilansowej = 40;
}

TEST(PoczatekRoku, IssueAtARatioOfExactlyAFifthIsAdmitted) {
    // Reserve capital 2 against 4 + 6 issued: 2 / 10 = 0.2.
    Kontekst k;
    przygotuj(k);
    k.m.EmisjaAkcji[2] = 6;
    PoczatekRoku(k);
    const ZmienneModelu& m = k.m;
    EXPECT_EQ(v(m.EmisjaAkcji[2]), 6.0L);
    EXPECT_EQ(v(m.EmisjaAkcjiZwyklych), 6.0L);
    EXPECT_EQ(v(m.EmisjaAkcjiWRoku), 6.0L);
    EXPECT_EQ(v(m.SumaEmisjiAkcji), 10.0L);
    EXPECT_EQ(v(m.SumaEmisjiAkcjiPoprzednia), 4.0L);
    EXPECT_EQ(v(m.SumaEmisjiNaPoczatek), 4.0L);
    EXPECT_EQ(v(m.KapitalAkcyjnyNaPoczatek), 100.0L);
    EXPECT_EQ(v(m.KapitalAkcyjny), 106.0L);
    EXPECT_EQ(v(m.RachunekRozliczeniowyNaPoczatkuRoku), 30.0L);
    EXPECT_EQ(v(m.RachunekRozliczeniowy), 36.0L);
    EXPECT_EQ(v(m.FunduszObrotowyGotowkowy), 26.0L);
    EXPECT_EQ(v(m.KontoKapitalow), 16.0L);
    EXPECT_EQ(v(m.KontoSumyBilansowej), 46.0L);
    // Own capital is recomputed only at the year end.
    EXPECT_EQ(v(m.KapitalWlasnyNaPoczatek), 105.0L);
    EXPECT_EQ(v(m.KapitalWlasny), 105.0L);
}

TEST(PoczatekRoku, IssueIsRefusedBelowAFifthOrAfterALoss) {
    for (int przypadek = 0; przypadek < 2; ++przypadek) {
        Kontekst k;
        przygotuj(k);
        k.m.EmisjaAkcji[2] = 6;
        if (przypadek == 0) {
            k.m.KapitalZapasowy = 1.999L;
        } else {
            k.m.KapitalZapasowy = 100;
            k.m.WynikDoBilansu = -0.5L;  // a loss year, whatever the reserve
        }
        PoczatekRoku(k);
        const ZmienneModelu& m = k.m;
        EXPECT_EQ(v(m.EmisjaAkcji[2]), 0.0L) << przypadek;  // the decision itself reads 0
        EXPECT_EQ(v(m.EmisjaAkcjiZwyklych), 0.0L) << przypadek;
        EXPECT_EQ(v(m.SumaEmisjiAkcji), 4.0L) << przypadek;
        EXPECT_EQ(v(m.KapitalAkcyjny), 100.0L) << przypadek;
        EXPECT_EQ(v(m.RachunekRozliczeniowy), 30.0L) << przypadek;
        EXPECT_EQ(v(m.KontoSumyBilansowej), 40.0L) << przypadek;
    }
}

TEST(PoczatekRoku, NoIssueEverMovesNothing) {
    Kontekst k;
    przygotuj(k);
    k.m.SumaEmisjiAkcji = 0;
    k.m.KapitalZapasowy = 0;
    PoczatekRoku(k);
    EXPECT_EQ(v(k.m.SumaEmisjiAkcji), 0.0L);
    EXPECT_EQ(v(k.m.EmisjaAkcji[2]), 0.0L);
    EXPECT_EQ(v(k.m.RachunekRozliczeniowy), 30.0L);
    EXPECT_EQ(v(k.m.KapitalAkcyjny), 100.0L);

    // A negative issue that would cancel all earlier ones forms no ratio
    // either: it is not carried out.
    Kontekst k2;
    przygotuj(k2);
    k2.m.EmisjaAkcji[2] = -4;
    PoczatekRoku(k2);
    EXPECT_EQ(v(k2.m.EmisjaAkcji[2]), 0.0L);
    EXPECT_EQ(v(k2.m.SumaEmisjiAkcji), 4.0L);
    EXPECT_EQ(v(k2.m.KapitalAkcyjny), 100.0L);
}

TEST(PoczatekRoku, ClearsTheYearAndTakesTheCopies) {
    Kontekst k;
    przygotuj(k);
    ZmienneModelu& m = k.m;
    for (Real* r : {&m.PozycjaRokuZerowa, &m.NabycieGruntowIUrzadzen, &m.WplywyRoku, &m.WydatkiRoku,
                    &m.SplataKredytowInwestycyjnych, &m.PozostaleWplywyRoku, &m.WynikZeSprzedazy,
                    &m.WynikOperacyjny, &m.PozycjaWynikuZerowa, &m.KosztyOkresowe1, &m.KosztyOkresowe2,
                    &m.KosztyOkresowe3, &m.PozostaleKoszty, &m.KosztyFinansowe, &m.OdsetkiKredytuSanacyjnegoKroku,
                    &m.KredytyZaciagnieteRoku, &m.KredytySplaconeRoku})
        *r = 9;
    for (int i = 1; i <= 3; ++i) {
        m.KosztSprzedanychRoku[i] = 9;
        m.KosztZdolnosciRoku[i] = 9;
        for (int r = 1; r <= 3; ++r) m.KosztyOkresoweWyrobuRoku[r][i] = 9;
    }
    m.PlaceRoku[1] = 9;  // not a year-start item
    m.ZyskPoWyplatachNarastajaco = 10;
    m.ZyskPoWyplatach = 5;
    m.WartoscWyrobowGotowych = 1;
    m.WartoscProdukcjiWToku = 2;
    m.WartoscMaterialow = 4;
    m.MajatekObrotowy = 50;
    m.SrodkiTrwale = 120;

    PoczatekRoku(k);

    for (const Real* r : {&m.PozycjaRokuZerowa, &m.NabycieGruntowIUrzadzen, &m.WplywyRoku, &m.WydatkiRoku,
                          &m.SplataKredytowInwestycyjnych, &m.PozostaleWplywyRoku, &m.WynikZeSprzedazy,
                          &m.WynikOperacyjny, &m.PozycjaWynikuZerowa, &m.KosztyOkresowe1, &m.KosztyOkresowe2,
                          &m.KosztyOkresowe3, &m.PozostaleKoszty, &m.KosztyFinansowe,
                          &m.OdsetkiKredytuSanacyjnegoKroku, &m.KredytyZaciagnieteRoku, &m.KredytySplaconeRoku})
        EXPECT_EQ(v(*r), 0.0L);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(v(m.KosztSprzedanychRoku[i]), 0.0L);
        EXPECT_EQ(v(m.KosztZdolnosciRoku[i]), 0.0L);
        for (int r = 1; r <= 3; ++r) EXPECT_EQ(v(m.KosztyOkresoweWyrobuRoku[r][i]), 0.0L);
    }
    EXPECT_EQ(v(m.PlaceRoku[1]), 9.0L);

    EXPECT_EQ(v(m.KapitalZapasowyPoczatkowy), 2.0L);
    EXPECT_EQ(v(m.KapitalRezerwowyPoczatkowy), 3.0L);
    EXPECT_EQ(v(m.KapitalRezerwowyStartRoku), 3.0L);
    EXPECT_EQ(v(m.KapitalZapasowyNaPoczatek), 2.0L);
    EXPECT_EQ(v(m.KapitalRezerwowyNaPoczatek), 3.0L);
    EXPECT_EQ(v(m.ProduktyNaPoczatkuRoku), 3.0L);
    EXPECT_EQ(v(m.ZapasyNaPoczatkuRoku), 7.0L);
    EXPECT_EQ(v(m.AktywaNaPoczatkuRoku), 170.0L);
    EXPECT_EQ(v(m.ZyskPoWyplatachNarastajaco), 15.0L);
}

TEST(PoczatekRoku, InvestmentsAreBookedBeforeTheYearStartAssets) {
    // An own-financed project of 1 completing now (left over from a start
    // at 2012.5 that never matched) and a credit-financed one of 5 starting.
    Kontekst k;
    przygotuj(k);
    ZmienneModelu& m = k.m;
    WpisHarmonogramu& konczy = m.HarmonogramInwestycji[1][1][1];
    konczy.UstawKodWariantu(5);
    konczy.UstawStart(2012.5L);
    konczy.UstawKoniec(2013.0L);
    WpisHarmonogramu& zaczyna = m.HarmonogramInwestycji[2][2][1];
    zaczyna.UstawKodWariantu(1);
    zaczyna.UstawStart(2013.0L);
    zaczyna.UstawKoniec(2013.5L);
    m.InwestycjeRozpoczete = 1;
    m.MajatekObrotowy = 50;
    m.SrodkiTrwale = 120;

    PoczatekRoku(k);

    EXPECT_EQ(konczy.Oddana(), 1);
    EXPECT_EQ(zaczyna.Rozpoczeta(), 1);
    EXPECT_EQ(zaczyna.Oddana(), 0);
    EXPECT_EQ(v(m.SrodkiTrwale), 121.0L);
    EXPECT_EQ(v(m.InwestycjeRozpoczete), 5.0L);
    EXPECT_EQ(v(m.AktywaNaPoczatkuRoku), 176.0L);  // 50 + 5 + 121
    // The clock is as it was.
    EXPECT_EQ(v(m.CzasSymulacji), 0.0L);
    EXPECT_EQ(v(m.CzasPolroczny), 2013.0L);
}

}  // namespace
}  // namespace vesk
