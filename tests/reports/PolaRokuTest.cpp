// The record fields the reports read are spelt in reports/PolaRoku.h; the
// record's field map is the authority. Every field named there must be the
// map's field of the same name at the same offset.
#include "PolaRoku.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "MapaRekordu.h"

namespace vesk {
namespace {

TEST(PolaRoku, EveryReportFieldIsTheRecordMapsFieldOfThatName) {
    std::ifstream in(std::string(VESK_SOURCE_DIR) + "reports/PolaRoku.h");
    ASSERT_TRUE(in);
    std::string tekst((std::istreambuf_iterator<char>(in)), {});
    // Declarations read: PoleRoku Name{"Name", 1234};
    int pol = 0;
    const std::string znacznik = "PoleRoku ";
    for (auto i = tekst.find(znacznik); i != std::string::npos; i = tekst.find(znacznik, i + 1)) {
        auto klamra = tekst.find('{', i);
        auto cudzyslow = tekst.find('"', klamra);
        auto koniecNazwy = tekst.find('"', cudzyslow + 1);
        auto przecinek = tekst.find(',', koniecNazwy);
        if (klamra == std::string::npos || cudzyslow != klamra + 1 || przecinek == std::string::npos) continue;
        const std::string zmienna = tekst.substr(i + znacznik.size(), klamra - i - znacznik.size());
        const std::string nazwa = tekst.substr(cudzyslow + 1, koniecNazwy - cudzyslow - 1);
        const std::size_t offset = std::stoul(tekst.substr(przecinek + 1));
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
