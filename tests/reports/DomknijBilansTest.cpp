// The closing step of the balance sheet on a record in memory.
#include "DomknijBilans.h"

#include <gtest/gtest.h>

#include <cmath>

#include "PolaRoku.h"
#include "Real48.h"

namespace vesk {
namespace {

using namespace pola;

void UstawWszystkie(StanModelu& r, PoleRoku p, long double v) {
    for (int y = 1; y <= 3; ++y) Zapis(r, p, y, v);
}

// Equity 50, long-term 20, payables 10, overdraft 5 against a total of 100.
StanModelu RekordZNiedoborem() {
    StanModelu r;
    UstawWszystkie(r, SumaPasywow, 100.0L);
    UstawWszystkie(r, KapitalWlasny, 50.0L);
    UstawWszystkie(r, ZobowiazaniaDlugoterminowe, 20.0L);
    UstawWszystkie(r, Zobowiazania, 10.0L);
    UstawWszystkie(r, KredytSanacyjny, 5.0L);
    UstawWszystkie(r, Naleznosci, 10.0L);
    UstawWszystkie(r, RachunekRozliczeniowy, 2.0L);
    return r;
}

TEST(DomknijBilans, NegativeCashIsFoldedIntoReceivablesAndZeroOrPositiveCashIsLeftAlone) {
    StanModelu r = RekordZNiedoborem();
    Zapis(r, RachunekRozliczeniowy, 1, 0.0L);
    Zapis(r, RachunekRozliczeniowy, 2, -3.5L);
    DomknijBilans(r);
    EXPECT_EQ(Odczyt(r, RachunekRozliczeniowy, 1), 0.0L);
    EXPECT_EQ(Odczyt(r, Naleznosci, 1), 10.0L);
    EXPECT_EQ(Odczyt(r, RachunekRozliczeniowy, 2), 0.0L);
    EXPECT_EQ(Odczyt(r, Naleznosci, 2), 6.5L);
    EXPECT_EQ(Odczyt(r, RachunekRozliczeniowy, 3), 2.0L);
    EXPECT_EQ(Odczyt(r, Naleznosci, 3), 10.0L);
}

TEST(DomknijBilans, TheShortfallIsStoredAndAddedToPayablesSoTheLiabilitiesBalance) {
    StanModelu r = RekordZNiedoborem();
    Zapis(r, SumaPasywow, 3, 80.0L);  // an excess: the item is negative
    DomknijBilans(r);
    EXPECT_EQ(Odczyt(r, PozostaleWplywyRoku, 1), 15.0L);
    EXPECT_EQ(Odczyt(r, Zobowiazania, 1), 25.0L);
    EXPECT_EQ(Odczyt(r, PozostaleWplywyRoku, 3), -5.0L);
    EXPECT_EQ(Odczyt(r, Zobowiazania, 3), 5.0L);
    for (int y = 1; y <= 3; ++y)
        EXPECT_EQ(Odczyt(r, KapitalWlasny, y) + Odczyt(r, ZobowiazaniaDlugoterminowe, y) + Odczyt(r, Zobowiazania, y) +
                      Odczyt(r, KredytSanacyjny, y),
                  Odczyt(r, SumaPasywow, y));
}

TEST(DomknijBilans, ASecondApplicationStoresAZeroItemAndChangesNothingElse) {
    StanModelu r = RekordZNiedoborem();
    // Values off the decimal grid, so that rounding to 6 bytes takes part.
    Zapis(r, SumaPasywow, 2, 91.37L);
    Zapis(r, KapitalWlasny, 2, 33.3L);
    Zapis(r, ZobowiazaniaDlugoterminowe, 2, 12.7L);
    Zapis(r, Zobowiazania, 2, 0.1L);
    Zapis(r, KredytSanacyjny, 2, 7.77L);
    DomknijBilans(r);
    long double suma = Odczyt(r, KapitalWlasny, 2) + Odczyt(r, ZobowiazaniaDlugoterminowe, 2) +
                       Odczyt(r, Zobowiazania, 2) + Odczyt(r, KredytSanacyjny, 2);
    EXPECT_NEAR(static_cast<double>(suma), 91.37, 1e-9);
    const long double zobowiazania = Odczyt(r, Zobowiazania, 2);

    DomknijBilans(r);
    for (int y = 1; y <= 3; ++y) EXPECT_NEAR(static_cast<double>(Odczyt(r, PozostaleWplywyRoku, y)), 0.0, 1e-10);
    EXPECT_NEAR(static_cast<double>(Odczyt(r, Zobowiazania, 2)), static_cast<double>(zobowiazania), 1e-10);
    EXPECT_EQ(Odczyt(r, Zobowiazania, 1), 25.0L);
}

TEST(DomknijBilans, AResultTheRecordCannotHoldLeavesTheRecordAsItWas) {
    StanModelu r = RekordZNiedoborem();
    Zapis(r, RachunekRozliczeniowy, 1, -1.0L);  // folded before the failure
    Zapis(r, SumaPasywow, 3, real48Max());
    Zapis(r, KapitalWlasny, 3, -real48Max());
    const StanModelu przed = r;
    EXPECT_THROW(DomknijBilans(r), Real48Error);
    EXPECT_TRUE(r == przed);
}

}  // namespace
}  // namespace vesk
