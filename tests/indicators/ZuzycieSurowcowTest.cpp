#include "ZuzycieSurowcow.h"

#include <gtest/gtest.h>

#include <memory>

#include "Odczyty.h"
#include "OperacjeWezlow.h"
#include "PlikStanu.h"
#include "PolaRoku.h"
#include "PomocWskaznikow.h"
#include "TempDir.h"

namespace vesk {
namespace {

TEST(ZuzycieSurowcowTest, UsageIsOrderLessStockChange) {
    struct Przypadek {
        std::array<long double, 3> zamowienia;
        long double otwarcie;
        std::array<long double, 3> zapasy;
        std::array<long double, 3> zuzycie;
    };
    const Przypadek przypadki[] = {
        {{100, 120, 90}, 10, {20, 25, 15}, {90, 115, 100}},
        {{0, 0, 0}, 0, {0, 0, 0}, {0, 0, 0}},
        {{0, 50, 0}, 30, {10, 60, 60}, {20, 0, 0}},
    };
    for (const Przypadek& p : przypadki) EXPECT_EQ(ZuzycieMaterialu(p.zamowienia, p.otwarcie, p.zapasy), p.zuzycie);
}

TEST(ZuzycieSurowcowTest, AUsageOrTotalBeyondTheSixByteRealIsShownOutOfRange) {
    // Records from outside: orders near the 6-byte maximum in all three
    // years add up to more than the format holds; an order plus a large
    // opening stock makes a single year's usage too large.
    struct Przypadek {
        const char* nazwa;
        std::array<long double, 3> zamowienia;
        long double otwarcie;
    };
    const Przypadek przypadki[] = {
        {"total", {1.5e38L, 1.5e38L, 1.5e38L}, 0},
        {"year", {1.5e38L, 0, 0}, 1.5e38L},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        auto r = std::make_unique<StanModelu>();
        r->zapis().setU8(0, 1);
        for (std::size_t y = 0; y < 3; ++y) r->zapis().setReal48(2896 + 18 * y, p.zamowienia[y]);
        r->zapis().setReal48(2336, p.otwarcie);
        ZuzycieSurowcow z;
        EXPECT_NO_THROW(z.Koncowka(*r));
        EXPECT_EQ(z.InfoOZuzyciuM[0], "poza zakresem");
        EXPECT_EQ(z.InfoOZuzyciuM[1], "0.00");
    }
}

struct Zuzycie : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<Kontekst> k = std::make_unique<Kontekst>();
    ZuzycieSurowcow z;
    void SetUp() override {
        k->catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
        k->catTABWZOR = std::string(VESK_DATA_DIR) + "TABWZOR/";
        k->SciezkaOperatora = dir.folder() + "FIRMA.";
        ASSERT_TRUE(UtworzStanOperatora(*k));
    }
};

TEST_F(Zuzycie, TotalsTextsAndLimits) {
    // Totals set by hand: White 305, Black 489.995, Red 450.
    z.ZuzycieLaczne = {305, 489.995L, 450};
    z.Granice = {"450", "490", "450"};
    for (int m = 1; m <= 3; ++m) z.ZmianaGranicy(m, z.Granice[static_cast<std::size_t>(m - 1)]);
    EXPECT_EQ(z.Czerwony, (std::array<bool, 3>{false, false, true}));  // at the limit is red
    z.ZmianaGranicy(1, "300");
    EXPECT_TRUE(z.Czerwony[0]);
    z.ZmianaGranicy(2, "489.99");
    EXPECT_TRUE(z.Czerwony[1]);
    EXPECT_EQ(z.ZuzycieLaczne[1], 489.995L);  // recoloured, not recomputed
    z.ZmianaGranicy(3, "abc");
    EXPECT_FALSE(z.Czerwony[2]);
    EXPECT_FALSE(z.GranicaPoprawna[2]);
    z.ZmianaGranicy(3, " 449.5 ");
    EXPECT_TRUE(z.Czerwony[2]);
    EXPECT_TRUE(z.GranicaPoprawna[2]);
}

TEST_F(Zuzycie, RootOpensWithNoStockWhateverRanBefore) {
    StanModelu korzen = k->RekordBiezacy;
    for (int m = 1; m <= 3; ++m) EXPECT_EQ(ZapasPoczatkowySurowca(korzen, m), 0);
    z.Koncowka(korzen);
    const std::array<std::string, 3> przed = z.InfoOZuzyciuM;
    k->ZmienneSkryptu[98] = 1234;
    z.Koncowka(korzen);
    EXPECT_EQ(z.InfoOZuzyciuM, przed);
    EXPECT_EQ(z.InfoOZuzyciu, test::P("zużycie surowców (W,B,R) tys. jedn. sur. [2009-2011]"));
    for (int m = 1; m <= 3; ++m) {
        const std::size_t i = static_cast<std::size_t>(m - 1);
        long double suma = 0;
        for (int y = 1; y <= 3; ++y) {
            const long double zapas = WartoscZapasow(korzen, m, 1, y);
            const long double poprzedni = y == 1 ? 0 : WartoscZapasow(korzen, m, 1, y - 1);
            const long double zakup = WartoscDecyzji(korzen, 6 + m, y);
            EXPECT_NEAR(static_cast<double>(z.Zuzycie[i][static_cast<std::size_t>(y - 1)]),
                        static_cast<double>(zakup - (zapas - poprzedni)), 1e-6);
            suma += z.Zuzycie[i][static_cast<std::size_t>(y - 1)];
        }
        EXPECT_NEAR(static_cast<double>(z.ZuzycieLaczne[i]), static_cast<double>(suma), 1e-6);
        EXPECT_GE(z.InfoOZuzyciuM[i].size(), 3u);
        EXPECT_NE(z.InfoOZuzyciuM[i].find('.'), std::string::npos);
    }
}

TEST_F(Zuzycie, AChildOpensWithItsParentsYearThreeStock) {
    const StanModelu korzen = k->RekordBiezacy;
    k->WezelBazowy.NumerTekst = "0";
    k->WezelDoEdycji.NumerTekst = "0";
    ASSERT_TRUE(NowyWezel(*k, 1));
    ASSERT_TRUE(SymulujWezel(*k));
    StanModelu dziecko;
    ASSERT_TRUE(ZnajdzStanModelu(*k, SciezkaPlikuStanu(*k), 1, dziecko));
    for (int m = 1; m <= 3; ++m) {
        SCOPED_TRACE(m);
        EXPECT_EQ(static_cast<double>(ZapasPoczatkowySurowca(dziecko, m)), WartoscZapasow(korzen, m, 1, 3));
        z.Koncowka(dziecko);
        const long double pierwszy = WartoscDecyzji(dziecko, 6 + m, 1) -
                                     (WartoscZapasow(dziecko, m, 1, 1) - WartoscZapasow(korzen, m, 1, 3));
        EXPECT_NEAR(static_cast<double>(z.Zuzycie[static_cast<std::size_t>(m - 1)][0]), static_cast<double>(pierwszy),
                    1e-6);
    }
    EXPECT_EQ(z.InfoOZuzyciu, test::P("zużycie surowców (W,B,R) tys. jedn. sur. [2012-2014]"));
}

TEST_F(Zuzycie, ANodesRecordGivesUsagesTotalAndColour) {
    StanModelu r = k->RekordBiezacy;
    r.UstawNumer(4);
    r.UstawRodzica(0);
    const long double zakupy[] = {100, 120, 90}, zapasy[] = {20, 25, 15};
    for (std::size_t y = 0; y < 3; ++y) {
        r.zapis().setReal48(2896 + 18 * y, zakupy[y]);
        Zapis(r, pola::ZapasSurowcow, static_cast<int>(y) + 1, zapasy[y]);
    }
    r.zapis().setReal48(2336, 10);
    ASSERT_EQ(WartoscZapasow(r, 1, 1, 2), 25);
    z.Koncowka(r);
    EXPECT_EQ(z.Zuzycie[0], (std::array<long double, 3>{90, 115, 100}));
    EXPECT_EQ(z.ZuzycieLaczne[0], 305);
    EXPECT_EQ(z.InfoOZuzyciuM[0], "305.00");
    EXPECT_FALSE(z.Czerwony[0]);
    z.Granice[0] = "300";
    z.Koncowka(r);
    EXPECT_TRUE(z.Czerwony[0]);
}

}  // namespace
}  // namespace vesk
