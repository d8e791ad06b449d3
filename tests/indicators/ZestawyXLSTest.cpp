#include <gtest/gtest.h>

#include "Kontekst.h"
#include "TempDir.h"
#include "UserInterface.h"
#include "ZestawyXLS.h"

namespace vesk {
namespace {

TEST(ZestawyXLS, ShippedSetReadsAndBadFilesGiveTheirReason) {
    ScriptedUserInterface ui;
    Kontekst k{ui};
    k.KatalogProgramu = std::string(VESK_DATA_DIR) + "PROGRAM/";
    test::TempDir dir;
    auto z = UtworzZestawyXLS(k);
    TabelaWskaznikow t;
    EXPECT_EQ(z->Wczytaj(k.KatalogProgramu + "wskazniki-ogolne.xls", t), std::nullopt);
    EXPECT_FALSE(t.Komorka(2, 1).empty());
    // Missing and corrupt workbooks: a reason, the table kept.
    dir.write("zly.xls", "to nie jest skoroszyt");
    for (const std::string& plik : {dir.folder() + "brak.xls", dir.folder() + "zly.xls"}) {
        TabelaWskaznikow u = t;
        auto blad = z->Wczytaj(plik, u);
        ASSERT_TRUE(blad.has_value()) << plik;
        EXPECT_FALSE(blad->empty());
        EXPECT_EQ(u.Komorka(2, 1), t.Komorka(2, 1));
    }
    EXPECT_EQ(z->PlikRegul(dir.folder(), "wskazniki-ogolne", "nie ma takiego"), std::nullopt);
}

}  // namespace
}  // namespace vesk
