// Indicator sets in real workbooks: the texts cells give, a save that
// keeps the rest of the workbook, and a failed save.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "CodePage.h"
#include "FileSystem.h"
#include "PomocWskaznikow.h"
#include "TempDir.h"
#include "XLSIndicatorSetStore.h"

namespace vesk {
namespace {

using test::P;

// A set file: the title row and the rows given as texts of columns A..O.
void ZapiszZestaw(const std::string& path, const std::vector<std::vector<std::string>>& wiersze) {
    TXLSMini xls;
    TSheet& s = xls.Sheets().Items(0);
    for (std::size_t r = 0; r < wiersze.size(); ++r)
        for (std::size_t c = 0; c < wiersze[r].size(); ++c)
            s.SetAsString(static_cast<int>(c), static_cast<int>(r), cp1250ToUtf16(wiersze[r][c]));
    xls.Filename = path;
    xls.Write();
}

TEST(WorkbookSet, CellTextsByType) {
    test::TempDir d;
    {
        TXLSMini xls;
        TSheet& s = xls.Sheets().Items(0);
        s.SetAsString(0, 0, u"nazwa");
        s.SetAsString(0, 1, u"pierwszy");
        s.AddFloat(13, 1, 1.25, 15);
        s.AddFloat(14, 1, 1e20, 15);
        s.AddFloat(2, 1, 0.1 + 0.2, 15);
        s.SetAsString(1, 2, u"bez nazwy");  // row 2 has no A cell
        s.AddBoolean(2, 2, 1, 15);
        s.AddBoolean(3, 2, 0, 15);
        const std::uint8_t tokens[] = {0x24, 0, 0, 0, 0xC0, 0x24, 0, 0, 1, 0xC0, 0x03};  // A1+B1
        s.AddNumberFormula(4, 2, 5, 15, tokens, sizeof tokens);
        s.AddError(5, 2, 2, 15);
        s.AddBlank(6, 2, 15);
        xls.Filename = d.file("typy.xls");
        xls.Write();
    }
    XLSIndicatorSetStore store;
    const TabelaWskaznikow t = store.read(d.file("typy.xls"));
    EXPECT_EQ(t.Komorka(2, 14), "1.25");
    EXPECT_EQ(t.Komorka(2, 15), "1E20");
    EXPECT_EQ(t.Komorka(2, 3), "0.3");
    EXPECT_EQ(t.Komorka(3, kol::Nazwa), " ");
    EXPECT_EQ(t.Komorka(3, 3), "TRUE");
    EXPECT_EQ(t.Komorka(3, 4), "FALSE");
    EXPECT_EQ(t.Komorka(3, 5), "A1+B1=5");
    EXPECT_EQ(t.Komorka(3, 6), " ");
    EXPECT_EQ(t.Komorka(3, 7), " ");
    EXPECT_EQ(t.Komorka(2, 2), " ");  // inside the used range, no cell
}

TEST(WorkbookSet, SaveReadBackKeepsTheRest) {
    test::TempDir d;
    {
        TXLSMini xls;
        TSheet& s = xls.Sheets().Items(0);
        s.SetAsString(0, 0, u"nazwa");
        s.SetAsString(0, 1, u"ROE");
        s.SetAsString(15, 1, u"kolumna P");
        s.SetAsString(0, 2, u"");  // an empty name ends the list
        s.SetAsString(0, 5, u"dalszy wiersz");
        xls.Sheets().Add().SetAsString(0, 0, u"inny arkusz");
        xls.Filename = d.file("a.xls");
        xls.Write();
    }
    XLSIndicatorSetStore store;
    ZestawWskaznikow z(store);
    ScriptedUserInterface ui;
    ASSERT_TRUE(WczytajZestaw(z, d.file("a.xls"), ui));
    EXPECT_EQ(z.Tabela.Nazwy(), std::vector<std::string>{"ROE"});
    IndicatorDef w;
    w.Licznik.Pierwsza = PozycjaWskaznika{"Bilans", P("Należności krótkoterminowe")};
    w.Mianownik.Pierwsza = PozycjaWskaznika{"Bilans", "Aktywa razem"};
    w.Relacja = "x<>";
    w.T1 = "0.1";
    w.T2 = "0.4";
    ui.inputs = {P("udział należności")};
    ASSERT_TRUE(DodajWskaznik(z, w, ui));

    XLSIndicatorSetStore drugi;
    const TabelaWskaznikow t = drugi.read(d.file("a.xls"));
    EXPECT_EQ(t.Komorka(3, kol::Nazwa), P("udział należności"));
    EXPECT_EQ(t.Komorka(3, kol::PozycjaLicznika1), P("Należności krótkoterminowe"));
    EXPECT_EQ(t.Komorka(3, kol::Relacja), "x<>");
    EXPECT_EQ(t.Komorka(3, kol::Prog2), "0.4");
    EXPECT_EQ(t.Komorka(3, kol::Nieuzywana), "");  // an empty string cell
    EXPECT_EQ(t.Komorka(6, kol::Nazwa), "dalszy wiersz");
    ASSERT_GE(drugi.Workbook().Sheets().Count(), 2);
    EXPECT_EQ(drugi.Workbook().Sheets().Items(1).AsString(0, 0), u"inny arkusz");
    EXPECT_EQ(drugi.Workbook().Sheets().Items(0).AsString(15, 1), u"kolumna P");
}

TEST(WorkbookSet, FailedSaveLeavesTheTargetAndTheSet) {
    test::TempDir d;
    ZapiszZestaw(d.file("a.xls"), {{"nazwa"}, {"ROE"}});
    const std::string przed = d.read("a.xls");
    XLSIndicatorSetStore store;
    ZestawWskaznikow z(store);
    ScriptedUserInterface ui;
    ASSERT_TRUE(WczytajZestaw(z, d.file("a.xls"), ui));
    IndicatorDef w;
    w.Licznik.Pierwsza = PozycjaWskaznika{"Bilans", "A"};
    w.Mianownik.Pierwsza = PozycjaWskaznika{"Bilans", "B"};
    ui.inputs = {std::string("nowy")};
    setFileFault([](std::string_view step) { return step == "create"; });
    const bool dodany = DodajWskaznik(z, w, ui);
    setFileFault({});
    EXPECT_FALSE(dodany);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(d.read("a.xls"), przed);
    EXPECT_EQ(z.Tabela.Nazwy(), std::vector<std::string>{"ROE"});
    // The rolled-back row is not in the workbook either: saving as writes
    // the set without it.
    ASSERT_TRUE(ZapiszZestawJako(z, d.file("b.xls"), ui));
    EXPECT_EQ(XLSIndicatorSetStore().read(d.file("b.xls")).Komorka(3, kol::Nazwa), "");
}

TEST(WorkbookSet, CorruptFileKeepsTheSet) {
    test::TempDir d;
    ZapiszZestaw(d.file("a.xls"), {{"nazwa"}, {"ROE"}});
    d.write("zly.xls", std::string(600, 'x'));
    XLSIndicatorSetStore store;
    ZestawWskaznikow z(store);
    ScriptedUserInterface ui;
    ASSERT_TRUE(WczytajZestaw(z, d.file("a.xls"), ui));
    // Not a file another program holds: what is wrong is said once, no retry.
    EXPECT_FALSE(WczytajZestaw(z, d.file("zly.xls"), ui));
    EXPECT_TRUE(ui.questions.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find(d.file("zly.xls")), std::string::npos) << ui.messages[0];
    EXPECT_EQ(z.Tabela.Nazwy(), std::vector<std::string>{"ROE"});
    EXPECT_EQ(z.Plik, d.file("a.xls"));
    EXPECT_EQ(store.Workbook().Sheets().Items(0).AsString(0, 1), u"ROE");
}

TEST(WorkbookSet, NeverReadSetIsWrittenAsBiff8) {
    test::TempDir d;
    XLSIndicatorSetStore store;
    ZestawWskaznikow z(store);
    ScriptedUserInterface ui;
    // A name typed is written as spelt: the user's Nowy.xls is another file.
    d.write("Nowy.xls", "moje");
    ASSERT_TRUE(ZapiszZestawJako(z, d.file("nowy.xls"), ui));
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(d.read("Nowy.xls"), "moje");
    XLSIndicatorSetStore drugi;
    drugi.read(d.file("nowy.xls"));
    EXPECT_EQ(drugi.Workbook().ReadVersion(), xvExcel97);
}

}  // namespace
}  // namespace vesk

namespace vesk {
namespace {

TEST(WorkbookSet, OldFormatSetIsRefusedWithAMessage) {
    const std::string stary = std::string(VESK_SOURCE_DIR) + "fuzz/corpus/XLSWriter/biff2.xls";
    test::TempDir d;
    XLSIndicatorSetStore store;
    ZestawWskaznikow z(store);
    ScriptedUserInterface ui;
    ASSERT_TRUE(WczytajZestaw(z, stary, ui));
    EXPECT_FALSE(ZapiszZestawJako(z, d.file("nowy.xls"), ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("2.1/3.0"), std::string::npos) << ui.messages[0];
    EXPECT_FALSE(fileExists(d.file("nowy.xls")));
}

}  // namespace
}  // namespace vesk

namespace vesk {
namespace {

TEST(WorkbookSet, EmptyWorkbookGetsOurTitlesOnAdding) {
    test::TempDir d;
    {
        TXLSMini xls;
        xls.Filename = d.file("pusty.xls");
        xls.Write();
    }
    XLSIndicatorSetStore store;
    ZestawWskaznikow z(store);
    ScriptedUserInterface ui;
    ASSERT_TRUE(WczytajZestaw(z, d.file("pusty.xls"), ui));
    EXPECT_EQ(z.Tabela.LiczbaWskaznikow, 1);
    EXPECT_TRUE(z.Tabela.Nazwy().empty());
    IndicatorDef w;
    w.Licznik.Pierwsza = PozycjaWskaznika{"Bilans", "A"};
    w.Mianownik.Pierwsza = PozycjaWskaznika{"Bilans", "B"};
    ui.inputs = {std::string("pierwszy")};
    ASSERT_TRUE(DodajWskaznik(z, w, ui));
    const TabelaWskaznikow t = XLSIndicatorSetStore().read(d.file("pusty.xls"));
    EXPECT_EQ(t.Komorka(1, kol::Nazwa), TytulyZestawu()[kol::Nazwa]);
    EXPECT_EQ(t.Komorka(2, kol::Nazwa), "pierwszy");
}

}  // namespace
}  // namespace vesk

namespace vesk {
namespace {

struct ZestawZPliku : ::testing::Test {
    test::TempDir d;
    XLSIndicatorSetStore store;
    ZestawWskaznikow z{store};
    ScriptedUserInterface ui;
    void SetUp() override {
        ZapiszZestaw(d.file("dobry.xls"), {{"nazwa", "", "zr", "poz"}, {"ROE", "", "Bilans", "A", "", "", "xxx"}});
        ASSERT_TRUE(WczytajZestaw(z, d.file("dobry.xls"), ui));
    }
    // Reading the file fails with one message naming it and the fragment;
    // the set, its file and the held workbook stay.
    void Odmowa(const std::string& plik, const std::string& fragment) {
        ui.messages.clear();
        EXPECT_FALSE(WczytajZestaw(z, d.file(plik), ui)) << plik;
        EXPECT_TRUE(ui.questions.empty()) << plik;
        ASSERT_EQ(ui.messages.size(), 1u) << plik;
        EXPECT_NE(ui.messages[0].find(d.file(plik)), std::string::npos) << ui.messages[0];
        EXPECT_NE(ui.messages[0].find(fragment), std::string::npos) << ui.messages[0];
        EXPECT_EQ(z.Plik, d.file("dobry.xls"));
        EXPECT_EQ(z.Tabela.Nazwy(), std::vector<std::string>{"ROE"});
    }
};

TEST_F(ZestawZPliku, UnreadableFilesSayWhatIsWrongOnce) {
    const std::string dobry = d.read("dobry.xls");
    d.write("pusty.xls", "");
    d.write("obciety.xls", dobry.substr(0, 3000));
    d.write("tekst.xls", "nazwa;licznik\r\nROE;zysk\r\n");
    d.write("nowy.xls", std::string("PK\x03\x04", 4) + std::string(200, 'x'));
    Odmowa("pusty.xls", "pusty");
    Odmowa("obciety.xls", "uszkodzony lub obci\xEAty");
    for (const char* obce : {"Error", "record", "Offs", "compound", "table"})
        EXPECT_EQ(ui.messages[0].find(obce), std::string::npos) << ui.messages[0];
    Odmowa("tekst.xls", "nie jest skoroszytem");
    Odmowa("nowy.xls", ".xlsx");
    // A character code page 1250 lacks is named, never read (and saved) as "?".
    {
        TXLSMini xls;
        xls.Sheets().Items(0).SetAsString(0, 0, u"nazwa");
        xls.Sheets().Items(0).SetAsString(12, 1, u"x \u2265 0,5 \u0414");
        xls.Filename = d.file("znaki.xls");
        xls.Write();
    }
    Odmowa("znaki.xls", "kom\xF3rka M2 (x \\u2265 0,5 \\u0414) ma znaki spoza strony kodowej 1250");
}

// What stands in a set's place is told as the file layer tells it (the
// pipe held open by the test, so that no open can wait on it).
TEST_F(ZestawZPliku, WhatStandsInASetsPlaceIsToldByItsReason) {
    for (const auto& [nazwa, cel] : {std::pair{"link.xls", "nie-ma.xls"}, {"petla.xls", "petla.xls"},
                                     {"urzadzenie.xls", "/dev/null"}, {"pagemap.xls", "/proc/self/pagemap"}})
        std::filesystem::create_symlink(cel, d.file(nazwa));
    std::filesystem::create_directory(d.file("folder.xls"));
    const int koniec = ::mkfifo(d.file("potok.xls").c_str(), 0600) == 0 ? ::open(d.file("potok.xls").c_str(), O_RDWR | O_NONBLOCK) : -1;
    d.write("duzy.xls", "");
    std::filesystem::resize_file(d.file("duzy.xls"), LongestWorkbook + 1);
    Odmowa("link.xls", "wskazuje na nie-ma.xls");
    Odmowa("petla.xls", "p\xEAtla dowi\xB9za\xF1");
    Odmowa("folder.xls", "to jest folder");
    Odmowa("urzadzenie.xls", "to jest urz\xB9" "dzenie");
    Odmowa("potok.xls", "to jest potok nazwany (FIFO)");
    Odmowa("duzy.xls", "za du\xBFy (ponad 64 MB)");
    Odmowa("pagemap.xls", "za du\xBFy (ponad 64 MB)");
    Odmowa("brak.xls", "nie ma takiego pliku");
    ::close(koniec);
}

// A failed save gives the system's reason, the path once.
TEST_F(ZestawZPliku, AFailedSaveGivesTheSystemsReason) {
    for (const auto& [plik, blad] : {std::pair{d.file("brak/a.xls"), ENOENT}, {d.file("pelny.xls"), ENOSPC}}) {
        ui.messages.clear();
        setFileFault([&](std::string_view krok) { return blad == ENOSPC && krok == "write"; }, blad);
        EXPECT_FALSE(ZapiszZestawJako(z, plik, ui));
        setFileFault({});
        EXPECT_EQ(ui.messages, std::vector<std::string>{"Nie zapisano zestawu wska\x9Fnik\xF3w " + plik + ": " + fileErrorText(blad)});
    }
}

TEST_F(ZestawZPliku, ShiftedOrMalformedLayoutIsRefusedAndNeverWritten) {
    ZapiszZestaw(d.file("przesuniety.xls"), {{"", "nazwa", "", "zr", "poz"}, {"", "ROE", "", "Bilans", "A"}});
    ZapiszZestaw(d.file("operator.xls"), {{"nazwa"}, {"ROE", "", "Bilans", "A", "Bilans", "B", "pozycja"}});
    ZapiszZestaw(d.file("luka.xls"), {{"nazwa"}, {"ROE"}, {"", "", "Bilans", "A"}});
    {
        TXLSMini xls;
        xls.Sheets().Add().SetAsString(0, 0, u"nazwa");
        xls.Filename = d.file("arkusz2.xls");
        xls.Write();
    }
    const std::string przed = d.read("przesuniety.xls");
    Odmowa("przesuniety.xls", "przesuni\xEAte");
    Odmowa("operator.xls", "kolumna G");
    Odmowa("luka.xls", "wiersz 3");
    Odmowa("arkusz2.xls", "arkuszu 2");
    // Adding afterwards writes the set in use, never the refused file.
    IndicatorDef w;
    w.Licznik.Pierwsza = PozycjaWskaznika{"Bilans", "A"};
    w.Mianownik.Pierwsza = PozycjaWskaznika{"Bilans", "B"};
    ui.inputs = {std::string("nowy")};
    ASSERT_TRUE(DodajWskaznik(z, w, ui));
    EXPECT_EQ(d.read("przesuniety.xls"), przed);
    EXPECT_EQ(XLSIndicatorSetStore().read(d.file("dobry.xls")).Komorka(3, kol::Nazwa), "nowy");
}

TEST_F(ZestawZPliku, ASetWithoutTitlesOrWithAThresholdNoNumberIsRefused) {
    std::vector<std::string> roe{"ROE", "", "Bilans Aktywa", "A", "Bilans Pasywa", "B", "xxx", "xxx", "", "", "", "", "x>", ""};
    ZapiszZestaw(d.file("bez-tytulow.xls"), {roe, roe});
    Odmowa("bez-tytulow.xls", "wiersz 1 zawiera wska\x9Fnik \"ROE\"");
    for (const char* prog : {"abc\" nie jest liczb\xB9", "0.5*3=1.5\" nie jest liczb\xB9", "1E308\" jest poza zakresem"}) {
        roe[kol::Prog1 - 1] = std::string(prog).substr(0, std::string(prog).find('"'));
        ZapiszZestaw(d.file("prog.xls"), {{"nazwa"}, roe});
        Odmowa("prog.xls", std::string("wiersz 2, kolumna N: pr\xF3g \"") + prog);
    }
}

TEST_F(ZestawZPliku, OnlyAFileAnotherProgramHoldsAsksToRetry) {
    d.write("zajety.xls", d.read("dobry.xls").substr(0, 100));
    d.write(".~lock.zajety.xls#", "ktos,komputer");
    ui.answers = {true, false};  // Retry, then Cancel
    EXPECT_FALSE(WczytajZestaw(z, d.file("zajety.xls"), ui));
    ASSERT_EQ(ui.questions.size(), 2u);
    EXPECT_EQ(ui.questions[0], P("Zamknij plik wskaźników w Excelu!"));
    EXPECT_EQ(ui.captions[0], P("Problem ze współdzieleniem pliku"));
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace vesk
