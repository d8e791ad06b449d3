#include "Pomocnicze.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "Deklaracje.h"
#include "Konsola.h"
#include "TempDir.h"

namespace vesk {
namespace {

TEST(Pomocnicze, TrimsRemoveBlanksOnly) {
    EXPECT_EQ(UsunSpacjeKoncowe("   "), "");
    EXPECT_EQ(UsunSpacjeKoncowe(""), "");
    EXPECT_EQ(UsunSpacjeKoncowe("a  b  "), "a  b");
    EXPECT_EQ(UsunSpacjeKoncowe("a\t"), "a\t");
    EXPECT_EQ(UsunSpacjeKoncowe("  a"), "  a");
    EXPECT_EQ(UsunSpacjePoczatkowe("   "), "");
    EXPECT_EQ(UsunSpacjePoczatkowe("  a b "), "a b ");
    EXPECT_EQ(UsunSpacjePoczatkowe("\ta"), "\ta");
}

TEST(Pomocnicze, NadpiszTekstNeverLengthensTheLine) {
    std::string line = "0123456789";
    NadpiszTekst(line, "abcde", 8);
    EXPECT_EQ(line, "0123456abc");
    line = "0123456789";
    NadpiszTekst(line, "abcde", 11);
    EXPECT_EQ(line, "0123456789");
    NadpiszTekst(line, "", 3);
    EXPECT_EQ(line, "0123456789");
    NadpiszTekst(line, "ab", 1);
    EXPECT_EQ(line, "ab23456789");
    NadpiszTekst(line, "zz", 0);
    EXPECT_EQ(line, "ab23456789");
    std::string empty;
    NadpiszTekst(empty, "abc", 1);
    EXPECT_EQ(empty, "");
}

TEST(Pomocnicze, LiczbaNaTekstWidensForLongNumbers) {
    EXPECT_EQ(LiczbaNaTekst(2012, 3), "2012");
    EXPECT_EQ(LiczbaNaTekst(7, 3), "  7");
    EXPECT_EQ(LiczbaNaTekst(-5, 3), " -5");
    EXPECT_EQ(LiczbaNaTekst(0, 0), "0");
    EXPECT_EQ(LiczbaNaTekst(-2147483647 - 1, 3), "-2147483648");
}

TEST(Pomocnicze, RealNaTekstRoundsOnTheDecimalExpansion) {
    EXPECT_EQ(RealNaTekst(-3.14159L, 8, 1), "    -3.1");
    EXPECT_EQ(RealNaTekst(2.25L, 5, 1), "  2.3");  // printf would give 2.2
    EXPECT_EQ(RealNaTekst(0.0L, 9, 2), "     0.00");
    EXPECT_EQ(RealNaTekst(123456.7L, 3, 1), "123456.7");
    EXPECT_EQ(RealNaTekst(2012.0L, 5, 0), " 2012");
    EXPECT_EQ(RealNaTekst(0.5L, 3, 0), "  1");
    EXPECT_EQ(RealNaTekst(9.96L, 6, 1), "  10.0");
    EXPECT_EQ(RealNaTekst(99.95L, 1, 1), "100.0");  // 99.95 in binary is 99.9500000000000000x
    EXPECT_EQ(RealNaTekst(0.004L, 6, 2), "  0.00");
    EXPECT_EQ(RealNaTekst(0.005L, 6, 2), "  0.01");
    EXPECT_EQ(RealNaTekst(-0.04L, 6, 1), "   0.0");  // no minus before a printed zero
    EXPECT_EQ(RealNaTekst(123456789.5L, 8, 1), "123456789.5");
    EXPECT_EQ(RealNaTekst(1.0E30L, 0, 0), "1000000000000000000000000000000");
    EXPECT_EQ(RealNaTekst(0.000123L, 0, 4), "0.0001");
    EXPECT_EQ(RealNaTekst(-12.5L, 8, 1), "   -12.5");
}

TEST(Pomocnicze, MaxMinRealGiveTheSecondOnTies) {
    EXPECT_EQ(static_cast<long double>(Max_Real(1.0L, 1.0L)), 1.0L);
    EXPECT_EQ(static_cast<long double>(Max_Real(2.0L, 1.0L)), 2.0L);
    EXPECT_EQ(static_cast<long double>(Max_Real(-2.0L, 1.0L)), 1.0L);
    EXPECT_EQ(static_cast<long double>(Min_Real(2.0L, 1.0L)), 1.0L);
    EXPECT_EQ(static_cast<long double>(Min_Real(-2.0L, 1.0L)), -2.0L);
}

TEST(Pomocnicze, IstniejePlikSeesFilesNotFolders) {
    test::TempDir dir;
    dir.write("ro.txt", "x");
    std::filesystem::permissions(dir.file("ro.txt"), std::filesystem::perms::owner_read);
    EXPECT_TRUE(IstniejePlik(dir.file("ro.txt")));
    EXPECT_TRUE(IstniejePlik(dir.file("RO.TXT")));
    EXPECT_FALSE(IstniejePlik(dir.folder()));
    EXPECT_FALSE(IstniejePlik(dir.file("none.txt")));
}

TEST(Pomocnicze, PathHelpers) {
    EXPECT_EQ(WyodrebnijKatalog("C:\\a\\b.tr1"), "C:\\a\\");
    EXPECT_EQ(WyodrebnijKatalog("b.tr1"), "");
    EXPECT_EQ(WyodrebnijNazwePliku("C:\\a\\b.tr1"), "b.tr1");
    EXPECT_EQ(WyodrebnijNazwePliku("b.tr1"), "b.tr1");
    EXPECT_EQ(WyodrebnijNazwePliku("C:\\a\\"), "");
}

TEST(Pomocnicze, NodeNumberTextThatIsNotANumberIsRefused) {
    int n = -1;
    EXPECT_TRUE(NumerZTekstu("12", n));
    EXPECT_EQ(n, 12);
    EXPECT_TRUE(NumerZTekstu(" 0 ", n));
    EXPECT_EQ(n, 0);
    EXPECT_FALSE(NumerZTekstu("", n));
    EXPECT_FALSE(NumerZTekstu("1a", n));
    EXPECT_FALSE(NumerZTekstu("abc", n));
    EXPECT_FALSE(NumerZTekstu("-1", n));
    EXPECT_FALSE(NumerZTekstu("256", n));
    EXPECT_EQ(n, 0);
}

TEST(Konsola, FixedAnswers) {
    EXPECT_EQ(Wysrodkuj("abc", 5), "abc");
    EXPECT_EQ(Wysrodkuj("abcdef", 4), "abcd");
    EXPECT_EQ(Spacje(10), "");
    EXPECT_EQ(CzytajKlawisz(), 32);
    EXPECT_TRUE(NacisnietoKlawisz());
    EXPECT_EQ(OstatniKlawisz(), 0);
    EXPECT_EQ(MenuWyboru(), 0);
}

TEST(Deklaracje, DefaultInvestmentVariants) {
    ZmienneModelu m;
    DomyslneWariantyInwestycji(m);
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(m.WariantyInwestycji[r].Rodzaj, 0);
        EXPECT_GT(static_cast<long double>(m.WariantyInwestycji[r].OkresKredytu), 0.0L);
    }
    for (int r = 4; r < 8; ++r) {
        EXPECT_EQ(m.WariantyInwestycji[r].Rodzaj, 1);
        EXPECT_EQ(static_cast<long double>(m.WariantyInwestycji[r].OkresKredytu), 0.0L);
    }
    EXPECT_EQ(static_cast<long double>(m.WariantyInwestycji[2].Koszt), 7.5L);
    EXPECT_EQ(static_cast<long double>(m.WariantyInwestycji[7].Zdolnosc), 40.0L);
}

}  // namespace
}  // namespace vesk
