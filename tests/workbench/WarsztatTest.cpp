#include "Warsztat.h"

#include "PomocWarsztatu.h"
#include "Teksty.h"

namespace vesk {
namespace {

using Wezly = test::WarsztatTest;

TEST_F(Wezly, AReusedNumberSortsAmongItsSiblingsAndTheNextAddStaysUnderTheBase) {
    operatorZPlikow({{1, 0, false}, {4, 0, false}}, "d/r 0\r\n\td 1\r\n\td 4\r\n");
    // Occupied are the labels' numbers; 2 is free.
    for (int n = 0; n <= 5; ++n) EXPECT_EQ(k->TabelaWezlow.Zajety[n], n == 0 || n == 1 || n == 4) << n;
    EXPECT_EQ(WolnyNumerWezla(*k), 2);

    w->Wybierz(0);
    w->Bazowy1Click();
    w->WyborWezlaDoEdycji();
    EXPECT_TRUE(w->Polecenia.dodanieweza1);
    ASSERT_TRUE(w->dodanieweza1Click());
    EXPECT_EQ(etykiety(), (std::vector<std::string>{"d/r 0", "d 1", "d 2", "d 4"}));
    EXPECT_EQ(w->Wybrany, 2);
    ASSERT_TRUE(w->dodanieweza1Click());
    EXPECT_EQ(etykiety(), (std::vector<std::string>{"d/r 0", "d 1", "d 2", "d 3", "d 4"}));
    for (int i = 1; i < 5; ++i) EXPECT_EQ(w->Drzewo.Poziom(i), 1);
    EXPECT_EQ(dir.read("OP.tr1"), "d/r 0\r\n\td 1\r\n\td 2\r\n\td 3\r\n\td 4\r\n");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Wezly, FiftyNodesFillTheBuffer) {
    std::vector<Rek> rekordy;
    std::string drzewo = "d/r 0\r\n";
    for (int n = 1; n <= 49; ++n) {
        rekordy.push_back({n, 0, false});
        drzewo += "\td " + std::to_string(n) + "\r\n";
    }
    operatorZPlikow(rekordy, drzewo);
    const std::string stan = dir.read("OP.qad"), plikDrzewa = dir.read("OP.tr1");
    w->Wybierz(0);
    w->Bazowy1Click();
    w->WyborWezlaDoEdycji();
    EXPECT_FALSE(w->dodanieweza1Click());
    EXPECT_EQ(ui.messages, (std::vector<std::string>{std::string(teksty::BuforPelny) + teksty::LimitWezlow}));
    EXPECT_FALSE(w->Polecenia.dodanieweza1);
    EXPECT_EQ(dir.read("OP.qad"), stan);
    EXPECT_EQ(dir.read("OP.tr1"), plikDrzewa);
    EXPECT_EQ(w->Drzewo.Liczba(), 50);
}

TEST_F(Wezly, AnUnsimulatedBaseIsRefusedAndAddingDisabled) {
    operatorZPlikow({{1, 0, false}}, "d/r 0\r\n\td 1\r\n");
    w->Wybierz(0);
    w->WyborWezlaDoEdycji();
    w->Bazowy1Click();
    ASSERT_TRUE(k->WezelBazowy.Ustawiony);
    wybierzNumer(1);
    w->Bazowy1Click();
    EXPECT_FALSE(k->WezelBazowy.Ustawiony);
    EXPECT_EQ(w->OkienkoBazowe, "");
    EXPECT_FALSE(w->Polecenia.dodanieweza1);
    EXPECT_EQ(ui.messages, (std::vector<std::string>{teksty::BazowymTylkoSymulowany}));
    // Without both selections the add itself refuses.
    EXPECT_FALSE(w->Dodajemy_Wezel());
    EXPECT_EQ(ui.messages.back(), teksty::NieUstawionoBazowego);
}

TEST_F(Wezly, ADroppedNodeBecomesBaseOrTemplateWhateverIsSelected) {
    operatorZPlikow({{1, 0, false}, {2, 0, true}}, "d/r 0\r\n\td 1\r\n\td/r 2\r\n");
    wybierzNumer(1);
    w->UpuszczenieNaBazowy(2);
    w->UpuszczenieNaEdycji(1);
    EXPECT_EQ(w->OkienkoBazowe, "d/r 2");
    EXPECT_EQ(w->OkienkoEdycji, "d 1");
    EXPECT_EQ(k->WezelBazowy.NumerTekst, "2");
    EXPECT_TRUE(w->Polecenia.dodanieweza1);
    EXPECT_EQ(w->Wybrany, 1);
    ASSERT_TRUE(w->dodanieweza1Click());
    EXPECT_EQ(dir.read("OP.tr1"), "d/r 0\r\n\td 1\r\n\td/r 2\r\n\t\td 3\r\n");
}

TEST_F(Wezly, TemplateChoiceWithABaseAddsAtOnceAndOpensTheSheet) {
    nowyOperator();
    w->Wybierz(0);
    w->Doedycji1Click();  // no base yet: only the template is recorded
    EXPECT_EQ(w->Drzewo.Liczba(), 1);
    EXPECT_TRUE(w->Polecenia.dodanieweza1);
    w->Bazowy1Click();
    w->Doedycji1Click();
    EXPECT_EQ(etykiety(), (std::vector<std::string>{"d/r 0", "d 1"}));
    EXPECT_TRUE(w->PoDodaniuWezla);
    EXPECT_TRUE(w->Formularz.Widoczny);
    EXPECT_EQ(w->Formularz.NumerDecyzji, "1");
    EXPECT_EQ(k->RekordBiezacy.Numer(), 1);
}

TEST_F(Wezly, FollowUpGivesPathHeadersAndCommands) {
    operatorZPlikow({{3, 0, true}, {7, 3, true}, {8, 7, true}, {9, 8, false}},
                    "d/r 0\r\n\td/r 3\r\n\t\td/r 7\r\n\t\t\td/r 8\r\n\t\t\t\td 9\r\n");
    wybierzNumer(7);
    EXPECT_EQ(w->Widok.okienko_sciezki, "7-3-0");
    EXPECT_EQ(w->Widok.nazwa_wezla_poprzednika, "d/r 3");
    EXPECT_EQ(w->LataWybranego(), "2015-2017");
    EXPECT_EQ(w->Widok.okienkonumerupoziomu, "2");
    EXPECT_EQ(w->Widok.Absolutny_numer_wezla_biezacego, "2");
    EXPECT_TRUE(w->Polecenia.Kasowaniewza1);  // a parent: offered, refused with the reason
    EXPECT_TRUE(w->Polecenia.Bazowy1);
    EXPECT_FALSE(w->Formularz.Edytowalny);
    EXPECT_EQ(k->RekordBiezacy.Numer(), 7);
    // Depth 4: headers 1 to 5; the selected level's header enabled.
    for (int h = 0; h < 9; ++h) {
        EXPECT_EQ(w->Widok.Okresy[h].Widoczny, h < 5) << h;
        EXPECT_EQ(w->Widok.Okresy[h].Aktywny, h == 2) << h;
    }
    EXPECT_EQ(w->Widok.Okresy[0].Napis, "2009-2011");
    EXPECT_EQ(w->Widok.Okresy[2].Napis, "| 2015-2017 |");
    k->WidokPowiekszony = true;
    wybierzNumer(9);
    for (int h = 0; h < 9; ++h) EXPECT_EQ(w->Widok.Okresy[h].Widoczny, h < 5) << h;  // depth 4, scrolled to
    EXPECT_TRUE(w->Polecenia.Kasowaniewza1);  // a leaf
    EXPECT_TRUE(w->Polecenia.symuluj);
    EXPECT_FALSE(w->Polecenia.Bazowy1);
    EXPECT_TRUE(w->Formularz.Edytowalny);
    EXPECT_EQ(w->Formularz.Status, teksty::NieSymulowany);
    EXPECT_EQ(w->Drzewo[4].Obrazek, 2);
    wybierzNumer(0);
    EXPECT_EQ(w->Widok.okienko_sciezki, "0");
    EXPECT_EQ(w->Widok.nazwa_wezla_poprzednika, teksty::Root);
    EXPECT_EQ(w->LataWybranego(), "2009-2011");
    EXPECT_FALSE(w->Polecenia.WynikSyntetyczny1);
}

TEST_F(Wezly, TheRootAloneCanBeDeleted) {
    nowyOperator();
    EXPECT_TRUE(w->Polecenia.Kasowaniewza1);
}

TEST_F(Wezly, TheIndicatorWindowIsHiddenOnlyWhenNotActive) {
    test::SkryptowaneWskazniki okno;
    operatorZPlikow({{1, 0, false}, {2, 0, true}}, "d/r 0\r\n\td 1\r\n\td/r 2\r\n");
    w->Wskazniki = &okno;
    okno.widoczne = okno.aktywne = true;
    wybierzNumer(1);
    EXPECT_EQ(okno.ukryto, 0);
    EXPECT_EQ(okno.odswiezono, 0);
    okno.aktywne = false;
    wybierzNumer(2);
    EXPECT_EQ(okno.odswiezono, 1);
    wybierzNumer(1);
    EXPECT_EQ(okno.ukryto, 1);
}

TEST_F(Wezly, AMissingRecordIsToldAndNoOtherNodesRecordLoaded) {
    operatorZPlikow({{1, 0, false}}, "d/r 0\r\n\td 1\r\n");
    wybierzNumer(0);
    const StanModelu przed = k->RekordBiezacy;
    w->Drzewo.DodajDziecko(0, "d 5");  // an item whose record is gone
    wybierzNumer(5);
    EXPECT_EQ(k->RekordBiezacy, przed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("5"), std::string::npos);
}

}  // namespace
}  // namespace vesk
