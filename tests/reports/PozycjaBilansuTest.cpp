// Balance-sheet read-outs: the cells after the closing step, read on a copy
// of the record, the year row and the cells outside the grid.
#include "PozycjaBilansu.h"

#include <gtest/gtest.h>

#include "BilansZNiedoborem.h"
#include "PolaRoku.h"
#include "Real48.h"

namespace vesk {
namespace {

using namespace pola;

struct Bilans : ::testing::Test {
    StanModelu r;
    Bilans() { test::BilansZNiedoborem(r); }
};

TEST_F(Bilans, NegativeCashReadsZeroAndLowersReceivablesOnACopy) {
    const StanModelu przed = r;
    EXPECT_EQ(KomorkaBilansu(r, 15, 2), 0.0);
    EXPECT_EQ(KomorkaBilansu(r, 14, 2), 6.5);
    EXPECT_EQ(WartoscBilansu(r, 15, 1, 2), 0.0);
    EXPECT_EQ(WartoscBilansu(r, 14, 1, 2), 6.5);
    for (int kolumna : {1, 3}) {
        EXPECT_EQ(KomorkaBilansu(r, 15, kolumna), 6.0);
        EXPECT_EQ(KomorkaBilansu(r, 14, kolumna), 10.0);
    }
    EXPECT_EQ(r, przed);
}

TEST_F(Bilans, AfterClosingEquityLongTermAndShortTermMakeTheTotal) {
    for (int rok = 1; rok <= 3; ++rok) {
        const int kolumna = rok + 3;
        EXPECT_EQ(KomorkaBilansu(r, 1, kolumna) + KomorkaBilansu(r, 8, kolumna) + KomorkaBilansu(r, 11, kolumna),
                  KomorkaBilansu(r, 14, kolumna))
            << rok;
        EXPECT_EQ(KomorkaBilansu(r, 12, kolumna), 15.0);  // payables absorbed the shortfall of 5
        EXPECT_EQ(KomorkaBilansu(r, 1, kolumna), WartoscBilansu(r, 1, 2, rok));
    }
}

TEST_F(Bilans, RowZeroHoldsTheCalendarYears) {
    const double lata[] = {2009.0, 2010.0, 2011.0};
    for (int rok = 1; rok <= 3; ++rok) {
        EXPECT_EQ(KomorkaBilansu(r, 0, rok), lata[rok - 1]);
        EXPECT_EQ(KomorkaBilansu(r, 0, rok + 3), lata[rok - 1]);
    }
    r.UstawRok(2015);
    EXPECT_EQ(KomorkaBilansu(r, 0, 1), 2012.0);
    EXPECT_EQ(WartoscBilansu(r, 0, 1, 1), BrakWartosci);
}

TEST_F(Bilans, CellsOutsideTheGridGiveMinusThousand) {
    struct P {
        int wiersz, kolumna;
    } poza[] = {{1, 0}, {1, 7}, {0, 0}, {-1, 1}, {17, 1}, {15, 4}, {16, 6}, {15, 5}};
    for (const P& p : poza) EXPECT_EQ(KomorkaBilansu(r, p.wiersz, p.kolumna), BrakWartosci) << p.wiersz << "/" << p.kolumna;
    EXPECT_NE(KomorkaBilansu(r, 16, 3), BrakWartosci);
    EXPECT_NE(KomorkaBilansu(r, 14, 6), BrakWartosci);
    EXPECT_EQ(WartoscBilansu(r, 15, 2, 1), BrakWartosci);
    EXPECT_EQ(WartoscBilansu(r, 17, 1, 1), BrakWartosci);
    EXPECT_EQ(WartoscBilansu(r, 1, 3, 1), BrakWartosci);
}

TEST_F(Bilans, TheLossIsNegatedOnlyInTheLanguagesNumbering) {
    EXPECT_EQ(KomorkaBilansu(r, 7, 5), 2.5);
    EXPECT_EQ(WartoscBilansu(r, 7, 2, 2), -2.5);
}

TEST_F(Bilans, ASumBeyondTheSixByteRealIsARangeError) {
    Zapis(r, SrodkiTrwale, 1, real48Max());
    Zapis(r, InwestycjeRozpoczete, 1, real48Max());
    EXPECT_THROW(KomorkaBilansu(r, 1, 1), Real48Error);
    EXPECT_EQ(WartoscBilansu(r, 1, 1, 1), static_cast<double>(2.0L * real48Max()));
}

}  // namespace
}  // namespace vesk
