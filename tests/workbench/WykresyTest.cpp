#include "Wykresy.h"
#include "Teksty.h"

#include "PolaRoku.h"
#include "PomocWarsztatu.h"
#include "PozycjaBilansu.h"

namespace vesk {
namespace {

struct Wykresy : test::WarsztatTest {
    void SetUp() override {
        WarsztatTest::SetUp();
        operatorZPlikow({{1, 0, true}, {2, 0, false}}, "d/r 0\r\n\td/r 1\r\n\td 2\r\n");
    }
};

TEST_F(Wykresy, TheTableTakesTheFifteenCellsInPlace) {
    wybierzNumer(1);
    const StanModelu przed = k->RekordBiezacy;
    const double x91 = k->ZmienneSkryptu[90] = 123.0;
    const TabelaBilansu_t t = TabelaBilansu(k->RekordBiezacy);
    EXPECT_EQ(k->RekordBiezacy, przed);
    EXPECT_EQ(k->ZmienneSkryptu[90], x91);
    for (int rok = 0; rok < 3; ++rok) {
        EXPECT_EQ(t[PozycjaBilansu(0, rok, 0)], KomorkaBilansu(przed, 1, rok + 1));
        EXPECT_EQ(t[PozycjaBilansu(1, rok, 0)], KomorkaBilansu(przed, 9, rok + 1));
        EXPECT_EQ(t[PozycjaBilansu(2, rok, 0)], 0.0) << "assets group 2 stays empty";
        EXPECT_EQ(t[PozycjaBilansu(0, rok, 1)], KomorkaBilansu(przed, 1, rok + 4));
        EXPECT_EQ(t[PozycjaBilansu(1, rok, 1)], KomorkaBilansu(przed, 8, rok + 4));
        EXPECT_EQ(t[PozycjaBilansu(2, rok, 1)], KomorkaBilansu(przed, 11, rok + 4));
    }
    EXPECT_NE(t[PozycjaBilansu(0, 0, 1)], 0.0);
}

TEST_F(Wykresy, YearField2015GivesTheYears2012To2014OnBothCharts) {
    StanModelu r;
    r.UstawRok(2015);
    const WykresyBilansu b = Rysuj(TabelaBilansu_t{}, PierwszyRokBilansu(r), false);
    EXPECT_EQ(b.Aktywa.Lata, (std::vector<int>{2012, 2013, 2014}));
    EXPECT_EQ(b.Pasywa.Lata, (std::vector<int>{2012, 2013, 2014}));
    const auto p = PunktyTrzyletnie(r, RodzajWykresu::ZyskNetto);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].x, 2012);
    EXPECT_EQ(p[2].x, 2014);
}

TEST_F(Wykresy, SeriesOfBothSides) {
    TabelaBilansu_t t{};
    for (int i = 0; i < 18; ++i) t[static_cast<std::size_t>(i)] = i;
    const WykresyBilansu b = Rysuj(t, 2012, false);
    ASSERT_EQ(b.Aktywa.Serie.size(), 2u);
    ASSERT_EQ(b.Pasywa.Serie.size(), 3u);
    EXPECT_EQ(b.Aktywa.Serie[0].Wartosci, (std::vector<double>{0, 2, 4}));
    EXPECT_EQ(b.Aktywa.Serie[1].Wartosci, (std::vector<double>{6, 8, 10}));
    EXPECT_EQ(b.Pasywa.Serie[0].Wartosci, (std::vector<double>{13, 15, 17}));  // short-term, red
    EXPECT_EQ(b.Pasywa.Serie[0].Kolor, 0xFF0000u);
    EXPECT_EQ(b.Pasywa.Serie[1].Kolor, 0xFFFF00u);
    EXPECT_EQ(b.Pasywa.Serie[2].Wartosci, (std::vector<double>{1, 3, 5}));  // equity
    EXPECT_EQ(b.Aktywa.Tytul.substr(0, 7), "Aktywa\n");
    const WykresyBilansu pusty = Rysuj(t, 0, true);
    EXPECT_TRUE(pusty.Aktywa.Lata.empty());
    EXPECT_TRUE(pusty.Pasywa.Serie[2].Wartosci.empty());
}

TEST_F(Wykresy, NothingSelectedGivesEmptyChartsWithoutAMessage) {
    w->Wybierz(-1);
    ui.messages.clear();
    EXPECT_TRUE(Bilans2Click(*w).Pusty);
    EXPECT_TRUE(ui.messages.empty());
    wybierzNumer(1);
    const StanBilansu s = Bilans2Click(*w);
    EXPECT_FALSE(s.Pusty);
    EXPECT_EQ(s.PierwszyRok, 2012);
}

TEST_F(Wykresy, PointsAreTheStatementsNetProfitALossBelowZeroOrSales) {
    StanModelu r;
    r.UstawRok(2015);
    // Net profit 10, a loss of 20 (the account form's line then holds 0), 30.
    const long double koszty[] = {90, 220, 270}, konto[] = {10, 0, 30};
    for (int i = 1; i <= 3; ++i) {
        Zapis(r, pola::PrzychodyZeSprzedazy, i, 100.0L * i);
        Zapis(r, pola::KosztyWytworzenia, i, koszty[i - 1]);
        Zapis(r, pola::WynikNetto, i, konto[i - 1]);
    }
    EXPECT_EQ(r.widok().real48(4528 * 3 + 1216), 300.0);
    EXPECT_EQ(PunktyTrzyletnie(r, RodzajWykresu::ZyskNetto),
              (std::vector<PunktWykresuTrzyletniego>{{2012, 10}, {2013, -20}, {2014, 30}}));
    EXPECT_EQ(PunktyTrzyletnie(r, RodzajWykresu::Sprzedaz),
              (std::vector<PunktWykresuTrzyletniego>{{2012, 100}, {2013, 200}, {2014, 300}}));
    EXPECT_TRUE(PunktyTrzyletnie(r, RodzajWykresu::Brak).empty());
}

TEST(OsWartosci, ZeroIsAlwaysOnTheAxisSoALossStandsBelowIt) {
    const std::pair<std::vector<double>, ZakresOsi> przypadki[] = {
        {{-242.7, -222.5}, {-242.7, 0}}, {{300.6, 306.8}, {0, 306.8}}, {{10, -20}, {-20, 10}}, {{0, 0}, {-1, 1}}};
    for (const auto& [y, os] : przypadki)
        EXPECT_EQ(OsWartosci({{2012, y[0]}, {2013, y[1]}}), os) << y[0];
}

TEST_F(Wykresy, TogglesSwitchInOneStepAndBlockAdding) {
    wybierzNumer(1);
    w->Polecenia.Wzy1 = true;
    WykresTrzyletni c;
    c.Sprzeda1Click(*w);
    EXPECT_TRUE(c.Sprzeda1);
    EXPECT_TRUE(c.Widoczny);
    EXPECT_FALSE(w->Polecenia.Wzy1);
    EXPECT_NE(c.Tytul.find("netto\n[mln z"), std::string::npos);
    c.Zysknetto1Click(*w);
    EXPECT_TRUE(c.Zysknetto1);
    EXPECT_FALSE(c.Sprzeda1);
    EXPECT_TRUE(c.Widoczny);
    EXPECT_EQ(c.Tytul.substr(0, 11), "Zysk netto\n");
    EXPECT_EQ(c.Punkty.size(), 3u);
    c.Zysknetto1Click(*w);
    EXPECT_FALSE(c.Widoczny);
    EXPECT_TRUE(w->Polecenia.Wzy1);
    c.Sprzeda1Click(*w);
    c.Chart1Click(*w);
    EXPECT_FALSE(c.Widoczny);
    EXPECT_FALSE(c.Sprzeda1);
    EXPECT_TRUE(w->Polecenia.Wzy1);
}

TEST(WykresyBezOperatora, NoChartAndNoDecisionsWithoutATree) {
    ScriptedUserInterface ui;
    Kontekst k(ui);
    Warsztat w(k);
    WykresTrzyletni c;
    c.Zysknetto1Click(w);
    EXPECT_FALSE(c.Widoczny);
    EXPECT_FALSE(c.Zysknetto1);
    EXPECT_EQ(ui.messages, std::vector<std::string>{teksty::NalezyZainicjowac});
    c.Zysknetto1Click(w);
    EXPECT_FALSE(w.Polecenia.Wzy1);
    c.Sprzeda1Click(w);
    c.Chart1Click(w);
    EXPECT_FALSE(w.Polecenia.Wzy1);
}

TEST_F(Wykresy, GeometryMovesOneColumnPerLevel) {
    const ProstokatWykresu drzewo{10, 88, 800, 400};
    EXPECT_EQ(GeometriaWykresu(drzewo, 0), (ProstokatWykresu{10 + 5 + 64, 93, 800 - 10 - 64, 390}));
    EXPECT_EQ(GeometriaWykresu(drzewo, 2), (ProstokatWykresu{10 + 5 + 192, 93, 800 - 10 - 192, 390}));
}

}  // namespace
}  // namespace vesk
