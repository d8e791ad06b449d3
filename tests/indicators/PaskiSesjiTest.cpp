// The product tab driven through the session: product choice, bar actions
// into what-if steps, the change description, the usage limits, and the
// years after the refresh from a command file.
#include "PaskiSesji.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "IndicatorSession.h"
#include "KrokCoJesli.h"
#include "PolaRoku.h"
#include "PomocWskaznikow.h"
#include "TempDir.h"

namespace vesk {
namespace {

using test::P;

struct Warsztat : HakiWarsztatu {
    std::optional<WybranyWezel> wezel;
    int zmiany = 0;
    bool odmowa = false;
    std::vector<std::pair<int, long double>> kroki;
    std::optional<WybranyWezel> Wybrany() const override { return wezel; }
    void Zmiana_wezla() override { ++zmiany; }
    void UstawRezultaty2(bool) override {}
    void UstawWzy1(bool) override {}
    std::optional<int> CoJesli(int k, long double v) override {
        kroki.emplace_back(k, v);
        if (odmowa) return std::nullopt;
        return 8;
    }
    bool WybierzEtykiete(const std::string&) override { return true; }
};

struct BezZestawow : IndicatorSetStore {
    TabelaWskaznikow read(const std::string&) override { return {}; }
    void write(const std::string&, const TabelaWskaznikow&) override {}
};

struct Paski : ::testing::Test {
    test::TempDir dir;
    ScriptedUserInterface ui;
    std::unique_ptr<Kontekst> k = std::make_unique<Kontekst>(ui);
    Warsztat w;
    BezZestawow z;
    std::unique_ptr<IndicatorSession> s;

    void SetUp() override {
        k->KatalogProgramu = dir.folder();
        test::KopiujDrzewaPozycji(dir);
        dir.write("wskazniki-ogolne.xls", "");
        for (int i = 1; i <= 54; ++i) k->Zakresy[i] = {100, 5000};
        k->RekordBiezacy.UstawRok(2018);  // the period 2015-2017
        k->RekordBiezacy.UstawNumer(7);
        // Beta's orders 300, 240, 140; its prices 2.5, 3, 4 (thousands).
        for (std::size_t y = 0; y < 3; ++y) {
            k->RekordBiezacy.zapis().setReal48(2784 + 18 * y + 6, 300 - 80 * static_cast<long double>(y) -
                                                                    (y == 2 ? 20 : 0));
            k->RekordBiezacy.zapis().setReal48(2840 + 18 * y + 6, 2.5L + 0.5L * y + (y == 2 ? 0.5L : 0));
        }
        w.wezel = WybranyWezel{7, 2, "d/r 7", false, {}, {}};
        s = std::make_unique<IndicatorSession>(*k, w, z);
        s->onActivated();
        ui.messages.clear();
    }
};

TEST_F(Paski, NoProductChosenNoBarActs) {
    EXPECT_EQ(s->Paski().Widok().Wyrob, -1);
    EXPECT_FALSE(s->Paski().Widok().Wlaczone);
    s->ScrollBarXScroll(1, KodPrzewijania::LiniaWDol, 2000);
    EXPECT_TRUE(w.kroki.empty());
}

TEST_F(Paski, ProductChoiceCaptionsRangesAndBoxes) {
    s->ComboBoxWyboruWyrobuChange(1);
    const WidokPaskow& v = s->Paski().Widok();
    EXPECT_TRUE(v.Wlaczone);
    EXPECT_EQ(v.Produkt, "Beta");
    EXPECT_EQ(v.Lata, (std::array<std::string, 3>{"2015", "2016", "2017"}));
    EXPECT_EQ(v.Pola, (std::array<std::string, 6>{"2500", "300", "3000", "220", "4000", "120"}));
    EXPECT_EQ(v.Paski[5].Pozycja, 120);
    // An order below the range sits at its lower end; the box tells the value.
    k->Zakresy[15] = {150, 5000};
    s->ComboBoxWyboruWyrobuChange(1);
    EXPECT_EQ(s->Paski().Widok().Paski[5].Pozycja, 150);
    EXPECT_EQ(s->Paski().Widok().Pola[5], "120");
}

TEST_F(Paski, Bar4WithBetaSendsTheSecondYearsOrder) {
    s->ComboBoxWyboruWyrobuChange(1);
    const int zmianyPrzed = w.zmiany;
    s->ScrollBarXScroll(4, KodPrzewijania::KoniecPrzewijania, 250);
    ASSERT_EQ(w.kroki.size(), 1u);
    EXPECT_EQ(w.kroki[0], (std::pair<int, long double>{14, 250}));
    const KrokPaska& krok = s->OstatniKrokPaska();
    EXPECT_TRUE(krok.CoJesli);
    EXPECT_EQ(krok.NowyWezel, std::optional<int>(8));
    EXPECT_EQ(krok.Opis, P("Zamówienia Beta [2016] na: 250"));
    EXPECT_EQ(s->Paski().Widok().Pola[3], "250");
    EXPECT_GT(w.zmiany, zmianyPrzed);  // the chart update refreshed the node
}

TEST_F(Paski, ABarStepMakesItsVariableThePanelsAndWritesAChangeEntryWhileReporting) {
    s->ComboBoxWyboruWyrobuChange(1);
    s->UstawRaportowanie(true);
    s->ScrollBarXScroll(4, KodPrzewijania::KoniecPrzewijania, 250);
    EXPECT_EQ(s->Analiza().Parametr(), 14);
    EXPECT_EQ(s->Analiza().DolnaGranica().Pozycja + 1, s->Analiza().GornaGranica().Pozycja);
    bool wpis = false;
    for (const std::string& l : s->WpisyZmian) wpis = wpis || l.find(P("Zamówienia Beta [2016] na: 250")) != std::string::npos;
    EXPECT_TRUE(wpis);
}

TEST_F(Paski, AfterABarStepThePanelShowsTheNewNodeAndValue) {
    // A workbench whose step writes the value and selects the new node.
    struct Zmieniajacy : Warsztat {
        Kontekst* k = nullptr;
        std::optional<int> CoJesli(int p, long double v) override {
            Warsztat::CoJesli(p, v);
            UstawParametrDecyzji(k->RekordBiezacy, p, v);
            wezel = WybranyWezel{8, 2, "d/r 8", false, {}, {}};
            return 8;
        }
    } zw;
    zw.k = k.get();
    zw.wezel = w.wezel;
    IndicatorSession sesja(*k, zw, z);
    sesja.onActivated();
    sesja.ComboBoxWyboruWyrobuChange(1);
    for (const int q : {250, 260}) {
        sesja.ScrollBarXScroll(4, KodPrzewijania::LiniaWDol, q);
        EXPECT_EQ(sesja.Analiza().Parametr(), 14);
        EXPECT_EQ(sesja.Analiza().Brat(), "d/r 8");
        EXPECT_EQ(sesja.Analiza().Wartosc(), std::to_string(q));
        EXPECT_EQ(sesja.Analiza().Suwak().Pozycja, q);
        EXPECT_EQ(sesja.Analiza().DolnaGranica().Pozycja, q);
        EXPECT_EQ(sesja.Analiza().GornaGranica().Pozycja, q + 1);
        EXPECT_EQ(sesja.Widok().Brat, "d/r 8");
    }
}

TEST_F(Paski, ScrollCodesAndRepeatedValues) {
    s->ComboBoxWyboruWyrobuChange(0);
    struct Ruch {
        int pasek;
        KodPrzewijania kod;
        int pozycja;
        bool wyslano;
        int k;
        long double v;
    } ruchy[] = {
        {1, KodPrzewijania::SledzenieKciuka, 2600, false, 0, 0},        // dragging: nothing before the release
        {1, KodPrzewijania::LiniaWDol, 2501, true, 1, 2501},
        {1, KodPrzewijania::KoniecPrzewijania, 2501, false, 0, 0},  // the value the box shows
        {1, KodPrzewijania::StronaWDol, 2511, true, 1, 2511},
        {2, KodPrzewijania::StronaWGore, 99999, true, 10, 5000},   // clamped by the model
        {2, KodPrzewijania::LiniaWGore, 5000, false, 0, 0},
        {6, KodPrzewijania::LiniaWGore, -7, true, 12, 100},
        {7, KodPrzewijania::LiniaWDol, 300, false, 0, 0},           // no such bar
    };
    std::size_t wyslane = 0;
    for (const Ruch& r : ruchy) {
        SCOPED_TRACE(r.pozycja);
        s->ScrollBarXScroll(r.pasek, r.kod, r.pozycja);
        if (r.wyslano) ++wyslane;
        ASSERT_EQ(w.kroki.size(), wyslane);
        EXPECT_EQ(s->OstatniKrokPaska().CoJesli, r.wyslano);
        if (r.wyslano) {
            EXPECT_EQ(w.kroki.back(), (std::pair<int, long double>{r.k, r.v}));
        }
    }
    EXPECT_EQ(s->OstatniKrokPaska().Opis, "");
}

TEST_F(Paski, ARefusedStepLeavesTheBoxAtTheRecordsValue) {
    s->ComboBoxWyboruWyrobuChange(2);
    w.odmowa = true;
    const std::string przed = s->Paski().Widok().Pola[0];
    s->ScrollBarXScroll(1, KodPrzewijania::LiniaWDol, 1234);
    EXPECT_EQ(w.kroki.size(), 1u);
    EXPECT_EQ(s->Paski().Widok().Pola[0], przed);
    EXPECT_FALSE(s->OstatniKrokPaska().NowyWezel);
}

TEST_F(Paski, LimitsRecolourWithoutRecomputing) {
    // White: orders 100, 120, 90, year-end stocks 20, 25, 15, opening 10: 305.
    StanModelu& r = k->RekordBiezacy;
    const long double zakupy[] = {100, 120, 90}, zapasy[] = {20, 25, 15};
    for (std::size_t y = 0; y < 3; ++y) {
        r.zapis().setReal48(2896 + 18 * y, zakupy[y]);
        Zapis(r, pola::ZapasSurowcow, static_cast<int>(y) + 1, zapasy[y]);
    }
    r.zapis().setReal48(2336, 10);
    s->Koncowka();
    const ZuzycieSurowcow& u = s->Paski().Zuzycie();
    EXPECT_EQ(u.InfoOZuzyciuM[0], "305.00");
    EXPECT_FALSE(u.Czerwony[0]);
    r.zapis().setReal48(2896, 0);  // the record changes; the total does not follow a limit's change
    const struct {
        const char* tekst;
        bool czerwony, poprawna;
    } granice[] = {{"300", true, true}, {"305", true, true}, {"305.01", false, true}, {"abc", false, false},
                   {"", false, false},  {" 100 ", true, true}, {"450", false, true}};
    for (const auto& g : granice) {
        SCOPED_TRACE(g.tekst);
        s->ParGranicaChange(1, g.tekst);
        EXPECT_EQ(u.Czerwony[0], g.czerwony);
        EXPECT_EQ(u.GranicaPoprawna[0], g.poprawna);
        EXPECT_EQ(u.ZuzycieLaczne[0], 305);
    }
    s->ParGranicaChange(4, "0");  // no such limit: nothing
    EXPECT_EQ(u.Granice[2], "450");
}

TEST_F(Paski, TheRefreshAfterAScriptShowsTheNewNodesYears) {
    EXPECT_EQ(s->Widok().Lata, (std::vector<std::string>{"2015", "2016", "2017"}));
    k->RekordBiezacy.UstawRok(2021);
    w.wezel = WybranyWezel{9, 3, "d/r 9", false, {}, {}};
    s->OdswiezIOblicz();
    EXPECT_EQ(s->Widok().Lata, (std::vector<std::string>{"2018", "2019", "2020"}));
    EXPECT_EQ(s->Widok().Brat, "d/r 9");
}

TEST_F(Paski, ChartMessagesAreHandedOutOnce) {
    s->Wykres().Widok.Komunikaty = {P("Zero w mianowniku; uważaj na wykresy!")};
    EXPECT_EQ(s->KomunikatyWykresu().size(), 1u);
    EXPECT_TRUE(s->KomunikatyWykresu().empty());
}

}  // namespace
}  // namespace vesk
