#include "Symulacja.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "Kalendarz.h"
#include "Zerowanie.h"

namespace vesk {
namespace {

struct Run : ::testing::Test {
    Kontekst k;
    std::map<std::string, std::vector<int>> calls;

    void SetUp() override {
        k.catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
        k.SladKroku = [this](const char* grupa, int krok) { calls[grupa].push_back(krok); };
    }
};

std::vector<int> steps(std::initializer_list<int> s) { return s; }

TEST_F(Run, GroupsRunAtTheirScheduledSteps) {
    ASSERT_TRUE(Symulacja(k, 0));
    std::vector<int> all;
    for (int i = 1; i <= 150; ++i) all.push_back(i);
    for (const char* g : {"FunkcjaPopytu", "ProdukcjaIZapasy", "KosztyProdukcji", "SprzedazIZakupy", "Dekapitalizacja",
                          "WynikKroku", "SterowanieKredytem", "WycenaZapasow", "ZestawienieBilansu"})
        EXPECT_EQ(calls[g], all) << g;
    EXPECT_EQ(calls["PoczatekRoku"], steps({1, 51, 101}));
    EXPECT_EQ(calls["RozpoczecieInwestycji"], steps({1, 51, 101}));
    EXPECT_EQ(calls["OddanieInwestycji"], steps({26, 50, 76, 100, 126, 150}));
    EXPECT_EQ(calls["RatyKredytuInwestycyjnego"], steps({26, 50, 76, 100, 126, 150}));
    for (const char* g : {"PodzialWyniku", "WskaznikiRoku", "ZapiszWynikiRoku", "AktualizujBlokiSledzenia", "KoniecRoku"})
        EXPECT_EQ(calls[g], steps({50, 100, 150})) << g;
}

TEST_F(Run, YearEndOrderIsResultsThenTrackingThenReset) {
    std::vector<std::string> order;
    k.SladKroku = [&](const char* grupa, int krok) {
        if (krok == 100) order.push_back(grupa);
    };
    ASSERT_TRUE(Symulacja(k, 0));
    std::vector<std::string> tail(order.end() - 7, order.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"OddanieInwestycji", "RatyKredytuInwestycyjnego", "PodzialWyniku",
                                              "WskaznikiRoku", "ZapiszWynikiRoku", "AktualizujBlokiSledzenia",
                                              "KoniecRoku"}));
}

TEST_F(Run, ARunEndsAtYearIndexOneWithTheClockAtZero) {
    ASSERT_TRUE(Symulacja(k, 0));
    EXPECT_EQ(k.m.RokSymulacji, 1);
    EXPECT_EQ(k.m.CzasSymulacji.value(), 0.0L);
    // The root's calendar starts at -2.
    EXPECT_EQ(k.m.RokKalendarzowy.value(), 1.0L);
    EXPECT_EQ(k.m.CzasPolroczny.value(), 1.0L);
    EXPECT_FALSE(k.NierownowagaWPrzebiegu);
    // Every year block got written: the balance total is there in each.
    for (int y = 1; y <= 3; ++y) EXPECT_GT(k.RekordBiezacy.widok().real48(6848 + 4528 * (y - 1)), 100.0L) << y;
}

TEST_F(Run, AChildCalendarStartsAtItsYear) {
    ASSERT_TRUE(Symulacja(k, 0));  // a root state to continue from
    k.m.CzasSymulacji = 0;
    k.m.CzasPolroczny = 2015;
    k.m.RokKalendarzowy = 2015;
    k.m.RokOkresu = 2015;
    k.m.RokSymulacji = 1;
    std::vector<long double> halfYears;
    k.SladKroku = [&](const char* grupa, int krok) {
        if (std::string(grupa) == "FunkcjaPopytu" && (krok == 26 || krok == 150)) halfYears.push_back(k.m.CzasPolroczny);
    };
    ASSERT_TRUE(Symulacja(k, 7));
    ASSERT_EQ(halfYears.size(), 2u);
    EXPECT_EQ(halfYears[0], 2015.5L);   // after step 25
    EXPECT_EQ(halfYears[1], 2017.5L);   // before the last step
    EXPECT_EQ(k.m.CzasPolroczny.value(), 2018.0L);  // after step 150
}

TEST_F(Run, HistoriesOfTheNodeAreWrittenFromPointOne) {
    ASSERT_TRUE(Symulacja(k, 0));
    const Przebiegi& h = *k.Historia;
    for (int y = 1; y <= 3; ++y) {
        EXPECT_EQ(h.Przebieg1[0][y][0].value(), 0.0L);
        EXPECT_EQ(h.Przebieg2[0][y][0].value(), 0.0L);
        EXPECT_EQ(h.Przebieg3[1][0][y][0].value(), 0.0L);
    }
    // The settlement account after the last step, the capacity of each product.
    EXPECT_EQ(h.Przebieg2[0][3][50].value(), k.m.RachunekRozliczeniowy.value());
    EXPECT_EQ(h.Przebieg3[2][0][3][50].value(), k.m.ZdolnoscProdukcyjna[2].value());
    EXPECT_EQ(h.Przebieg4[3][0][3][50].value(), roundToReal48(k.m.SprzedazIlosciowa[3] / 50.0L));
    // A profitable mid-year step records its profit.
    EXPECT_GT(h.Przebieg1[0][2][25].value(), 0.0L);
    // Other nodes are untouched.
    EXPECT_EQ(h.Przebieg2[1][2][25].value(), 0.0L);
}

TEST_F(Run, ALossStepRecordsMinusTheLoss) {
    ASSERT_TRUE(Symulacja(k, 0));
    long double loss = 0;
    k.SladKroku = [&](const char* grupa, int krok) {
        // Make step 30 lose money: revenue below cost.
        if (krok == 30 && std::string(grupa) == "WynikKroku") {
            k.m.KosztyKroku = k.m.PrzychodyKroku + 2;
            loss = 2;
        }
    };
    k.m.RokSymulacji = 1;
    ASSERT_TRUE(Symulacja(k, 4));
    EXPECT_EQ(loss, 2.0L);
    EXPECT_NEAR(static_cast<double>(k.Historia->Przebieg1[4][1][30].value()), -2.0, 1e-9);
}

TEST_F(Run, AnImbalanceIsSignalledAndRemembered) {
    std::vector<int> at;
    k.ObsluzNierownowage = [&](int krok) { at.push_back(krok); };
    k.SladKroku = [&](const char* grupa, int krok) {
        if (krok == 10 && std::string(grupa) == "ZestawienieBilansu") k.m.RachunekRozliczeniowy += 1.0L;
    };
    ASSERT_TRUE(Symulacja(k, 0));
    EXPECT_TRUE(k.NierownowagaWPrzebiegu);
    ASSERT_FALSE(at.empty());
    EXPECT_EQ(at.front(), 10);
}

TEST_F(Run, TheStopTestEndsTheRunAsAFailure) {
    k.ZadanoPrzerwania = [] { return true; };
    int steps = 0;
    k.SladKroku = [&](const char* grupa, int) {
        if (std::string(grupa) == "FunkcjaPopytu") ++steps;
    };
    EXPECT_FALSE(Symulacja(k, 0));
    EXPECT_EQ(steps, 1);
}

// A stop the user asks of the windows is meant for script lines and
// trials: a node's run never looks at it and completes.
TEST_F(Run, AStopAskedOfTheWindowsDoesNotBreakARun) {
    struct Liczacy : ScriptedUserInterface {
        int pytania = 0;
        bool stopRequested() override {
            ++pytania;
            return true;
        }
    } ui;
    k.Okna = &ui;
    EXPECT_TRUE(Symulacja(k, 0));
    EXPECT_EQ(ui.pytania, 0);
    k.ZadanoPrzerwania = [] { return false; };
    EXPECT_TRUE(Symulacja(k, 0));
}

TEST_F(Run, ANodeNumberBeyondTheTableIsRefused) {
    EXPECT_FALSE(Symulacja(k, 51));
    EXPECT_TRUE(calls.empty());
}

TEST_F(Run, TheRootRunIsTheSameWhateverRanBefore) {
    ASSERT_TRUE(Symulacja(k, 0));
    const StanModelu first = k.RekordBiezacy;
    k.m.ZyskRoku = 123;
    k.m.StrataRoku = 45;
    k.m.OtwarcieZastrzezone[976] = 0x81;
    k.RekordBiezacy = StanModelu{};
    ASSERT_TRUE(Symulacja(k, 0));
    EXPECT_EQ(k.RekordBiezacy, first);
}

}  // namespace
}  // namespace vesk
