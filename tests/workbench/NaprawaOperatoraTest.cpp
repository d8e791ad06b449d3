#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include <algorithm>
#include <filesystem>

#include "PomocWarsztatu.h"

namespace vesk {
namespace {

using Naprawa = test::WarsztatTest;

std::string bajty(const StanModelu& r) { return std::string(reinterpret_cast<const char*>(r.bajty.data()), r.bajty.size()); }

// What a crash or an older program left is repaired on open, with one
// message, and the files are written back.
TEST_F(Naprawa, OpeningRepairsWhatAKilledSaveLeft) {
    struct {
        const char* co;
        std::vector<Rek> rekordy;
        std::string drzewo, dopisek, poNaprawie;
        std::size_t rekordowPo;
        const char* wTekscie = "naprawiony";
    } przypadki[] = {
        {"tree item without record", {{1, 0, true}}, "d/r 0\r\n\td/r 1\r\n\td 6\r\n", "", "d/r 0\r\n\td/r 1\r\n", 2},
        {"stuck node", {{1, 0, true}}, "d/r 0\r\n\td 1\r\n", "", "d/r 0\r\n\td/r 1\r\n", 2},
        {"record without item", {{1, 0, true}, {2, 1, false}}, "d/r 0\r\n\td/r 1\r\n", "",
         "d/r 0\r\n\td/r 1\r\n\t\td 2\r\n", 3},
        {"item under another parent than its record's", {{1, 0, true}, {2, 1, false}, {3, 0, true}},
         "d/r 0\r\n\td/r 1\r\n\td/r 3\r\n\t\td 2\r\n", "", "d/r 0\r\n\td/r 1\r\n\t\td 2\r\n\td/r 3\r\n", 4},
        {"partial last record", {{1, 0, false}}, "d/r 0\r\n\td 1\r\n", "czesc", "d/r 0\r\n\td 1\r\n", 2},
        {"older program's spare", {{1, 0, false}}, "d/r 0\r\n\td 1\r\n", "spare", "d/r 0\r\n\td 1\r\n", 2},
        {"unfinished what-if step", {{1, 0, true}, {2, 0, true}}, "d/r 0\r\n\td/r 1\r\n\td/r 2\r\n", "zamiar",
         "d/r 0\r\n\td/r 1\r\n", 2},
        {"creation killed before its tree's rename", {{1, 0, true}}, "d/r 0\r\n\td/r 1\r\n", "tworzenie",
         "d/r 0\r\n\td/r 1\r\n", 2, "tworzenie operatora doko\xF1" "czone"},
        {"creation over it killed after its state file's rename", {{1, 0, true}}, "d/r 0\r\n\td/r 1\r\n", "zatwierdzone",
         "d/r 0\r\n", 1, "tworzenie operatora doko\xF1" "czone (plik drzewa"},
        {"creation over it killed before its state file's rename", {{1, 0, true}}, "d/r 0\r\n\td/r 1\r\n", "niezatwierdzone",
         "d/r 0\r\n\td/r 1\r\n", 2, "OP.qad.nowy"},
        {"record under a tree item without record", {{1, 0, true}, {2, 1, true}},
         "d/r 0\r\n\td/r 1\r\n\td 6\r\n\t\td/r 2\r\n", "", "d/r 0\r\n\td/r 1\r\n\t\td/r 2\r\n", 3,
         "w\xEAze\xB3 2 przeniesiony w drzewie spod w\xEAz\xB3" "a 6 pod w\xEAze\xB3 1"},
    };
    for (const auto& p : przypadki) {
        operatorZPlikow(p.rekordy, p.drzewo, false);
        if (p.dopisek == "czesc") dir.write("OP.qad", dir.read("OP.qad") + std::string(100, 'x'));
        if (p.dopisek == "spare") dir.write("OP.qad", dir.read("OP.qad") + bajty(rekord(1, 0, false)));
        if (p.dopisek == "zamiar") dir.write("OP.qad.krok", "1\r\n0\r\n1\r\n");
        if (p.dopisek == "tworzenie") std::filesystem::rename(dir.file("OP.tr1"), dir.file("OP.tr1.nowy"));
        else dir.write("OP.tr1.nowy", p.dopisek.ends_with("zatwierdzone") ? "d/r 0\r\n" : "stary");
        if (p.dopisek == "zatwierdzone") dir.write("OP.qad", dir.read("OP.qad").substr(0, RozmiarStanuModelu));
        if (p.dopisek == "niezatwierdzone") dir.write("OP.qad.nowy", dir.read("OP.qad").substr(0, RozmiarStanuModelu));
        dir.write("OP.qad.tmpAb12Cd", "stary");
        dir.write("OP.tr1.nowy.tmpXy34Zw", "stary");
        dir.write("OP.qad.krok.tmpKr56Ok", "stary");
        dir.write("OP.qad.backup", "uzytkownika");
        ui.messages.clear();
        ASSERT_TRUE(w->Wczytanie_istniejacego_operatora(dir.folder() + "OP.")) << p.co;
        ASSERT_EQ(ui.messages.size(), 1u) << p.co;
        EXPECT_NE(ui.messages[0].find(p.wTekscie), std::string::npos) << ui.messages[0];
        // The replaced operator's nodes counted in its tree; the leftovers named.
        EXPECT_EQ(ui.messages[0].find("(w\xEAz\xB3\xF3w: 2)") != std::string::npos, p.dopisek == "zatwierdzone") << ui.messages[0];
        EXPECT_NE(ui.messages[0].find("OP.tr1.nowy.tmpXy34Zw"), std::string::npos) << ui.messages[0];
        EXPECT_EQ(dir.read("OP.tr1"), p.poNaprawie) << p.co;
        EXPECT_EQ(dir.read("OP.qad").size(), p.rekordowPo * RozmiarStanuModelu) << p.co;
        EXPECT_FALSE(dir.exists("OP.qad.tmpAb12Cd") || dir.exists("OP.tr1.nowy") || dir.exists("OP.tr1.nowy.tmpXy34Zw") ||
                     dir.exists("OP.qad.nowy") ||
                     dir.exists("OP.qad.krok.tmpKr56Ok"))
            << p.co;
        EXPECT_TRUE(dir.exists("OP.qad.backup")) << p.co;
        EXPECT_EQ(w->Drzewo.Liczba(), std::count(p.poNaprawie.begin(), p.poNaprawie.end(), '\n')) << p.co;
    }
}

// What killed writes of its files left at temporary names (a report's
// text or page, in any letter case) goes at the open, named in one
// message. Another operator's and a user's file of a like name stay, as do
// those of a file no statement is (a page the INF statement has not); what
// someone put at a temporary name, a link or a second name of another
// file, is no leftover: left, its target unchanged, and not named.
TEST_F(Naprawa, OpeningRemovesOnlyTheLeftoversAtTemporaryNamesAndNamesThem) {
    operatorZPlikow({{1, 0, true}}, "d/r 0\r\n\td/r 1\r\n", false);
    dir.write("notatki", "cudze");
    enum Co { Pozostalosc, Cudzy, Dowiazanie, Twarde };
    const struct {
        const char* nazwa;
        Co co;
    } t[] = {{"OP.BIK.tmpAbC123", Pozostalosc},   {"OP.REN.html.tmpYi5S7g", Pozostalosc}, {"OP.kap.HTML.tmpQw12Er", Pozostalosc},
             {"OP.X.qad.tmpAb12Cd", Cudzy},        {"OP.BIK.notatki", Cudzy},              {"OP.BIKI.tmpAbC123", Cudzy},
             {"OP.abc.tmpAbC123", Cudzy},          {"OP.INF.html.tmpAbC123", Cudzy},       {"OP.qad.tmpLn12Ab", Dowiazanie},
             {"OP.tr1.nowy.tmpLn12Ab", Dowiazanie}, {"OP.BIK.tmpLn12Ab", Dowiazanie},       {"OP.qad.krok.tmpHl12Ab", Twarde},
             {"OP.REN.html.tmpHl12Ab", Twarde},    {"OP.qad.Ab12Cd", Twarde},
             // The user's copies, whatever the case of their names; the
             // program's own temporary names beside them still go.
             {"OP.qad.Kopia1", Cudzy},             {"OP.tr1.Wersja", Cudzy},               {"OP.tr1.nowy.backup", Cudzy},
             {"OP.tr1.nowy.Ab12Cd", Cudzy},        {"OP.qad.zapis.Stary1", Cudzy},         {"OP.qad.kopia1", Cudzy},
             {"OP.qad.tmpKo12Pi", Pozostalosc},    {"OP.tr1.nowy.tmpWe12Rs", Pozostalosc}, {"OP.qad.zapis.tmpSt12Ar", Pozostalosc},
             // A ".nowy" beside a file the program never makes anew is the user's.
             {"OP.qad.zapis.nowy", Cudzy},         {"OP.qad.krok.nowy", Cudzy},            {"OP.BIK.nowy", Cudzy},
             {"OP.qad.nowy.tmpSt12Ar", Pozostalosc}};
    for (const auto& p : t) {
        if (p.co == Pozostalosc) dir.write(p.nazwa, "stary");
        if (p.co == Cudzy) dir.write(p.nazwa, "cudze");
        if (p.co == Dowiazanie) ASSERT_EQ(::symlink("notatki", dir.file(p.nazwa).c_str()), 0) << p.nazwa;
        if (p.co == Twarde) ASSERT_EQ(::link(dir.file("notatki").c_str(), dir.file(p.nazwa).c_str()), 0) << p.nazwa;
    }
    ui.messages.clear();
    ASSERT_TRUE(w->Wczytanie_istniejacego_operatora(dir.folder() + "OP."));
    ASSERT_EQ(ui.messages.size(), 1u);
    for (const auto& p : t) {
        EXPECT_EQ(ui.messages[0].find(dir.folder() + p.nazwa) != std::string::npos, p.co == Pozostalosc)
            << p.nazwa << ": " << ui.messages[0];
        struct stat st;
        EXPECT_EQ(::lstat(dir.file(p.nazwa).c_str(), &st) == 0, p.co != Pozostalosc) << p.nazwa;
        if (p.co != Pozostalosc) EXPECT_EQ(dir.read(p.nazwa), "cudze") << p.nazwa;
    }
    EXPECT_EQ(dir.read("notatki"), "cudze");
}

// A link at a creation's new tree name is no killed creation's tree: it
// is never moved onto the tree file; beside a tree the operator opens with
// that tree, alone the open is refused naming it.
TEST_F(Naprawa, ALinkAtTheNewTreesNameIsNoKilledCreation) {
    for (const bool zDrzewem : {true, false}) {
        operatorZPlikow({{1, 0, true}}, "d/r 0\r\n\td/r 1\r\n", false);
        dir.write("cudze.tr1", "d/r 0\r\n");
        if (!zDrzewem) std::filesystem::remove(dir.file("OP.tr1"));
        ASSERT_EQ(::symlink("cudze.tr1", dir.file("OP.tr1.nowy").c_str()), 0);
        ui.messages.clear();
        EXPECT_EQ(w->Wczytanie_istniejacego_operatora(dir.folder() + "OP."), zDrzewem);
        EXPECT_EQ(dir.read("cudze.tr1"), "d/r 0\r\n");
        EXPECT_TRUE(std::filesystem::is_symlink(dir.file("OP.tr1.nowy")));
        EXPECT_FALSE(std::filesystem::is_symlink(dir.file("OP.tr1")));
        EXPECT_EQ(std::filesystem::exists(dir.file("OP.tr1")), zDrzewem);
        if (zDrzewem) EXPECT_EQ(dir.read("OP.tr1"), "d/r 0\r\n\td/r 1\r\n");
        const std::vector<std::string> odmowa{"Plik " + dir.folder() +
                                              "OP.tr1.nowy nie jest drzewem przerwanego tworzenia operatora: "
                                              "dowi\xB9zanie symboliczne - operator nie zosta\xB3 otwarty"};
        EXPECT_EQ(ui.messages, zDrzewem ? std::vector<std::string>{} : odmowa);
        std::filesystem::remove(dir.file("OP.tr1.nowy"));
    }
}

// A whole journal of a save of node n (record 2) cut short: the state
// file's bytes with that record's byte 100 changed, finished by an open.
std::string dziennikZapisu(const std::string& qad, int n) {
    const std::string stary = qad.substr(RozmiarStanuModelu, RozmiarStanuModelu);
    std::string nowy = stary, d = "VESKZAP2";
    nowy[100] ^= 1;
    d += {'\1', static_cast<char>(n)};
    d += nowy + stary;
    std::uint64_t h = 14695981039346656037ull;
    for (char c : d) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    for (int i = 0; i < 8; ++i) d += static_cast<char>(h >> (8 * i));
    return d;
}

// What someone put at the journal's or the intent's name (a link to a file
// elsewhere, a second name of it) is no leftover: never read, applied or
// removed, the open going on without it and saying nothing of it; a save
// that needs the journal's name is refused naming it.
TEST_F(Naprawa, ALinkAtTheJournalsOrIntentsNameIsNoLeftover) {
    for (const std::string nazwa : {"OP.qad.zapis", "OP.qad.krok"})
        for (const bool twarde : {false, true}) {
            operatorZPlikow({{1, 0, false}}, "d/r 0\r\n\td 1\r\n", false);
            const std::string qad = dir.read("OP.qad"), tr1 = dir.read("OP.tr1"), co = nazwa + (twarde ? " twarde" : "");
            const std::string cel = nazwa.ends_with("zapis") ? dziennikZapisu(qad, 1) : "1\r\n0\r\n";
            std::filesystem::create_directories(dir.file("V"));
            dir.write("V/j.txt", cel);
            ASSERT_EQ(twarde ? ::link(dir.file("V/j.txt").c_str(), dir.file(nazwa).c_str())
                             : ::symlink("V/j.txt", dir.file(nazwa).c_str()),
                      0);
            ui.messages.clear();
            ASSERT_TRUE(w->Wczytanie_istniejacego_operatora(dir.folder() + "OP.")) << co;
            EXPECT_EQ(ui.messages, std::vector<std::string>{}) << co;
            if (nazwa.ends_with("zapis")) {
                EXPECT_FALSE(w->Symulowanie(1)) << co;
                ASSERT_FALSE(ui.messages.empty()) << co;
                EXPECT_NE(ui.messages[0].find(nazwa + ": "), std::string::npos) << ui.messages[0];
                EXPECT_NE(ui.messages[0].find("to nie jest dziennik zapisu tego programu"), std::string::npos) << ui.messages[0];
            }
            struct stat st {};
            EXPECT_TRUE(::lstat(dir.file(nazwa).c_str(), &st) == 0 && S_ISLNK(st.st_mode) != twarde) << co;
            EXPECT_TRUE(dir.read("V/j.txt") == cel && dir.read("OP.qad") == qad && dir.read("OP.tr1") == tr1) << co;
            std::filesystem::remove(dir.file(nazwa));
        }
}

// Files that may not be written: an open that needs a repair is refused
// listing what the repair would do, in words that do not say it was done;
// one that needs none of the file's bytes opens telling what is left undone.
TEST_F(Naprawa, AReadOnlyOpenTellsTheRepairsItWouldMake) {
    const struct {
        const char* co;
        std::string plan;
    } t[] = {
        {"zapis", "przerwany zapis w\xEAz\xB3" "a 1 w pliku " + dir.folder() + "OP.qad do doko\xF1" "czenia"},
        {"czesc", ") do usuni\xEA" "cia, 2 pe\xB3nych rekord\xF3w do zachowania"},
        {"spare", "zb\xEA" "dna kopia rekordu w\xEAz\xB3" "a 1 na ko\xF1" "cu pliku " + dir.folder() + "OP.qad do usuni\xEA" "cia"},
        {"krok", "przerwany krok co-je\x9Cli do wycofania, w\xEAz\xB3y do usuni\xEA" "cia: 1"},
        {"nieczytelny", "nieczytelny plik " + dir.folder() + "OP.qad.zapis do pomini\xEA" "cia i usuni\xEA" "cia"},
    };
    for (const auto& p : t) {
        operatorZPlikow({{1, 0, false}}, "d/r 0\r\n\td 1\r\n", false);
        const std::string co = p.co, qad = dir.read("OP.qad");
        if (co == "zapis") dir.write("OP.qad.zapis", dziennikZapisu(qad, 1));
        if (co == "czesc") dir.write("OP.qad", qad + std::string(100, 'x'));
        if (co == "spare") dir.write("OP.qad", qad + qad.substr(RozmiarStanuModelu));
        if (co == "krok") dir.write("OP.qad.krok", "1\r\n0\r\n");
        if (co == "nieczytelny") dir.write("OP.qad.zapis", "xx");
        const std::string przed = dir.read("OP.qad");
        for (const char* f : {"OP.qad", "OP.tr1"}) ::chmod(dir.file(f).c_str(), 0444);
        ui.messages.clear();
        EXPECT_EQ(w->Wczytanie_istniejacego_operatora(dir.folder() + "OP."), co == "nieczytelny") << co;
        ASSERT_EQ(ui.messages.size(), 1u) << co;
        EXPECT_NE(ui.messages[0].find(co == "nieczytelny" ? " naprawiony (tylko w pami\xEA" "ci"
                                                          : "wymaga naprawy, a pliki operatora s\xB9 tylko do odczytu"),
                  std::string::npos)
            << ui.messages[0];
        EXPECT_NE(ui.messages[0].find(p.plan), std::string::npos) << ui.messages[0];
        EXPECT_EQ(dir.read("OP.qad"), przed) << co;
        for (const char* f : {"OP.qad", "OP.tr1"}) ::chmod(dir.file(f).c_str(), 0644);
        for (const char* f : {"OP.qad.zapis", "OP.qad.krok"}) std::filesystem::remove(dir.file(f));
    }
}

// An open that is refused writes nothing, and says truly why.
TEST_F(Naprawa, ARefusedOpenLeavesBothFilesAsTheyWere) {
    const struct {
        const char* co;
        std::function<void(test::TempDir&)> psuj;
        std::string powod;
    } przypadki[] = {
        {"cut inside record 0", [](auto& d) { d.write("OP.qad", d.read("OP.qad").substr(0, 18735)); }, "kr\xF3tszy"},
        {"tree file a FIFO", [](auto& d) { ::unlink(d.file("OP.tr1").c_str()), ::mkfifo(d.file("OP.tr1").c_str(), 0600); },
         "to jest potok nazwany (FIFO)"},
        {"tree longer than any", [](auto& d) { d.write("OP.tr1", "d/r 0\r\n" + std::string(1 << 20, '\t') + "d 1\r\n"); },
         "za d\xB3ugi"},
        {"a node's number twice, a partial record after", [](auto& d) {
             const std::string b = d.read("OP.qad");
             d.write("OP.qad", b + b.substr(RozmiarStanuModelu, 100) + "!" + b.substr(RozmiarStanuModelu + 101) + "x");
         }, "ma ju\xBF rekord 2"},
        {"journal a dangling symbolic link",
         [](auto& d) { std::filesystem::create_symlink(d.file("brak"), d.file("OP.qad.zapis")); },
         "OP.qad.zapis nie daje si\xEA odczyta\xE6: dowi\xB9zanie symboliczne"},
    };
    for (const auto& p : przypadki) {
        operatorZPlikow({{1, 0, true}}, "d/r 0\r\n\td/r 1\r\n", false);
        w.reset();  // the lock goes with the program
        w = std::make_unique<Warsztat>(*k);
        p.psuj(dir);
        // (A FIFO is never read.)
        auto tresc = [&](const char* f) {
            struct stat st {};
            return ::stat(dir.file(f).c_str(), &st) == 0 && S_ISREG(st.st_mode) ? dir.read(f) : "FIFO";
        };
        const std::string qad = tresc("OP.qad"), tr1 = tresc("OP.tr1");
        ui.messages.clear();
        EXPECT_FALSE(w->Wczytanie_istniejacego_operatora(dir.folder() + "OP.")) << p.co;
        ASSERT_EQ(ui.messages.size(), 1u) << p.co;
        EXPECT_NE(ui.messages[0].find(p.powod), std::string::npos) << ui.messages[0];
        EXPECT_TRUE(tresc("OP.qad") == qad && tresc("OP.tr1") == tr1) << p.co;
        for (const char* f : {"OP.qad", "OP.tr1", "OP.qad.zapis"}) ::unlink(dir.file(f).c_str());
    }
}

// An open refused after its repair was written (the state file then
// unreadable) says so, and tells the repair its files now hold.
TEST_F(Naprawa, AnOpenRefusedAfterItsRepairTellsTheRepair) {
    operatorZPlikow({{1, 0, false}}, "d/r 0\r\n\td 1\r\n", false);
    w.reset();
    w = std::make_unique<Warsztat>(*k);
    dir.write("OP.qad", dir.read("OP.qad") + std::string(100, 'x'));
    bool naprawiony = false;
    setFileFault([&](std::string_view krok) { return (naprawiony = naprawiony || krok == "sync folder") && krok == "stat"; });
    ui.messages.clear();
    EXPECT_FALSE(w->Wczytanie_istniejacego_operatora(dir.folder() + "OP."));
    setFileFault({});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find(" - operator nie zosta\xB3 otwarty; plik stanu " + dir.folder() +
                                  "OP.qad zosta\xB3 ju\xBF naprawiony:\n - niepe\xB3ny ostatni rekord"),
              std::string::npos)
        << ui.messages[0];
    EXPECT_EQ(dir.read("OP.qad").size(), 2 * RozmiarStanuModelu);
}

// A journal left by a removal that failed after a complete save: a delete
// and an add go on (the delete's new order never meets it), the open too.
TEST_F(Naprawa, AJournalThatCouldNotBeRemovedBlocksNothing) {
    operatorZPlikow({{1, 0, true}, {2, 0, true}, {3, 2, false}}, "d/r 0\r\n\td/r 1\r\n\td/r 2\r\n\t\td 3\r\n");
    w->WybierzWezel(3);
    w->przeglad1Click(false);
    w->Formularz.Pola[0] = "377";
    setFileFault([](std::string_view krok) { return krok == "remove"; });
    EXPECT_TRUE(w->PrzyciskOKClick());
    setFileFault({});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("OP.qad.zapis"), std::string::npos) << ui.messages[0];
    ASSERT_TRUE(dir.exists("OP.qad.zapis"));
    EXPECT_TRUE(w->KasowanieWezla(1));
    EXPECT_FALSE(dir.exists("OP.qad.zapis"));
    w->Wybierz(0);
    w->Bazowy1Click();
    w->WyborWezlaDoEdycji();
    EXPECT_TRUE(w->dodanieweza1Click());
    EXPECT_EQ(ui.messages.size(), 1u) << ui.messages.back();
    EXPECT_TRUE(w->Wczytanie_istniejacego_operatora(dir.folder() + "OP."));
    EXPECT_EQ(w->Drzewo.Linie(), (std::vector<std::string>{"d/r 0", "\td 1", "\td/r 2", "\t\td 3"}));
}

// A journal whose save is complete (the program killed at its removal) is
// removed by the next open, which names it in the state file's spelling;
// one of another spelling is another operator's: neither removed nor named.
TEST_F(Naprawa, AJournalOfACompleteSaveIsNamedByTheOpen) {
    for (const std::string qad : {"qad", "QAD"}) {
        std::filesystem::remove_all(dir.folder());
        std::filesystem::create_directories(dir.folder());
        w.reset();
        k = std::make_unique<Kontekst>(ui);
        SetUp();
        operatorZPlikow({{1, 0, false}}, "d/r 0\r\n\td 1\r\n", false);
        std::filesystem::rename(dir.file("OP.qad"), dir.file("OP." + qad));
        dir.write("op.qad.zapis", "cudzy");
        ASSERT_TRUE(w->Wczytanie_istniejacego_operatora(dir.folder() + "OP.")) << qad;
        w->WybierzWezel(1);
        w->przeglad1Click(false);
        w->Formularz.Pola[0] = "377";
        setFileFault([](std::string_view krok) { return krok == "remove"; });
        EXPECT_TRUE(w->PrzyciskOKClick()) << qad;
        setFileFault({});
        ASSERT_TRUE(dir.exists("OP." + qad + ".zapis")) << qad;
        ui.messages.clear();
        ASSERT_TRUE(w->Wczytanie_istniejacego_operatora(dir.folder() + "OP.")) << qad;
        ASSERT_EQ(ui.messages.size(), 1u) << qad;
        EXPECT_NE(ui.messages[0].find(" naprawiony:\n - usuni\xEAto dziennik " + dir.folder() + "OP." + qad + ".zapis"),
                  std::string::npos)
            << ui.messages[0];
        EXPECT_EQ(ui.messages[0].find("op.qad.zapis"), std::string::npos) << ui.messages[0];
        EXPECT_FALSE(dir.exists("OP." + qad + ".zapis")) << qad;
        EXPECT_EQ(dir.read("op.qad.zapis"), "cudzy") << qad;
    }
}

// A state file put in the place of the locked one while it is open keeps
// no one out: the program holding the old one changes nothing after that.
TEST_F(Naprawa, AStateFileReplacedWhileOpenRefusesEveryChange) {
    operatorZPlikow({{1, 0, false}}, "d/r 0\r\n\td 1\r\n");
    const std::string qad = dir.read("OP.qad");
    std::filesystem::remove(dir.file("OP.lck"));
    dir.write("kopia", qad);
    std::filesystem::rename(dir.file("kopia"), dir.file("OP.qad"));
    const std::string tr1 = dir.read("OP.tr1");
    const std::function<bool()> zmiany[] = {[&] { return w->Symulowanie(1); }, [&] { return w->KasowanieWezla(1); }};
    for (const auto& zmiana : zmiany) {
        ui.messages.clear();
        EXPECT_FALSE(zmiana());
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].find("zast\xB9piony innym plikiem"), std::string::npos) << ui.messages[0];
    }
    EXPECT_TRUE(dir.read("OP.qad") == qad && dir.read("OP.tr1") == tr1);
    // Reopened, it is locked anew.
    EXPECT_TRUE(w->Wczytanie_istniejacego_operatora(dir.folder() + "OP.") && w->Symulowanie(1));
}

// Replaced under this program's own lock, it is told as changed while
// being opened, not as held by another program.
TEST_F(Naprawa, AStateFileReplacedUnderTheLockIsToldAsChanged) {
    operatorZPlikow({{1, 0, false}}, "d/r 0\r\n\td 1\r\n");
    dir.write("kopia", dir.read("OP.qad"));
    std::filesystem::rename(dir.file("kopia"), dir.file("OP.qad"));
    ui.messages.clear();
    EXPECT_FALSE(w->Wczytanie_istniejacego_operatora(dir.folder() + "OP."));
    EXPECT_EQ(ui.messages, std::vector<std::string>{changedFileText(FileAtName::Replaced, "Plik stanu " + dir.folder() + "OP.qad") +
                                                     " - nie otwarto go"});
}

TEST_F(Naprawa, AReadOnlyOperatorOpensAndRefusesEveryChangeWithOneMessage) {
    operatorZPlikow({{1, 0, false}}, "d/r 0\r\n\td 1\r\n", false);
    for (const char* f : {"OP.qad", "OP.tr1"}) ::chmod(dir.file(f).c_str(), 0444);
    const std::string qad = dir.read("OP.qad"), tr1 = dir.read("OP.tr1");
    ASSERT_TRUE(w->Wczytanie_istniejacego_operatora(dir.folder() + "OP."));
    w->Wybierz(0);
    w->Bazowy1Click();
    w->WyborWezlaDoEdycji();
    const std::function<bool()> zmiany[] = {[&] { return w->dodanieweza1Click(); },
                                           [&] { return w->Symulowanie(1); },
                                           [&] { return w->KasowanieWezla(1); },
                                           [&] { return w->OO(1, 1, 5).has_value(); }};
    for (const auto& zmiana : zmiany) {
        ui.messages.clear();
        EXPECT_FALSE(zmiana());
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].find("tylko do odczytu"), std::string::npos) << ui.messages[0];
    }
    EXPECT_EQ(dir.read("OP.qad"), qad);
    EXPECT_EQ(dir.read("OP.tr1"), tr1);
    struct stat st {};
    for (const char* f : {"OP.qad", "OP.tr1"}) {
        ASSERT_EQ(::stat(dir.file(f).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0444u) << f;
    }
}

TEST_F(Naprawa, ASecondProgramIsRefusedWhileTheOperatorIsOpen) {
    nowyOperator();
    ScriptedUserInterface ui2;
    auto k2 = std::make_unique<Kontekst>(ui2);
    k2->catPARAMETR = k->catPARAMETR;
    auto w2 = std::make_unique<Warsztat>(*k2);
    const std::string qad = dir.read("OP.qad");
    EXPECT_FALSE(w2->Wczytanie_istniejacego_operatora(dir.folder() + "OP."));
    ASSERT_EQ(ui2.messages.size(), 1u);
    EXPECT_NE(ui2.messages[0].find("u\xBFywany przez inny program"), std::string::npos) << ui2.messages[0];
    EXPECT_FALSE(w2->TworzenieNowegoOperatora(dir.folder() + "OP."));
    // Nor after the lock file was deleted by hand; the first reopens it.
    std::filesystem::remove(dir.file("OP.lck"));
    EXPECT_FALSE(w2->Wczytanie_istniejacego_operatora(dir.folder() + "OP."));
    EXPECT_TRUE(w->Wczytanie_istniejacego_operatora(dir.folder() + "OP."));
    EXPECT_EQ(dir.read("OP.qad"), qad);
    w.reset();  // the first program ends
    EXPECT_TRUE(w2->Wczytanie_istniejacego_operatora(dir.folder() + "OP."));
}

}  // namespace
}  // namespace vesk
