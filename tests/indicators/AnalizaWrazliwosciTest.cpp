// The sensitivity panel over a fake workbench that keeps a row of sibling
// labels, replaces the selected one at every what-if step and loads the
// record number of the node it selects.
#include <gtest/gtest.h>

#include <stdexcept>

#include "AnalizaWrazliwosci.h"
#include "CodePage.h"
#include "DrzewoDecyzji.h"
#include "FakeIndicatorSetStore.h"
#include "FakeRodzenstwo.h"
#include "IndicatorSession.h"
#include "KrokCoJesli.h"
#include "PomocWskaznikow.h"
#include "Real48.h"
#include "TempDir.h"

namespace vesk {
namespace {

using test::FakeRodzenstwo;

struct Wrazliwosc : ::testing::Test {
    ScriptedUserInterface ui;
    Kontekst k{ui};
    FakeRodzenstwo w{k};
    AnalizaWrazliwosci a{k, w};
    int wykresy = 0, wnioskowania = 0, oproznienia = 0;
    bool reguly = true;
    std::vector<std::string> wpisy;

    void SetUp() override {
        a.Polaczenia.OdswiezWykres = [this] { ++wykresy; };
        a.Polaczenia.Wnioskowanie = [this] { ++wnioskowania; };
        a.Polaczenia.OproznijWnioski = [this] { ++oproznienia; };
        a.Polaczenia.RegulyDostepne = [this] { return reguly; };
        a.Polaczenia.Raportowanie = [] { return true; };
        a.Polaczenia.WpisZmiany = [this](const std::string& opis) { wpisy.push_back(opis); };
        w.etykiety = {"d/r 2", "d 3", "d/r 4", "d/r 5"};
        w.Zmiana_wezla();
        k.Zakresy[1] = {1000, 5000};
        k.Zakresy[10] = {0, 100};
        ASSERT_TRUE(UstawParametrDecyzji(k.RekordBiezacy, 1, 2500));
        ASSERT_TRUE(UstawParametrDecyzji(k.RekordBiezacy, 10, 50));
        a.Aktywacja(w.Wybrany(), 2015);
    }
    // Parameter 10 (orders of Alfa, range 0..100, the record holding
    // wartosc) with the animation bars at lo, hi and s.
    void Animacja(int wartosc, int lo, int hi, int s) {
        ASSERT_TRUE(UstawParametrDecyzji(k.RekordBiezacy, 10, wartosc));
        a.WybierzZmienna(9);
        a.PrzewinGornaGranice(hi);
        a.PrzewinDolnaGranice(lo);
        a.PrzewinKrok(s);
        ASSERT_EQ(a.DolnaGranica().Pozycja, lo);
        ASSERT_EQ(a.GornaGranica().Pozycja, hi);
        ASSERT_EQ(a.Krok().Pozycja, s);
    }
};

TEST(SliderValue, FromTheRecordInDisplayUnits) {
    const struct {
        int k;
        std::size_t offset;  // 0: a code byte at 3024 + 24 (k - 37)
        long double pole;
        int wartosc;
    } t[] = {{1, 2840, 2.5L, 2500},  {5, 2840 + 18 + 6, 1.2344L, 1234}, {10, 2784, 120.4L, 120},
             {18, 2784 + 36 + 12, 7.5L, 8}, {19, 2896, 300, 300},     {27, 2896 + 36 + 12, 9, 9},
             {29, 2958, 0.4L, 40},    {31, 2976, 0.255L, 26},         {36, 3012, 2, 2},
             {37, 0, 3, 3},           {54, 0, 8, 8}};
    for (const auto& c : t) {
        StanModelu r;
        if (c.offset)
            r.zapis().setReal48(c.offset, roundToReal48(c.pole));
        else
            r.bajty[static_cast<std::size_t>(3024 + 24 * (c.k - 37))] = static_cast<std::uint8_t>(c.pole);
        EXPECT_EQ(WartoscSuwaka(r, c.k), c.wartosc) << "k = " << c.k;
    }
    StanModelu r;
    r.zapis().setReal48(2840, roundToReal48(2.5L));
    EXPECT_EQ(WartoscSuwaka(r, 0), 0);
    EXPECT_EQ(WartoscSuwaka(r, 55), 0);
}

TEST(ScrollBar, NewRangeInOneStepKeepsThePositionInside) {
    const struct {
        int min, max, pozycja;
        int oczekMin, oczekMax, oczekPoz;
    } t[] = {{0, 10, 5, 0, 10, 5}, {20, 30, 5, 20, 30, 20}, {-5, -1, 5, -5, -1, -1}, {7, 3, 5, 7, 7, 7}};
    for (const auto& c : t) {
        Pasek p{0, 10, c.pozycja, true};
        p.UstawZakres(c.min, c.max);
        EXPECT_EQ(p, (Pasek{c.oczekMin, c.oczekMax, c.oczekPoz, true})) << c.min << ".." << c.max;
    }
}

TEST(ChangeEntry, RuleThenDescriptionThenConclusions) {
    EXPECT_EQ(LinieWpisuZmiany("Cena Alfa [2015] na: 2600", {"wniosek 1", "wniosek 2"}),
              (std::vector<std::string>{std::string(80, '-'), "Zmieniono: Cena Alfa [2015] na: 2600", "",
                                        "wniosek 1", "wniosek 2"}));
}

TEST_F(Wrazliwosc, ChoosingAPriceSetsSliderBoundsAndStep) {
    a.WybierzZmienna(0);
    EXPECT_EQ(a.Suwak(), (Pasek{1000, 5000, 2500, true}));
    EXPECT_EQ(a.DolnaGranica(), (Pasek{1000, 4999, 2500, true}));
    EXPECT_EQ(a.GornaGranica(), (Pasek{1001, 5000, 2501, true}));
    EXPECT_EQ(a.Krok(), (Pasek{1, 1, 1, true}));
    EXPECT_EQ(a.Jednostka(), utf8ToCp1250("zł"));
    EXPECT_EQ(a.Wartosc(), "2500");
    EXPECT_EQ(a.TekstDolnej(), "2500");
    EXPECT_EQ(a.TekstGornej(), "2501");
    EXPECT_EQ(a.TekstKroku(), "1");
    EXPECT_TRUE(a.GrupaAnimacji());
    EXPECT_TRUE(a.StartWlaczony());
    EXPECT_TRUE(a.EkspertWlaczony());
}

TEST_F(Wrazliwosc, ValuesOutsideTheRangeAreMovedToItsEnds) {
    const struct {
        int cena;
        int suwak, dolna, gorna;
    } t[] = {{500, 1000, 1000, 1001}, {5000, 5000, 4999, 5000}, {9000, 5000, 4999, 5000}, {4999, 4999, 4999, 5000}};
    for (const auto& c : t) {
        ASSERT_TRUE(UstawParametrDecyzji(k.RekordBiezacy, 1, c.cena));
        a.WybierzZmienna(0);
        EXPECT_EQ(a.Suwak().Pozycja, c.suwak) << c.cena;
        EXPECT_EQ(a.DolnaGranica().Pozycja, c.dolna) << c.cena;
        EXPECT_EQ(a.GornaGranica().Pozycja, c.gorna) << c.cena;
        EXPECT_EQ(a.Wartosc(), std::to_string(c.cena)) << "the box shows the record";
    }
}

TEST_F(Wrazliwosc, NoVariableChosenTurnsTheControlsOff) {
    a.WybierzZmienna(0);
    a.WybierzZmienna(-1);
    EXPECT_EQ(a.Suwak(), (Pasek{0, 1, 0, false}));
    EXPECT_FALSE(a.DolnaGranica().Wlaczony);
    EXPECT_FALSE(a.GrupaAnimacji());
    EXPECT_TRUE(a.EkspertWlaczony());  // the expert box follows the rule file alone
    EXPECT_EQ(a.Wartosc(), "0");
    EXPECT_EQ(a.Jednostka(), "");
    a.PrzewinSuwak(KodPrzewijania::LiniaWDol, 1);
    a.Animuj(true);
    EXPECT_TRUE(w.kroki.empty());
}

TEST_F(Wrazliwosc, AnEmptyRangeKeepsSliderAndAnimationOffWithAHint) {
    for (std::pair<int, int> z : {std::pair{5, 5}, std::pair{7, 3}}) {
        k.Zakresy[10] = z;
        a.WybierzZmienna(9);
        EXPECT_FALSE(a.Suwak().Wlaczony);
        EXPECT_FALSE(a.StartWlaczony());
        EXPECT_FALSE(a.PodpowiedzZakresu().empty());
        EXPECT_EQ(a.Wartosc(), "50");
        a.PrzewinSuwak(KodPrzewijania::LiniaWDol, z.first + 1);
        a.PrzewinSuwak(KodPrzewijania::KoniecPrzewijania, z.first);
        a.Animuj(true);
        a.Animuj(false);
        EXPECT_TRUE(w.kroki.empty());
    }
    k.Zakresy[10] = {0, 100};
    a.WybierzZmienna(9);
    EXPECT_TRUE(a.PodpowiedzZakresu().empty());
    EXPECT_TRUE(a.Suwak().Wlaczony);
}

TEST_F(Wrazliwosc, SliderSendsEachNewValueOnce) {
    a.WybierzZmienna(0);
    const struct {
        KodPrzewijania kod;
        int pozycja;
        int wyslana;  // 0: nothing sent
    } t[] = {
        {KodPrzewijania::LiniaWDol, 2501, 2501},        {KodPrzewijania::KoniecPrzewijania, 2501, 0},
        {KodPrzewijania::SledzenieKciuka, 3000, 0},     {KodPrzewijania::PozycjaKciuka, 3000, 0},
        {KodPrzewijania::KoniecPrzewijania, 3000, 3000}, {KodPrzewijania::StronaWGore, 2990, 2990},
        {KodPrzewijania::Poczatek, 1000, 0},            {KodPrzewijania::Koniec, 5000, 0},
        {KodPrzewijania::StronaWDol, 2990, 0},          {KodPrzewijania::LiniaWGore, 2500, 2500},
    };
    for (const auto& c : t) {
        const std::size_t przed = w.kroki.size();
        a.PrzewinSuwak(c.kod, c.pozycja);
        if (c.wyslana == 0) {
            EXPECT_EQ(w.kroki.size(), przed) << c.pozycja;
        } else {
            ASSERT_EQ(w.kroki.size(), przed + 1) << c.pozycja;
            EXPECT_EQ(w.kroki.back(), (std::pair<int, long double>{1, c.wyslana}));
            EXPECT_EQ(a.Wartosc(), std::to_string(c.wyslana));
        }
    }
    EXPECT_EQ(wykresy, 4);
    EXPECT_EQ(wpisy.back(), "Cena Alfa [2015] na: 2500");
}

TEST_F(Wrazliwosc, SliderMovesTheBounds) {
    a.WybierzZmienna(0);
    const struct {
        int pozycja, dolna, gorna;
    } t[] = {{3000, 3000, 3001}, {5000, 4999, 5000}, {7000, 4999, 5000}, {1000, 1000, 1001}, {12, 1000, 1001}};
    for (const auto& c : t) {
        a.PrzewinSuwak(KodPrzewijania::StronaWDol, c.pozycja);
        EXPECT_EQ(a.DolnaGranica().Pozycja, c.dolna) << c.pozycja;
        EXPECT_EQ(a.GornaGranica().Pozycja, c.gorna) << c.pozycja;
        EXPECT_EQ(a.TekstDolnej(), std::to_string(c.dolna));
        EXPECT_EQ(a.TekstGornej(), std::to_string(c.gorna));
    }
    EXPECT_EQ(w.wartosci(), (std::vector<int>{3000, 5000, 1000}));
}

TEST_F(Wrazliwosc, BoundAndStepRules) {
    a.WybierzZmienna(9);  // 0..100, at 50
    const struct {
        char bar;  // 'd' lower, 'g' upper, 'k' step
        int pozycja;
        int dolna, gorna, krok, krokMax;
    } t[] = {
        {'g', 60, 50, 60, 1, 10},  {'k', 8, 50, 60, 8, 10},   {'d', 55, 55, 60, 5, 5},  {'d', 70, 70, 71, 1, 1},
        {'g', 90, 70, 90, 1, 20},  {'k', 30, 70, 90, 20, 20}, {'g', 40, 39, 40, 1, 1},  {'d', 150, 99, 100, 1, 1},
        {'g', -3, 0, 1, 1, 1},
    };
    for (const auto& c : t) {
        if (c.bar == 'd') a.PrzewinDolnaGranice(c.pozycja);
        if (c.bar == 'g') a.PrzewinGornaGranice(c.pozycja);
        if (c.bar == 'k') a.PrzewinKrok(c.pozycja);
        EXPECT_EQ(a.DolnaGranica().Pozycja, c.dolna) << c.bar << c.pozycja;
        EXPECT_EQ(a.GornaGranica().Pozycja, c.gorna) << c.bar << c.pozycja;
        EXPECT_EQ(a.Krok().Pozycja, c.krok) << c.bar << c.pozycja;
        EXPECT_EQ(a.Krok().Max, c.krokMax) << c.bar << c.pozycja;
        EXPECT_EQ(a.TekstKroku(), std::to_string(c.krok));
        EXPECT_EQ(a.TekstDolnej(), std::to_string(c.dolna));
    }
    EXPECT_TRUE(w.kroki.empty());
}

TEST(AnimationRun, ValuesInTurn) {
    const struct {
        int lo, hi, s;
        bool wGore;
        int stopPo;  // stopped after this many values; 0 never
        std::vector<int> wartosci;
    } t[] = {
        {10, 15, 10, true, 0, {10}},      {10, 15, 10, false, 0, {15}},
        {10, 16, 3, true, 0, {10, 13, 16}}, {10, 16, 4, false, 0, {16, 12}},
        {10, 10, 1, true, 0, {10}},       {11, 10, 1, true, 0, {}},
        {11, 10, 1, false, 0, {}},        {10, 13, 0, true, 0, {10, 11, 12, 13}},
        {10, 15, 1, true, 1, {10}},       {2147483646, 2147483647, 5, true, 0, {2147483646}},
        {-2147483647 - 1, -2147483647, 5, false, 0, {-2147483647}},
    };
    for (const auto& c : t) {
        PrzebiegAnimacji p(c.lo, c.hi, c.s, c.wGore);
        std::vector<int> v;
        while (auto x = p.Nastepna()) {
            v.push_back(*x);
            if (static_cast<int>(v.size()) == c.stopPo) p.Zatrzymaj();
            ASSERT_LT(v.size(), 100u);
        }
        EXPECT_EQ(v, c.wartosci) << c.lo << ".." << c.hi << " by " << c.s;
        EXPECT_FALSE(p.Trwa());
    }
}

TEST_F(Wrazliwosc, AnimationRuns) {
    const struct {
        int wartosc, lo, hi, s;
        bool wGore;
        int stopPo;  // the stop probe answers yes after this many values; 0 never
        std::vector<int> wyslane;
    } t[] = {
        {50, 10, 15, 5, true, 0, {10, 15}},
        {50, 10, 15, 5, false, 0, {15, 10}},
        {10, 10, 15, 1, true, 0, {11, 12, 13, 14, 15}},
        {15, 10, 15, 2, false, 0, {13, 11}},
        {50, 10, 16, 3, true, 0, {10, 13, 16}},
        {50, 10, 15, 1, true, 1, {10}},
        {50, 10, 15, 1, false, 3, {15, 14, 13}},
        {10, 10, 15, 1, true, 1, {}},  // passed over, then stopped
    };
    for (const auto& c : t) {
        w.kroki.clear();
        int pytania = 0;
        a.Polaczenia.Zatrzymac = [&] { return c.stopPo > 0 && ++pytania >= c.stopPo; };
        Animacja(c.wartosc, c.lo, c.hi, c.s);
        a.Animuj(c.wGore);
        EXPECT_EQ(w.wartosci(), c.wyslane) << c.lo << ".." << c.hi << " by " << c.s << (c.wGore ? " up" : " down");
        EXPECT_FALSE(a.AnimacjaTrwa());
        for (const auto& [p, v] : w.kroki) EXPECT_EQ(p, 10);
    }
}

TEST_F(Wrazliwosc, AnimationStepsOneValueAtATimeAndStopsOnRequest) {
    Animacja(50, 20, 25, 1);
    a.StartAnimacji(true);
    EXPECT_TRUE(a.AnimacjaTrwa());
    EXPECT_TRUE(a.KrokAnimacji());
    EXPECT_EQ(w.wartosci(), (std::vector<int>{20}));
    // Meanwhile the other controls take nothing.
    a.PrzewinSuwak(KodPrzewijania::LiniaWDol, 30);
    a.PrzewinDolnaGranice(22);
    a.BratPlus();
    a.WybierzZmienna(0);
    EXPECT_EQ(w.wartosci(), (std::vector<int>{20}));
    EXPECT_EQ(a.Wybrana(), 9);
    EXPECT_EQ(a.DolnaGranica().Pozycja, 20);
    EXPECT_TRUE(w.wybrane.empty());
    EXPECT_TRUE(a.KrokAnimacji());
    a.ZatrzymajAnimacje();
    EXPECT_FALSE(a.KrokAnimacji());
    EXPECT_EQ(w.wartosci(), (std::vector<int>{20, 21}));
    EXPECT_EQ(a.Wartosc(), "21");
    EXPECT_EQ(a.Suwak().Pozycja, 21) << "the slider at the value the node holds";
}

TEST_F(Wrazliwosc, ARefusedStepKeepsTheValueBoxAndEndsTheRun) {
    Animacja(50, 20, 25, 1);
    w.odmowa = true;
    a.Animuj(true);
    EXPECT_EQ(w.wartosci(), (std::vector<int>{20}));
    EXPECT_EQ(a.Wartosc(), "50");
    a.PrzewinSuwak(KodPrzewijania::LiniaWDol, 51);
    a.PrzewinSuwak(KodPrzewijania::KoniecPrzewijania, 51);
    EXPECT_EQ(w.wartosci(), (std::vector<int>{20, 51, 51})) << "a refused value is tried again";
    EXPECT_EQ(wykresy, 0);
    EXPECT_TRUE(wpisy.empty());
    w.odmowa = false;
    w.blad = true;
    EXPECT_THROW(a.PrzewinSuwak(KodPrzewijania::LiniaWDol, 52), std::runtime_error);
    EXPECT_EQ(a.Wartosc(), "50");
}

TEST_F(Wrazliwosc, ExpertBoxRunsTheEngineWhenChecked) {
    a.WybierzZmienna(0);
    a.ZaznaczEkspert(true);
    EXPECT_TRUE(a.EkspertZaznaczony());
    EXPECT_EQ(wnioskowania, 1);
    EXPECT_EQ(wpisy, (std::vector<std::string>{"Cena Alfa [2015] na: 2500"}));
    a.PrzewinSuwak(KodPrzewijania::LiniaWDol, 2501);
    EXPECT_EQ(wnioskowania, 2);
    EXPECT_EQ(oproznienia, 2);
    // The end of the scroll that follows a line step keeps the new conclusions.
    a.PrzewinSuwak(KodPrzewijania::KoniecPrzewijania, 2501);
    a.PrzewinSuwak(KodPrzewijania::SledzenieKciuka, 2800);
    EXPECT_EQ(oproznienia, 2);
    EXPECT_EQ(wnioskowania, 2);
    a.ZaznaczEkspert(false);
    a.PrzewinSuwak(KodPrzewijania::LiniaWDol, 2502);
    EXPECT_EQ(wnioskowania, 2);
    // Without a rule file the box is off and cannot be checked.
    reguly = false;
    a.ZaznaczEkspert(true);
    EXPECT_FALSE(a.EkspertWlaczony());
    EXPECT_FALSE(a.EkspertZaznaczony());
    EXPECT_EQ(wnioskowania, 2);
}

TEST_F(Wrazliwosc, SiblingBrowserSkipsUnsimulatedNodes) {
    a.WybierzZmienna(0);
    EXPECT_TRUE(a.BratPlusWlaczony());
    EXPECT_FALSE(a.BratMinusWlaczony());
    EXPECT_EQ(a.Brat(), "d/r 2");
    const struct {
        char przycisk;  // '+', '-', 'o'
        const char* brat;
        bool plus, minus, panel;
    } t[] = {
        {'+', "d/r 4", true, true, false}, {'+', "d/r 5", false, true, false}, {'+', "d/r 5", false, true, false},
        {'-', "d/r 4", true, true, false}, {'-', "d/r 2", true, false, true},  {'-', "d/r 2", true, false, true},
        {'+', "d/r 4", true, true, false}, {'o', "d/r 2", true, false, true},
    };
    for (const auto& c : t) {
        if (c.przycisk == '+') a.BratPlus();
        if (c.przycisk == '-') a.BratMinus();
        if (c.przycisk == 'o') a.Oryginalny();
        EXPECT_EQ(a.Brat(), c.brat) << c.przycisk;
        EXPECT_EQ(w.etykiety[w.wybrany], c.brat) << c.przycisk;
        EXPECT_EQ(a.BratPlusWlaczony(), c.plus) << c.przycisk << c.brat;
        EXPECT_EQ(a.BratMinusWlaczony(), c.minus) << c.przycisk << c.brat;
        EXPECT_EQ(a.PanelWlaczony(), c.panel) << c.przycisk << c.brat;
        EXPECT_EQ(a.PodpowiedzPanelu(), c.panel ? "" : PodpowiedzOryginalu);
        EXPECT_EQ(k.RekordBiezacy.Numer(), NumerZEtykiety(c.brat)) << "the record follows the node in view";
    }
    EXPECT_EQ(std::count(w.wybrane.begin(), w.wybrane.end(), "d 3"), 0);
    EXPECT_EQ(wykresy, 6);
    // Away from the original the slider sends nothing.
    a.BratPlus();
    a.PrzewinSuwak(KodPrzewijania::LiniaWDol, 2600);
    a.Animuj(true);
    EXPECT_TRUE(w.kroki.empty());
}

// The copy a step makes takes the original's place: the panel works on
// it, the sibling buttons and "Oryginalny" lead back to it.
TEST_F(Wrazliwosc, AfterAStepTheCopyIsTheOriginal) {
    a.WybierzZmienna(0);
    a.PrzewinSuwak(KodPrzewijania::LiniaWDol, 2600);
    ASSERT_EQ(w.etykiety[0], "d/r 6");
    EXPECT_EQ(a.Brat(), "d/r 6");
    EXPECT_TRUE(a.BratPlusWlaczony());
    EXPECT_FALSE(a.BratMinusWlaczony());
    a.BratPlus();
    EXPECT_EQ(a.Brat(), "d/r 4");
    EXPECT_FALSE(a.PanelWlaczony());
    a.Oryginalny();
    EXPECT_EQ(a.Brat(), "d/r 6");
    EXPECT_TRUE(a.PanelWlaczony());
    EXPECT_EQ(k.RekordBiezacy.Numer(), 6);
    a.PrzewinSuwak(KodPrzewijania::LiniaWDol, 2601);
    EXPECT_EQ(w.etykiety[0], "d/r 7");
}

// Through the session: the years at activation, the change entries.
struct PanelSesji : ::testing::Test {
    test::TempDir dir;
    ScriptedUserInterface ui;
    Kontekst k{ui};
    FakeRodzenstwo w{k};
    test::FakeIndicatorSetStore z;  // no set files
    IndicatorSession s{k, w, z};

    void SetUp() override {
        k.KatalogProgramu = dir.folder();
        test::KopiujDrzewaPozycji(dir);
        k.RekordBiezacy.UstawRok(2018);
        k.Zakresy[1] = {1000, 5000};
        ASSERT_TRUE(UstawParametrDecyzji(k.RekordBiezacy, 1, 2500));
        w.etykiety = {"d/r 2", "d/r 3"};
        w.Zmiana_wezla();
    }
};

TEST_F(PanelSesji, ActivationNamesTheYearsAndKeepsTheChoice) {
    s.onActivated();
    EXPECT_EQ(s.Analiza().Etykiety()[0], "Cena Alfa [2015]");
    const std::pair<int, const char*> etykiety[] = {{9, "Zamówienia Alfa [2015]"},
                                                     {36, "Inwestycje Alfa [2015,I]"},
                                                     {37, "Inwestycje Alfa [2015,II]"},
                                                     {53, "Inwestycje Gamma [2017,II]"}};
    for (const auto& [i, e] : etykiety) EXPECT_EQ(s.Analiza().Etykiety()[static_cast<std::size_t>(i)], utf8ToCp1250(e));
    s.Analiza().WybierzZmienna(0);
    k.RekordBiezacy.UstawRok(2021);
    s.onActivated();
    EXPECT_EQ(s.Analiza().Wybrana(), 0);
    EXPECT_EQ(s.Analiza().Etykiety()[0], "Cena Alfa [2018]");
    EXPECT_EQ(s.Analiza().Suwak().Pozycja, 2500);
}

TEST_F(PanelSesji, StepsLeaveChangeEntriesWhileReporting) {
    s.onActivated();
    s.Analiza().WybierzZmienna(0);
    s.Analiza().PrzewinSuwak(KodPrzewijania::LiniaWDol, 2501);
    EXPECT_TRUE(s.WpisyZmian.empty());
    s.UstawRaportowanie(true);
    s.Analiza().PrzewinSuwak(KodPrzewijania::LiniaWDol, 2502);
    EXPECT_EQ(s.WpisyZmian,
              (std::vector<std::string>{std::string(80, '-'), "Zmieniono: Cena Alfa [2015] na: 2502", ""}));
    EXPECT_EQ(s.Widok().Brat, "d/r 5") << "the session follows the replaced node";
    EXPECT_EQ(s.Analiza().Brat(), "d/r 5");
}

TEST_F(PanelSesji, TheRootOrANodeWithChildrenTakesNoStep) {
    s.onActivated();
    s.Analiza().WybierzZmienna(0);
    ASSERT_TRUE(s.Analiza().StartWlaczony());
    const WybranyWezel wezly[] = {{0, 0, "d/r 0", true, {}, {}}, {2, 1, "d/r 2", true, {}, {"d/r 3"}}};
    for (const WybranyWezel& wezel : wezly) {
        w.etykiety = {wezel.Etykieta};
        w.Zmiana_wezla();
        s.Analiza().Aktywacja(wezel, 2012);
        EXPECT_FALSE(s.Analiza().StartWlaczony()) << wezel.Etykieta;
        EXPECT_FALSE(s.Analiza().GrupaAnimacji()) << wezel.Etykieta;
        EXPECT_FALSE(s.Analiza().Suwak().Wlaczony) << wezel.Etykieta;
        s.Analiza().Animuj(true);
        s.Analiza().PrzewinSuwak(KodPrzewijania::LiniaWDol, 2600);
        EXPECT_TRUE(w.kroki.empty()) << wezel.Etykieta;
        EXPECT_EQ(s.Analiza().Wybrana(), 0) << "the choice is kept";
    }
    // A leaf again: the choice works as before.
    s.Analiza().Aktywacja(WybranyWezel{3, 1, "d/r 3", false, {}, {}}, 2012);
    EXPECT_TRUE(s.Analiza().StartWlaczony());
    EXPECT_TRUE(s.Analiza().Suwak().Wlaczony);
}

TEST_F(PanelSesji, StopProbeOfTheUserInterfaceEndsTheRun) {
    s.onActivated();
    s.Analiza().WybierzZmienna(0);
    s.Analiza().PrzewinGornaGranice(2600);
    s.Analiza().PrzewinDolnaGranice(2550);
    ui.stop = true;
    s.Analiza().Animuj(true);
    EXPECT_EQ(w.wartosci(), (std::vector<int>{2550}));
}

}  // namespace
}  // namespace vesk
