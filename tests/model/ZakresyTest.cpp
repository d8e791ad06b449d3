#include "Zakresy.h"

#include <gtest/gtest.h>

#include "FileSystem.h"
#include "TempDir.h"
#include "Zerowanie.h"

namespace vesk {
namespace {

std::vector<std::string> dobreWiersze(int n) {
    std::vector<std::string> lines;
    for (int i = 1; i <= n; ++i) lines.push_back(std::to_string(i) + ";" + std::to_string(i) + ";" + std::to_string(10 * i));
    return lines;
}

TEST(WierszZakresu, FieldsBetweenFirstAndLastSemicolon) {
    struct Case {
        const char* line;
        bool ok;
        std::int32_t min, max;
    } cases[] = {
        {"7;-5;10", true, -5, 10},
        {"1;0;800", true, 0, 800},
        {"x;+3;4", true, 3, 4},                       // the index is not read
        {";-2147483648;2147483647", true, INT32_MIN, INT32_MAX},
        {"1;2;3;4", false, 0, 0},                     // "2;3" is not a number
        {"1;5", false, 0, 0},                         // one ";" only
        {"1;;5", false, 0, 0},                        // empty minimum
        {"1;5;", false, 0, 0},                        // empty maximum
        {"1; 5;6", false, 0, 0},                      // no blanks in fields
        {"1;5;2147483648", false, 0, 0},              // beyond 32 bits
        {"1;1.5;2", false, 0, 0},
        {"", false, 0, 0},
    };
    for (const auto& c : cases) {
        auto z = CzytajWierszZakresu(c.line);
        EXPECT_EQ(z.has_value(), c.ok) << c.line;
        if (z && c.ok) {
            EXPECT_EQ(z->first, c.min) << c.line;
            EXPECT_EQ(z->second, c.max) << c.line;
        }
    }
}

TEST(Zakresy, ThirdLineSetsParameterThreeWhateverItsIndex) {
    auto lines = dobreWiersze(54);
    lines[2] = "7;-5;10";
    Zakresy_t z;
    EXPECT_TRUE(CzytajZakresy(lines, z).empty());
    EXPECT_EQ(z[3], std::make_pair(-5, 10));
    EXPECT_EQ(z[7], std::make_pair(7, 70));
    EXPECT_EQ(z[54], std::make_pair(54, 540));
}

TEST(Zakresy, BadAndMissingLinesAreNamedAndGoodLinesKept) {
    auto lines = dobreWiersze(53);
    lines[4] = "5;abc;3";
    Zakresy_t z;
    z.fill({9, 9});
    auto zle = CzytajZakresy(lines, z);
    EXPECT_EQ(zle, (std::vector<int>{5, 54}));
    EXPECT_EQ(z[5], std::make_pair(0, 0));
    EXPECT_EQ(z[54], std::make_pair(0, 0));
    EXPECT_EQ(z[53], std::make_pair(53, 530));
}

TEST(Zakresy, LinesAfterTheLastParameterAreIgnored) {
    auto lines = dobreWiersze(60);
    lines[58] = "garbage";
    Zakresy_t z;
    EXPECT_TRUE(CzytajZakresy(lines, z).empty());
}

struct PlikZakresowTest : ::testing::Test {
    test::TempDir dir;
    ScriptedUserInterface ui;
    std::unique_ptr<Kontekst> k = std::make_unique<Kontekst>(ui);
};

TEST_F(PlikZakresowTest, MissingFileGivesOneMessageNamingItAndZeroRanges) {
    k->Zakresy.fill({4, 4});
    EXPECT_FALSE(WczytajZakresy(*k, dir.file("zakresy.txt")));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("zakresy.txt: brak pliku lub folderu"), std::string::npos) << ui.messages[0];
    for (auto& r : k->Zakresy) EXPECT_EQ(r, std::make_pair(0, 0));
    EXPECT_FALSE(ui.endRequested);
}

TEST_F(PlikZakresowTest, ShortFileGivesOneMessageNamingTheMissingLine) {
    std::string text;
    for (auto& l : dobreWiersze(53)) text += l + "\r\n";
    dir.write("zakresy.txt", text);
    EXPECT_FALSE(WczytajZakresy(*k, dir.file("zakresy.txt")));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("53"), std::string::npos) << ui.messages[0];
    EXPECT_EQ(k->Zakresy[53], std::make_pair(0, 0));  // a line lost may have shifted those read
}

TEST_F(PlikZakresowTest, BadLineIsNamed) {
    auto lines = dobreWiersze(54);
    lines[11] = "12;;";
    std::string text;
    for (auto& l : lines) text += l + "\n";
    dir.write("zakresy.txt", text);
    EXPECT_FALSE(WczytajZakresy(*k, dir.file("zakresy.txt")));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("wiersz 12"), std::string::npos) << ui.messages[0];
}

// A teacher's comment above the lines shifts each by one: no range in
// force, and the message says what a line must hold and so.
TEST_F(PlikZakresowTest, ACommentLinePutsNoRangeInForce) {
    std::string text = "# ceny dla grupy 3\r\n";
    for (int i = 1; i <= LiczbaZakresow; ++i) text += std::to_string(i) + (i <= 9 ? ";100;450\r\n" : ";0;800\r\n");
    dir.write("zakresy.txt", text);
    EXPECT_FALSE(WczytajZakresy(*k, dir.file("zakresy.txt")));
    ASSERT_EQ(ui.messages.size(), 1u);
    for (const char* part : {"zakresy.txt: b\xB3\xEA" "dny wiersz 1 !\n", "numer;minimum;maksimum",
                             "nie obowi\xB9zuje \xBF" "aden zakres"})
        EXPECT_NE(ui.messages[0].find(part), std::string::npos) << part << "\n" << ui.messages[0];
    for (int i = 1; i <= LiczbaZakresow; ++i) EXPECT_EQ(k->Zakresy[i], std::make_pair(0, 0)) << i;
}

// The shipped ranges, in the decision form's units, hold the default
// decision of a new operator and never collapse to one value.
TEST_F(PlikZakresowTest, ShippedRangesHoldTheDefaultDecision) {
    ASSERT_TRUE(WczytajZakresy(*k, std::string(VESK_SOURCE_DATA_DIR) + "PROGRAM/zakresy.txt"));
    EXPECT_TRUE(ui.messages.empty());
    for (int i = 1; i <= LiczbaZakresow; ++i) EXPECT_LT(k->Zakresy[i].first, k->Zakresy[i].second) << i;

    DomyslneDecyzje(*k);
    const auto& m = k->m;
    auto holds = [&](int parameter, long double value) {
        EXPECT_LE(k->Zakresy[parameter].first, value) << parameter;
        EXPECT_GE(k->Zakresy[parameter].second, value) << parameter;
    };
    for (int rok = 1; rok <= 3; ++rok) {
        for (int i = 1; i <= 3; ++i) {
            int n = (rok - 1) * 3 + i;
            holds(n, static_cast<long double>(m.DecyzjeCen[rok][i]) * 1000.0L);
            holds(9 + n, m.DecyzjeProdukcji[rok][i]);
            holds(18 + n, m.DecyzjeZakupuSurowcow[rok][i]);
        }
        holds(27 + rok, static_cast<long double>(m.UdzialDywidendyZwyklej[rok]) * 100.0L);
        holds(30 + rok, static_cast<long double>(m.DecyzjeZadluzenia[rok]) * 100.0L);
        holds(33 + rok, m.EmisjaAkcji[rok]);
    }
    for (int n = 37; n <= 54; ++n) holds(n, 0);
}

}  // namespace
}  // namespace vesk
