// The balance verbs: the read-outs stored into script variables, the value
// for a cell outside the grid, the loss negated only in the language's
// numbering and a cell beyond the 6-byte real stopping the script.
#include <gtest/gtest.h>

#include "BilansZNiedoborem.h"
#include "BladSkryptu.h"
#include "Odczyty.h"
#include "PolaRoku.h"
#include "Real48.h"

namespace vesk {
namespace {

using namespace pola;

struct Bilans : ::testing::Test {
    Kontekst k;
    StanModelu& r = k.RekordBiezacy;
    Bilans() { test::BilansZNiedoborem(r); }
};

TEST_F(Bilans, ReadingTheBalanceLeavesTheRecordForTheCashFlow) {
    const StanModelu przed = r;
    EXPECT_TRUE(Pozycja_Bilansu(k, 15, 2, "x1"));
    EXPECT_TRUE(_bilans(k, 15, 1, 2, "x2"));
    EXPECT_EQ(k.ZmienneSkryptu[0], 0.0);
    EXPECT_EQ(k.ZmienneSkryptu[1], 0.0);
    EXPECT_EQ(r, przed);
    // A later read-out does not depend on the balance read first.
    EXPECT_EQ(WartoscCashFlow(r, 15, 2), -3.5);
}

TEST_F(Bilans, CellsOutsideTheGridStoreMinusThousand) {
    EXPECT_TRUE(Pozycja_Bilansu(k, 1, 7, "x3"));
    EXPECT_EQ(k.ZmienneSkryptu[2], BrakWartosci);
    EXPECT_TRUE(_bilans(k, 15, 2, 1, "x4"));
    EXPECT_EQ(k.ZmienneSkryptu[3], BrakWartosci);
}

TEST_F(Bilans, TheLossIsNegatedOnlyInTheLanguagesNumbering) {
    EXPECT_TRUE(_bilans(k, 7, 2, 2, "x1"));
    EXPECT_TRUE(Odczyt_Bilans(k, 7, 5, "x2"));
    EXPECT_EQ(k.ZmienneSkryptu[0], -2.5);
    EXPECT_EQ(k.ZmienneSkryptu[0], -k.ZmienneSkryptu[1]);
    EXPECT_FALSE(_bilans(k, 7, 2, 2, "x101"));
    EXPECT_FALSE(Pozycja_Bilansu(k, 7, 5, "x0"));
}

TEST_F(Bilans, ASumBeyondTheSixByteRealIsAScriptError) {
    Zapis(r, SrodkiTrwale, 1, real48Max());
    Zapis(r, InwestycjeRozpoczete, 1, real48Max());
    try {
        Pozycja_Bilansu(k, 1, 1, "x1");
        FAIL() << "no error";
    } catch (const BladSkryptu& e) {
        EXPECT_EQ(e.rodzaj(), BladSkryptu::Rodzaj::PozaZakresem);
    }
    EXPECT_EQ(k.ZmienneSkryptu[0], 0.0);
}

}  // namespace
}  // namespace vesk
