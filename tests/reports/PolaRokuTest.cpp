// The record fields the reports read are spelt in reports/PolaRoku.h; the
// record's field map is the authority. Every field named there must be the
// map's field of the same name at the same offset.
#include "PolaRoku.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "MapaRekordu.h"

namespace vesk {
namespace {

TEST(PolaRoku, EveryReportFieldIsTheRecordMapsFieldOfThatName) {
    std::ifstream in(std::string(VESK_SOURCE_DIR) + "reports/PolaRoku.h");
    ASSERT_TRUE(in);
    std::string tekst((std::istreambuf_iterator<char>(in)), {});
    std::regex wzor(R"re(PoleRoku\s+(\w+)\{"(\w+)",\s*(\d+)\})re");
    int pol = 0;
    for (auto it = std::sregex_iterator(tekst.begin(), tekst.end(), wzor); it != std::sregex_iterator(); ++it) {
        const std::string zmienna = (*it)[1], nazwa = (*it)[2];
        const std::size_t offset = std::stoul((*it)[3]);
        ++pol;
        EXPECT_EQ(zmienna, nazwa);
        bool znalezione = false;
        for (const PoleWyniku& p : MapaWynikowRoku()) {
            if (p.rodzaj != RodzajWyniku::Wielkosc || nazwa != p.wielkosc.nazwa) continue;
            if (p.offset == offset) znalezione = true;
        }
        EXPECT_TRUE(znalezione) << nazwa << " at " << offset << " is not the record map's field";
    }
    EXPECT_GT(pol, 50);
}

}  // namespace
}  // namespace vesk
