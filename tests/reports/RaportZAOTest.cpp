// The inventories report over the shipped templates: where each stock is
// printed in the text and on the page, zero and negative stocks, and a
// short template. (Its stages fail as every described report's do; the
// engine's tests cover that.)
#include "RaportZAO.h"

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

// Stocks of round numbers that tell their element and year apart: raw
// material e in year y holds 10e + y, finished good e 100e + y, work in
// progress of product e 1000e + y.
struct Zapasy : SrodowiskoRaportu {
    Zapasy() {
        for (int e = 1; e <= 3; ++e)
            for (int y = 1; y <= 3; ++y) {
                ustaw(ElementPola(ZapasSurowcow, e), y, 10.0L * e + y);
                ustaw(ElementPola(ZapasWyrobowGotowych, e), y, 100.0L * e + y);
                ustaw(ElementPola(ProdukcjaWToku, e), y, 1000.0L * e + y);
            }
    }
    bool uruchom() { return Raport_ZAO(k); }
    std::vector<std::string> tekst() const { return LinieWyniku(wyjscie("firma.ZAO")); }
    std::vector<std::string> strona() const { return LinieWyniku(wyjscie("firma.ZAO.html")); }
};

TEST(RaportZAO, WritesTwentyFourTextLinesAndAThirtyThreeLinePageAndClearsTheFlag) {
    Zapasy z;
    z.k.NumerWezla = 5;
    ASSERT_TRUE(z.uruchom());
    EXPECT_FALSE(z.k.FlagiWynikow.ZAO);
    auto t = z.tekst();
    ASSERT_EQ(t.size(), 24u);
    EXPECT_EQ(t[0], "Plik stanu modelu: " + z.k.KatalogOperatora + "firma.qad");
    EXPECT_EQ(t[1].substr(t[1].size() - 3), "  5");
    auto h = z.strona();
    ASSERT_EQ(h.size(), 33u);
    EXPECT_NE(h[9 - 1].find(z.k.KatalogOperatora + "firma.qad"), std::string::npos);
    EXPECT_EQ(h[11 - 1].substr(h[11 - 1].size() - 3), "  5");
    EXPECT_EQ(test::SprawdzHtml(z.tmp.read("OPER/firma.ZAO.html")), "");
}

TEST(RaportZAO, RawMaterialsAndWorkInProgressStandLeftAndFinishedGoodsRight) {
    Zapasy z;
    ASSERT_TRUE(z.uruchom());
    auto t = z.tekst();
    EXPECT_EQ(Grupa(t[14 - 1], 31), (S{"11.0", "12.0", "13.0"}));
    EXPECT_EQ(Grupa(t[16 - 1], 31), (S{"31.0", "32.0", "33.0"}));
    EXPECT_EQ(Grupa(t[14 - 1], 88), (S{"101.0", "102.0", "103.0"}));
    EXPECT_EQ(Grupa(t[15 - 1], 88), (S{"201.0", "202.0", "203.0"}));
    EXPECT_EQ(Grupa(t[20 - 1], 31), (S{"1001.0", "1002.0", "1003.0"}));
    EXPECT_EQ(Grupa(t[22 - 1], 31), (S{"3001.0", "3002.0", "3003.0"}));
    // Work in progress fills the left group only; the template's right side stays.
    auto wzorzec = LinieWyniku(z.tmp.file("TABWZOR/QAD.ZAO"));
    EXPECT_EQ(t[20 - 1].substr(60), wzorzec[20 - 1].substr(60));
    // The years at 33, 43, 53 and 90, 100, 110.
    for (int c : {33, 90}) EXPECT_EQ((S{Pole(t[9 - 1], c, 5), Pole(t[9 - 1], c + 10, 5), Pole(t[9 - 1], c + 20, 5)}),
                                     (S{"2009", "2010", "2011"}));

    auto h = z.strona();
    EXPECT_EQ(KomorkiHtml(h[16 - 1]), (S{"2009", "2010", "2011"}));
    EXPECT_EQ(KomorkiHtml(h[19 - 1]), (S{"11.00", "12.00", "13.00"}));
    EXPECT_EQ(KomorkiHtml(h[21 - 1]), (S{"31.00", "32.00", "33.00"}));
    EXPECT_EQ(KomorkiHtml(h[24 - 1]), (S{"101.00", "102.00", "103.00"}));
    EXPECT_EQ(KomorkiHtml(h[26 - 1]), (S{"301.00", "302.00", "303.00"}));
    EXPECT_EQ(KomorkiHtml(h[29 - 1]), (S{"1001.00", "1002.00", "1003.00"}));
    EXPECT_EQ(KomorkiHtml(h[31 - 1]), (S{"3001.00", "3002.00", "3003.00"}));
}

TEST(RaportZAO, ZeroAndNegativeStocksKeepTheirFieldWidths) {
    SrodowiskoRaportu z;  // every stock 0
    z.ustaw(ElementPola(ZapasWyrobowGotowych, 2), 3, -12.5L);
    ASSERT_TRUE(Raport_ZAO(z.k));
    auto t = LinieWyniku(z.wyjscie("firma.ZAO"));
    EXPECT_EQ(t[14 - 1].substr(30, 28), "     0.0       0.0       0.0");
    EXPECT_EQ(t[21 - 1].substr(30, 28), "     0.0       0.0       0.0");
    EXPECT_EQ(t[15 - 1].substr(87, 28), "     0.0       0.0     -12.5");
    auto h = LinieWyniku(z.wyjscie("firma.ZAO.html"));
    EXPECT_NE(h[20 - 1].find("<td>     0.00</td><td>     0.00</td><td>     0.00</td>"), std::string::npos);
    EXPECT_NE(h[25 - 1].find("<td>     0.00</td><td>     0.00</td><td>   -12.50</td>"), std::string::npos);
}

TEST(RaportZAO, AShortTemplateLeavesTheMissingValueRowsEmpty) {
    Zapasy z;
    auto l = LinieWyniku(z.tmp.file("TABWZOR/QAD.ZAO"));
    l.resize(19);
    std::string s;
    for (auto& x : l) s += x + "\r\n";
    z.tmp.write("TABWZOR/QAD.ZAO", s);
    ASSERT_TRUE(z.uruchom());
    auto t = z.tekst();
    ASSERT_EQ(t.size(), 24u);
    EXPECT_EQ(Grupa(t[14 - 1], 31), (S{"11.0", "12.0", "13.0"}));
    for (int n = 20; n <= 24; ++n) EXPECT_EQ(t[static_cast<std::size_t>(n - 1)], "") << n;
}

}  // namespace
}  // namespace vesk
