#include "Powloka.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "CodePage.h"
#include "MenuGlowne.h"
#include "ParametryPomocy.h"
#include "TekstyOkien.h"
#include "TempDir.h"
#include "Uklad.h"

namespace vesk {
namespace {

TEST(PlikStartowy, SlashSmallFTakesTheSecondParameter) {
    struct Case {
        std::vector<std::string> args;
        std::string plik;
    } cases[] = {
        {{"/f", "a.tr1"}, "a.tr1"},
        {{"/foo", "b.tr1"}, "b.tr1"},  // a longer first parameter counts too
        {{"/F", "c.tr1"}, ""},          // a capital does not
        {{"/f"}, ""},                   // alone: nothing to open
        {{"f", "d.tr1"}, ""},
        {{"-f", "d.tr1"}, ""},
        {{"/", "e.tr1"}, ""},
        {{}, ""},
        {{"/f", "x.tr1", "y"}, "x.tr1"},
    };
    for (const auto& c : cases) EXPECT_EQ(PlikStartowyZParametrow(c.args), c.plik) << ::testing::PrintToString(c.args);
}

TEST(UkladGlownyTest, PageSizesByDesktopHeight) {
    struct Case {
        int w, h;
        int stronyW, stronyH;
    } cases[] = {
        {640, 480, 630, 400},
        {800, 600, 790, 600},
        {1024, 768, 1000, 700},
        {1280, 1024, SzerokoscStronProjektowana, WysokoscStronProjektowana},
        {1920, 1080, SzerokoscStronProjektowana, WysokoscStronProjektowana},
    };
    for (const auto& c : cases)
        for (int zakladki : {0, 28}) {
            UkladGlowny u = UkladOknaGlownego(c.w, c.h, zakladki);
            EXPECT_EQ(u.strony, (Prostokat{0, 0, c.stronyW, c.stronyH})) << c.h;
            // The tree and the buttons below it stay on the page, below its tabs.
            EXPECT_EQ(u.drzewo.y, 88);
            EXPECT_GT(u.drzewo.h, 0);
            EXPECT_LE(u.drzewo.x + u.drzewo.w, u.strony.w) << c.h;
            EXPECT_LE(u.przyciskKoncaGora + 30, u.strony.h - zakladki) << c.h << " " << zakladki;
            EXPECT_EQ(u.przyciskiGora, u.drzewo.y + u.drzewo.h + 20);
            EXPECT_EQ(u.wykresPrzyciskGora, u.przyciskiGora - 20);
        }
    // The designed page fits a 1024 x 768 screen with its menu and status bar.
    EXPECT_LE(SzerokoscStronProjektowana, 1024);
    EXPECT_LE(WysokoscStronProjektowana + 60, 768);
}

TEST(UkladGlownyTest, TreeFollowsTheDesktopWhereThePageAllows) {
    UkladGlowny u = UkladOknaGlownego(1024, 768);
    EXPECT_EQ(u.drzewo.h, 768 - 320);
    EXPECT_EQ(u.drzewo.w, 1000 - 20);  // 1024 - 30 would leave the page
    UkladGlowny small = UkladOknaGlownego(640, 480);
    EXPECT_EQ(small.drzewo.h, 480 - 320);
    EXPECT_EQ(small.drzewo.w, 610);
    // The tabs shorten the tree only where the page, not the desktop, bounds it.
    EXPECT_EQ(UkladOknaGlownego(1024, 768, 28).drzewo, u.drzewo);
    EXPECT_EQ(UkladOknaGlownego(640, 480, 28).drzewo, small.drzewo);
    EXPECT_EQ(UkladOknaGlownego(1280, 1024, 28).drzewo.h, UkladOknaGlownego(1280, 1024).drzewo.h - 28);
}

TEST(UkladRaportuTest, FollowsThePrimaryScreen) {
    UkladRaportu u = UkladOknaRaportu(1024, 768, 30);
    EXPECT_EQ(u.tekst, (Prostokat{15, 25, 964, 618}));
    EXPECT_EQ(u.przycisk.y, 25 + 618 + 5);
    EXPECT_EQ(u.okno, (Prostokat{15, 25, 994, 25 + 618 + 5 + 30 + 35}));
    for (auto [w, h] : {std::pair{100, 80}, {640, 480}, {800, 600}, {3840, 2160}}) {
        UkladRaportu r = UkladOknaRaportu(w, h, 30);
        EXPECT_GT(r.tekst.h, 0);
        EXPECT_LE(r.przycisk.y + r.przycisk.h, r.okno.h) << w << "x" << h;
    }
}

TEST(ParametryPomocyTest, ZerosBeforeAnyRunThenValuesWithTheirDecimals) {
    ZmienneModelu m{};
    auto rows = WierszeParametrow(m);
    ASSERT_EQ(rows.size(), 30u);
    EXPECT_EQ(rows[0][0], "wartosc");
    EXPECT_EQ(rows[0][2], cp1250("wyszczególnienie"));
    EXPECT_EQ(rows[1][0], "0.0");
    EXPECT_EQ(rows[13][0], "0.00");
    EXPECT_EQ(rows[14][0], "0.0000");
    EXPECT_EQ(rows[29][0], "0.000");

    m.StawkaAmortyzacji = 19;
    m.CenySurowcow[1][1] = 0.0125L;
    m.CenySurowcow[1][3] = 0.5L;
    m.CenySurowcow[2][1] = 9;  // a later year is not shown
    m.WspolczynnikKorygujacy = 1.5L;
    rows = WierszeParametrow(m);
    EXPECT_EQ(rows[1][0], "19.0");
    EXPECT_EQ(rows[1][1], "% / rok");
    EXPECT_EQ(rows[14][0], "0.0125");
    EXPECT_EQ(rows[14][2], "Cena surowca WHITE");
    EXPECT_EQ(rows[15][0], "0.0000");
    EXPECT_EQ(rows[16][0], "0.5000");
    EXPECT_EQ(rows[29][0], "1.500");
    EXPECT_EQ(rows[29][1], "");
}

TEST(Zakonczenie, NoLeavesTheProgramYesThanksAndEnds) {
    ScriptedUserInterface ui;
    ui.answers = {false};
    EXPECT_FALSE(ZakonczenieProgramu(ui));
    EXPECT_FALSE(ui.endRequested);
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(cp1250ToUtf8(ui.questions[0]), "Czy zakończyć program VeskWin ?");

    ui.answers = {true};
    EXPECT_TRUE(ZakonczenieProgramu(ui));
    EXPECT_TRUE(ui.endRequested);
    EXPECT_EQ(ui.exitCode, 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(cp1250ToUtf8(ui.messages[0]), "System Veskwin dziękuje za współpracę");
}

TEST(KlawiszeOknaGlownego, KeyClearsTheWorkFlagEscRepeatsWhileItIsSet) {
    ScriptedUserInterface ui;
    auto k = std::make_unique<Kontekst>(ui);
    k->FlagaPracy = true;
    EscOknaGlownego(*k);
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Printing aborted", "Printing aborted"}));
    KlawiszOknaGlownego(*k, 'a');
    EXPECT_FALSE(k->FlagaPracy);
    EXPECT_EQ(ui.messages.back(), "a has been pressed");
    ui.messages.clear();
    EscOknaGlownego(*k);
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST(PrzyciskOKTest, OnlyTheFirstPressStartsAnOperator) {
    ScriptedUserInterface ui;
    auto k = std::make_unique<Kontekst>(ui);
    StanPowloki s;
    k->TrybWsadowy = true;
    k->NazwaOperatoraWsadowego = "testint";
    EXPECT_EQ(PrzyciskOK(*k, s), SkutekOK::PierwszeUruchomienie);
    EXPECT_FALSE(k->TrybWsadowy);
    EXPECT_TRUE(k->NazwaOperatoraWsadowego.empty());
    EXPECT_TRUE(k->WidokPowiekszony);
    EXPECT_EQ(PrzyciskOK(*k, s), SkutekOK::PonownePokazanie);
    EXPECT_EQ(PrzyciskOK(*k, s), SkutekOK::PonownePokazanie);
}

struct Start : ::testing::Test {
    test::TempDir work;
    ScriptedUserInterface ui;
    std::unique_ptr<Kontekst> k = std::make_unique<Kontekst>(ui);
    StanPowloki s;
    void SetUp() override {
        k->KatalogRoboczy = work.folder();
        k->DomyslneKatalogi.Operatorzy = work.folder() + "OPERATOR/";
    }
};

TEST_F(Start, CreationWithoutRangesGoesOnWithZeroRanges) {
    std::string tytul = UtworzenieOknaGlownego(*k, s, {"/f", "x.tr1"}, "/prog/");
    EXPECT_EQ(cp1250ToUtf8(tytul), "Vesk dla Windows 2012: symulator finansowy przedsiębiorstwa ");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("zakresy.txt"), std::string::npos);
    // The later steps ran all the same.
    EXPECT_EQ(k->PlikStartowy, "x.tr1");
    EXPECT_EQ(k->KatalogProgramu, "/prog/");
    EXPECT_EQ(k->LiczbaPunktowWykresu, 3);
    EXPECT_FALSE(s.ZnacznikWsadowy);
    EXPECT_TRUE(work.exists("VE-SK.INI"));
}

TEST_F(Start, MarkerFileAndRangesInTheWorkingFolder) {
    work.write("pracawtrybiewsadowym", "");
    std::string zakresy;
    for (int i = 1; i <= 54; ++i) zakresy += std::to_string(i) + ";1;" + std::to_string(i + 1) + "\r\n";
    work.write("zakresy.txt", zakresy);
    UtworzenieOknaGlownego(*k, s, {}, "/prog/");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(s.ZnacznikWsadowy);
    EXPECT_EQ(k->Zakresy[54], std::make_pair(1, 55));
    EXPECT_TRUE(k->PlikStartowy.empty());
}

TEST_F(Start, FirstShowReadsTheConstraintsLaterShowsOnlyShow) {
    UtworzenieOknaGlownego(*k, s, {"/f", "x.tr1"}, "/prog/");
    SkutekPokazania pierwsze = PokazanieOknaGlownego(*k, s);
    EXPECT_TRUE(pierwsze.RdzenGotowy);
    EXPECT_TRUE(pierwsze.OtworzPlikStartowy);
    EXPECT_FALSE(ui.endRequested);
    k->Ograniczenia[1].Nazwa = "zmienione";
    k->PlikStartowy = "y.tr1";
    SkutekPokazania drugie = PokazanieOknaGlownego(*k, s);
    EXPECT_TRUE(drugie.RdzenGotowy);
    EXPECT_FALSE(drugie.OtworzPlikStartowy);
    EXPECT_EQ(k->Ograniczenia[1].Nazwa, "zmienione");
}

TEST_F(Start, MissingConstraintFileEndsTheProgramWithAnError) {
    k->DomyslneKatalogi.Parametry = work.folder() + "brak/";
    UtworzenieOknaGlownego(*k, s, {}, "/prog/");
    ui.messages.clear();
    EXPECT_FALSE(PokazanieOknaGlownego(*k, s).RdzenGotowy);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_NE(ui.messages.back().find("OGRAN.MDL"), std::string::npos);
    EXPECT_TRUE(ui.endRequested);
    EXPECT_NE(ui.exitCode, 0);
}

// A refused start-up (here the user's folder, which code page 1250 cannot
// spell) is told once, nothing else (not the missing ranges file), makes
// nothing and ends the program at the first show.
TEST_F(Start, ARefusedStartIsToldOnceAndEndsTheProgram) {
    k->DomyslneKatalogi.BladOperatorow = "Nazwa folderu /d\\u0414 (zmienna \x9Crodowiska HOME) ma znaki spoza";
    UtworzenieOknaGlownego(*k, s, {}, "/prog/");
    EXPECT_TRUE(s.StartOdrzucony);
    EXPECT_FALSE(PokazanieOknaGlownego(*k, s).RdzenGotowy);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].find(k->DomyslneKatalogi.BladOperatorow), 0u);
    EXPECT_TRUE(ui.endRequested && !work.exists("VE-SK.INI"));
}

// A hint text that cannot be read says in its tab which file and why.
TEST_F(Start, AHintTextThatCannotBeReadSaysWhy) {
    std::filesystem::create_directory(work.file("moduls.rtf"));
    EXPECT_EQ(TekstPodpowiedzi(*k), "<p>Nie mo\xBFna odczyta\xE6 pliku podpowiedzi " + work.file("moduls.rtf") +
                                        ": to jest folder</p>");
}

TEST(MenuGlowneTest, StartStatesAndShortcuts) {
    auto menu = MenuGlowne(false);
    auto find = [&](const std::string& n) -> const PozycjaMenu& {
        for (const auto& p : menu)
            if (p.nazwa == n) return p;
        throw std::runtime_error("no item " + n);
    };
    struct Case {
        const char* nazwa;
        const char* tytul;
        const char* skrot;
        bool wlaczona, widoczna;
    } cases[] = {
        {"Nowy1", "&Inicjacja", "F4", true, true},
        {"NowyPlik1", "&Aktywacja", "Shift+F3", true, true},
        {"Zachowajjako1", "Za&chowanie operatora jako...", "Shift+F2", false, true},
        {"Kasowanieoperatora1", "&Kasowanie", "Shift+Del", true, true},
        {"Wyjscie1", "Wyjści&e z programu", "Shift+F4", true, true},
        {"Wzy1", "&Decyzje", "", false, true},
        {"dodanieweza1", "Dodanie &nowej decyzji", "Ins", false, false},
        {"Formularzdecyzyjny1", "Podgląd &formularza decyzyjnego", "F7", false, true},
        {"symuluj", "Przeprowadzenie &symulacji", "Shift+Ins", true, true},
        {"Rezultaty2", "&Rezultaty", "", false, true},
        {"Interpretator", "Interpretator", "", false, true},
        {"Podanienazwyplikuzrozkazami1", "Podanie nazwy pliku z rozkazami", "", true, false},
        {"KonstrukcjaWskaznikow", "Konstrukcja Wskaźników", "F6", true, true},
        {"PodanieSurowcochlonnosci", "Surowcochlonnosc", "", true, false},
    };
    for (const auto& c : cases) {
        const auto& p = find(c.nazwa);
        EXPECT_EQ(cp1250ToUtf8(p.tytul), c.tytul) << c.nazwa;
        EXPECT_EQ(p.skrot, c.skrot) << c.nazwa;
        EXPECT_EQ(p.wlaczona, c.wlaczona) << c.nazwa;
        EXPECT_EQ(p.widoczna, c.widoczna) << c.nazwa;
    }
    for (const auto& p : MenuGlowne(true))
        if (p.nazwa == "Podanienazwyplikuzrozkazami1") {
            EXPECT_TRUE(p.widoczna);
        }
    // Every item hangs on a menu declared before it; names are unique.
    std::set<std::string> seen;
    for (const auto& p : menu) {
        if (!p.rodzic.empty()) {
            EXPECT_TRUE(seen.count(p.rodzic)) << p.nazwa;
        }
        EXPECT_TRUE(seen.insert(p.nazwa).second) << p.nazwa;
    }
}

}  // namespace
}  // namespace vesk
