#include "PodgladSprawozdan.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <tuple>

#include <unistd.h>

#include "CodePage.h"
#include "FileSystem.h"
#include "Paths.h"
#include "PlikiSprawozdan.h"
#include "PomocWarsztatu.h"

namespace vesk {
namespace {

struct Podglad : test::WarsztatTest {
    void SetUp() override {
        WarsztatTest::SetUp();
        k->catTABWZOR = std::string(VESK_DATA_DIR) + "TABWZOR/";
        operatorZPlikow({{1, 0, true}, {2, 0, false}}, "d/r 0\r\n\td/r 1\r\n\td 2\r\n");
        ui.messages.clear();
    }
    WynikPodgladu uruchom(const char* nazwa) { return UruchomPodglad(*w, *ZnajdzPodglad(nazwa)); }
    bool jest(const std::string& nazwa) { return fileExists(dir.folder() + nazwa); }
};

TEST_F(Podglad, TheTableHoldsThirteenViewersInMenuOrder) {
    ASSERT_EQ(Podglady().size(), 13u);
    EXPECT_STREQ(Podglady().front().nazwa, "Zapasy1");
    EXPECT_STREQ(Podglady().back().nazwa, "Formularzdecyzyjny1");
    EXPECT_FALSE(Podglady().back().strona);
    for (const std::string& n : KolejnoscZapisu()) EXPECT_NE(ZnajdzPodglad(n), nullptr) << n;
    EXPECT_EQ(KolejnoscZapisu().size(), 13u);
    EXPECT_EQ(ZnajdzPodglad("Nic"), nullptr);
}

TEST_F(Podglad, NothingSelectedReportsOnTheRoot) {
    w->Wybierz(-1);
    const WynikPodgladu r = uruchom("Bilans1");
    EXPECT_EQ(r.Status, StatusPodgladu::Pokazany);
    EXPECT_EQ(r.Numer, 0);
    EXPECT_EQ(k->NumerWezla, 0);
    EXPECT_TRUE(r.PokazZakladke);
    EXPECT_EQ(r.Podpis, "Wyniki symulacji - BILANS");
    // Written as OP.BIK, found as "bik" and "BIK.html".
    EXPECT_EQ(r.Tekst, dir.folder() + "OP.BIK");
    EXPECT_EQ(r.Strona, dir.folder() + "OP.BIK.html");
    EXPECT_TRUE(ui.messages.empty());
}

// Each viewer shows the files its writer wrote now, by the writer's names,
// never an older copy spelt otherwise beside them (an operator folder from a
// medium that shows names in lower case: "OP.sre", "OP.bik", "OP.KAP.html").
TEST_F(Podglad, EveryViewerOnASimulatedNodeFindsItsFiles) {
    const std::map<std::string, std::pair<std::string, std::string>> pliki = {
        {"Zapasy1", {"ZAO", "ZAO.html"}},    {"Produkcja2", {"PRO", "PRO.html"}},
        {"pynno1", {"PLY", "PLY.html"}},     {"zaduenie1", {"ZAD", "ZAD.html"}},
        {"rentowno1", {"REN", "REN.html"}},  {"aktywno1", {"AKT", "AKT.html"}},
        {"Bilans1", {"BIK", "BIK.html"}},    {"Dochodyizyski1", {"RAW", "RAW.html"}},
        {"Rachunekwynikw1", {"PRF", "PRF.html"}}, {"Sytuacjapienina1", {"INF", "ING.html"}},
        {"Koszty1", {"KOS", "KOS.html"}},    {"WynikSyntetyczny1", {"SRE", "SRE.html"}},
        {"Formularzdecyzyjny1", {"DEC", ""}},
    };
    for (const std::string& n : RozszerzeniaSprawozdan()) {
        std::string male = n, duze = n;
        for (std::size_t i = 0; i < n.size(); ++i) male[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(n[i])));
        for (std::size_t i = 0; i < 3; ++i) duze[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(n[i])));
        for (const std::string& inna : {male, duze})
            if (inna != n) dir.write("OP." + inna, "dawny");
    }
    wybierzNumer(1);
    for (const OpisPodgladu& o : Podglady()) {
        ui.messages.clear();
        const WynikPodgladu r = UruchomPodglad(*w, o);
        EXPECT_EQ(r.Status, StatusPodgladu::Pokazany) << o.nazwa;
        EXPECT_EQ(r.Tekst, dir.folder() + "OP." + pliki.at(o.nazwa).first) << o.nazwa;
        EXPECT_EQ(r.Strona, o.strona ? dir.folder() + "OP." + pliki.at(o.nazwa).second : "") << o.nazwa;
        EXPECT_EQ(k->NumerWezla, 1) << o.nazwa;
        EXPECT_FALSE(k->FlagiWynikow.*o.flaga) << o.nazwa << ": the entry clears its flag";
        EXPECT_TRUE(ui.messages.empty()) << o.nazwa;
    }
}

// Their statements are named in the operator's spelling, the header naming
// its state file as spelt ("ZZ.qad" of zz's tree; "T.QAD", T's beside t's).
TEST_F(Podglad, OperatorsNamedWithDotsOrATrailingBlankHaveTheirOwnReportsAndSeeThem) {
    for (const char* f : {"t.qad", "t.tr1"}) dir.write(f, dir.read(std::string("OP") + (f + 1)));
    for (const auto& [nazwa, stan, naglowek] : {std::tuple{"firma.v1", "firma.v1.qad", "firma.v1.qad"},
                                                {"firma.v2", "firma.v2.qad", "firma.v2.qad"}, {"sp ", "sp .qad", "sp.qad"},
                                                {"zz", "ZZ.qad", "ZZ.qad"}, {"T", "T.QAD", "T.QAD"}}) {
        dir.write(stan, dir.read("OP.qad"));
        dir.write(std::string(nazwa) + ".tr1", dir.read("OP.tr1"));
        ASSERT_TRUE(w->Wczytanie_istniejacego_operatora(dir.folder() + nazwa + ".")) << nazwa;
        wybierzNumer(1);
        ui.messages.clear();
        for (const OpisPodgladu& o : Podglady())
            EXPECT_EQ(UruchomPodglad(*w, o).Status, StatusPodgladu::Pokazany) << nazwa << " " << o.nazwa;
        EXPECT_TRUE(ui.messages.empty()) << nazwa;
        EXPECT_EQ(dir.read(fileNamePart(uruchom("Bilans1").Tekst)).rfind("Plik stanu modelu: " + dir.folder() + naglowek + "\r\n", 0), 0u)
            << nazwa;
    }
    EXPECT_TRUE(jest("firma.v1.BIK"));
    EXPECT_TRUE(jest("firma.v2.BIK"));
    EXPECT_TRUE(jest("sp.KOS"));
    EXPECT_FALSE(jest("firma.BIK"));
    EXPECT_EQ(uruchom("Bilans1").Tekst, dir.folder() + "T.BIK");
    w->Wczytanie_istniejacego_operatora(dir.folder() + "zz.");
    EXPECT_EQ(uruchom("Bilans1").Tekst, dir.folder() + "zz.BIK");
    EXPECT_FALSE(dir.exists("ZZ.BIK") || dir.exists("t.BIK"));
}

TEST_F(Podglad, SyntheticResultOfTheRootIsRefused) {
    wybierzNumer(0);
    const WynikPodgladu r = uruchom("WynikSyntetyczny1");
    EXPECT_EQ(r.Status, StatusPodgladu::Odmowa);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], utf8ToCp1250("Dla decyzji inicjującej niedostępny"));
    EXPECT_FALSE(jest("OP.SRE"));
    EXPECT_FALSE(r.PokazZakladke);
}

TEST_F(Podglad, RevenueOnAnUnsimulatedNodeSetsFlagAndNumberOnly) {
    wybierzNumer(2);
    k->FlagiWynikow.RAW = false;
    const WynikPodgladu r = uruchom("Dochodyizyski1");
    EXPECT_EQ(r.Status, StatusPodgladu::Pominiety);
    EXPECT_TRUE(k->FlagiWynikow.RAW);
    EXPECT_EQ(k->NumerWezla, 2);
    EXPECT_FALSE(jest("OP.RAW"));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Podglad, OtherViewersOnAnUnsimulatedNodeDoNothing) {
    wybierzNumer(2);
    k->NumerWezla = 7;
    EXPECT_EQ(uruchom("Koszty1").Status, StatusPodgladu::Pominiety);
    EXPECT_EQ(k->NumerWezla, 7);
    EXPECT_FALSE(jest("OP.KOS"));
    // The decisions' report has no kind test.
    EXPECT_EQ(uruchom("Formularzdecyzyjny1").Status, StatusPodgladu::Pokazany);
    EXPECT_TRUE(jest("OP.DEC"));
}

TEST_F(Podglad, SaveAllWritesEveryTextFileAndEndsOnTheCosts) {
    wybierzNumer(1);
    const WynikPodgladu r = ZapisSprawozdanDoPliku(*w);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], utf8ToCp1250("Tworzenie plików ze wszystkimi sprawozdaniami"));
    for (const char* t : {"OP.DEC", "OP.SRE", "OP.BIK", "OP.ZAO", "OP.PRO", "OP.PLY", "OP.ZAD", "OP.REN", "OP.AKT",
                          "OP.RAW", "OP.PRF", "OP.INF", "OP.KOS"})
        EXPECT_TRUE(jest(t)) << t;
    EXPECT_EQ(r.Status, StatusPodgladu::Pokazany);
    EXPECT_EQ(r.Strona, dir.folder() + "OP.KOS.html");
}

TEST_F(Podglad, AFailingWriterIsNamedAndClearsTheWindows) {
    // Templates from a folder without the balance sheet's.
    test::TempDir wzorce;
    k->catTABWZOR = wzorce.folder();
    wybierzNumer(1);
    const WynikPodgladu r = uruchom("Bilans1");
    EXPECT_EQ(r.Status, StatusPodgladu::BladRaportu);
    EXPECT_TRUE(r.Wyczysc);
    EXPECT_TRUE(r.Strona.empty());
    EXPECT_TRUE(r.Tekst.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("BIK"), std::string::npos);
    // With the reason.
    EXPECT_NE(ui.messages[0].find(": brak pliku lub folderu"), std::string::npos) << ui.messages[0];
}

TEST_F(Podglad, ATemplateThatCannotBeReadIsNamedAndChangesNoFile) {
    // Every template but the balance sheet's page; an older page of another node lies beside.
    test::TempDir wzorce;
    for (const auto& e : std::filesystem::directory_iterator(std::string(VESK_DATA_DIR) + "TABWZOR"))
        if (e.path().filename() != "QAD.BIK.HTML")
            std::filesystem::copy_file(e.path(), wzorce.file(e.path().filename().string()));
    k->catTABWZOR = wzorce.folder();
    dir.write("OP.BIK.html", "dawna strona");
    std::filesystem::last_write_time(dir.file("OP.BIK.html"), std::filesystem::file_time_type::clock::now() -
                                                                 std::chrono::hours(1));
    wybierzNumer(1);
    const WynikPodgladu r = uruchom("Bilans1");
    EXPECT_EQ(r.Status, StatusPodgladu::BladRaportu);
    EXPECT_TRUE(r.Strona.empty()) << "the page of an earlier call is not this node's";
    EXPECT_FALSE(std::filesystem::exists(dir.file("OP.BIK")));
    EXPECT_EQ(dir.read("OP.BIK.html"), "dawna strona");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("BIK (Wyniki symulacji - BILANS): szablon " + wzorce.folder() + "QAD.BIK.HTML: "),
              std::string::npos) << ui.messages[0];
}

// An operator on a read-only medium: its statements are viewed from a
// folder of the user's own under the cache folder, saving them all asks
// for a folder, and the operator folder is left as it was.
TEST_F(Podglad, AReadOnlyOperatorsStatementsGoToAFolderOfTheUsersOwn) {
    test::TempDir cache, wlasny;
    const test::ZmiennaSrodowiska xdg("XDG_CACHE_HOME", cache.folder());
    test::NosnikTylkoDoOdczytu ro(dir.folder());
    if (!ro.jest) GTEST_SKIP() << "no bind mount here: no read-only medium";
    auto pliki = [&] {
        std::map<std::string, std::string> p;
        for (const auto& e : std::filesystem::directory_iterator(ro.sciezka)) p[e.path().filename()] = dir.read(e.path().filename());
        return p;
    };
    const auto przed = pliki();
    const bool otwarty = w->Wczytanie_istniejacego_operatora(dir.folder() + "OP.");
    wybierzNumer(1);
    ui.messages.clear();
    const WynikPodgladu r = uruchom("Bilans1");
    ui.files.push_back(wlasny.folder());
    ZapisSprawozdanDoPliku(*w);
    ro.zdejmij();
    ASSERT_TRUE(otwarty);
    EXPECT_NE(w->Tytul.find("(tylko do odczytu)"), std::string::npos) << w->Tytul;
    EXPECT_EQ(r.Status, StatusPodgladu::Pokazany);
    EXPECT_EQ(r.Tekst.rfind(cache.folder() + "vesk/sprawozdania/OP-", 0), 0u) << r.Tekst;
    EXPECT_EQ(ui.dialogs.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(wlasny.file("OP.BIK")) && std::filesystem::exists(wlasny.file("OP.KOS.html")));
    EXPECT_EQ(ui.messages.size(), 1u);  // "Tworzenie plików ..." alone
    EXPECT_EQ(pliki(), przed);
    // Deleted once it can be, the operator takes its statements there along.
    nowyOperator("INNY");
    ui.files = {dir.folder() + "OP.tr1"};
    w->Kasowanieoperatora1Click();
    EXPECT_FALSE(std::filesystem::exists(folderPart(r.Tekst))) << r.Tekst;
}

// The user's folder of a read-only operator's statements is one however the
// operator folder is reached; one that is a link or another user's is
// refused, naming it, nothing shown and nothing written.
TEST_F(Podglad, AReadOnlyOperatorsFolderIsTheUsersOwnOrRefused) {
    test::TempDir cache, drogi, dokumenty;
    std::filesystem::create_directory_symlink(dir.folder(), drogi.file("rolink"));
    dokumenty.write("OP.SRE", "notatki");
    const test::ZmiennaSrodowiska xdg("XDG_CACHE_HOME", cache.folder());
    test::NosnikTylkoDoOdczytu ro(dir.folder());
    if (!ro.jest) GTEST_SKIP() << "no bind mount here: no read-only medium";
    // The operator open as in its own folder last.
    std::string folder;
    for (const std::string& op : {drogi.folder() + "rolink/", dir.folder() + "../" + fileNamePart(ro.sciezka) + "/", dir.folder()}) {
        ASSERT_TRUE(w->Wczytanie_istniejacego_operatora(op + "OP.")) << op;
        wybierzNumer(1);
        const WynikPodgladu r = uruchom("WynikSyntetyczny1");
        ASSERT_EQ(r.Status, StatusPodgladu::Pokazany) << op;
        EXPECT_TRUE(folder.empty() || (r.Tekst == folder + "OP.SRE" && r.Strona == folder + "OP.SRE.html")) << op << ": " << r.Tekst;
        folder = folderPart(r.Tekst);
        // An older copy spelt otherwise there is never shown.
        for (const char* dawny : {"OP.sre", "OP.sre.html"}) std::ofstream(folder + dawny) << "dawny";
    }
    ASSERT_EQ(folder.rfind(cache.folder() + "vesk/sprawozdania/OP-", 0), 0u) << folder;
    const std::filesystem::path T = folder.substr(0, folder.size() - 1);
    const auto odmowa = [&](const std::string& powod) {
        ui.messages.clear();
        const WynikPodgladu r = uruchom("WynikSyntetyczny1");
        EXPECT_EQ(r.Status, StatusPodgladu::BladRaportu);
        EXPECT_TRUE(r.Wyczysc && r.Tekst.empty());
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0], "Nie utworzono sprawozdania SRE (Wyniki symulacji - Wynik syntetyczny): folder " + folder + powod);
    };
    std::filesystem::remove_all(T);
    std::filesystem::create_directory_symlink(dokumenty.folder(), T);
    odmowa(" jest dowi\xB9zaniem symbolicznym");
    EXPECT_EQ(dokumenty.read("OP.SRE"), "notatki");
    EXPECT_FALSE(dokumenty.exists("OP.SRE.html"));
    std::filesystem::remove(T);
    std::filesystem::create_directory(T);
    ASSERT_EQ(::chown(T.c_str(), 65534, 65534), 0);
    odmowa(" nale\xBFy do innego u\xBFytkownika (uid 65534)");
    EXPECT_TRUE(std::filesystem::is_empty(T));
}

// Deleting an operator takes every file the program wrote for it: the
// statements and their pages, what killed runs left; another operator's
// (spelt otherwise) and the user's own stay.
TEST_F(Podglad, DeletingAnOperatorAfterSavingAllItsStatementsLeavesNothingOfIt) {
    wybierzNumer(1);
    ZapisSprawozdanDoPliku(*w);
    ASSERT_TRUE(jest("OP.kap.html") && jest("OP.ING.html") && jest("OP.DEC.html"));
    const std::set<std::string> zostaja = {"op.tr1",        "op.qad",       "op.BIK",        "op.BIK.html",
                                           "OP.notatki.txt", "OP.BIK.Marzec", "OP.qad.Backup", "OP.lck.Kopia1",
                                           "OP.kap.html.Kopia1", "OP.qad.zapis.Stary1", "OP.tr1.nowy.backup",
                                           "OP.BIK.nowy",  "OP.BIK.html.nowy", "OP.DEC.nowy",  "OP.lck.nowy",
                                           "OP.tr1.bledny.nowy"};
    for (const std::string& f : zostaja) dir.write(f, "x");
    for (const char* f : {"OP.BIK.tmpAbC123", "OP.kap.html.tmpXyZ789", "OP.qad.zapis", "OP.tr1.bledny", "OP.tr1.nowy", "Op.sre",
                          "OP.qad.tmpAb12Cd", "OP.tr1.nowy.tmpAb12Cd", "OP.qad.nowy", "OP.qad.nowy.tmpAb12Cd"})
        dir.write(f, "x");
    nowyOperator("INNY");
    ui.messages.clear();
    ui.files = {dir.folder() + "OP.tr1"};
    w->Kasowanieoperatora1Click();
    EXPECT_EQ(ui.messages, std::vector<std::string>{});
    for (const auto& e : std::filesystem::directory_iterator(dir.folder())) {
        const std::string n = e.path().filename();
        EXPECT_TRUE(!equalNoCaseCp1250(n.substr(0, 3), "op.") || zostaja.count(n)) << n;
    }
    for (const std::string& f : zostaja) EXPECT_EQ(dir.read(f), "x") << f;
}

// Two operators spelt alike but for letter case keep their own statements
// and pages, written in turn, each in its own spelling.
TEST_F(Podglad, OperatorsSpeltAlikeKeepTheirOwnStatements) {
    const auto pliki = [&](const std::string& rdzen) {
        std::map<std::string, std::string> p;
        for (const auto& e : std::filesystem::directory_iterator(dir.folder()))
            if (PlikSprawozdania(rdzen, e.path().filename().string())) p[e.path().filename()] = dir.read(e.path().filename());
        return p;
    };
    wybierzNumer(1);
    ZapisSprawozdanDoPliku(*w);
    const auto duze = pliki("OP");
    ASSERT_GT(duze.size(), 13u);
    for (const char* e : {"qad", "tr1"}) dir.write(std::string("op.") + e, dir.read(std::string("OP.") + e));
    ASSERT_TRUE(w->Wczytanie_istniejacego_operatora(dir.folder() + "op."));
    wybierzNumer(1);
    ZapisSprawozdanDoPliku(*w);
    EXPECT_EQ(pliki("OP"), duze);
    const auto male = pliki("op");
    EXPECT_EQ(male.size(), duze.size());
    ASSERT_TRUE(w->Wczytanie_istniejacego_operatora(dir.folder() + "OP."));
    wybierzNumer(1);
    EXPECT_EQ(uruchom("Bilans1").Tekst, dir.folder() + "OP.BIK");
    EXPECT_EQ(pliki("op"), male);
}

TEST_F(Podglad, SaveAllGoesOnAfterAFailureAndNamesItOnce) {
    test::TempDir wzorce;
    for (const std::string n : {"QAD.KOS", "QAD.KOS.HTML"}) {
        std::ifstream in(std::string(VESK_DATA_DIR) + "TABWZOR/" + n, std::ios::binary);
        ASSERT_TRUE(in) << n;
        wzorce.write(n, std::string(std::istreambuf_iterator<char>(in), {}));
    }
    k->catTABWZOR = wzorce.folder();
    wybierzNumer(1);
    const WynikPodgladu r = ZapisSprawozdanDoPliku(*w);
    EXPECT_EQ(r.Status, StatusPodgladu::Pokazany);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[1].find("BIK"), std::string::npos);
    EXPECT_NE(ui.messages[1].find("AKT"), std::string::npos);
    EXPECT_EQ(ui.messages[1].find("KOS"), std::string::npos);
}

TEST_F(Podglad, AMissingRecordIsToldAndNothingWritten) {
    // The state file loses node 1 behind the open operator's back.
    dir.write("OP.qad", dir.read("OP.qad").substr(0, RozmiarStanuModelu));
    w->Wybierz(w->Drzewo.Znajdz(1));
    ui.messages.clear();
    const WynikPodgladu r = uruchom("Koszty1");
    EXPECT_EQ(r.Status, StatusPodgladu::BladRekordu);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("1"), std::string::npos);
    EXPECT_NE(ui.messages[0].find("OP.qad"), std::string::npos);
    EXPECT_FALSE(jest("OP.KOS"));
}

}  // namespace
}  // namespace vesk
