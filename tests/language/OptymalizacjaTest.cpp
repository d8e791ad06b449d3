// Optimisation by repeated simulation: climbs over a fake criterion of the
// studied value, the commands over real operators.
#include <gtest/gtest.h>

#include <cmath>

#include "BladSkryptu.h"
#include "DrzewoDecyzji.h"
#include "FileSystem.h"
#include "OperacjeJezyka.h"
#include "Optymalizacja.h"
#include "PlikStanu.h"
#include "PomocInterpretera.h"

namespace vesk::test {
namespace {

constexpr std::size_t ZlecenieAlfaRok1 = 2784;  // production order of Alfa, year 1

struct Badanie : InterpretatorTest {
    std::unique_ptr<Optymalizacja> opt;
    void SetUp() override {
        InterpretatorTest::SetUp();
        nowyOperator();
        opt = std::make_unique<Optymalizacja>(*w);
        k->FlagaPracy = true;
    }
    // The criterion as a function of the studied order of the trial.
    void kryterium(std::function<long double(long double)> f) {
        opt->Kryterium = [this, f](const std::string&) {
            return f(k->RekordBiezacy.widok().real48(ZlecenieAlfaRok1));
        };
    }
    int zbadaj(Real& v, char kierunek = '+') {
        return opt->Zbadaj(0, v, kierunek, DecyzjaProdukcja, "alfa", "rok1", KryteriumWynikSyntetyczny);
    }
    StanModelu rekord(int n) {
        StanModelu r;
        EXPECT_TRUE(ZnajdzStanModelu(*k, dir.file("OP.qad"), static_cast<std::uint8_t>(n), r)) << n;
        return r;
    }
    long double zlecenie(int n) { return rekord(n).widok().real48(ZlecenieAlfaRok1); }
};

TEST(TekstDecyzjiTest, WidthFiveWithoutDecimals) {
    EXPECT_EQ(TekstDecyzji(400.0L), "  400");
    EXPECT_EQ(TekstDecyzji(399.0L), "  399");
    EXPECT_EQ(TekstDecyzji(5.0L), "    5");
    EXPECT_EQ(TekstDecyzji(-12.0L), "  -12");
    EXPECT_EQ(TekstDecyzji(123456.0L), "123456");
}

TEST(IndeksZakresuTest, NumberingOfTheWhatIfStep) {
    EXPECT_EQ(IndeksZakresu(DecyzjaCena, "alfa", "rok1"), 1);
    EXPECT_EQ(IndeksZakresu(DecyzjaCena, "gamma", "rok3"), 9);
    EXPECT_EQ(IndeksZakresu(DecyzjaProdukcja, "beta", "rok2"), 14);
    EXPECT_EQ(IndeksZakresu(DecyzjaZamowienieSurowca, "red", "rok1"), 25);
    EXPECT_EQ(IndeksZakresu(DecyzjaZamowienieSurowca, "alfa", "rok1"), 0);
    EXPECT_EQ(IndeksZakresu(DecyzjaCena, "alfa", "rok4"), 0);
}

TEST_F(Badanie, ClimbsToTheBestValueAndLeavesItInTheTrial) {
    kryterium([](long double v) { return -(v - 403) * (v - 403); });
    Real v = 400.0L;
    const int n = zbadaj(v);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(static_cast<long double>(v), 403.0L);
    EXPECT_EQ(opt->Proby, 4);  // 401 .. 404
    EXPECT_EQ(ui.progressTexts.size(), 4u);
    EXPECT_EQ(ui.progressTexts[0], " 5.00000000000000E+0000");
    EXPECT_EQ(ui.progressTexts[3], "-1.00000000000000E+0000");
    EXPECT_EQ(zlecenie(1), 403.0L);
    EXPECT_EQ(rekord(1).Symulowany(), 1);
    EXPECT_EQ(etykiety(), (std::vector<std::string>{"d/r 0", "d/r 1"}));
    EXPECT_EQ(x(91), 0.0);
    EXPECT_EQ(x(92), 0.0);
}

TEST_F(Badanie, AFirstStepThatLosesLeavesTheStartValue) {
    kryterium([](long double v) { return -v; });
    Real v = 400.0L;
    EXPECT_EQ(zbadaj(v), 1);
    EXPECT_EQ(static_cast<long double>(v), 400.0L);
    EXPECT_EQ(opt->Proby, 1);
    EXPECT_EQ(zlecenie(1), 400.0L);
    EXPECT_EQ(x(91), -400.0);
}

TEST_F(Badanie, DownwardsTheSheetTakesTheBlankPaddedTexts) {
    kryterium([](long double v) { return -v; });
    opt->NajwiecejProb = 2;
    Real v = 400.0L;
    zbadaj(v, '-');
    EXPECT_EQ(static_cast<long double>(v), 398.0L);
    EXPECT_EQ(zlecenie(1), 398.0L);
}

TEST_F(Badanie, AGainOfExactlyTheLeastGoesOnJustBelowStops) {
    kryterium([](long double v) -> long double {
        if (v <= 400) return 0.0;
        if (v <= 401) return 0.001;
        return 0.001 + 0.000999;
    });
    Real v = 400.0L;
    zbadaj(v);
    EXPECT_EQ(opt->Proby, 2);
    EXPECT_EQ(static_cast<long double>(v), 401.0L);
    EXPECT_EQ(zlecenie(1), 401.0L);
}

TEST_F(Badanie, AClearedFlagAddsNoNode) {
    kryterium([](long double v) { return v; });
    k->FlagaPracy = false;
    Real v = 400.0L;
    EXPECT_EQ(zbadaj(v), -1);
    EXPECT_EQ(etykiety(), (std::vector<std::string>{"d/r 0"}));
    EXPECT_EQ(static_cast<long double>(v), 400.0L);
    EXPECT_TRUE(ui.progressTexts.empty());
}

TEST_F(Badanie, CapBoundAndStopEndAClimbWithoutError) {
    struct Wiersz {
        int cap;
        std::pair<std::int32_t, std::int32_t> zakres;
        bool stop;  // asked for while the first trial runs
        long double oczekiwana;
    };
    const Wiersz wiersze[] = {
        {3, {0, 0}, false, 403.0L},      // the cap
        {1000, {0, 402}, false, 402.0L}, // the range's maximum
        {3, {5, 5}, false, 403.0L},      // maximum <= minimum: no bound
        {1000, {0, 0}, true, 401.0L},    // the stop: after the trial that runs
    };
    for (const Wiersz& r : wiersze) {
        nowyOperator();
        ui.progressTexts.clear();
        ui.stop = false;
        k->FlagaPracy = true;
        k->Zakresy[10] = r.zakres;
        opt->NajwiecejProb = r.cap;
        kryterium([this, r](long double v) {
            if (r.stop && v >= 401) ui.stop = true;
            return v;
        });
        Real v = 400.0L;
        EXPECT_EQ(zbadaj(v), 1);
        EXPECT_EQ(static_cast<long double>(v), r.oczekiwana);
        EXPECT_EQ(zlecenie(1), r.oczekiwana);
        EXPECT_EQ(rekord(1).Symulowany(), 1);
        EXPECT_EQ(ui.progressTexts.size(), static_cast<std::size_t>(opt->Proby));
        EXPECT_EQ(k->FlagaPracy, !r.stop);
        EXPECT_EQ(opt->Zatrzymano, r.stop);
    }
}

TEST_F(Badanie, AStopEndsTheCommandAfterTheCurrentTrial) {
    // The user's Optyma is another operator: a new optyma beside it.
    for (const char* p : {"Optyma.tr1", "Optyma.qad"}) dir.write(p, "moje");
    opt->Kryterium = [this](const std::string&) {
        ui.stop = true;  // asked for during the first study's base run
        return 0.0L;
    };
    opt->optymalizacja21Click();
    EXPECT_FALSE(k->FlagaPracy);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.progressTexts.empty());
    EXPECT_EQ(DrzewoDecyzji::Wczytaj(dir.file("optyma.tr1")).Linie(), w->Drzewo.Linie());
    EXPECT_EQ(etykiety(), (std::vector<std::string>{"d/r 0", "d/r 1"}));
    EXPECT_TRUE(dir.read("Optyma.tr1") == "moje" && dir.read("Optyma.qad") == "moje");
    // Run again, the command replaces that optyma and says so, as "utwórz plik" does.
    opt->optymalizacja21Click();
    EXPECT_EQ(ui.progressTexts, (std::vector<std::string>{"zast\xB9piono operator " + dir.file("optyma.tr1") + " (w\xEAz\xB3\xF3w: 2)"}));
}

// The same climbs with trials made again in place and by delete and add.
TEST(ProbaWMiejscuTest, LeavesTheFilesOfDeleteAndAdd) {
    struct Wynik {
        std::string qad, tr1;
        double x91 = 0;
        long double wartosc = 0;
    };
    auto przebieg = [](bool wMiejscu, bool uzytkownika) {
        TempDir dir;
        ScriptedUserInterface ui;
        auto k = std::make_unique<Kontekst>(ui);
        k->catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
        k->catKARTOPERATORA = dir.folder();
        Warsztat w(*k);
        EXPECT_TRUE(w.TworzenieNowegoOperatora(dir.folder() + "OP."));
        if (uzytkownika) {  // a user's node before the trials, simulated
            Dodaj_Wezel(w, 0, 0);
            Symuluj_Wezel(w, 1);
        }
        Optymalizacja opt(w);
        opt.ProbaWMiejscu = wMiejscu;
        opt.NajwiecejProb = 3;
        k->FlagaPracy = true;
        Wynik r;
        Real v = 400.0L;
        const int n = opt.Zbadaj(0, v, '-', DecyzjaProdukcja, "gamma", "rok1", KryteriumWynikSyntetyczny);
        Real v2 = 411.0L;
        opt.Zbadaj(n, v2, '+', DecyzjaCena, "gamma", "rok1", KryteriumWynikSyntetyczny);
        EXPECT_TRUE(ui.messages.empty());
        r.qad = dir.read("OP.qad");
        r.tr1 = dir.read("OP.tr1");
        r.x91 = k->ZmienneSkryptu[90];
        r.wartosc = v + v2;
        EXPECT_EQ(opt.PrzepisaneWMiejscu > 0, wMiejscu);
        return r;
    };
    for (bool uzytkownika : {false, true}) {
        const Wynik a = przebieg(true, uzytkownika), b = przebieg(false, uzytkownika);
        EXPECT_TRUE(a.qad == b.qad) << uzytkownika;
        EXPECT_EQ(a.tr1, b.tr1);
        EXPECT_EQ(a.x91, b.x91);
        EXPECT_EQ(a.wartosc, b.wartosc);
    }
}

// A candidate made again in place whose save fails leaves both files and
// the trial as they were.
TEST_F(Badanie, ACandidateWhoseSaveFailsLeavesTheFilesAsTheyWere) {
    opt->NajwiecejProb = 0;
    Real v = 400.0L;
    const int n = zbadaj(v);
    const std::string qad = dir.read("OP.qad"), tr1 = dir.read("OP.tr1");
    setFileFault([](std::string_view krok) { return krok == "write"; });
    EXPECT_THROW(opt->Kandydat(n, 0, {DecyzjaProdukcja, "alfa", "rok1"}, 401.0L, KryteriumWynikSyntetyczny),
                 BladSkryptu);
    setFileFault({});
    EXPECT_TRUE(dir.read("OP.qad") == qad);
    EXPECT_EQ(dir.read("OP.tr1"), tr1);
    EXPECT_EQ(etykiety(), (std::vector<std::string>{"d/r 0", "d/r 1"}));
    EXPECT_EQ(rekord(n).Symulowany(), 1);
}

// ------------------------------------------------------- the commands

// The decisions of a record (orders, prices, purchases, dividends, debt,
// issues) with one 6-byte field blanked.
std::string decyzjeBez(const StanModelu& r, std::size_t pole) {
    std::string b(reinterpret_cast<const char*>(r.bajty.data()) + 2784, 3024 - 2784);
    b.replace(pole - 2784, 6, 6, '\0');
    return b;
}

TEST_F(Badanie, TenStudiesAccumulateTheirValuesFromNodeToNode) {
    opt->NajwiecejProb = 2;
    opt->optymalizacja21Click();
    ASSERT_TRUE(ui.messages.empty()) << ui.messages.front();
    EXPECT_NE(opt->Zakonczenie.find("optyma:"), std::string::npos) << opt->Zakonczenie;
    EXPECT_TRUE(k->FlagaPracy);
    ASSERT_EQ(w->Drzewo.Liczba(), 11);
    EXPECT_EQ(DrzewoDecyzji::Wczytaj(dir.file("optyma.tr1")).Linie(), w->Drzewo.Linie());
    // Production gamma, alfa, beta of years 1..3, then the price of gamma, year 1.
    const std::size_t pola[] = {2796, 2784, 2790, 2814, 2802, 2808, 2832, 2820, 2826, 2852};
    const long double starty[] = {400, 400, 400, 400, 400, 400, 400, 400, 400, 411};
    const std::string qad = dir.folder() + "optyma.qad";
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(w->Drzewo.Etykieta(n), "d/r " + std::to_string(n));
        EXPECT_EQ(w->Drzewo.Rodzic(n), 0);
        StanModelu r, wzor;
        ASSERT_TRUE(ZnajdzStanModelu(*k, qad, static_cast<std::uint8_t>(n), r));
        ASSERT_TRUE(ZnajdzStanModelu(*k, qad, static_cast<std::uint8_t>(n - 1), wzor));
        EXPECT_EQ(r.Symulowany(), 1);
        EXPECT_EQ(r.Rodzic(), 0);
        const std::size_t pole = pola[n - 1];
        EXPECT_EQ(decyzjeBez(r, pole), decyzjeBez(wzor, pole)) << n;
        long double v = r.widok().real48(pole);
        if (n == 10) v *= 1000;  // prices are held in thousands
        EXPECT_LE(std::fabs(v - starty[n - 1]), 2.0L + 1e-9L) << n;
    }
}

TEST_F(Badanie, TheFirstCommandLeavesAUsersNodeAsItWas) {
    ASSERT_TRUE(w->TworzenieNowegoOperatora(dir.folder() + "we."));
    Dodaj_Wezel(*w, 0, 0);
    Symuluj_Wezel(*w, 1);
    const std::string qad = dir.folder() + "we.qad";
    StanModelu uzytkownika;
    ASSERT_TRUE(ZnajdzStanModelu(*k, qad, 1, uzytkownika));
    opt->NajwiecejProb = 1;
    opt->Optymalizacja1Click();
    ASSERT_TRUE(ui.messages.empty()) << ui.messages.front();
    StanModelu po;
    ASSERT_TRUE(ZnajdzStanModelu(*k, qad, 1, po));
    EXPECT_TRUE(po == uzytkownika);
    ASSERT_EQ(w->Drzewo.Liczba(), 13);  // the root, the user's node, eleven trials
    EXPECT_EQ(w->Drzewo.Etykieta(1), "d/r 1");
    for (int i = 2; i < 13; ++i) EXPECT_EQ(w->Drzewo.Etykieta(i), "d/r " + std::to_string(i)) << i;
    EXPECT_EQ(DrzewoDecyzji::Wczytaj(dir.folder() + "we.tr1").Linie(), w->Drzewo.Linie());
    EXPECT_NE(x(93), 0.0);
    EXPECT_NE(x(94), 0.0);
    EXPECT_EQ(x(91), x(92));
}

TEST_F(Badanie, AStopDuringTheReferenceRunCutsNoSimulationShort) {
    ASSERT_TRUE(w->TworzenieNowegoOperatora(dir.folder() + "we."));
    opt->Kryterium = [this](const std::string&) {
        ui.stop = true;
        return 0.0L;
    };
    opt->Optymalizacja1Click();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(opt->Zatrzymano);
    EXPECT_TRUE(ui.progressTexts.empty());
    EXPECT_EQ(etykiety(), (std::vector<std::string>{"d/r 0", "d/r 1"}));
    EXPECT_EQ(DrzewoDecyzji::Wczytaj(dir.folder() + "we.tr1").Linie(), w->Drzewo.Linie());
}

TEST_F(Badanie, AFailedNodeOperationEndsTheCommandWithOneMessage) {
    opt->Optymalizacja1Click();  // no "we.tr1" in the operator folder
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_NE(ui.messages.back().find("we.tr1"), std::string::npos);
    EXPECT_EQ(etykiety(), (std::vector<std::string>{"d/r 0"}));
    // No lock file for the missing operator, no closing text.
    EXPECT_FALSE(dir.exists("we.lck"));
    EXPECT_TRUE(opt->Zakonczenie.empty());
}

}  // namespace
}  // namespace vesk::test
