// The production report over the shipped templates: quantities, the
// capacity per step and its use with their known answers, a zero
// capacity, and templates longer than the writer reads.
#include "RaportPRO.h"

#include <gtest/gtest.h>

#include "PomocRaportow.h"
#include "SprawdzHtml.h"

namespace vesk {
namespace {

using namespace pola;
using test::Grupa;
using test::KomorkiHtml;
using test::LinieWyniku;
using test::Pole;
using test::SrodowiskoRaportu;

using S = std::vector<std::string>;

// Product e produces 30e a year and sells 20e; its capacity is 500e a
// year (10e per step) and 40e accumulated over the year's steps, so that
// its capacity is used to 75 %.
struct Produkcja : SrodowiskoRaportu {
    Produkcja() {
        for (int e = 1; e <= 3; ++e) {
            ustawWszystkie(ElementPola(ProdukcjaRoku, e), 30.0L * e);
            ustawWszystkie(ElementPola(SprzedazRoku, e), 20.0L * e);
            ustawWszystkie(ElementPola(ZdolnoscProdukcyjna, e), 500.0L * e);
            ustawWszystkie(ElementPola(ZdolnoscRoku, e), 40.0L * e);
        }
    }
    bool uruchom() { return Raport_PRO(k); }
    std::vector<std::string> tekst() const { return LinieWyniku(wyjscie("firma.PRO")); }
    std::vector<std::string> strona() const { return LinieWyniku(wyjscie("firma.PRO.html")); }
};

TEST(RaportPRO, WritesTwentyFourTextLinesAndAFiftyThreeLinePageAndClearsTheFlag) {
    Produkcja p;
    p.k.NumerWezla = 3;
    ASSERT_TRUE(p.uruchom());
    EXPECT_FALSE(p.k.FlagiWynikow.PRO);
    auto t = p.tekst();
    ASSERT_EQ(t.size(), 24u);
    EXPECT_EQ(t[0], "Plik stanu modelu: " + p.k.KatalogOperatora + "firma.qad");
    EXPECT_EQ(t[1].substr(t[1].size() - 3), "  3");
    ASSERT_EQ(p.strona().size(), 53u);
    EXPECT_EQ(test::SprawdzHtml(p.tmp.read("OPER/firma.PRO.html")), "");
}

TEST(RaportPRO, ProductionAndSalesStandSideBySidePerProduct) {
    Produkcja p;
    p.ustaw(ElementPola(ProdukcjaRoku, 2), 3, 75.0L);
    ASSERT_TRUE(p.uruchom());
    auto t = p.tekst();
    EXPECT_EQ(Grupa(t[14 - 1], 31), (S{"30.0", "30.0", "30.0"}));
    EXPECT_EQ(Grupa(t[15 - 1], 31), (S{"60.0", "60.0", "75.0"}));
    EXPECT_EQ(Grupa(t[16 - 1], 88), (S{"60.0", "60.0", "60.0"}));
    for (int c : {33, 90}) EXPECT_EQ((S{Pole(t[9 - 1], c, 5), Pole(t[9 - 1], c + 10, 5), Pole(t[9 - 1], c + 20, 5)}),
                                     (S{"2009", "2010", "2011"}));
    auto h = p.strona();
    EXPECT_EQ(KomorkiHtml(h[18 - 1]), (S{"2009", "2010", "2011"}));
    EXPECT_EQ(KomorkiHtml(h[22 - 1]), (S{"30.00", "30.00", "30.00"}));
    EXPECT_EQ(KomorkiHtml(h[24 - 1]), (S{"60.00", "60.00", "75.00"}));
    EXPECT_EQ(KomorkiHtml(h[34 - 1]), (S{"60.00", "60.00", "60.00"}));
    // The lines between the products are copied as they stand.
    auto wzorzec = LinieWyniku(p.tmp.file("TABWZOR/QAD.PRO.HTML"));
    for (int n : {19, 20, 21, 23, 25, 27, 28, 29, 51, 52, 53})
        EXPECT_EQ(h[static_cast<std::size_t>(n - 1)], wzorzec[static_cast<std::size_t>(n - 1)]) << n;
}

TEST(RaportPRO, CapacityOf500AYearIs10PerStepAnd30Of40Is75Percent) {
    Produkcja p;
    ASSERT_TRUE(p.uruchom());
    auto t = p.tekst();
    EXPECT_EQ(Grupa(t[20 - 1], 31), (S{"10.0", "10.0", "10.0"}));
    EXPECT_EQ(Grupa(t[22 - 1], 31), (S{"30.0", "30.0", "30.0"}));
    for (int n : {20, 21, 22}) EXPECT_EQ(Grupa(t[static_cast<std::size_t>(n - 1)], 88), (S{"75.0", "75.0", "75.0"})) << n;
    auto h = p.strona();
    EXPECT_EQ(KomorkiHtml(h[38 - 1]), (S{"10.00", "10.00", "10.00"}));
    EXPECT_EQ(KomorkiHtml(h[42 - 1]), (S{"30.00", "30.00", "30.00"}));
    for (int n : {46, 48, 50}) EXPECT_EQ(KomorkiHtml(h[static_cast<std::size_t>(n - 1)]), (S{"75.00", "75.00", "75.00"})) << n;
}

TEST(RaportPRO, AYearWithoutAccumulatedCapacityShowsNoUse) {
    Produkcja p;
    p.ustaw(ElementPola(ZdolnoscRoku, 1), 2, 0.0L);
    p.ustaw(ElementPola(ProdukcjaRoku, 3), 1, 0.0L);
    p.ustaw(ElementPola(ZdolnoscRoku, 3), 1, 0.0L);
    ASSERT_TRUE(p.uruchom());
    auto t = p.tekst();
    EXPECT_EQ(Grupa(t[20 - 1], 88), (S{"75.0", "0.0", "75.0"}));
    EXPECT_EQ(Grupa(t[22 - 1], 88), (S{"0.0", "75.0", "75.0"}));
    EXPECT_EQ(KomorkiHtml(p.strona()[46 - 1]), (S{"75.00", "0.00", "75.00"}));
    EXPECT_EQ(KomorkiHtml(p.strona()[50 - 1]), (S{"0.00", "75.00", "75.00"}));
}

TEST(RaportPRO, AUseBeyondTheRangeOfTheRecordsRealsFailsTheReportInsteadOfPrintingIt) {
    Produkcja p;
    p.ustaw(ElementPola(ProdukcjaRoku, 1), 1, 1.0E30L);
    p.ustaw(ElementPola(ZdolnoscRoku, 1), 1, 1.0E-30L);
    EXPECT_FALSE(p.uruchom());
    EXPECT_TRUE(p.k.FlagiWynikow.PRO);
}

TEST(RaportPRO, TemplatesAreReadUpTo53LinesAndTheOutputsEndAt24And53) {
    Produkcja p;
    for (const char* nazwa : {"TABWZOR/QAD.PRO", "TABWZOR/QAD.PRO.HTML"}) {
        auto l = LinieWyniku(p.tmp.file(nazwa));
        l.resize(60, "dopisana linia");
        std::string s;
        for (auto& x : l) s += x + "\r\n";
        p.tmp.write(nazwa, s);
    }
    ASSERT_TRUE(p.uruchom());
    EXPECT_EQ(p.tekst().size(), 24u);
    auto h = p.strona();
    ASSERT_EQ(h.size(), 53u);
    EXPECT_EQ(h.back(), "</body></html>");
}

}  // namespace
}  // namespace vesk
