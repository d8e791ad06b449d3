// The verbs' remaining cases: refused adds, a node the state file lacks,
// reads without a selection, integer words that are no integers, histories
// of another operator or of a reused number, and the indicator refresh
// after a called file's simulate.
#include <gtest/gtest.h>

#include <algorithm>

#include "Odczyty.h"
#include "OperacjeJezyka.h"
#include "PomocInterpretera.h"
#include "Teksty.h"

namespace vesk::test {
namespace {

const std::string W = "w\xEAze\xB3 ";  // "węzeł "

struct Przypadki : InterpretatorTest {
    void SetUp() override {
        InterpretatorTest::SetUp();
        nowyOperator();
    }
    BladSkryptu::Rodzaj bladPo(const std::vector<std::string>& linie) {
        uruchom(linie);
        EXPECT_TRUE(in->OstatniBlad()) << linie.back();
        return in->OstatniBlad() ? in->OstatniBlad()->rodzaj() : BladSkryptu::Rodzaj::Wykonanie;
    }
    void bezBledu(const std::vector<std::string>& linie) {
        uruchom(linie);
        ASSERT_FALSE(in->OstatniBlad()) << in->OstatniBlad()->what();
    }
};

TEST_F(Przypadki, AnAddTheBaseChoiceRefusesLeavesTheVariableAndBothFiles) {
    bezBledu({W + "dodaj 0 0 x5"});
    ustaw(5, 7);
    const std::string qad = dir.read("OP.qad"), tr1 = dir.read("OP.tr1");
    EXPECT_EQ(bladPo({W + "dodaj 1 0 x5"}), BladSkryptu::Rodzaj::Odmowa);  // node 1 is not simulated
    EXPECT_EQ(x(5), 7.0);
    EXPECT_EQ(dir.read("OP.qad"), qad);
    EXPECT_EQ(dir.read("OP.tr1"), tr1);
    const std::string odmowa = "bazowym mo\xBF" "e by\xE6 tylko symulowany";
    EXPECT_NE(std::find(ui.messages.begin(), ui.messages.end(), odmowa), ui.messages.end());
}

TEST_F(Przypadki, AnAddRefusedByAFullBufferIsAScriptError) {
    for (int i = 0; i < 60; ++i) {
        try {
            Dodaj_Wezel(*w, 0, 0);
        } catch (const BladSkryptu&) {
            break;
        }
    }
    ui.messages.clear();
    ustaw(5, 7);
    const std::string qad = dir.read("OP.qad");
    EXPECT_EQ(bladPo({W + "dodaj 0 0 x5"}), BladSkryptu::Rodzaj::Odmowa);
    EXPECT_EQ(x(5), 7.0);
    EXPECT_EQ(dir.read("OP.qad"), qad);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.front(), std::string(teksty::BuforPelny) + teksty::LimitWezlow);
}

TEST_F(Przypadki, SettingANodeTheStateFileLacksKeepsTheCurrentRecord) {
    bezBledu({W + "dodaj 0 0"});
    // The tree keeps "d 1"; its record is cut from the file.
    dir.write("OP.qad", dir.read("OP.qad").substr(0, RozmiarStanuModelu));
    bezBledu({W + "ustaw 0"});
    const auto przed = std::make_unique<StanModelu>(k->RekordBiezacy);
    EXPECT_EQ(bladPo({W + "ustaw 1"}), BladSkryptu::Rodzaj::BrakWezla);
    EXPECT_TRUE(k->RekordBiezacy == *przed);
}

TEST_F(Przypadki, NodeNumberReadWithoutASelectionStoresNothing) {
    w->Wybierz(-1);
    ustaw(1, 9);
    EXPECT_EQ(bladPo({"odczyt w\xEAze\xB3 x1"}), BladSkryptu::Rodzaj::BrakWezla);
    EXPECT_EQ(x(1), 9.0);
}

TEST_F(Przypadki, IntegerLiteralsMustBeWholeNumbersVariablesGiveTheirLeadingDigits) {
    ustaw(5, 3);
    for (const char* slowo : {"abc", "2x", "2,5x", "-"}) {
        EXPECT_EQ(bladPo({std::string("odczyt koszty ") + slowo + " 1 x5"}), BladSkryptu::Rodzaj::NieLiczba)
            << slowo;
        EXPECT_EQ(x(5), 3.0);
    }
    EXPECT_EQ(bladPo({W + "symuluj 1x"}), BladSkryptu::Rodzaj::NieLiczba);
    ustaw(8, 2.75);
    bezBledu({"odczyt koszty x8 1 x5", "odczyt koszty -2 1 x6", "odczyt koszty +2 1 x7"});
    EXPECT_EQ(x(5), WartoscKosztow(k->RekordBiezacy, 2, 1));
    EXPECT_EQ(x(6), -1000.0);
    EXPECT_EQ(x(7), x(5));
}

TEST_F(Przypadki, HistoriesOfAnotherOperatorReadAsZero) {
    bezBledu({W + "dodaj 0 0", W + "symuluj 1", "odczyt wynik finansowy 1 1 50 x3",
              "odczyt rachunek rozliczeniowy 1 1 50 x4"});
    ASSERT_TRUE(x(3) != 0.0 || x(4) != 0.0);
    bezBledu({"utw\xF3rz plik \"" + dir.file("inny.tr1") + "\"", "odczyt wynik finansowy 1 1 50 x3",
              "odczyt rachunek rozliczeniowy 1 1 50 x4", "odczyt zdolno\x9C\xE6 produkcyjna 1 1 1 50 x5"});
    EXPECT_EQ(x(3), 0.0);
    EXPECT_EQ(x(4), 0.0);
    EXPECT_EQ(x(5), 0.0);
    // Opening an operator empties them as well.
    bezBledu({W + "dodaj 0 0", W + "symuluj 1", "wczytaj plik \"" + dir.file("OP.tr1") + "\"",
              "odczyt rachunek rozliczeniowy 1 1 50 x4"});
    EXPECT_EQ(x(4), 0.0);
}

TEST_F(Przypadki, AReusedNumberDoesNotReadTheDeletedNodesHistory) {
    bezBledu({W + "dodaj 0 0", W + "symuluj 1", W + "dodaj 0 0", W + "symuluj 2",
              "odczyt rachunek rozliczeniowy 2 1 50 x4"});
    ASSERT_NE(x(4), 0.0);
    bezBledu({W + "kasuj 1", W + "dodaj 0 0 x6", "odczyt rachunek rozliczeniowy 1 1 50 x3",
              "odczyt rachunek rozliczeniowy 2 1 50 x5"});
    EXPECT_EQ(x(6), 1.0);
    EXPECT_EQ(x(3), 0.0);
    EXPECT_EQ(x(5), x(4));  // the other node keeps its own
}

TEST_F(Przypadki, DecisionValueWordsAndInvestmentCells) {
    bezBledu({W + "dodaj 0 0"});
    ustaw(12, 3);
    struct Wiersz {
        std::string linia, pole, tekst;
    };
    const Wiersz wiersze[] = {
        {"zmiana cena alfa rok2 12", "cena_alfa_1", "12"},
        {"zmiana emisja akcji rok2 x12", "Emisja_Akcji_1", "3"},
        {"zmiana zlecenia gamma rok3 7.25", "zlec_gamma_2", "7,25"},
        {"zmiana zad\xB3u\xBF" "enie rok1 0.4", "zadluzenie_0", "0,4"},
    };
    for (const Wiersz& r : wiersze) {
        bezBledu({r.linia});
        EXPECT_EQ(*w->Formularz.Pole(r.pole), r.tekst) << r.linia;
    }
    // Any project word but "projekt2" keeps the odd column.
    bezBledu({"zmiana inwestycje beta rok2 projekt1 4", "zmiana inwestycje alfa rok3 inny 5"});
    EXPECT_EQ(w->Formularz.Siatka[2][3], "4");
    EXPECT_EQ(w->Formularz.Siatka[1][5], "5");
    // A product or year matching nothing writes no cell.
    const auto siatka = w->Formularz.Siatka;
    bezBledu({"zmiana inwestycje delta rok1 projekt1 1", "zmiana inwestycje alfa rok9 projekt1 1"});
    EXPECT_EQ(w->Formularz.Siatka, siatka);
}

TEST_F(Przypadki, NodeAndParentNumbersOfADeeperTree) {
    bezBledu({W + "dodaj 0 0", W + "symuluj 1", W + "dodaj 0 0", W + "dodaj 0 0", W + "dodaj 1 1 x9",
              W + "symuluj x9", "odczyt w\xEAze\xB3 x1", "odczyt ojciec x9 x2"});
    EXPECT_EQ(x(9), 4.0);
    EXPECT_EQ(x(1), 4.0);
    EXPECT_EQ(x(2), 1.0);
}

// ------------------------------------------------ the indicator refresh

class ZliczajaceWskazniki : public IndicatorWindow {
public:
    bool refreshAndEvaluate() override {
        ++wywolania;
        return oceniono;
    }
    bool oceniono = false;
    int wywolania = 0;
};

struct Odswiezanie : Przypadki {
    ZliczajaceWskazniki wsk;
    void SetUp() override {
        Przypadki::SetUp();
        w->Wskazniki = &wsk;
        bezBledu({W + "dodaj 0 0", W + "dodaj 0 0"});
        ustaw(91, 5);
    }
};

TEST_F(Odswiezanie, ACalledFileWithAnIndicatorSetsTheFirstYear) {
    wsk.oceniono = true;
    bezBledu({"call " + plik("c.roz", {"run", W + "symuluj 1"})});
    EXPECT_EQ(wsk.wywolania, 1);
    EXPECT_EQ(x(91), 2012.0);
    EXPECT_EQ(w->Wybrany, std::optional<int>(1));
}

TEST_F(Odswiezanie, WithoutAnIndicatorOrStepByStepX91Stays) {
    bezBledu({"call " + plik("c.roz", {"run", W + "symuluj 1"})});
    EXPECT_EQ(wsk.wywolania, 1);
    EXPECT_EQ(x(91), 5.0);
    wsk.oceniono = true;
    bezBledu({W + "symuluj 2"});  // the file pressed line by line
    EXPECT_EQ(wsk.wywolania, 1);
    EXPECT_EQ(x(91), 5.0);
}

}  // namespace
}  // namespace vesk::test
