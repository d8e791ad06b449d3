#include "WidokDrzewa.h"

#include "PomocWarsztatu.h"
#include "Teksty.h"

namespace vesk {
namespace {

TEST(WygladWezlaTest, FiveLooksByBaseTemplateAndSelection) {
    struct Case {
        const char* etykieta;
        const char* bazowe;
        const char* edycji;
        bool wybrany;
        WygladPozycji wyglad;
    } cases[] = {
        {"d/r 1", "d/r 1", "d/r 1", true, WygladPozycji::BazowyIEdycji},
        {"d/r 1", "d/r 1", "d 2", true, WygladPozycji::Bazowy},
        {"d 2", "d/r 1", "d 2", true, WygladPozycji::Edycji},
        {"d 2", "d/r 1", "d/r 0", true, WygladPozycji::Wybrany},
        {"d 2", "d/r 1", "d/r 0", false, WygladPozycji::Zwykly},
        // Empty boxes match nothing; a prefix is not a match.
        {"d/r 0", "", "", false, WygladPozycji::Zwykly},
        {"d/r 1", "d/r 10", "d/r 10", false, WygladPozycji::Zwykly},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WygladWezla(c.etykieta, c.bazowe, c.edycji, c.wybrany), c.wyglad) << c.etykieta << " " << c.bazowe;
}

using Widok = test::WarsztatTest;

TEST_F(Widok, SelectingOpensTheWayToTheItemAndClosesNoOtherBranch) {
    operatorZPlikow({{1, 0, true}, {2, 1, false}, {3, 0, true}, {4, 3, false}},
                    "d/r 0\r\n\td/r 1\r\n\t\td 2\r\n\td/r 3\r\n\t\td 4\r\n");
    EXPECT_TRUE(w->Zwiniete.empty());
    w->WybierzWezel(1);
    w->WybierzWezel(2);
    w->WybierzWezel(3);  // another branch: node 2's stays open
    EXPECT_TRUE(w->Zwiniete.empty());
    w->Zwiniete = {1, 3};  // closed by the user
    w->WybierzWezel(4);  // the way to node 4 opens again
    EXPECT_EQ(w->Zwiniete, (std::set<int>{1}));
    // Deleting the closed parent says why nothing goes and shows its children.
    w->WybierzWezel(3);
    w->Zwiniete = {1, 3};
    EXPECT_FALSE(w->Kasowaniewza1Click());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("d/r 3 nie mo\xBFna skasowa\xE6"), std::string::npos) << ui.messages[0];
    EXPECT_EQ(w->Zwiniete, (std::set<int>{1}));
    // Leaving the sheet shows the whole tree again.
    w->Wyjcie1Click();
    EXPECT_TRUE(w->Zwiniete.empty());
}

// A read-only operator: the deletion of a simulated node is refused before
// the question, and the decision form says at once that it takes no change.
TEST_F(Widok, AReadOnlyOperatorRefusesADeletionBeforeAskingAndItsFormSaysSo) {
    operatorZPlikow({{1, 0, true}, {2, 0, false}}, "d/r 0\r\n\td/r 1\r\n\td 2\r\n");
    w->TylkoDoOdczytu = true;
    wybierzNumer(1);
    ui.messages.clear();
    EXPECT_FALSE(w->Kasowaniewza1Click());
    EXPECT_TRUE(ui.questions.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("jest tylko do odczytu - zmiana odrzucona"), std::string::npos) << ui.messages[0];
    w->przeglad1Click(false);
    EXPECT_NE(w->Formularz.Tytul.find("tylko do odczytu"), std::string::npos) << w->Formularz.Tytul;
    wybierzNumer(2);  // a node not simulated: its boxes take no typing either
    w->przeglad1Click(false);
    EXPECT_FALSE(w->Formularz.Edytowalny);
}

TEST_F(Widok, FocusInTheTreeShowsTheRoot) {
    operatorZPlikow({{1, 0, false}}, "d/r 0\r\n\td 1\r\n");
    wybierzNumer(1);
    w->TreeView1Enter();
    EXPECT_EQ(w->Widok.Nazwa_Biezacego_Wezla, "d/r 0");
    EXPECT_EQ(w->Widok.nazwa_wezla_poprzednika, "Root");
    EXPECT_EQ(w->Widok.Absolutny_numer_wezla_biezacego, "0");
    EXPECT_EQ(w->Widok.okienkonumerupoziomu, "0");
    EXPECT_EQ(w->Widok.lewa, "d/r");
    EXPECT_EQ(w->Widok.prawa, "0");
    // The selection itself stays, and its years.
    EXPECT_EQ(w->Wybrany, 1);
    EXPECT_EQ(w->LataWybranego(), "2012-2014");
    EXPECT_EQ(w->PodpisPrzyciskuPodgladu(), "Podgl\xB9" "d decyzji: (d 1) <F3>");
}

TEST_F(Widok, ZoomSwitchesTheLargeViewAndRunsTheFollowUp) {
    operatorZPlikow({{1, 0, false}}, "d/r 0\r\n\td 1\r\n");
    wybierzNumer(1);
    w->UstawZoom(false);
    EXPECT_FALSE(k->WidokPowiekszony);
    for (int h = 0; h < 9; ++h) EXPECT_EQ(w->Widok.Okresy[h].Widoczny, h < 2) << h;
    w->UstawZoom(true);
    EXPECT_TRUE(k->WidokPowiekszony);
    for (int h = 0; h < 9; ++h) EXPECT_EQ(w->Widok.Okresy[h].Widoczny, h < 4) << h;
}

TEST_F(Widok, RefusedConfirmationNamesTheBoxItStoppedAt) {
    operatorZPlikow({{1, 0, false}}, "d/r 0\r\n\td 1\r\n");
    wybierzNumer(1);
    *w->Formularz.Pole("cena_beta_1") = "abc";
    *w->Formularz.Pole("Emisja_Akcji_2") = "x";
    EXPECT_FALSE(w->PrzyciskOKClick());
    EXPECT_EQ(w->PoleBledne, "cena_beta_1");
    *w->Formularz.Pole("cena_beta_1") = "1";
    *w->Formularz.Pole("Emisja_Akcji_2") = "1";
    w->Formularz.Siatka[2][3] = "9";
    EXPECT_FALSE(w->PrzyciskOKClick());
    EXPECT_EQ(w->PoleBledne, "StringGrid1");
    w->Formularz.Siatka[2][3] = "2";
    EXPECT_TRUE(w->PrzyciskOKClick());
    EXPECT_EQ(w->PoleBledne, "");
}

TEST_F(Widok, ProgressBarAfterLoadAddAndDelete) {
    operatorZPlikow({}, "d/r 0\r\n");
    EXPECT_EQ(w->Postep, 100);
    w->Wybierz(0);
    w->Bazowy1Click();
    w->WyborWezlaDoEdycji();
    w->Postep = 50;
    ASSERT_TRUE(w->Dodajemy_Wezel());
    EXPECT_EQ(w->Postep, 0);
    ASSERT_TRUE(w->dodanieweza1Click());
    EXPECT_EQ(w->Postep, 100);
    // A simulation ends with the saved tree: full, not 0.
    ASSERT_TRUE(w->Symulowanie());
    EXPECT_EQ(w->Postep, 100);
    ASSERT_TRUE(w->KasowanieWezla());  // and a deletion
    EXPECT_EQ(w->Postep, 100);
}

}  // namespace
}  // namespace vesk
