#include "PaskiProduktu.h"

#include <gtest/gtest.h>

#include <memory>

#include "PomocWskaznikow.h"

namespace vesk {
namespace {

TEST(PaskiProduktuTest, ParametersRangesAndPositions) {
    auto k = std::make_unique<Kontekst>();
    auto r = std::make_unique<StanModelu>();
    for (int i = 1; i <= 54; ++i) k->Zakresy[i] = {10 * i, 10 * i + 5000};
    // Beta: prices 2.5, 3.0004, 0.001 (thousands), orders 300, 99999, 140.
    const long double ceny[] = {2.5L, 3.0004L, 0.001L}, zlecenia[] = {300, 99999, 140};
    for (std::size_t y = 0; y < 3; ++y) {
        r->zapis().setReal48(2840 + 18 * y + 6, ceny[y]);
        r->zapis().setReal48(2784 + 18 * y + 6, zlecenia[y]);
    }
    const auto p = PaskiProduktu(*k, *r, 1);
    struct Oczekiwany {
        int k, rok;
        bool cena;
        std::int32_t wartosc, pozycja;
    };
    const Oczekiwany o[] = {
        {4, 1, true, 2500, 2500},  {13, 1, false, 300, 300},       {5, 2, true, 3000, 3000},
        {14, 2, false, 99999, 5140}, {6, 3, true, 1, 60},          {15, 3, false, 140, 150},
    };
    for (std::size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(p[i].k, o[i].k);
        EXPECT_EQ(p[i].Rok, o[i].rok);
        EXPECT_EQ(p[i].Cena, o[i].cena);
        EXPECT_EQ(p[i].Zakres, k->Zakresy[o[i].k]);
        EXPECT_EQ(p[i].Wartosc, o[i].wartosc);
        EXPECT_EQ(p[i].Pozycja, o[i].pozycja);
    }
    EXPECT_EQ(OpisZmianyPaska(p[3], 1, "2016", "250"), test::P("Zamówienia Beta [2016] na: 250"));
    EXPECT_EQ(OpisZmianyPaska(p[0], 1, "2015", "2600"), "Ceny Beta [2015] na: 2600");
}

}  // namespace
}  // namespace vesk
