// Command-line text: the normaliser, the strip, text to number and the
// decimals a value needs.
#include <gtest/gtest.h>

#include "BladSkryptu.h"
#include "Pomocnicze.h"
#include "Real48.h"
#include "TekstWiersza.h"
#include "ZmienneSkryptu.h"

namespace vesk {
namespace {

using Rodzaj = BladSkryptu::Rodzaj;

template <class F>
Rodzaj BladZ(F f) {
    try {
        f();
    } catch (const BladSkryptu& e) {
        return e.rodzaj();
    }
    ADD_FAILURE() << "no script error";
    return Rodzaj::NumerZmiennej;
}

TEST(Normalizuj_Wiersz, IndentationAndLowerCase) {
    struct P {
        std::string linia, wciecie, wiersz;
    } przypadki[] = {
        {"   IF Greater_ X1 2", "   ", "if greater_ x1 2"},
        {"\xA3\xD3" "D\x8F", "", "\xB3\xF3" "d\x9F"},  // ŁÓDŹ -> łódź
        {"\x8CWIAT", "", "\x8Cwiat"},                 // ŚWIAT -> Świat: Ś stays
        {"\xA5\xC6\xCA\xD1\xAF", "", "\xB9\xE6\xEA\xF1\xBF"},  // ĄĆĘŃŻ
        {"\trun", " ", "run"},
        {"\x01 \r\n", "    ", ""},
        {"", "", ""},
        {"Ab  ", "", "ab  "},
        {"\xC4\xDC", "", "\xC4\xDC"},  // other languages' capitals stay
    };
    for (const P& p : przypadki) {
        WierszZnormalizowany w = Normalizuj_Wiersz(p.linia);
        EXPECT_EQ(w.Wciecie, p.wciecie) << p.linia;
        EXPECT_EQ(w.Wiersz, p.wiersz) << p.linia;
    }
}

TEST(UsunZnakiPrzedRozkazem, LeadingCharactersOutsideTheStartSet) {
    struct P {
        std::string linia, wynik;
    } przypadki[] = {
        {"'rem uwaga", "rem uwaga"}, {"\x9C" "abc", "abc"}, {"(\"#)", ""},  {"(if x1", "if x1"},
        {"\xB3\xF3" "d", "\xB3\xF3" "d"}, {"\xBF" "aba", "aba"}, {"-1", "-1"}, {"", ""},
        {"*/+", "*/+"}, {"\xB9", "\xB9"}, {"\xEA", "\xEA"}, {" \tx", "x"},
    };
    for (const P& p : przypadki) EXPECT_EQ(UsunZnakiPrzedRozkazem(p.linia), p.wynik) << p.linia;
    int wZbiorze = 0;
    for (int c = 0; c < 256; ++c) wZbiorze += ZnakPoczatkuRozkazu(static_cast<unsigned char>(c));
    EXPECT_EQ(wZbiorze, 69);
}

TEST(Tekst_Na_Real, NumbersRoundedToTheSixByteReal) {
    EXPECT_EQ(Tekst_Na_Real("2.5"), 2.5L);
    EXPECT_EQ(Tekst_Na_Real(PostacNaukowa(1.5)), 1.5L);
    EXPECT_EQ(Tekst_Na_Real("1e3"), 1000.0L);
    EXPECT_EQ(Tekst_Na_Real("  -4"), -4.0L);
    EXPECT_EQ(Tekst_Na_Real("1e-40"), 0.0L);
    EXPECT_EQ(Tekst_Na_Real("0.1"), roundToReal48(0.1L));
    // Two texts differing beyond the 6-byte precision compare equal.
    EXPECT_EQ(Tekst_Na_Real("1.0000000000001"), Tekst_Na_Real("1"));
}

TEST(Tekst_Na_Real, WhatIsNotANumberIsAScriptError) {
    for (const char* zle : {"abc", "12.5x", "2,5", "", "x1"})
        EXPECT_EQ(BladZ([&] { Tekst_Na_Real(zle); }), Rodzaj::NieLiczba) << zle;
    EXPECT_EQ(BladZ([] { Tekst_Na_Real("1e39"); }), Rodzaj::PozaZakresem);
    try {
        Tekst_Na_Real("12.5x");
    } catch (const BladSkryptu& e) {
        EXPECT_NE(std::string(e.what()).find("12.5x"), std::string::npos);
    }
}

TEST(Liczba_Miejsc_Dziesietnych, FewestDecimalsNotEndingInZero) {
    struct P {
        long double v;
        int miejsca;
    } przypadki[] = {
        {7.0L, 0}, {2.5L, 1}, {-0.75L, 2}, {1000.0L, 0}, {0.1L, 18}, {1.0L / 3.0L, 18}, {0.25L, 2}, {0.0L, 0},
    };
    for (const P& p : przypadki) EXPECT_EQ(Liczba_Miejsc_Dziesietnych(p.v), p.miejsca) << static_cast<double>(p.v);
    EXPECT_EQ(BladZ([] { Liczba_Miejsc_Dziesietnych(1e39L); }), Rodzaj::PozaZakresem);
}

TEST(PostacStala, FixedBelowTenToTheThirtySixthScientificFromThere) {
    EXPECT_EQ(PostacStala(2.5L, 8, 2), RealNaTekst(2.5L, 8, 2));
    EXPECT_EQ(PostacStala(-1234.5L, 5, 0), RealNaTekst(-1234.5L, 5, 0));
    EXPECT_EQ(PostacStala(1e37L, 5, 2), "1.00000000000000000E+0037");
    EXPECT_EQ(PostacStala(-1e36L, 30, 2), "    -1.00000000000000000E+0036");
}

}  // namespace
}  // namespace vesk
