#include "Inicjalizacja.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "FileSystem.h"
#include "TempDir.h"

namespace vesk {
namespace {

struct Start : ::testing::Test {
    test::TempDir work;
    test::TempDir data;
    ScriptedUserInterface ui;
    std::unique_ptr<Kontekst> k = std::make_unique<Kontekst>(ui);

    void SetUp() override {
        k->KatalogRoboczy = work.folder();
        k->DomyslneKatalogi = {data.folder() + "PARAMETR/", data.folder() + "OPERATOR/", data.folder() + "TABWZOR/"};
    }

    static std::string ograniczenia(int lines) {
        std::string s;
        for (int i = 1; i <= lines; ++i) s += std::to_string(i) + "#Pozycja " + std::to_string(i) + "#0.1#0.5#\r\n";
        return s;
    }
};

TEST_F(Start, MissingSettingsFileIsCreatedWithFiveDefaultLines) {
    ASSERT_TRUE(Inicjalizacja(*k));
    ASSERT_TRUE(work.exists("VE-SK.INI"));
    std::string expected = "[Katalogi]\r\n"
                           "catPARAMETR       =" + data.folder() + "PARAMETR/\r\n"
                           "catOGRAN          =" + data.folder() + "PARAMETR/\r\n"
                           "catKARTOPERATORA  =" + data.folder() + "OPERATOR/\r\n"
                           "catTABWZOR        =" + data.folder() + "TABWZOR/\r\n";
    EXPECT_EQ(work.read("VE-SK.INI"), expected);
    EXPECT_EQ(k->catTABWZOR, data.folder() + "TABWZOR/");
    EXPECT_EQ(k->catOGRAN, data.folder() + "PARAMETR/");
    // Every "=" stands in column 19.
    EXPECT_EQ(expected.find("=" + data.folder() + "PARAMETR/"), std::string("[Katalogi]\r\n").size() + 18);
}

// The new settings file appears whole or not at all.
TEST_F(Start, ASettingsFileThatCannotBeWrittenLeavesNoFileBehind) {
    for (const char* step : {"write", "sync", "rename"}) {
        setFileFault([step](std::string_view s) { return s == step; });
        const bool started = Inicjalizacja(*k);
        setFileFault({});
        EXPECT_FALSE(started) << step;
        EXPECT_FALSE(work.exists("VE-SK.INI")) << step;
        EXPECT_TRUE(std::filesystem::is_empty(work.folder())) << step;
    }
    EXPECT_EQ(ui.messages.size(), 3u);
    EXPECT_TRUE(Inicjalizacja(*k));
}

// A look at the settings file or its operator folder that could not tell
// (an input/output error at any stat) is no missing file: the settings are
// never replaced by the defaults, nor the working folder taken for the
// operator folder; the run stops, saying why.
TEST_F(Start, ASettingsFileThatCannotBeLookedAtIsNeverReplaced) {
    work.write("OP/x", "");
    const std::string ini = "[Katalogi]\r\ncatPARAMETR=/p/\r\ncatOGRAN=/o/\r\ncatKARTOPERATORA=" + work.folder() + "OP/\r\n";
    work.write("VE-SK.INI", ini);
    for (int n = 1, krok = 1; krok >= n; ++n) {
        ui.messages.clear();
        setFileFault([&, n](std::string_view s) { return s == "stat" && ++krok == n + 1; });
        krok = 1;
        const bool ok = Inicjalizacja(*k);
        setFileFault({});
        EXPECT_EQ(work.read("VE-SK.INI"), ini) << n;
        EXPECT_TRUE(std::filesystem::is_empty(data.folder())) << n;
        EXPECT_TRUE(ok ? k->KatalogOperatora == work.folder() + "OP/" : ui.messages.at(0).find(fileErrorText(EIO)) != std::string::npos) << n;
    }
}

// A settings or constraint file that is there but is no plain file (a
// pipe, one a writer feeds, a link to a device, a folder) is refused for
// what it is, kept, nothing made; the test holds the pipe's other end.
TEST_F(Start, ASettingsOrConstraintFileThatIsNoPlainFileIsRefusedForWhatItIs) {
    const std::pair<std::string, std::string> wiersze[] = {
        {"fifo", "potok nazwany (FIFO)"}, {"fifo+", "potok nazwany (FIFO)"}, {"/dev/zero", "to jest urz\xB9" "dzenie"},
        {"/dev/urandom", "to jest urz\xB9" "dzenie"}, {"folder", "to jest folder"}};
    for (const std::string plik : {work.file("VE-SK.INI"), data.file("PARAMETR/OGRAN.MDL")})
        for (const auto& [co, rodzaj] : wiersze) {
            const bool ini = plik == work.file("VE-SK.INI");
            if (!ini) {
                ASSERT_TRUE(Inicjalizacja(*k));
                std::filesystem::create_directories(data.file("PARAMETR"));
            }
            int koniec = -1;
            if (co[0] == '/') std::filesystem::create_symlink(co, plik);
            else if (co == "folder") std::filesystem::create_directory(plik);
            else if (::mkfifo(plik.c_str(), 0600) == 0) koniec = ::open(plik.c_str(), O_RDWR | O_NONBLOCK);
            if (co == "fifo+") EXPECT_EQ(::write(koniec, "[Katalogi]", 10), 10);
            ui.messages.clear();
            EXPECT_FALSE(ini ? Inicjalizacja(*k) : WczytajOgraniczenia(*k));
            if (koniec >= 0) ::close(koniec);
            ASSERT_EQ(ui.messages.size(), 1u) << co;
            EXPECT_NE(ui.messages[0].find(plik + (ini ? " nie daje si\xEA odczyta\xE6: " : ": ")), std::string::npos) << co;
            EXPECT_NE(ui.messages[0].find(rodzaj), std::string::npos) << ui.messages[0];
            EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(plik)) && (!ini || std::filesystem::is_empty(data.folder())));
            std::filesystem::remove(plik);
        }
}

TEST_F(Start, SettingsValuesAreTrimmedAndSplitAtTheFirstEquals) {
    EXPECT_EQ(WartoscUstawienia("catTABWZOR =  D:\\T\\  "), "D:\\T\\");
    EXPECT_EQ(WartoscUstawienia("x=y=z"), "y=z");
    EXPECT_EQ(WartoscUstawienia("  /abc/  "), "/abc/");
    work.write("VE-SK.INI", "[Katalogi]\r\ncatPARAMETR = /p \r\ncatOGRAN=/o\r\ncatKARTOPERATORA=/k\r\ncatTABWZOR=  D:\\T\\  \r\n");
    ASSERT_TRUE(Inicjalizacja(*k));
    EXPECT_EQ(k->catPARAMETR, "/p/");
    EXPECT_EQ(k->catOGRAN, "/o/");
    EXPECT_EQ(k->catTABWZOR, "D:/T/");
}

TEST_F(Start, ShortSettingsFileLeavesTheOtherFoldersEmpty) {
    work.write("VE-SK.INI", "[Katalogi]\ncatPARAMETR=/p/\n");
    ASSERT_TRUE(Inicjalizacja(*k));
    EXPECT_EQ(k->catPARAMETR, "/p/");
    EXPECT_EQ(k->catOGRAN, "");
    EXPECT_EQ(k->catKARTOPERATORA, "");
    EXPECT_EQ(k->catTABWZOR, "");
}

TEST_F(Start, OperatorFolderIsTheSettingWhenItExistsElseTheWorkingFolder) {
    // The default settings are written with their operator folder, so that
    // the first run in a fresh folder can write its operator.
    ASSERT_TRUE(Inicjalizacja(*k));
    EXPECT_EQ(k->KatalogOperatora, data.folder() + "OPERATOR/");
    work.write("VE-SK.INI", "[Katalogi]\ncatPARAMETR=/p/\ncatOGRAN=/o/\ncatKARTOPERATORA=" + data.folder() + "BRAK/\n");
    ASSERT_TRUE(Inicjalizacja(*k));
    EXPECT_EQ(k->KatalogOperatora, work.folder());
    // A folder with Polish letters, the settings written in UTF-8 or in code page 1250.
    data.write("Operatorzy \xC4\x85/x", "");
    for (const char* litera : {"\xC4\x85", "\xB9"}) {
        work.write("VE-SK.INI", "[Katalogi]\ncatPARAMETR=\ncatOGRAN=\ncatKARTOPERATORA=" + data.folder() + "Operatorzy " + litera + "\n");
        ASSERT_TRUE(Inicjalizacja(*k));
        EXPECT_EQ(k->KatalogOperatora, data.folder() + "Operatorzy \xB9/") << litera;
    }
}

// A folder line that reads both ways ("ZADAŃ…" in code page 1250, U+044F
// in UTF-8) is read as the settings file's other lines are.
TEST_F(Start, AFolderLineReadingBothWaysFollowsTheFile) {
    data.write("ZADA\xC5\x83\xE2\x80\xA6/x", "");
    data.write("\xC5\x83\xC5\xB9/x", "");  // "ŃŹ"
    work.write("VE-SK.INI", "[Katalogi]\ncatPARAMETR=\ncatOGRAN=\ncatKARTOPERATORA=" + data.folder() + "ZADA\xD1\x85\n");
    ASSERT_TRUE(Inicjalizacja(*k));
    EXPECT_EQ(k->KatalogOperatora, data.folder() + "ZADA\xD1\x85/");
    work.write("VE-SK.INI", "[Katalogi]\ncatPARAMETR=/p/\xC5\xBC\ncatOGRAN=\ncatKARTOPERATORA=" + data.folder() + "\xD1\x8F\n");
    EXPECT_FALSE(Inicjalizacja(*k));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("wiersz 4: catKARTOPERATORA) ma znaki spoza"), std::string::npos) << ui.messages[0];
}

TEST_F(Start, LongFolderNamesAreKeptWhole) {
    std::string deep = "/" + std::string(100, 'a') + "/" + std::string(100, 'b') + "/";
    work.write("VE-SK.INI", "[Katalogi]\ncatPARAMETR=" + deep + "\ncatOGRAN=" + deep + "\ncatKARTOPERATORA=" +
                                deep + "\ncatTABWZOR=" + deep + "\n");
    ASSERT_TRUE(Inicjalizacja(*k));
    EXPECT_EQ(k->catTABWZOR, deep);
}

TEST_F(Start, InitialisationPutsTheCoreIntoTheNoOperatorState) {
    k->NazwaPlikuStanu = "X.qad";
    k->NumerWezla = 5;
    k->RokWezla = 2015;
    k->ZnacznikWezla = 1;
    k->FlagiWynikow.UstawWszystkie(false);
    k->TabelaWezlow.Sciezka = "x";
    k->TabelaWezlow.Zajety[3] = true;
    k->TabelaWezlow.Wpisy[3].Numer = 3;
    k->ZespolZapasowy.Zajety[0] = true;
    k->RekordBiezacy.UstawNumer(7);
    ASSERT_TRUE(Inicjalizacja(*k));
    ASSERT_TRUE(Inicjalizacja(*k));  // a second call changes nothing further
    EXPECT_TRUE(k->ModelZainicjowany);
    EXPECT_EQ(k->NazwaPlikuStanu, "");
    EXPECT_EQ(k->NumerWezla, 0);
    EXPECT_EQ(k->RokWezla, -999);
    EXPECT_EQ(k->ZnacznikWezla, 0);
    FlagiWynikow_t all;
    all.UstawWszystkie(true);
    EXPECT_EQ(k->FlagiWynikow, all);
    EXPECT_EQ(k->TabelaWezlow, ZESPOL{});
    EXPECT_EQ(k->ZespolZapasowy, ZESPOL{});
    EXPECT_EQ(k->RekordBiezacy.Numer(), 7);  // the record buffers are not touched
}

TEST_F(Start, UnwritableSettingsFileIsAMessageNotACrash) {
    k->KatalogRoboczy = work.folder() + "no/such/folder/";
    EXPECT_FALSE(Inicjalizacja(*k));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("VE-SK.INI"), std::string::npos);
    EXPECT_EQ(k->NazwaPlikuStanu, "");
}

TEST_F(Start, ConstraintFileOf50LinesLoads) {
    data.write("PARAMETR/OGRAN.MDL", ograniczenia(50));
    ASSERT_TRUE(Inicjalizacja(*k));
    ASSERT_TRUE(WczytajOgraniczenia(*k));
    EXPECT_FALSE(ui.endRequested);
    EXPECT_EQ(k->Ograniczenia[1].Nazwa, "Pozycja 1");
    EXPECT_EQ(k->Ograniczenia[50].Nazwa, "Pozycja 50");
    EXPECT_EQ(static_cast<long double>(k->Ograniczenia[50].Granice[2]), 0.5L);
}

TEST_F(Start, ConstraintFileOf60LinesLoadsItsFirst50) {
    std::string s = ograniczenia(50);
    for (int i = 51; i <= 60; ++i) s += "x#Inna#9#9#\r\n";
    data.write("PARAMETR/ogran.mdl", s);  // found without regard to case
    ASSERT_TRUE(Inicjalizacja(*k));
    ASSERT_TRUE(WczytajOgraniczenia(*k));
    EXPECT_EQ(k->Ograniczenia[50].Nazwa, "Pozycja 50");
}

TEST_F(Start, ConstraintFileOf49LinesEndsTheProgramWithTheMessage) {
    data.write("PARAMETR/OGRAN.MDL", ograniczenia(49));
    ASSERT_TRUE(Inicjalizacja(*k));
    k->Ograniczenia[1].Nazwa = "stare";
    EXPECT_FALSE(WczytajOgraniczenia(*k));
    EXPECT_TRUE(ui.endRequested);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Zbior " + data.folder() + "PARAMETR/OGRAN.MDL jest niepelny !");
    EXPECT_EQ(k->Ograniczenia[1].Nazwa, "stare");
}

TEST_F(Start, MissingConstraintFileNamesTheFileBeforeTheEnd) {
    ASSERT_TRUE(Inicjalizacja(*k));
    EXPECT_FALSE(WczytajOgraniczenia(*k));
    EXPECT_TRUE(ui.endRequested);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find(data.folder() + "PARAMETR/OGRAN.MDL"), std::string::npos);
}

TEST_F(Start, ConstraintLineFields) {
    std::string s = "1#Cena ALFA #0.1# 0.5#\r\n2#Bez konca#0.2# 0.7\r\n3#Zle#abc#1#\r\n";
    s += ograniczenia(50).substr(0);  // padding lines
    data.write("PARAMETR/OGRAN.MDL", s);
    ASSERT_TRUE(Inicjalizacja(*k));
    ASSERT_TRUE(WczytajOgraniczenia(*k));
    EXPECT_EQ(k->Ograniczenia[1].Nazwa, "Cena ALFA ");
    EXPECT_EQ(static_cast<long double>(k->Ograniczenia[1].Granice[1]), roundToReal48(0.1L));
    EXPECT_EQ(static_cast<long double>(k->Ograniczenia[1].Granice[2]), roundToReal48(0.5L));
    EXPECT_EQ(static_cast<long double>(k->Ograniczenia[2].Granice[1]), roundToReal48(0.2L));
    EXPECT_EQ(static_cast<long double>(k->Ograniczenia[2].Granice[2]), 0.0L);  // no closing "#"
    EXPECT_EQ(static_cast<long double>(k->Ograniczenia[3].Granice[1]), 0.0L);  // not a number
}

TEST_F(Start, ShippedConstraintFileLoads) {
    work.write("VE-SK.INI", std::string("[Katalogi]\ncatPARAMETR=x\ncatOGRAN=") + VESK_SOURCE_DATA_DIR +
                                "PARAMETR/\ncatKARTOPERATORA=x\ncatTABWZOR=x\n");
    ASSERT_TRUE(Inicjalizacja(*k));
    ASSERT_TRUE(WczytajOgraniczenia(*k));
    EXPECT_FALSE(ui.endRequested);
    for (int i = 1; i <= 50; ++i) {
        EXPECT_FALSE(k->Ograniczenia[i].Nazwa.empty()) << i;
        EXPECT_LE(static_cast<long double>(k->Ograniczenia[i].Granice[1]),
                  static_cast<long double>(k->Ograniczenia[i].Granice[2])) << i;
    }
}


TEST_F(Start, ADamagedSettingsFileIsNamedWithItsLine) {
    const std::pair<std::string, const char*> przypadki[] = {
        {std::string("[Katalogi]\ncatPARAMETR=/p/\ncatOG\0RAN=/o/\n", 40), "wiersz 3"},
        {"\xff\xfe[\0K\0", "wiersz 1"},
        {"[Katalogi]\n/p/\n", "wiersz 2"},
    };
    for (const auto& [tresc, wiersz] : przypadki) {
        ui.messages.clear();
        work.write("VE-SK.INI", tresc);
        EXPECT_FALSE(Inicjalizacja(*k)) << wiersz;
        ASSERT_EQ(ui.messages.size(), 1u) << wiersz;
        EXPECT_NE(ui.messages[0].find("VE-SK.INI, " + std::string(wiersz)), std::string::npos) << ui.messages[0];
    }
}

// The user's folder comes in UTF-8 from the environment; the core keeps code page 1250.
TEST(DomyslneKatalogi, TheUsersFolderFromTheEnvironmentIsKeptInCodePage1250) {
    const std::string dawny = std::getenv("VESK_HOME") ? std::getenv("VESK_HOME") : "";
    ::setenv("VESK_HOME", "/tmp/pr\xC3\xB3" "ba", 1);
    const std::string folder = Kontekst().DomyslneKatalogi.Operatorzy;
    dawny.empty() ? ::unsetenv("VESK_HOME") : ::setenv("VESK_HOME", dawny.c_str(), 1);
    EXPECT_EQ(folder, "/tmp/pr\xF3" "ba/OPERATOR/");
}

}  // namespace
}  // namespace vesk
