// The report file of the indicator window with a fixed clock, and the
// diagnosis file.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "IndicatorReport.h"
#include "PomocWskaznikow.h"
#include "TempDir.h"

namespace vesk {
namespace {

using test::Chwila;
using test::kKreska;
using test::P;

TEST(ReportFile, NameAndLines) {
    test::TempDir d;
    ScriptedUserInterface ui;
    std::vector<std::string> decyzje;
    IndicatorReport raport(
        d.folder(),
        [&](const std::string& plik) {
            decyzje.push_back(plik);
            return true;
        },
        ui, Chwila);
    EXPECT_EQ(raport.NazwaRaportu("C:\\zestawy\\wskazniki-ogolne.xls", Chwila()),
              d.folder() + "wskazniki-ogolne.2012-02-14 10-22-33.rap");
    IndicatorReport o("/o/", {}, ui, Chwila);
    EXPECT_EQ(o.NazwaRaportu("/dane/wskazniki-ogolne.xls", Chwila()), "/o/wskazniki-ogolne.2012-02-14 10-22-33.rap");

    EXPECT_TRUE(raport.RaportZamkniety());
    ASSERT_TRUE(raport.Rozpocznij("/dane/wskazniki-ogolne.xls", "/o/" + P("reguły-ROE.clp"), {"==> a", "==> b"}));
    EXPECT_FALSE(raport.RaportZamkniety());
    ASSERT_EQ(decyzje.size(), 1u);
    EXPECT_EQ(decyzje[0], raport.Plik());
    EXPECT_TRUE(raport.Pisz("dalej"));
    raport.Zamknij();
    raport.Zamknij();  // once only
    EXPECT_TRUE(raport.RaportZamkniety());
    EXPECT_FALSE(raport.Pisz("po zamknieciu"));
    EXPECT_EQ(d.read("wskazniki-ogolne.2012-02-14 10-22-33.rap"),
              "\r\n" + kKreska + "\r\nKorzystam z bazy wska\x9Fnik\xF3w: /dane/wskazniki-ogolne.xls\r\n" + kKreska +
                  "\r\nkorzystam z bazy regu\xB3: /o/regu\xB3y-ROE.clp\r\n==> a\r\n==> b\r\ndalej\r\n");
    EXPECT_TRUE(ui.messages.empty());
}

TEST(ReportFile, TwoStartsInOneSecondTwoFiles) {
    test::TempDir d;
    ScriptedUserInterface ui;
    bool decyzje = false;  // the decisions report fails: one line says so
    IndicatorReport raport(d.folder(), [&](const std::string&) { return decyzje; }, ui, Chwila);
    ASSERT_TRUE(raport.Rozpocznij("w.xls", "", {}));
    const std::string pierwszy = raport.Plik();
    ASSERT_TRUE(raport.Rozpocznij("w.xls", "", {"==> x"}));
    EXPECT_EQ(raport.Plik(), d.folder() + "w.2012-02-14 10-22-33 (2).rap");
    raport.Zamknij();
    EXPECT_EQ(d.read("w.2012-02-14 10-22-33.rap").rfind("Nie utworzono raportu zmiennych decyzyjnych\r\n\r\n", 0), 0u);
    EXPECT_NE(d.read("w.2012-02-14 10-22-33 (2).rap").find("==> x\r\n"), std::string::npos);
    EXPECT_EQ(d.read("w.2012-02-14 10-22-33.rap").find("==> x"), std::string::npos);
}

// The report is a file made new: whatever has its name (a link to a file,
// to a device, to nothing, a second name of a file) is passed over for the
// next name and left as it was.
TEST(ReportFile, ANameTakenByALinkIsPassedOver) {
    test::TempDir d;
    ScriptedUserInterface ui;
    const std::string rap = d.file("w.2012-02-14 10-22-33.rap"), cel = d.file("cel.txt");
    const std::function<void()> poloz[] = {
        [&] { std::filesystem::create_symlink(cel, rap); },
        [&] { std::filesystem::create_symlink("/dev/null", rap); },
        [&] { std::filesystem::create_symlink(d.file("brak/cel.txt"), rap); },
        [&] { std::filesystem::create_hard_link(cel, rap); },
    };
    for (std::size_t i = 0; i < std::size(poloz); ++i) {
        d.write("cel.txt", "moje");
        poloz[i]();
        IndicatorReport raport(d.folder(), {}, ui, Chwila);
        ASSERT_TRUE(raport.Rozpocznij("w.xls", "", {"==> x"})) << i;
        EXPECT_EQ(raport.Plik(), d.file("w.2012-02-14 10-22-33 (2).rap")) << i;
        raport.Zamknij();
        EXPECT_EQ(d.read("cel.txt"), "moje") << i;
        EXPECT_FALSE(std::filesystem::exists(d.file("brak"))) << i;
        EXPECT_TRUE(ui.messages.empty()) << i;
        std::filesystem::remove(rap);
        std::filesystem::remove(d.file("w.2012-02-14 10-22-33 (2).rap"));
    }
}

TEST(ReportFile, UnwritableFolderIsOneMessageAndNoReport) {
    ScriptedUserInterface ui;
    IndicatorReport raport("/dev/null/", {}, ui, Chwila);
    EXPECT_FALSE(raport.Rozpocznij("w.xls", "", {"==> x"}));
    EXPECT_TRUE(raport.RaportZamkniety());
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_FALSE(raport.Pisz("x"));
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST(DiagnosisFile, LinesOrEmpty) {
    test::TempDir d;
    ScriptedUserInterface ui;
    EXPECT_EQ(PlikDiagnozy("/o/", "C:\\z\\wskazniki-ogolne.xls"), "/o/wskazniki-ogolne.txt");
    ASSERT_TRUE(ZapiszDiagnoze(d.folder(), "/z/w.xls", {"==> a", "==> b"}, ui));
    EXPECT_EQ(d.read("w.txt"), "==> a\r\n==> b\r\n");
    // The user is told where the file went.
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Zapisano diagnoz\xEA do pliku " + d.folder() + "w.txt");
    ASSERT_TRUE(ZapiszDiagnoze(d.folder(), "/z/w.xls", {}, ui));
    EXPECT_EQ(d.read("w.txt"), "");
    EXPECT_FALSE(ZapiszDiagnoze("/dev/null/", "/z/w.xls", {"x"}, ui));
    EXPECT_EQ(ui.messages.size(), 3u);
}

}  // namespace
}  // namespace vesk
