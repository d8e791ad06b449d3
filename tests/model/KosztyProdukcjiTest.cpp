#include <gtest/gtest.h>

#include "Rownania.h"

namespace vesk {
namespace {

long double v(const Real& r) { return r.value(); }
// A value as the model stores it.
long double R(long double x) { return roundToReal48(x); }

// One step of year 1 with round numbers. Material prices 2, 4, 8, every
// norm 0.5: material cost of a unit 7. Labour 2 * (0.25 + 1) * 4 = 10 a
// unit. Product 1 starts 100, completes 100 and sells 50 a year; product 2
// only carries capacity (250 at 10 a unit); product 3 has nothing.
void przygotuj(Kontekst& k) {
    ZmienneModelu& m = k.m;
    m.RokSymulacji = 1;
    m.CenySurowcow[1][1] = 2;
    m.CenySurowcow[1][2] = 4;
    m.CenySurowcow[1][3] = 8;
    for (int i = 1; i <= 3; ++i) {
        for (int j = 1; j <= 3; ++j) m.NormyZuzyciaSurowcow[j][i] = 0.5L;
        m.PracochlonnoscProdukcji[i] = 4;
        m.WartoscZapasuSurowcow[i] = 100;
        m.DecyzjeZakupuSurowcow[1][i] = 100;
        m.ZuzycieSurowcow[i] = 50;
    }
    m.WspolczynnikKorygujacy = 2;
    m.NarzutNaWynagrodzenia = 0.25L;
    m.StawkaAmortyzacjiKroku = 0.125L;
    m.StawkaKredytuInwestycyjnegoKroku = 0.5L;
    m.StawkaKredytuSanacyjnegoKroku = 0.25L;
    m.KredytInwestycyjny = 20;
    m.KredytObrotowy = 10;
    m.KredytSanacyjny = 8;

    m.WartoscInwestycjiProduktu[1] = 80;
    m.WspolczynnikiKosztuZdolnosci[1] = 10;
    m.ZdolnoscProdukcyjna[1] = 500;
    m.UruchomienieProdukcji[1] = 100;
    m.ZakonczenieProdukcji[1] = 100;
    m.SprzedazIlosciowa[1] = 50;
    m.PlaceRoku[1] = 80;  // earlier in the year

    m.WspolczynnikiKosztuZdolnosci[2] = 10;
    m.ZdolnoscProdukcyjna[2] = 250;

    m.RachunekRozliczeniowy = 1000;
    m.FunduszObrotowyGotowkowy = 500;
}

TEST(KosztyProdukcji, UnitCostsInterestAndStockValue) {
    Kontekst k;
    przygotuj(k);
    KosztyProdukcji(k);
    const ZmienneModelu& m = k.m;
    EXPECT_EQ(v(m.WartoscZapasuSurowcow[1]), 102.0L);  // 100 + 2 * 50 * 0.02
    EXPECT_EQ(v(m.WartoscZapasuSurowcow[2]), 104.0L);
    EXPECT_EQ(v(m.WartoscZapasuSurowcow[3]), 108.0L);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(v(m.KosztMaterialowyJednostkowy[i]), 7.0L);
        EXPECT_EQ(v(m.KosztPracyJednostkowy[i]), 10.0L);
    }
    // The debt-ratio credit bears the investment-credit rate.
    EXPECT_EQ(v(m.OdsetkiKredytuInwestycyjnegoKroku), 10.0L);
    EXPECT_EQ(v(m.OdsetkiKredytuObrotowegoKroku), 5.0L);
    EXPECT_EQ(v(m.OdsetkiKredytuSanacyjnegoKroku), 2.0L);
    EXPECT_EQ(v(m.OdsetkiKroku), 15.0L);
}

TEST(KosztyProdukcji, CostsOfTheProductsInTheStep) {
    Kontekst k;
    przygotuj(k);
    KosztyProdukcji(k);
    const ZmienneModelu& m = k.m;

    // Product 1: depreciation 10, capacity 100, labour 10 + 10 = 20,
    // material 2 + 4 + 8 = 14.
    EXPECT_EQ(v(m.AmortyzacjaKroku[1]), 10.0L);
    EXPECT_EQ(v(m.KosztZdolnosciKroku[1]), 100.0L);
    EXPECT_EQ(v(m.PlaceUruchomieniaKroku[1]), 10.0L);
    EXPECT_EQ(v(m.PlaceZakonczeniaKroku[1]), 10.0L);
    EXPECT_EQ(v(m.PlaceKroku[1]), 20.0L);
    EXPECT_EQ(v(m.ZuzycieMaterialowKroku[1]), 14.0L);
    EXPECT_EQ(v(m.KosztyOkresoweWyrobu[1][1]), 2.0L);   // 0.1 * 20
    EXPECT_EQ(v(m.KosztyOkresoweWyrobu[2][1]), 99.0L);  // 90 + 7 + 2
    EXPECT_EQ(v(m.KosztyOkresoweWyrobu[3][1]), 25.0L);  // 20 + 3 + 2
    EXPECT_EQ(v(m.KosztyOkresoweWyrobu[0][1]), 16.0L);  // 10 + 6
    EXPECT_EQ(v(m.KosztMaterialowSprzedanychKroku[1]), 7.0L);
    EXPECT_EQ(v(m.KosztPracySprzedanychKroku[1]), 10.0L);
    EXPECT_EQ(v(m.KosztWyrobuKroku[1]), 143.0L);  // 7 + 10 + rows 1..3

    // Product 2 without flows still carries its capacity cost.
    EXPECT_EQ(v(m.KosztZdolnosciKroku[2]), 50.0L);
    EXPECT_EQ(v(m.KosztyOkresoweWyrobu[1][2]), 0.0L);
    EXPECT_EQ(v(m.KosztyOkresoweWyrobu[2][2]), 45.0L);
    EXPECT_EQ(v(m.KosztyOkresoweWyrobu[3][2]), 10.0L);
    EXPECT_EQ(v(m.KosztyOkresoweWyrobu[0][2]), 5.0L);
    EXPECT_EQ(v(m.KosztWyrobuKroku[2]), 55.0L);
    EXPECT_EQ(v(m.KosztWyrobuKroku[3]), 0.0L);

    // Sums of the step; row 0 is paid but not charged to the products.
    EXPECT_EQ(v(m.KosztyKroku), 213.0L);  // 143 + 55 + interest 15
    EXPECT_EQ(v(m.KosztyOkresoweKroku[1]), 2.0L);
    EXPECT_EQ(v(m.KosztyOkresoweKroku[2]), 144.0L);
    EXPECT_EQ(v(m.KosztyOkresoweKroku[3]), 35.0L);
    EXPECT_EQ(v(m.KosztyOkresoweKroku[0]), 21.0L);
    EXPECT_EQ(v(m.KosztZdolnosciKrokuRazem), 150.0L);
    EXPECT_EQ(v(m.AmortyzacjaKrokuRazem), 10.0L);
}

TEST(KosztyProdukcji, YearCountersSumsAndItems) {
    Kontekst k;
    przygotuj(k);
    KosztyProdukcji(k);
    const ZmienneModelu& m = k.m;

    EXPECT_EQ(v(m.PlaceRoku[1]), 100.0L);  // 80 + 20
    EXPECT_EQ(v(m.ZuzycieMaterialowRoku[1]), 14.0L);
    EXPECT_EQ(v(m.AmortyzacjaRoku[1]), 10.0L);
    EXPECT_EQ(v(m.KosztZdolnosciRoku[1]), 100.0L);
    EXPECT_EQ(v(m.KosztSprzedanychRoku[1]), 17.0L);
    EXPECT_EQ(v(m.KosztWyrobuRoku[1]), 143.0L);
    EXPECT_EQ(v(m.KosztyOkresoweWyrobuRoku[1][1]), 2.0L);
    EXPECT_EQ(v(m.KosztyOkresoweWyrobuRoku[2][1]), 99.0L);
    EXPECT_EQ(v(m.KosztyOkresoweWyrobuRoku[3][1]), 25.0L);
    EXPECT_EQ(v(m.KosztyOperacyjneWyrobu[1]), 240.0L);  // 14 + 100 + 2 + 99 + 25
    EXPECT_EQ(v(m.KosztyOperacyjneWyrobu[2]), 55.0L);

    EXPECT_EQ(v(m.KosztySprzedanychProduktow), 17.0L);
    EXPECT_EQ(v(m.KosztyWytworzenia), 295.0L);
    EXPECT_EQ(v(m.Amortyzacja), 10.0L);
    EXPECT_EQ(v(m.ZuzycieMaterialow), 14.0L);
    EXPECT_EQ(v(m.KosztyOkresowe1), 2.0L);
    EXPECT_EQ(v(m.KosztyOkresowe2), 144.0L);
    EXPECT_EQ(v(m.KosztyOkresowe3), 35.0L);
    EXPECT_EQ(v(m.KosztWyrobowRazem), 198.0L);

    // Taxes and external services from the sums before the factors.
    EXPECT_EQ(v(m.PodatkiIOplaty), 15.0L);              // 0.1 * 150
    EXPECT_EQ(v(m.UslugiObce), 155.0L);                 // 0.05 * 100 + 150
    EXPECT_EQ(v(m.WynagrodzeniaISwiadczenia), 125.0L);  // 1.25 * 100
    EXPECT_EQ(v(m.KosztZdolnosciRazem), 157.5L);        // 1.05 * 150
    EXPECT_EQ(v(m.WynagrodzeniaWydzialu[1]), 110.0L);   // 1.1 * 100
    EXPECT_EQ(v(m.UslugiObceWydzialu[1]), 90.0L);       // 0.9 * 100
    EXPECT_EQ(v(m.AmortyzacjaWydzialu[1]), 7.0L);       // 0.7 * 10
    EXPECT_EQ(v(m.UslugiObceWydzialu[2]), 45.0L);

    EXPECT_EQ(v(m.KosztyFinansowe), 15.0L);
    EXPECT_EQ(v(m.PozostaleKoszty), 2.0L);
    // Capacity 150, interest 15 and row 0 21 are paid; the rescue-credit
    // interest is not.
    EXPECT_EQ(v(m.RachunekRozliczeniowy), 814.0L);
    EXPECT_EQ(v(m.FunduszObrotowyGotowkowy), 314.0L);
}

TEST(KosztyProdukcji, WithoutCreditsTheStepCostIsTheProducts) {
    Kontekst k;
    przygotuj(k);
    k.m.KredytInwestycyjny = 0;
    k.m.KredytObrotowy = 0;
    k.m.KredytSanacyjny = 0;
    KosztyProdukcji(k);
    EXPECT_EQ(v(k.m.KosztyKroku), 198.0L);
    EXPECT_EQ(v(k.m.RachunekRozliczeniowy), 829.0L);
    EXPECT_EQ(v(k.m.PozostaleKoszty), 0.0L);
}

TEST(KosztyProdukcji, RowOneIsATenthOfTheLabourOnAnyAmount) {
    Kontekst k;
    przygotuj(k);
    k.m.UruchomienieProdukcji[1] = 37;
    k.m.ZakonczenieProdukcji[1] = 11;
    KosztyProdukcji(k);
    EXPECT_EQ(v(k.m.KosztyOkresoweWyrobu[1][1]), R(0.1L * k.m.PlaceKroku[1]));
}

}  // namespace
}  // namespace vesk
