#include <gtest/gtest.h>

#include "ExpertSession.h"
#include "TempDir.h"
#include "ZestawyXLS.h"

namespace vesk {
namespace {

TEST(ZestawyXLS, ShippedSetReadsAndBadFilesGiveTheirReason) {
    const std::string program = std::string(VESK_DATA_DIR) + "PROGRAM/";
    test::TempDir dir;
    auto z = UtworzZestawyXLS();
    TabelaWskaznikow t = z->read(program + "wskazniki-ogolne.xls");
    EXPECT_FALSE(t.Komorka(2, 1).empty());
    // Missing and corrupt workbooks: a reason; the workbook held stays.
    dir.write("zly.xls", "to nie jest skoroszyt");
    for (const std::string& plik : {dir.folder() + "brak.xls", dir.folder() + "zly.xls"}) {
        try {
            z->read(plik);
            ADD_FAILURE() << plik;
        } catch (const std::exception& e) {
            EXPECT_FALSE(std::string(e.what()).empty());
        }
    }
    z->write(dir.folder() + "kopia.xls", t);
    EXPECT_EQ(z->read(dir.folder() + "kopia.xls").Komorka(2, 1), t.Komorka(2, 1));
    EXPECT_EQ(resolveRuleFile(dir.folder(), "", "wskazniki-ogolne", "nie ma takiego"), std::nullopt);
}

}  // namespace
}  // namespace vesk
