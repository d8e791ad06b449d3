// Script variables: words of a line, declared names and their
// substitution, operands, the two value texts and setting from text.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "BladSkryptu.h"
#include "ZmienneSkryptu.h"

namespace vesk {
namespace {

using Rodzaj = BladSkryptu::Rodzaj;

// Runs f and gives the kind of the script error it raised; fails when none.
template <class F>
Rodzaj BladZ(F f) {
    try {
        f();
    } catch (const BladSkryptu& e) {
        return e.rodzaj();
    }
    ADD_FAILURE() << "no script error";
    return Rodzaj::NieLiczba;
}

TEST(Ekstrakcja_Stringa, WordsOfALine) {
    struct P {
        const char* linia;
        int N;
        const char* slowo;
    } przypadki[] = {
        {"zmiana cena alfa", 1, "zmiana"}, {"zmiana cena alfa", 3, "alfa"}, {"zmiana cena alfa", 4, ""},
        {"a,, b", 2, "b"},                 {"a,, b", 1, "a"},              {" zmiana cena", 1, ""},
        {" zmiana cena", 2, "zmiana"},     {",a", 2, "a"},                 {"", 1, ""},
        {"a b", 0, ""},                    {"a b", -1, ""},                {"a b  ", 3, ""},
    };
    for (const P& p : przypadki) EXPECT_EQ(Ekstrakcja_Stringa(p.linia, p.N), p.slowo) << p.linia << " / " << p.N;
}

TEST(Podstaw_Nazwy_Zmiennych, WholeWordsOnly) {
    Kontekst k;
    ASSERT_EQ(DeklarujZmienna(k, "zysk"), 1);
    struct P {
        const char* przed;
        const char* po;
    } przypadki[] = {
        {"przypisz zysk 5", "przypisz x1 5"},
        {"przypisz zyskowny 5", "przypisz zyskowny 5"},
        {"przypisz nowyzysk 5", "przypisz nowyzysk 5"},
        {"zysk,zysk", "x1,x1"},
        {"zysk", "x1"},
        {"zysk zysk zysk", "x1 x1 x1"},
    };
    for (const P& p : przypadki) EXPECT_EQ(Podstaw_Nazwy_Zmiennych(k, p.przed), p.po) << p.przed;
}

TEST(Podstaw_Nazwy_Zmiennych, LaterEntriesReplaceWhatEarlierOnesProduced) {
    Kontekst k;
    DeklarujZmienna(k, "a");
    DeklarujZmienna(k, "x1");
    EXPECT_EQ(Podstaw_Nazwy_Zmiennych(k, "przypisz a x1"), "przypisz x2 x2");
}

TEST(Podstaw_Nazwy_Zmiennych, EmptyNamesMatchNothingAndTheWalkStopsAtAFreeEntry) {
    Kontekst k;
    DeklarujZmienna(k, "");
    k.NazwyZmiennych[2] = {"x3", "b"};  // beyond the free entry 2
    EXPECT_EQ(Podstaw_Nazwy_Zmiennych(k, "a b "), "a b ");
}

TEST(DeklarujZmienna, ANewFileStartsAtEntryOneWhileValuesStay) {
    Kontekst k;
    EXPECT_EQ(DeklarujZmienna(k, "a"), 1);
    EXPECT_EQ(DeklarujZmienna(k, "b"), 2);
    EXPECT_EQ(k.NazwyZmiennych[1].Wewnetrzna, "x2");
    Ustaw_Zmienna(k, 1, "3");
    Ustaw_Zmienna(k, 2, "4");
    ZapomnijNazwyZmiennych(k);
    EXPECT_EQ(DeklarujZmienna(k, "c"), 1);
    EXPECT_EQ(k.NazwyZmiennych[1].Wewnetrzna, "");
    EXPECT_EQ(k.ZmienneSkryptu[0], 3.0);
    EXPECT_EQ(k.ZmienneSkryptu[1], 4.0);
}

TEST(DeklarujZmienna, TheHundredAndFirstIsAScriptError) {
    Kontekst k;
    for (int i = 1; i <= 100; ++i) ASSERT_EQ(DeklarujZmienna(k, "n" + std::to_string(i)), i);
    EXPECT_EQ(BladZ([&] { DeklarujZmienna(k, "za_duzo"); }), Rodzaj::BrakMiejscaNaNazwe);
    EXPECT_EQ(k.NazwyZmiennych[99].Uzytkownika, "n100");
}

TEST(PostacNaukowa, TwentyThreeCharactersWithAPoint) {
    struct P {
        double v;
        const char* tekst;
    } przypadki[] = {
        {1.5, " 1.50000000000000E+0000"},      {-0.025, "-2.50000000000000E-0002"},
        {0.0, " 0.00000000000000E+0000"},      {123456.0, " 1.23456000000000E+0005"},
        {-1.0, "-1.00000000000000E+0000"},     {1.0, " 1.00000000000000E+0000"},
        {0.1 + 0.2, " 3.00000000000000E-0001"}, {1e-300, " 1.00000000000000E-0300"},
        {-0.0, " 0.00000000000000E+0000"},
    };
    for (const P& p : przypadki) {
        EXPECT_EQ(PostacNaukowa(p.v), p.tekst) << p.v;
        EXPECT_EQ(PostacNaukowa(p.v).size(), 23u);
    }
    EXPECT_EQ(PostacNaukowa(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(PostacNaukowa(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(PostacNaukowa(std::nan("")), "NAN");
}

TEST(PostacOgolna, PlainOrExponentWithTheSeparator) {
    struct P {
        double v;
        const char* przecinek;
        const char* kropka;
    } przypadki[] = {
        {12.0, "12", "12"},
        {0.5, "0,5", "0.5"},
        {-1234.25, "-1234,25", "-1234.25"},
        {0.00005, "5E-5", "5E-5"},
        {1e20, "1E20", "1E20"},
        {0.0, "0", "0"},
        {0.0001, "0,0001", "0.0001"},
        {999999999999999.0, "999999999999999", "999999999999999"},
        {1e15, "1E15", "1E15"},
        {-1.25e-7, "-1,25E-7", "-1.25E-7"},
        {0.1 + 0.2, "0,3", "0.3"},
    };
    for (const P& p : przypadki) {
        EXPECT_EQ(PostacOgolna(p.v, ','), p.przecinek) << p.v;
        EXPECT_EQ(PostacOgolna(p.v, '.'), p.kropka) << p.v;
    }
    EXPECT_EQ(PostacOgolna(-std::numeric_limits<double>::infinity(), ','), "-INF");
}

TEST(Operandy, NumbersOfVariablesAndLiterals) {
    EXPECT_EQ(NumerZmiennejOperandu("x100"), 100);
    EXPECT_EQ(NumerZmiennejOperandu("x1"), 1);
    EXPECT_EQ(NumerZmiennejOperandu("x7a"), 7);  // reading stops at the first non-digit
    EXPECT_EQ(NumerZmiennejOperandu("12"), std::nullopt);
    EXPECT_EQ(NumerZmiennejOperandu("X5"), std::nullopt);
    EXPECT_EQ(NumerZmiennejOperandu(""), std::nullopt);
    for (const char* zle : {"x0", "x101", "xa", "x", "x-3", "x99999999999999999999"})
        EXPECT_EQ(BladZ([&] { NumerZmiennejOperandu(zle); }), Rodzaj::NumerZmiennej) << zle;
}

TEST(Operandy, AVariableIsReplacedByItsValueText) {
    Kontekst k;
    k.SeparatorDziesietny = ',';
    k.ZmienneSkryptu[99] = 2.5;
    EXPECT_EQ(PodstawOperand(k, "x100", PostacWartosci::Naukowa), " 2.50000000000000E+0000");
    EXPECT_EQ(PodstawOperand(k, "x100", PostacWartosci::Ogolna), "2,5");
    EXPECT_EQ(PodstawOperand(k, "rok1", PostacWartosci::Ogolna), "rok1");
}

TEST(Wartosc_Zmiennej, OutsideOneToHundredIsAScriptError) {
    Kontekst k;
    for (int N : {0, -1, 101}) {
        EXPECT_EQ(BladZ([&] { Wartosc_Zmiennej(k, N); }), Rodzaj::NumerZmiennej);
        EXPECT_EQ(BladZ([&] { Wartosc_Zmiennej_Tekst(k, N); }), Rodzaj::NumerZmiennej);
        EXPECT_EQ(BladZ([&] { Ustaw_Zmienna(k, N, "1"); }), Rodzaj::NumerZmiennej);
    }
}

TEST(Ustaw_Zmienna, ReadsNumbersAndRefusesTheRest) {
    Kontekst k;
    EXPECT_TRUE(Ustaw_Zmienna(k, 5, "   2.5"));
    EXPECT_EQ(k.ZmienneSkryptu[4], 2.5);
    EXPECT_TRUE(Ustaw_Zmienna(k, 5, "-1.5E+0002"));
    EXPECT_EQ(k.ZmienneSkryptu[4], -150.0);
    EXPECT_TRUE(Ustaw_Zmienna(k, 5, PostacNaukowa(0.1)));
    EXPECT_EQ(k.ZmienneSkryptu[4], 0.1);
    for (const char* zle : {"2,5", "12.5x", "-3x", "abc", "", "2.5 ", "inf"}) {
        EXPECT_EQ(BladZ([&] { Ustaw_Zmienna(k, 5, zle); }), Rodzaj::NieLiczba) << zle;
        EXPECT_EQ(k.ZmienneSkryptu[4], 0.1) << zle;
    }
    EXPECT_EQ(BladZ([&] { Ustaw_Zmienna(k, 5, "1e400"); }), Rodzaj::PozaZakresem);
    EXPECT_EQ(k.ZmienneSkryptu[4], 0.1);
}

TEST(BladSkryptu, TheExecutorAddsThePlace) {
    BladSkryptu e(Rodzaj::NumerZmiennej, "nie ma zmiennej x0");
    EXPECT_STREQ(e.what(), "nie ma zmiennej x0");
    e.UstawMiejsce("plan.txt", 12, "pokaz x0");
    EXPECT_STREQ(e.what(), "plan.txt:12: nie ma zmiennej x0");
    EXPECT_EQ(e.powod(), "nie ma zmiennej x0");
    EXPECT_EQ(e.wiersz(), "pokaz x0");
}

}  // namespace
}  // namespace vesk
