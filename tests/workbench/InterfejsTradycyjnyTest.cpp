#include "InterfejsTradycyjny.h"

#include "CodePage.h"
#include "PomocWarsztatu.h"
#include "Teksty.h"

namespace vesk {
namespace {

struct Interfejs : test::WarsztatTest {
    std::unique_ptr<InterfejsTradycyjny> it;
    void SetUp() override {
        WarsztatTest::SetUp();
        k->catTABWZOR = std::string(VESK_DATA_DIR) + "TABWZOR/";
        operatorZPlikow({{1, 0, true}, {2, 0, false}}, "d/r 0\r\n\td/r 1\r\n\td 2\r\n");
        it = std::make_unique<InterfejsTradycyjny>(*w);
        ui.messages.clear();
    }
    std::vector<std::string> widoczne() const {
        std::vector<std::string> v;
        for (const auto& [g, tak] : it->Widoczna)
            if (tak) v.push_back(g);
        return v;
    }
};

TEST_F(Interfejs, ThirtyButtonsInEightGroupsOnlyTheMainMenuShown) {
    std::size_t n = 0;
    for (const GrupaInterfejsu& g : GrupyInterfejsu()) n += g.przyciski.size();
    EXPECT_EQ(GrupyInterfejsu().size(), 8u);
    EXPECT_EQ(n, 30u);
    EXPECT_EQ(widoczne(), std::vector<std::string>{"GrupaMenuGlownego"});
    EXPECT_FALSE(it->Wlaczony["PrzyciskSymulacja"]);
    EXPECT_EQ(it->Napis["PrzyciskCashFlow"], utf8ToCp1250("Rachunek\nprzepływów pieniężnych"));
}

TEST_F(Interfejs, GroupButtonsToggleHideAndBold) {
    struct Przypadek {
        std::vector<std::string> kliki;
        std::vector<std::string> widoczne;
        std::set<std::string> pogrubione;
    };
    const Przypadek przypadki[] = {
        {{"PrzyciskOperatora"}, {"GrupaMenuGlownego", "GrupaOperatora"}, {"PrzyciskOperatora"}},
        {{"PrzyciskOperatora", "PrzyciskOperatora"}, {"GrupaMenuGlownego"}, {"PrzyciskOperatora"}},
        {{"PrzyciskSymulatora", "PrzyciskRezultaty1", "PrzyciskFinanse", "PrzyciskWskaznikiFinansowe"},
         {"GrupaFinanse", "GrupaMenuGlownego", "GrupaRezultaty", "GrupaSymulatora", "GrupaWskaznikow"},
         {"PrzyciskSymulatora", "PrzyciskRezultaty1", "PrzyciskFinanse", "PrzyciskWskaznikiFinansowe"}},
        // Closing the results closes the three groups under them.
        {{"PrzyciskSymulatora", "PrzyciskRezultaty1", "PrzyciskFinanse", "PrzyciskWskaznikiFinansowe",
          "PrzyciskRezultaty1"},
         {"GrupaMenuGlownego", "GrupaSymulatora"},
         {"PrzyciskSymulatora", "PrzyciskRezultaty1"}},
        {{"PrzyciskSymulatora", "PrzyciskRezultaty1", "PrzyciskProdukcja1", "PrzyciskRezultaty1"},
         {"GrupaMenuGlownego", "GrupaSymulatora"},
         {"PrzyciskSymulatora", "PrzyciskRezultaty1"}},
        // A click on the finance box closes the ratio and production groups.
        {{"PrzyciskSymulatora", "PrzyciskRezultaty1", "PrzyciskFinanse", "PrzyciskWskaznikiFinansowe", "GrupaFinanse"},
         {"GrupaFinanse", "GrupaMenuGlownego", "GrupaRezultaty", "GrupaSymulatora"},
         {"GrupaFinanse"}},
        {{"PrzyciskSymulatora", "PrzyciskDecyzje1", "PrzyciskRezultaty1"},
         {"GrupaMenuGlownego", "GrupaRezultaty", "GrupaSymulatora"},
         {"PrzyciskSymulatora", "PrzyciskRezultaty1"}},
    };
    for (const Przypadek& p : przypadki) {
        it = std::make_unique<InterfejsTradycyjny>(*w);
        for (const std::string& klik : p.kliki) it->Klik(klik);
        EXPECT_EQ(widoczne(), p.widoczne) << p.kliki.back();
        EXPECT_EQ(it->Pogrubione, p.pogrubione) << p.kliki.back();
    }
}

TEST_F(Interfejs, EnablingByNodeKind) {
    wybierzNumer(0);
    it->Klik("PrzyciskAktywacja2");
    EXPECT_FALSE(it->Wlaczony["PrzyciskWynikSyntetyczny"]);
    EXPECT_TRUE(it->Wlaczony["PrzyciskFinanse"]);
    EXPECT_FALSE(it->Wlaczony["PrzyciskSymulacja"]);
    wybierzNumer(1);
    it->Klik("PrzyciskAktywacja2");
    EXPECT_TRUE(it->Wlaczony["PrzyciskWynikSyntetyczny"]);
    wybierzNumer(2);
    it->Klik("PrzyciskAktywacja2");
    EXPECT_FALSE(it->Wlaczony["PrzyciskFinanse"]);
    EXPECT_FALSE(it->Wlaczony["PrzyciskProdukcja1"]);
    EXPECT_TRUE(it->Wlaczony["PrzyciskSymulacja"]);
    EXPECT_EQ(it->SpeedPotwierdzenie, "Zatwierdzam");
    EXPECT_TRUE(it->SpeedPotwierdzenieWidoczny);
    EXPECT_EQ(it->Zakladki.Aktywna, ZakladkaDrzewo);
}

TEST_F(Interfejs, EditingKeepsStepTwoOnAnUnsimulatedBase) {
    it->Klik("PrzyciskEdycja");
    EXPECT_EQ(it->KrokPotwierdzenia, 2);
    wybierzNumer(2);
    it->SpeedPotwierdzenieClick();
    EXPECT_EQ(it->KrokPotwierdzenia, 2);
    EXPECT_EQ(it->SpeedPotwierdzenie, utf8ToCp1250("Wskaż węzeł bazowy"));
    EXPECT_EQ(it->NumerZbioruPrim, "d 2");
    // A simulated node moves on to the template step.
    wybierzNumer(1);
    it->SpeedPotwierdzenieClick();
    EXPECT_EQ(it->KrokPotwierdzenia, 1);
    EXPECT_EQ(it->SpeedPotwierdzenie, utf8ToCp1250("Wskaż węzeł do edycji"));
    // The template: a node is added and its sheet opened; back to the tab.
    it->SpeedPotwierdzenieClick();
    EXPECT_EQ(w->Drzewo.Liczba(), 4);
    EXPECT_TRUE(w->Formularz.Widoczny);
    EXPECT_TRUE(it->Wlaczony["PrzyciskSymulacja"]);
    EXPECT_FALSE(it->Wlaczony["PrzyciskWynikSyntetyczny"]);
    EXPECT_EQ(it->Zakladki.Aktywna, ZakladkaInterfejs);
}

TEST_F(Interfejs, DeletingThroughTheConfirmation) {
    wybierzNumer(2);
    it->Klik("PrzyciskKasowanie2");
    EXPECT_EQ(it->SpeedPotwierdzenie, utf8ToCp1250("Skasować?"));
    EXPECT_EQ(it->NumerZbioruPrim, "d 2");
    it->SpeedPotwierdzenieClick();
    EXPECT_EQ(w->Drzewo.Znajdz(2), -1);
}

TEST_F(Interfejs, ReportButtonsShowTheirPage) {
    // Older pages spelt otherwise are not this view's.
    for (const char* dawna : {"OP.KAP.html", "OP.dec.html"}) dir.write(dawna, "dawna");
    wybierzNumer(1);
    it->Klik("PrzyciskZestawienieZmian");
    EXPECT_EQ(it->StronaTradycyjna, dir.folder() + "OP.kap.html");
    EXPECT_EQ(it->Zakladki.Aktywna, ZakladkaSprawozdanie);
    EXPECT_TRUE(it->Zakladki.Widoczna[ZakladkaSprawozdanie]);
    EXPECT_FALSE(it->Zakladki.Widoczna[ZakladkaSprawozdanie2]);
    EXPECT_FALSE(it->Zakladki.Widoczna[ZakladkaInterfejs]);
    EXPECT_EQ(it->Napis["PrzyciskZestawienieZmian"], utf8ToCp1250("Zestawienie zmian w\nkapitale własnym"));
    EXPECT_TRUE(it->Pogrubione.count("PrzyciskFinanse"));
    it->PrzyciskPowrotDoInterfejsu();
    EXPECT_EQ(it->Zakladki.Aktywna, ZakladkaInterfejs);
    EXPECT_FALSE(it->Zakladki.Widoczna[ZakladkaSprawozdanie]);
    it->Klik("PrzyciskDecyzje2");
    EXPECT_EQ(it->StronaTradycyjna, dir.folder() + "OP.DEC.html");
}

TEST_F(Interfejs, NoPageWithoutAFreshReport) {
    // Files of node 1 stay in the folder; the root's synthetic result and
    // an unsimulated node show none of them.
    wybierzNumer(1);
    it->Klik("PrzyciskWynikSyntetyczny");
    ASSERT_FALSE(it->StronaTradycyjna.empty());
    it->PrzyciskPowrotDoInterfejsu();
    wybierzNumer(0);
    it->Klik("PrzyciskWynikSyntetyczny");
    EXPECT_TRUE(it->StronaTradycyjna.empty());
    EXPECT_EQ(it->Zakladki.Aktywna, ZakladkaInterfejs);
    wybierzNumer(2);
    it->Klik("PrzyciskKoszty");
    EXPECT_TRUE(it->StronaTradycyjna.empty());
}

TEST_F(Interfejs, SimulationMarksOnlyASuccess) {
    wybierzNumer(2);
    bool wynik = false;
    it->Polecenia.Symulowanie = [&] { return wynik; };
    it->InterfejsShow();
    EXPECT_EQ(it->StatusPrim, teksty::NieSymulowany);
    EXPECT_TRUE(it->Wlaczony["PrzyciskSymulacja"]);
    it->Klik("PrzyciskSymulacja");
    EXPECT_EQ(it->StatusPrim, teksty::NieSymulowany);
    EXPECT_TRUE(it->Wlaczony["PrzyciskSymulacja"]);
    wynik = true;
    it->Klik("PrzyciskSymulacja");
    EXPECT_EQ(it->StatusPrim, teksty::Symulowany);
    EXPECT_FALSE(it->Wlaczony["PrzyciskSymulacja"]);
}

TEST_F(Interfejs, TabsOfTheViewersAndTheReturnButtons) {
    wybierzNumer(1);
    WynikPodgladu r = it->Polecenia.Podglad(*ZnajdzPodglad("Bilans1"));
    ASSERT_EQ(r.Status, StatusPodgladu::Pokazany);
    EXPECT_EQ(it->Zakladki.Aktywna, ZakladkaSprawozdanie2);
    EXPECT_FALSE(it->Zakladki.Widoczna[ZakladkaDrzewo]);
    it->BitBtn1Click();
    EXPECT_EQ(it->Zakladki.Aktywna, ZakladkaDrzewo);
    EXPECT_TRUE(it->Zakladki.Widoczna[ZakladkaInterfejs]);
    EXPECT_FALSE(it->Zakladki.Widoczna[ZakladkaSprawozdanie2]);
    it->PrzyciskTabDrzewo();
    EXPECT_FALSE(it->Zakladki.Widoczna[ZakladkaDrzewo]);
}

}  // namespace
}  // namespace vesk
