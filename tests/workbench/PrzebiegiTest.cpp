// The per-step histories against the operator files: another operator,
// opened or created through the menu, starts with none but its new root's;
// a failed or repeated open keeps them; a deleted node loses its own.
#include "OperacjeWezlow.h"
#include "PomocWarsztatu.h"

namespace vesk {
namespace {

struct HistorieWezlow : test::WarsztatTest {
    // Operator OP with node 1 under the root, both simulated; B a copy of it.
    void SetUp() override {
        WarsztatTest::SetUp();
        nowyOperator();
        wybierzNumer(0);
        w->Bazowy1Click();
        w->WyborWezlaDoEdycji();
        ASSERT_TRUE(w->dodanieweza1Click());
        ASSERT_TRUE(w->Symulowanie(1));
        dir.write("B.qad", dir.read("OP.qad"));
        dir.write("B.tr1", dir.read("OP.tr1"));
        ASSERT_TRUE(ma(0) && ma(1));
        ASSERT_FALSE(ma(2));
    }
    // Whether any of the node's four series holds a value.
    bool ma(int n) const {
        const Przebiegi& h = *k->Historia;
        for (int rok = 1; rok <= 3; ++rok)
            for (int p = 0; p <= 50; ++p) {
                if (h.Przebieg1[n][rok][p] != 0.0L || h.Przebieg2[n][rok][p] != 0.0L) return true;
                for (int wyrob = 1; wyrob <= 3; ++wyrob)
                    if (h.Przebieg3[wyrob][n][rok][p] != 0.0L || h.Przebieg4[wyrob][n][rok][p] != 0.0L) return true;
            }
        return false;
    }
};

TEST_F(HistorieWezlow, OpeningAnotherOperatorFromTheMenuEmptiesThemAll) {
    ui.files = {dir.file("B.tr1")};
    w->NowyPlik1Click();
    ASSERT_EQ(k->SciezkaOperatora, dir.folder() + "B.");
    for (int n : {0, 1}) EXPECT_FALSE(ma(n)) << n;
}

TEST_F(HistorieWezlow, CreatingAnOperatorKeepsOnlyItsNewRootsRun) {
    const long double koniecRoku = k->Historia->Przebieg2[0][3][50];
    k->Historia->Przebieg2[0][3][50] = 0;  // the new root's run writes it again
    ui.files = {dir.file("NOWY.tr1")};
    w->Nowy1Click();
    ASSERT_EQ(k->SciezkaOperatora, dir.folder() + "NOWY.");
    EXPECT_EQ(k->Historia->Przebieg2[0][3][50], koniecRoku);
    EXPECT_FALSE(ma(1));
}

TEST_F(HistorieWezlow, AnOpenThatFailsOrReopensTheSameOperatorKeepsThem) {
    const struct {
        const char* opis;
        std::vector<std::string> pliki;
    } t[] = {
        {"no state file", {dir.file("BRAK.tr1")}},
        {"dialog cancelled: the open operator again", {}},
        {"the open operator chosen", {dir.file("OP.tr1")}},
    };
    dir.write("BRAK.tr1", "d/r 0\r\n");
    for (const auto& c : t) {
        ui.files.assign(c.pliki.begin(), c.pliki.end());
        w->NowyPlik1Click();
        EXPECT_EQ(k->SciezkaOperatora, dir.folder() + "OP.") << c.opis;
        EXPECT_TRUE(ma(0) && ma(1)) << c.opis;
    }
}

TEST_F(HistorieWezlow, DeletingANodeTakesItsOwnAlong) {
    ASSERT_TRUE(w->KasowanieWezla(1));
    EXPECT_FALSE(ma(1));
    EXPECT_TRUE(ma(0));
    // Its number, free again, starts empty for the next node.
    wybierzNumer(0);
    w->Bazowy1Click();
    w->WyborWezlaDoEdycji();
    ASSERT_TRUE(w->dodanieweza1Click());
    EXPECT_EQ(w->Drzewo.Znajdz(1), 1);
    EXPECT_FALSE(ma(1));
}

}  // namespace
}  // namespace vesk
