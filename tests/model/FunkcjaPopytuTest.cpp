#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Rownania.h"

namespace vesk {
namespace {

long double v(const Real& r) { return r.value(); }

// Demand A = 0.5 per zl, B = 100 for every product; prices of year 1.
struct Popyt : ::testing::Test {
    ScriptedUserInterface okna;

    void przygotuj(Kontekst& k, long double cenaAlfa, long double cenaBeta, long double cenaGamma) {
        k.m.RokSymulacji = 1;
        for (int i = 1; i <= 3; ++i) {
            k.m.WspolczynnikiPopytuA[i] = 0.5L;
            k.m.WspolczynnikiPopytuB[i] = 100;
        }
        k.m.DecyzjeCen[1][1] = cenaAlfa;
        k.m.DecyzjeCen[1][2] = cenaBeta;
        k.m.DecyzjeCen[1][3] = cenaGamma;
    }
};

TEST_F(Popyt, LinearDemandFallsWithPriceAndStopsAtZero) {
    Kontekst k(okna);
    // Prices 0, 62.5 and 125 zl (stored divided by 1000).
    przygotuj(k, 0.0L, 0.0625L, 0.125L);
    k.m.WspolczynnikiPopytuB[3] = 62.5L;
    FunkcjaPopytu(k);
    EXPECT_EQ(v(k.m.Popyt[1]), 100.0L);  // price 0: B
    EXPECT_EQ(v(k.m.Popyt[2]), 68.75L);  // 100 - 0.5 * 62.5
    EXPECT_EQ(v(k.m.Popyt[3]), 0.0L);    // 62.5 - 0.5 * 125, exactly 0

    k.m.WspolczynnikiPopytuB[3] = 50;  // would be -12.5
    k.m.WspolczynnikiPopytuB[1] = -5;  // negative B at price 0
    FunkcjaPopytu(k);
    EXPECT_EQ(v(k.m.Popyt[3]), 0.0L);
    EXPECT_EQ(v(k.m.Popyt[1]), 0.0L);
    // The price of the running year counts.
    k.m.RokSymulacji = 2;
    k.m.DecyzjeCen[2][2] = 0.125L;
    FunkcjaPopytu(k);
    EXPECT_EQ(v(k.m.Popyt[2]), 37.5L);
    EXPECT_TRUE(okna.messages.empty());
}

TEST_F(Popyt, OtherFirstParametersKeepTheLinearForm) {
    for (std::vector<std::string> p : {std::vector<std::string>{"p", "2", "2", "100"},
                                       std::vector<std::string>{"P1", "2", "2", "100"},
                                       std::vector<std::string>{"/f", "drzewo.tr1"},
                                       std::vector<std::string>{"wolny"}}) {
        Kontekst k(okna, CommandLine(p));
        przygotuj(k, 0.0625L, 0.0625L, 0.0625L);
        FunkcjaPopytu(k);
        for (int i = 1; i <= 3; ++i) EXPECT_EQ(v(k.m.Popyt[i]), 68.75L) << p[0] << " product " << i;
    }
    EXPECT_TRUE(okna.messages.empty());
}

TEST_F(Popyt, PowerLawChangesOnlyAlfa) {
    // Demand 100 + 2 * price^2 at price 62.5: 100 + 2 * 3906.25.
    Kontekst k(okna, CommandLine({"P", "2", "2", "100"}));
    przygotuj(k, 0.0625L, 0.0625L, 0.0625L);
    FunkcjaPopytu(k);
    EXPECT_EQ(v(k.m.Popyt[1]), 7912.5L);
    EXPECT_EQ(v(k.m.Popyt[2]), 68.75L);
    EXPECT_EQ(v(k.m.Popyt[3]), 68.75L);
    EXPECT_TRUE(okna.messages.empty());

    // Price 0: B, and never below 0.
    k.m.DecyzjeCen[1][1] = 0;
    FunkcjaPopytu(k);
    EXPECT_EQ(v(k.m.Popyt[1]), 100.0L);
    k.m.WspolczynnikiPopytuB[1] = -5;
    FunkcjaPopytu(k);
    EXPECT_EQ(v(k.m.Popyt[1]), 0.0L);
}

TEST_F(Popyt, PowerLawNeverGoesNegative) {
    // 10 - 1 * price^1 at price 62.5.
    Kontekst k(okna, CommandLine({"P", "1", "-1", "10"}));
    przygotuj(k, 0.0625L, 0.0L, 0.0L);
    FunkcjaPopytu(k);
    EXPECT_EQ(v(k.m.Popyt[1]), 0.0L);
}

TEST_F(Popyt, InvalidNumbersKeepTheLinearFormAndSaySoOnce) {
    for (std::vector<std::string> p : {std::vector<std::string>{"P"}, std::vector<std::string>{"P", "2", "2"},
                                       std::vector<std::string>{"P", "x", "2", "100"},
                                       std::vector<std::string>{"P", "2", "2,5", "100"},
                                       std::vector<std::string>{"P", "2", "2", "100abc"},
                                       std::vector<std::string>{"P", "nan", "2", "100"},
                                       std::vector<std::string>{"P", "2", "inf", "100"},
                                       std::vector<std::string>{"P", "2", "1e999", "100"},
                                       std::vector<std::string>{"P", "2", "2", ""}}) {
        ScriptedUserInterface oknaTestu;
        Kontekst k(oknaTestu, CommandLine(p));
        przygotuj(k, 0.0625L, 0.0625L, 0.0625L);
        FunkcjaPopytu(k);
        FunkcjaPopytu(k);
        EXPECT_EQ(v(k.m.Popyt[1]), 68.75L) << p.size();
        EXPECT_EQ(oknaTestu.messages.size(), 1u) << p.size();
    }
}

TEST_F(Popyt, NumbersInEveryDecimalFormAreAccepted) {
    // 25 + 0.5 * 62.5^1.0 = 56.25.
    Kontekst k(okna, CommandLine({"P", "+1.0", ".5", "2.5E1"}));
    przygotuj(k, 0.0625L, 0.0L, 0.0L);
    FunkcjaPopytu(k);
    EXPECT_EQ(v(k.m.Popyt[1]), 56.25L);
    EXPECT_TRUE(okna.messages.empty());
}

TEST_F(Popyt, APowerWithoutAValueIsRefused) {
    // A negative price to the power 0.5 has no value; 62.5^2000 is too large.
    for (std::vector<std::string> p :
         {std::vector<std::string>{"P", "0.5", "1", "0"}, std::vector<std::string>{"P", "2000", "1", "0"}}) {
        ScriptedUserInterface oknaTestu;
        Kontekst k(oknaTestu, CommandLine(p));
        przygotuj(k, p[1] == "0.5" ? -0.0625L : 0.0625L, 0.0L, 0.0L);
        k.m.WspolczynnikiPopytuB[1] = 200;
        FunkcjaPopytu(k);
        FunkcjaPopytu(k);
        long double liniowy = p[1] == "0.5" ? 231.25L : 168.75L;
        EXPECT_EQ(v(k.m.Popyt[1]), liniowy) << p[1];
        EXPECT_EQ(oknaTestu.messages.size(), 1u) << p[1];
    }
}

}  // namespace
}  // namespace vesk
