// The costs report over the shipped templates: which item stands where in
// the two column groups and on the page, a longer template, and the one
// noisy value under "wolny".
#include "RaportKOS.h"

#include <gtest/gtest.h>

#include "CommandLine.h"
#include "PomocRaportow.h"
#include "SprawdzHtml.h"

namespace vesk {
namespace {

using namespace pola;
using test::Grupa;
using test::KomorkiHtml;
using test::LinieWyniku;
using test::SrodowiskoRaportu;

using S = std::vector<std::string>;

// Each item holds 100 x (its number in the list below) + year, so that
// every printed value names its item and year.
const std::vector<PoleRoku>& Pozycje() {
    static const std::vector<PoleRoku> p = {
        KosztyWytworzenia, ElementPola(KosztyOperacyjneWyrobu, 1), ElementPola(KosztyOperacyjneWyrobu, 2),
        ElementPola(KosztyOperacyjneWyrobu, 3), ZuzycieMaterialow, ElementPola(ZuzycieMaterialowRoku, 1),
        ElementPola(ZuzycieMaterialowRoku, 2), ElementPola(ZuzycieMaterialowRoku, 3), WynagrodzeniaISwiadczenia,
        ElementPola(WynagrodzeniaWydzialu, 1), ElementPola(WynagrodzeniaWydzialu, 2),
        ElementPola(WynagrodzeniaWydzialu, 3), Amortyzacja, ElementPola(AmortyzacjaWydzialu, 1),
        ElementPola(AmortyzacjaWydzialu, 2), ElementPola(AmortyzacjaWydzialu, 3), UslugiObce,
        ElementPola(UslugiObceWydzialu, 1), ElementPola(UslugiObceWydzialu, 2), ElementPola(UslugiObceWydzialu, 3),
        PodatkiIOplaty, KosztyFinansowe, KosztySprzedanychProduktow, ElementPola(KosztSprzedanychRoku, 1),
        ElementPola(KosztSprzedanychRoku, 2), ElementPola(KosztSprzedanychRoku, 3)};
    return p;
}

std::string Liczba(int pozycja, int rok, const char* miejsca = ".0") {
    return std::to_string(100 * pozycja + rok) + miejsca;
}
S Rok123(int pozycja, const char* miejsca = ".0") {
    return {Liczba(pozycja, 1, miejsca), Liczba(pozycja, 2, miejsca), Liczba(pozycja, 3, miejsca)};
}

struct Koszty : SrodowiskoRaportu {
    Koszty() {
        for (std::size_t i = 0; i < Pozycje().size(); ++i)
            for (int y = 1; y <= 3; ++y) ustaw(Pozycje()[i], y, 100.0L * static_cast<long double>(i + 1) + y);
    }
    std::vector<std::string> tekst() const { return LinieWyniku(wyjscie("firma.KOS")); }
    std::vector<std::string> strona() const { return LinieWyniku(wyjscie("firma.KOS.html")); }
};

TEST(RaportKOS, EveryItemStandsOnItsLineAndInItsGroup) {
    Koszty z;
    ASSERT_TRUE(Raport_KOS(z.k));
    EXPECT_FALSE(z.k.FlagiWynikow.KOS);
    auto t = z.tekst();
    ASSERT_EQ(t.size(), 36u);
    // Line 12: year 1 of the production costs at 31-38, year 3 of depreciation at 108-115.
    EXPECT_EQ(t[12 - 1].substr(30, 8), "   101.0");
    EXPECT_EQ(t[12 - 1].substr(107, 8), "  1303.0");
    // Text line, left item, right item (0: the template's text).
    const int wiersze[][3] = {{12, 1, 13},  {14, 2, 14},  {15, 3, 15},  {16, 4, 16}, {19, 5, 17},
                              {21, 6, 18},  {22, 7, 19},  {23, 8, 20},  {25, 9, 21}, {27, 10, 22},
                              {28, 11, 0},  {29, 12, 0},  {30, 0, 23},  {32, 0, 24}, {33, 0, 25}, {34, 0, 26}};
    auto wzorzec = LinieWyniku(z.tmp.file("TABWZOR/QAD.KOS"));
    for (const auto& w : wiersze) {
        SCOPED_TRACE(w[0]);
        const std::string& l = t[static_cast<std::size_t>(w[0] - 1)];
        const std::string& szablon = wzorzec[static_cast<std::size_t>(w[0] - 1)];
        if (w[1] != 0) EXPECT_EQ(Grupa(l, 31), Rok123(w[1]));
        else EXPECT_EQ(l.substr(0, 60), szablon.substr(0, 60));
        if (w[2] != 0) EXPECT_EQ(Grupa(l, 88), Rok123(w[2]));
        else EXPECT_EQ(l.substr(60), szablon.substr(60));
    }
    EXPECT_EQ(test::Pole(t[9 - 1], 33, 5), "2009");
    EXPECT_EQ(test::Pole(t[9 - 1], 110, 5), "2011");
}

TEST(RaportKOS, ThePageShowsOneItemPerRowInItsOrder) {
    Koszty z;
    ASSERT_TRUE(Raport_KOS(z.k));
    auto h = z.strona();
    ASSERT_EQ(h.size(), 53u);
    EXPECT_EQ(test::SprawdzHtml(z.tmp.read("OPER/firma.KOS.html")), "");
    EXPECT_EQ(KomorkiHtml(h[18 - 1]), (S{"2009", "2010", "2011"}));
    const int linie[] = {19, 21, 22, 23, 25, 27, 28, 29, 30, 32, 33, 34, 35,
                         37, 38, 39, 40, 42, 43, 44, 45, 46, 47, 49, 50, 51};
    for (std::size_t i = 0; i < std::size(linie); ++i)
        EXPECT_EQ(KomorkiHtml(h[static_cast<std::size_t>(linie[i] - 1)]), Rok123(static_cast<int>(i + 1), ".00"))
            << linie[i];
    auto wzorzec = LinieWyniku(z.tmp.file("TABWZOR/QAD.KOS.HTML"));
    for (int n : {20, 24, 26, 31, 36, 41, 48, 52, 53}) EXPECT_EQ(h[static_cast<std::size_t>(n - 1)], wzorzec[static_cast<std::size_t>(n - 1)]) << n;
}

TEST(RaportKOS, AFiftyThreeLineTemplateStillGivesThirtySixTextLines) {
    Koszty z;
    auto l = LinieWyniku(z.tmp.file("TABWZOR/QAD.KOS"));
    l.resize(53, "linia czytana, nie pisana");
    std::string s;
    for (auto& x : l) s += x + "\r\n";
    z.tmp.write("TABWZOR/QAD.KOS", s);
    ASSERT_TRUE(Raport_KOS(z.k));
    auto t = z.tekst();
    ASSERT_EQ(t.size(), 36u);
    EXPECT_EQ(t.back(), l[35]);
}

TEST(RaportKOS, WolnyShiftsOnlyYearThreeOfDepreciation) {
    Koszty z;
    ASSERT_TRUE(Raport_KOS(z.k));
    auto dokladnyTekst = z.tekst();
    auto dokladnaStrona = z.strona();
    const StanModelu przed = z.k.RekordBiezacy;

    z.k.Parametry = CommandLine({"wolny"});
    z.k.FlagiWynikow.KOS = true;
    ASSERT_TRUE(Raport_KOS(z.k));
    auto t = z.tekst();
    auto h = z.strona();
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (i == 12 - 1) continue;
        EXPECT_EQ(t[i], dokladnyTekst[i]) << i + 1;
    }
    for (std::size_t i = 0; i < h.size(); ++i) {
        if (i == 35 - 1) continue;
        EXPECT_EQ(h[i], dokladnaStrona[i]) << i + 1;
    }
    // Everything of line 12 but the right group's third field, and the first two cells of page line 35.
    EXPECT_EQ(t[12 - 1].substr(0, 107), dokladnyTekst[12 - 1].substr(0, 107));
    auto c = KomorkiHtml(h[35 - 1]);
    EXPECT_EQ(c[0], "1301.00");
    EXPECT_EQ(c[1], "1302.00");
    for (double v : {std::stod(t[12 - 1].substr(107, 8)), std::stod(c[2])}) {
        EXPECT_GE(v, 1303.0 - 2.0 - 1e-9);
        EXPECT_LE(v, 1303.0 + 1.99 + 1e-9);
    }
    EXPECT_EQ(z.k.RekordBiezacy.bajty, przed.bajty);
}

TEST(RaportKOS, TheEntryWritesNothingWhileNotPending) {
    Koszty z;
    z.k.FlagiWynikow.KOS = false;
    EXPECT_FALSE(Raport_KOS(z.k));
    EXPECT_FALSE(std::filesystem::exists(z.wyjscie("firma.KOS")));
    EXPECT_FALSE(std::filesystem::exists(z.wyjscie("firma.KOS.html")));
}

}  // namespace
}  // namespace vesk
