// The decision variables' labels and units.
#include <gtest/gtest.h>

#include "PomocWskaznikow.h"
#include "ZmienneDecyzyjne.h"

namespace vesk {
namespace {

using test::P;

TEST(DecisionVariables, LabelsCarryTheNodesYears) {
    const auto e = EtykietyZmiennych(2015);
    const struct {
        int i;
        const char* etykieta;
    } t[] = {{0, "Cena Alfa [2015]"},          {2, "Cena Alfa [2017]"},
             {9, "Zamówienia Alfa [2015]"},    {14, "Zamówienia Beta [2017]"},
             {29, "Dywidenda [2017]"},         {35, "Emisja akcji [2017]"},
             {36, "Inwestycje Alfa [2015,I]"}, {37, "Inwestycje Alfa [2015,II]"},
             {38, "Inwestycje Alfa [2016,I]"}, {53, "Inwestycje Gamma [2017,II]"}};
    for (const auto& c : t) EXPECT_EQ(e[static_cast<std::size_t>(c.i)], P(c.etykieta)) << c.i;
}

TEST(DecisionVariables, Units) {
    const struct {
        int k;
        const char* jednostka;
    } t[] = {{0, ""}, {1, "zł"}, {9, "zł"}, {10, "tys. szt./rok"}, {27, "tys. szt./rok"}, {28, "%"},
             {33, "%"}, {34, "mln szt."}, {36, "mln szt."}, {37, "nr projektu"}, {54, "nr projektu"}, {55, ""}};
    for (const auto& c : t) EXPECT_EQ(JednostkaZmiennej(c.k), P(c.jednostka)) << c.k;
}

}  // namespace
}  // namespace vesk
