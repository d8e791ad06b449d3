#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

#include "PomocWarsztatu.h"
#include "Teksty.h"

namespace vesk {
namespace {

using PlikiOperatora = test::WarsztatTest;

// The folder's files whose names begin with "T", with their bytes, taken away.
std::map<std::string, std::string> zabierzPlikiT(const test::TempDir& dir) {
    std::map<std::string, std::string> pliki;
    for (const auto& e : std::filesystem::directory_iterator(dir.folder()))
        if (const std::string n = e.path().filename().string(); n[0] == 'T') {
            pliki[n] = dir.read(n);
            std::filesystem::remove(e.path());
        }
    return pliki;
}

TEST_F(PlikiOperatora, ANamePartOfTwelveCharactersIsTakenThirteenRefused) {
    ui.files = {dir.folder() + "ABCDEFGHI.tr1", dir.folder() + "ABCDEFGH.tr1"};
    w->Nowy1Click();
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{std::string(teksty::NalezyZainicjowac) + "\n" + teksty::NazwaZaDluga}));
    EXPECT_FALSE(dir.exists("ABCDEFGHI.qad"));
    EXPECT_TRUE(k->SciezkaOperatora.empty());
    w->Nowy1Click();
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(k->SciezkaOperatora, dir.folder() + "ABCDEFGH.");
    EXPECT_EQ(ui.dialogFolders.back(), dir.folder());
    EXPECT_EQ(ui.dialogs.back(), teksty::TytulNazywania);
}

TEST_F(PlikiOperatora, TheDialogsStartInTheOperatorFolderFoundAsNamesAre) {
    // The folder of VE-SK.INI spelt otherwise is the one found; one that
    // two folders match, or none, is told and the working folder shown.
    std::filesystem::create_directory(dir.file("OP"));
    k->KatalogRoboczy = dir.folder();
    const struct {
        const char* ini;
        const char* drugi;  // another folder made
        std::string folder, komunikat;
    } wiersze[] = {
        {"op/", "", dir.folder() + "OP/", ""},
        {"op/", "Op", dir.folder(), "niejednoznaczna - nie ma folderu"},
        {"brak/", "", dir.folder(), "brak/ (plik ustawie\xF1 "},
    };
    for (const auto& w : wiersze) {
        SCOPED_TRACE(w.ini);
        if (*w.drugi) std::filesystem::create_directory(dir.file(w.drugi));
        k->catKARTOPERATORA = dir.folder() + w.ini;
        ui.messages.clear();
        this->w->NowyPlik1Click();
        this->w->Nowy1Click();
        this->w->Kasowanieoperatora1Click();
        EXPECT_EQ(ui.dialogFolders, (std::vector<std::string>{w.folder, w.folder, w.folder}));
        ui.dialogFolders.clear();
        ASSERT_EQ(ui.messages.size(), w.komunikat.empty() ? 1u : 4u);  // the third: no operator yet
        if (!w.komunikat.empty())
            EXPECT_NE(ui.messages[0].find(w.komunikat), std::string::npos) << ui.messages[0];
        if (!w.komunikat.empty())
            EXPECT_TRUE(ui.messages[0].ends_with(" - okno wyboru pliku poka\xBF" "e folder roboczy")) << ui.messages[0];
    }
    // The working folder named, never left to the dialog's last folder.
    k->KatalogRoboczy.clear();
    this->w->NowyPlik1Click();
    EXPECT_EQ(ui.dialogFolders.back(), FolderRoboczy(*k));
    EXPECT_FALSE(ui.dialogFolders.back().empty());
}

TEST_F(PlikiOperatora, ANewOperatorHoldsTheTemplateTreeAndTheRootAlone) {
    ui.files = {dir.folder() + "NOWY"};  // the default extension is added
    w->Nowy1Click();
    EXPECT_EQ(dir.read("NOWY.tr1"), "d/r 0\r\n");
    EXPECT_EQ(dir.read("NOWY.qad").size(), RozmiarStanuModelu);
    EXPECT_EQ(k->NazwaPlikuStanu, "NOWY.qad");
    EXPECT_EQ(k->KatalogOperatora, dir.folder());
    EXPECT_EQ(k->PlikDrzewa, dir.folder() + "NOWY.tr1");
    EXPECT_EQ(w->PanelDrzewa, "NOWY.tr1");
    EXPECT_EQ(w->Tytul, std::string(teksty::TytulProgramu) + " " + dir.folder() + "NOWY.tr1");
    EXPECT_EQ(w->Wybrany, 0);
    EXPECT_FALSE(dir.exists("NOWY.tr1.nowy"));
}

// A link at a new file's name refuses the creation naming it as a link;
// the link and its target stay as they were.
TEST_F(PlikiOperatora, ALinkAtANewFilesNameIsNamedAsALink) {
    dir.write("notatki", "moje");
    for (const char* nowy : {"NOWY.tr1.nowy", "NOWY.qad.nowy"}) {
        ASSERT_EQ(::symlink("notatki", dir.file(nowy).c_str()), 0);
        ui.messages.clear();
        EXPECT_FALSE(w->TworzenieNowegoOperatora(dir.folder() + "NOWY."));
        EXPECT_EQ(ui.messages, std::vector<std::string>{"Plik " + dir.file(nowy) +
                                                        ": dowi\xB9zanie symboliczne - operator nie zosta\xB3 utworzony"});
        EXPECT_TRUE(std::filesystem::is_symlink(dir.file(nowy)) && dir.read("notatki") == "moje");
        std::filesystem::remove(dir.file(nowy));
    }
}

TEST_F(PlikiOperatora, ADotInsideTheNameKeepsItsLettersAndGetsTheExtension) {
    ui.files = {dir.folder() + "firma.v2"};
    w->Nowy1Click();
    EXPECT_TRUE(dir.exists("firma.v2.tr1") && dir.exists("firma.v2.qad"));
}

// A control character is not dropped as a blank is, and dots alone are no name.
TEST_F(PlikiOperatora, BlanksAroundTheNameAreDropped) {
    const char* przypadki[][2] = {{"sp ", "sp.tr1"}, {" sp2 .tr1", "sp2.tr1"}, {"  ", nullptr}, {"  .tr1", nullptr},
                                  {"..tr1", nullptr},  {"t\t", nullptr}};
    for (const auto& p : przypadki) {
        ui.files = {dir.folder() + p[0]};
        EXPECT_EQ(w->Zachowajjako1Click(), p[1] ? std::optional(dir.folder() + p[1]) : std::nullopt) << p[0];
    }
    std::vector<std::string> m(3, std::string(teksty::NalezyZainicjowac) + "\n" + teksty::NazwaPusta);
    m.push_back(std::string(teksty::NalezyZainicjowac) + "\nOperator \"" + dir.folder() + "t\\x09\" ma w nazwie znak steruj\xB9" "cy "
                "\\x09 (tabulator): nale\xBFy poda\xE6 plik drzewa operatora bez znak\xF3w steruj\xB9" "cych, np. " + dir.folder() +
                "t.tr1 - nic nie utworzono ani nie otwarto");
    EXPECT_EQ(ui.messages, m);
}

TEST_F(PlikiOperatora, CancelOnOverwriteLeavesEverythingAsItWas) {
    nowyOperator();
    w->Wybierz(0);
    w->Bazowy1Click();
    w->WyborWezlaDoEdycji();
    ASSERT_TRUE(w->dodanieweza1Click());
    const std::string qad = dir.read("OP.qad"), tr1 = dir.read("OP.tr1");
    ui.files = {dir.folder() + "OP.tr1"};
    ui.answers = {false};
    w->Nowy1Click();
    EXPECT_EQ(ui.captions, (std::vector<std::string>{teksty::PlikIstnieje}));
    EXPECT_EQ(ui.questions, (std::vector<std::string>{teksty::OperatorIstnieje}));
    EXPECT_EQ(dir.read("OP.qad"), qad);
    EXPECT_EQ(dir.read("OP.tr1"), tr1);
    EXPECT_EQ(w->Drzewo.Liczba(), 2);
}

// A creation over an operator whose files are read-only is refused before
// the question whether to delete it (one another copy holds: the window test).
TEST_F(PlikiOperatora, AnOverwriteThatWouldBeRefusedIsRefusedBeforeAnyQuestion) {
    nowyOperator();
    dir.write("B.tr1", dir.read("OP.tr1"));
    dir.write("B.qad", dir.read("OP.qad"));
    std::filesystem::permissions(dir.file("B.qad"), std::filesystem::perms::owner_read);
    ui.messages.clear();
    ui.files = {dir.folder() + "B.tr1"};
    w->Nowy1Click();
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Plik " + dir.folder() +
                                                     "B.qad jest tylko do odczytu - operator nie zosta\xB3 utworzony"}));
    EXPECT_EQ(k->NazwaPlikuStanu, "OP.qad");
}

TEST_F(PlikiOperatora, BatchModeNamesTheOperatorWithoutAsking) {
    k->TrybWsadowy = true;
    k->NazwaOperatoraWsadowego = "testint";
    w->Nowy1Click();
    EXPECT_TRUE(ui.dialogs.empty());
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_TRUE(dir.exists("testint.qad"));
    EXPECT_TRUE(dir.exists("testint.tr1"));
}

TEST_F(PlikiOperatora, AMissingStateFileKeepsThePreviousOperatorWhole) {
    nowyOperator();
    dir.write("B.tr1", "d/r 0\r\n");
    const std::string sciezka = k->SciezkaOperatora, katalog = k->KatalogOperatora;
    const ZESPOL tabela = k->TabelaWezlow;
    const StanModelu rekord = k->RekordBiezacy;
    EXPECT_FALSE(w->Roz_Wczytanie_istniejacego_operatora(dir.folder() + "B.tr1"));
    EXPECT_EQ(k->SciezkaOperatora, sciezka);
    EXPECT_EQ(k->KatalogOperatora, katalog);
    EXPECT_EQ(k->NazwaPlikuStanu, "OP.qad");
    EXPECT_EQ(k->TabelaWezlow, tabela);
    EXPECT_EQ(k->RekordBiezacy, rekord);
    EXPECT_EQ(w->Drzewo.Liczba(), 1);
    EXPECT_EQ(ui.messages.size(), 1u);
}

// Blanks are nothing; a tree file that is no tree is rebuilt from the
// records and kept beside under the name the message gives; anything at a
// name for the kept tree, a pipe too, is passed over.
TEST_F(PlikiOperatora, ATreeThatDoesNotParseIsRebuiltAndKept) {
    struct {
        const char* co;
        std::string drzewo;
        bool odbudowane;
        const char* zachowany = "B.tr1.bledny";  // kept elsewhere: a pipe at B.tr1.bledny
    } przypadki[] = {
        {"trailing blanks and blank lines", "d/r 0 \t\r\n\td 1\t\r\n\r\n \t\r\n\r\n", false},
        {"level jump", "d/r 0\r\n\t\td 1\r\n", true},
        {"garbage", std::string("\xFF\xFE" "d\0/\0r\0 \0" "0\0\r\0\n", 14), true},
        {"a pipe where the tree would be kept", "d/r 0\r\n\t\td 1\r\n", true, "B.tr1.bled1"},
    };
    operatorZPlikow({{1, 0, false}}, "d/r 0\r\n\td 1\r\n");
    for (const auto& p : przypadki) {
        const bool rura = std::string(p.zachowany) != "B.tr1.bledny";
        ui.messages.clear();
        dir.write("B.qad", dir.read("OP.qad"));
        dir.write("B.tr1", p.drzewo);
        if (rura) ASSERT_EQ(::mkfifo(dir.file("B.tr1.bledny").c_str(), 0600), 0);
        ASSERT_TRUE(w->Roz_Wczytanie_istniejacego_operatora(dir.folder() + "B.tr1")) << p.co;
        EXPECT_EQ(w->Drzewo.Linie(), (std::vector<std::string>{"d/r 0", "\td 1"})) << p.co;
        ASSERT_EQ(ui.messages.size(), p.odbudowane ? 1u : 0u) << p.co;
        if (!p.odbudowane) continue;
        EXPECT_EQ(dir.read(p.zachowany), p.drzewo) << p.co;
        EXPECT_EQ(dir.read("B.tr1"), "d/r 0\r\n\td 1\r\n") << p.co;
        EXPECT_NE(ui.messages[0].find("zachowany jako " + dir.file(p.zachowany)), std::string::npos) << ui.messages[0];
        EXPECT_EQ(std::filesystem::is_fifo(dir.file("B.tr1.bledny")), rura) << p.co;
        std::filesystem::remove(dir.file(p.zachowany));
        std::filesystem::remove(dir.file("B.tr1.bledny"));
    }
}

// Files a save would change another operator through (a hard link), and a
// name too long for the files made beside it, are refused before anything
// is made.
TEST_F(PlikiOperatora, FilesThatCannotServeAnOperatorAreRefusedBeforeAnythingIsMade) {
    nowyOperator();
    const std::string dlugi(245, 'q');
    struct {
        const char* co;
        std::string nazwa, twardy, powod;
    } przypadki[] = {
        {"hard-linked state file", "B", "qad", "B.qad ma 2 nazwy"},
        {"hard-linked tree file", "B", "tr1", "B.tr1 ma 2 nazwy"},
        {"245-byte name", dlugi, "", "nazwa operatora za d\xB3uga (245 bajt\xF3w"},
    };
    for (const auto& p : przypadki) {
        for (const char* f : {"B.qad", "B.tr1", "B.lck"}) std::filesystem::remove(dir.file(f));
        if (!p.twardy.empty()) {
            dir.write("B.qad", dir.read("OP.qad"));
            dir.write("B.tr1", dir.read("OP.tr1"));
            std::filesystem::remove(dir.file("B." + p.twardy));
            std::filesystem::create_hard_link(dir.file("OP." + p.twardy), dir.file("B." + p.twardy));
        }
        const std::string qad = dir.read("OP.qad"), tr1 = dir.read("OP.tr1");
        ui.messages.clear();
        EXPECT_FALSE(w->Wczytanie_istniejacego_operatora(dir.folder() + p.nazwa + ".")) << p.co;
        EXPECT_FALSE(w->TworzenieNowegoOperatora(dir.folder() + p.nazwa + ".")) << p.co;
        ASSERT_EQ(ui.messages.size(), 2u) << p.co;
        for (const std::string& m : ui.messages) EXPECT_NE(m.find(p.powod), std::string::npos) << m;
        EXPECT_TRUE(dir.read("OP.qad") == qad && dir.read("OP.tr1") == tr1) << p.co;
        EXPECT_FALSE(dir.exists(p.nazwa + ".lck")) << p.co;
        EXPECT_EQ(k->SciezkaOperatora, dir.folder() + "OP.") << p.co;
    }
}

// A folder that cannot be listed, or a stat failing otherwise than "no
// such file", tells nothing of the operator: every path that opens,
// creates, replaces or deletes one refuses, naming the folder and the
// error, and no file changes.
TEST_F(PlikiOperatora, AFolderThatCannotBeReadIsNeverTakenForNoOperator) {
    nowyOperator();
    for (const char* f : {"B.qad", "B.tr1"}) dir.write(f, dir.read(std::string("OP") + (f + 1)));
    const std::string B = dir.folder() + "B.", OP = dir.folder() + "OP.";
    const std::function<void()> sciezki[] = {
        [&] { w->Wczytanie_istniejacego_operatora(B); },        [&] { w->TworzenieNowegoOperatora(B); },
        [&] { w->Roz_TworzenieNowegoOperatora(B + "tr1"); },    [&] { w->Roz_TworzenieNowegoOperatora(dir.folder() + "C.tr1"); },
        [&] { ui.files = {B + "tr1"}, w->Nowy1Click(); },       [&] { ui.files = {B + "tr1"}, w->NowyPlik1Click(); },
        [&] { ui.files = {B + "tr1"}, w->Kasowanieoperatora1Click(); }};
    for (const auto& [krok, blad] : {std::pair{"list", EACCES}, std::pair{"list", EIO}, std::pair{"stat", EIO}})
        for (std::size_t i = 0; i < std::size(sciezki); ++i) {
            SCOPED_TRACE(std::to_string(i) + " " + krok + " " + fileErrorText(blad));
            std::vector<std::pair<std::string, std::string>> przed, po;
            for (const auto& e : std::filesystem::directory_iterator(dir.folder())) przed.emplace_back(e.path(), dir.read(e.path().filename()));
            ui.messages.clear();
            setFileFault([k = std::string(krok)](std::string_view s) { return s == k; }, blad);
            sciezki[i]();
            setFileFault({});
            for (const auto& e : std::filesystem::directory_iterator(dir.folder())) po.emplace_back(e.path(), dir.read(e.path().filename()));
            EXPECT_EQ(po, przed);
            EXPECT_EQ(k->SciezkaOperatora, OP);
            EXPECT_NE(ui.messages.at(0).find("nie daje si\xEA odczyta\xE6: " + fileErrorText(blad)), std::string::npos);
        }
}

TEST_F(PlikiOperatora, OpeningTakesTheFolderFromTheChosenPath) {
    dir.write("inny/x", "");
    ASSERT_TRUE(w->TworzenieNowegoOperatora(dir.folder() + "inny/op."));
    test::TempDir drugi;
    k->catKARTOPERATORA = drugi.folder();
    ASSERT_TRUE(w->TworzenieNowegoOperatora(drugi.folder() + "tu."));
    ui.files = {dir.folder() + "inny/op.tr1"};
    w->NowyPlik1Click();
    EXPECT_EQ(k->KatalogOperatora, dir.folder() + "inny/");
    EXPECT_EQ(k->SciezkaOperatora, dir.folder() + "inny/op.");
    EXPECT_EQ(k->NazwaPlikuStanu, "op.qad");
    // A cancelled dialog reopens the present operator.
    w->Drzewo.DodajDziecko(0, "d 9");
    w->NowyPlik1Click();
    EXPECT_EQ(w->Drzewo.Liczba(), 1);
    EXPECT_EQ(k->SciezkaOperatora, dir.folder() + "inny/op.");
}

TEST_F(PlikiOperatora, AnOperatorKeepsItsOwnSpellingWhateverCaseItIsOpenedIn) {
    nowyOperator("Tc");
    ASSERT_TRUE(w->Wczytanie_istniejacego_operatora(dir.folder() + "tc."));
    EXPECT_TRUE(w->ZapiszDrzewo());
    EXPECT_TRUE(dir.exists("Tc.tr1"));
    EXPECT_FALSE(dir.exists("tc.tr1"));
    // The open dialog takes a bare name as the new operator's does.
    ui.files = {dir.folder() + " tc "};
    w->NowyPlik1Click();
    EXPECT_EQ(k->PlikDrzewa, dir.folder() + "Tc.tr1");
    EXPECT_FALSE(dir.exists("tc.lck"));
    // Of two operators spelt alike, the exact spelling first.
    for (const char* f : {"tc.qad", "tc.tr1"}) dir.write(f, dir.read(std::string("T") + (f + 1)));
    for (const char* nazwa : {"tc.", "Tc."}) {
        ASSERT_TRUE(w->Wczytanie_istniejacego_operatora(dir.folder() + nazwa));
        EXPECT_EQ(k->PlikDrzewa, dir.folder() + nazwa + "tr1");
    }
    // Each under its own lock: Tc is not held while tc is open.
    ASSERT_TRUE(w->Wczytanie_istniejacego_operatora(dir.folder() + "tc."));
    EXPECT_TRUE(dir.exists("tc.lck"));
    ui.messages.clear();
    ui.files = {dir.folder() + "Tc.tr1"};
    w->Kasowanieoperatora1Click();
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
    EXPECT_FALSE(dir.exists("Tc.tr1") || dir.exists("Tc.qad"));
    EXPECT_TRUE(dir.exists("tc.tr1") && dir.exists("tc.qad"));
}

TEST_F(PlikiOperatora, DeletingRemovesTheOperatorsFilesInAnyCase) {
    nowyOperator();
    for (const char* f : {"X.qad", "X.TR1", "x.KOS", "X.txt", "X.kos.html"}) dir.write(f, "x");
    std::filesystem::create_directory(dir.file("x.Akt"));  // a folder, no file of X's
    ui.files = {dir.folder() + "X.tr1"};
    w->Kasowanieoperatora1Click();
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("x.Akt")));
    EXPECT_FALSE(dir.exists("X.qad"));
    EXPECT_FALSE(dir.exists("X.TR1"));
    EXPECT_FALSE(dir.exists("x.KOS"));
    EXPECT_TRUE(dir.exists("X.txt"));
    EXPECT_FALSE(dir.exists("X.kos.html"));  // the page of x.KOS, the program's
    EXPECT_FALSE(dir.exists("X.lck"));
    EXPECT_TRUE(ui.messages.empty());
    // The open operator, spelt differently, is refused.
    ui.files = {dir.folder() + "op.TR1"};
    w->Kasowanieoperatora1Click();
    EXPECT_EQ(ui.messages, (std::vector<std::string>{teksty::NieWolnoKasowac}));
    EXPECT_TRUE(dir.exists("OP.qad"));
    EXPECT_TRUE(dir.exists("OP.tr1"));
}

TEST_F(PlikiOperatora, DeletingLeavesALinkAtALeftoversName) {
    // A link or a second name of another file where a killed write would
    // leave its journal, intent or new file is the user's: it stays, named.
    nowyOperator();
    for (const char* f : {"X.qad", "X.tr1", "V"}) dir.write(f, "x");
    ASSERT_EQ(::symlink("V", dir.file("X.qad.zapis").c_str()), 0);
    ASSERT_EQ(::link(dir.file("V").c_str(), dir.file("X.qad.krok").c_str()), 0);
    ASSERT_EQ(::symlink("V", dir.file("X.tr1.nowy").c_str()), 0);
    ui.files = {dir.folder() + "X.tr1"};
    w->Kasowanieoperatora1Click();
    EXPECT_FALSE(dir.exists("X.qad") || dir.exists("X.tr1"));
    ASSERT_EQ(ui.messages.size(), 1u);
    for (const char* f : {"X.qad.zapis", "X.qad.krok", "X.tr1.nowy"}) {
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(dir.file(f)))) << f;
        EXPECT_NE(ui.messages[0].find(dir.file(f)), std::string::npos) << ui.messages[0];
    }
    EXPECT_EQ(dir.read("V"), "x");
}

// Copies of one stem in other spellings (T.TR1 + T.QAD beside a stray
// T.qad, or a whole second pair): each tree opens with its own state
// file, is never repaired against another, and a deletion takes only it.
TEST_F(PlikiOperatora, EachCopyOfAStemOpensAndGoesWithItsOwnStateFile) {
    operatorZPlikow({{1, 0, false}, {2, 0, false}}, "d/r 0\r\n\td 1\r\n\td 2\r\n", false);
    const std::string trzy = dir.read("OP.qad"), drzewo = dir.read("OP.tr1");
    nowyOperator("R");
    const std::map<std::string, std::string> stray = {{"T.TR1", drzewo}, {"T.QAD", trzy}, {"T.qad", dir.read("R.qad")}},
                                             para = {{"T.TR1", drzewo}, {"T.QAD", trzy}, {"T.tr1", drzewo}, {"T.qad", trzy},
                                                     {"T.tr1.bledny", "x"}, {"T.TR1.bledny", "x"}};
    struct Wiersz {
        const std::map<std::string, std::string>& pliki;
        std::string wybrany, stan;           // the tree chosen, and the state file it opens with
        std::vector<std::string> skasowane;  // what deleting it removes
    } wiersze[] = {{stray, "T.TR1", "T.QAD", {"T.TR1", "T.QAD"}},
                   {para, "T.TR1", "T.QAD", {"T.TR1", "T.QAD", "T.TR1.bledny"}},
                   {para, "T.tr1", "T.qad", {"T.tr1", "T.qad", "T.tr1.bledny"}}};
    for (const Wiersz& p : wiersze) {
        SCOPED_TRACE(p.wybrany + " among " + std::to_string(p.pliki.size()));
        for (const auto& e : std::filesystem::directory_iterator(dir.folder()))
            if (e.path().filename().string()[0] != 'R') std::filesystem::remove(e.path());
        for (const auto& [n, bajty] : p.pliki) dir.write(n, bajty);
        ui.files = {dir.folder() + p.wybrany};
        ui.messages.clear();
        w->NowyPlik1Click();
        EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
        EXPECT_EQ(k->PlikDrzewa + " " + k->NazwaPlikuStanu, dir.folder() + p.wybrany + " " + p.stan);
        EXPECT_EQ(w->Drzewo.Liczba(), 3);
        for (const auto& [n, bajty] : p.pliki) EXPECT_EQ(dir.read(n), bajty) << n;
        ASSERT_TRUE(w->Wczytanie_istniejacego_operatora(dir.folder() + "R."));
        ui.files = {dir.folder() + p.wybrany};
        w->Kasowanieoperatora1Click();
        for (const auto& [n, bajty] : p.pliki)
            EXPECT_EQ(dir.exists(n), std::count(p.skasowane.begin(), p.skasowane.end(), n) == 0) << n;
    }
    // Crossed by hand: neither tree is repaired against the other's state file, and no file is made.
    const std::map<std::string, std::string> krzyz = {{"T.TR1", drzewo}, {"T.qad", trzy}, {"T.Tr1", dir.read("R.tr1")}, {"T.QAD", dir.read("R.qad")}};
    zabierzPlikiT(dir);
    for (const char* wybrany : {"T.TR1", "T.Tr1"}) {
        for (const auto& [n, bajty] : krzyz) dir.write(n, bajty);
        ui.files = {dir.folder() + wybrany};
        ui.messages.clear();
        w->NowyPlik1Click();
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].find(" maj\xB9 r\xF3\xBFne w\xEAz\xB3y (w drzewie: "), std::string::npos) << ui.messages[0];
        EXPECT_EQ(zabierzPlikiT(dir), krzyz);
    }
}

// A spelling no file has among copies of the stem, and a name whose own
// state file is there without its tree, are refused by the open dialog,
// "/f", the new operator's dialog and the delete dialog alike.
TEST_F(PlikiOperatora, EveryDialogRefusesTakingACopyByAGuess) {
    nowyOperator("R");
    const std::tuple<std::vector<std::string>, std::string, std::string> wiersze[] = {
        {{"T.QAD", "T.TR1", "T.qad", "T.tr1"}, "T.tR1", "T.tR1: nazwa niejednoznaczna"},
        {{"T.QAD", "T.qad", "T.tr1"}, "T.TR1", "stanu " + dir.folder() + "T.QAD nie ma swojego pliku drzewa " + dir.folder() + "T.TR1"}};
    const std::function<void()> sciezki[] = {[&] { w->NowyPlik1Click(); }, [&] { k->PlikStartowy = ui.files.front(); w->NowyPlik1Click(); },
                                            [&] { w->Nowy1Click(); }, [&] { w->Kasowanieoperatora1Click(); }};
    for (const auto& [pliki, nazwa, tekst] : wiersze)
        for (const auto& sciezka : sciezki) {
            std::map<std::string, std::string> przed;
            for (const std::string& p : pliki) dir.write(p, przed[p] = p);
            ui.files = {dir.folder() + nazwa};
            ui.messages.clear();
            sciezka();
            ASSERT_EQ(ui.messages.size(), 1u) << tekst;
            EXPECT_NE(ui.messages[0].find(tekst), std::string::npos) << ui.messages[0];
            EXPECT_EQ(k->PlikDrzewa, dir.folder() + "R.tr1");
            EXPECT_EQ(zabierzPlikiT(dir), przed);
        }
}

// A second program is told the tree as it is spelt and the lock it found
// held: the lock file's, or the state file's once the lock file is gone.
TEST_F(PlikiOperatora, ASecondProgramIsToldTheFilesThatAreThere) {
    nowyOperator("M");
    dir.write("T.TR1", dir.read("M.tr1"));
    dir.write("T.QAD", dir.read("M.qad"));
    // Another copy of its stem shares its lock file: not deleted while T.TR1
    // is open, whatever form either name took (the lock is this program's).
    const std::filesystem::path przed = std::filesystem::current_path();
    std::filesystem::current_path(dir.folder());
    std::filesystem::create_directory_symlink(".", "lnk");
    const std::string a = dir.folder(), wyzej = a + "../" + std::filesystem::path(a).parent_path().filename().string() + "/";
    for (const auto& [otwarty, kasowany] : {std::pair<std::string, std::string>{a, a}, {"", a}, {a, ""}, {"", ""}, {"lnk/", wyzej}}) {
        SCOPED_TRACE("'" + otwarty + "' '" + kasowany + "'");
        for (const char* f : {"T.tr1", "T.qad"}) std::filesystem::remove(dir.file(f));
        ASSERT_TRUE(w->Wczytanie_istniejacego_operatora(otwarty + "t."));
        for (const char* f : {"T.tr1", "T.qad"}) dir.write(f, dir.read(std::string("M") + (f + 1)));
        ui.files = {kasowany + "T.tr1"};
        ui.messages.clear();
        w->Kasowanieoperatora1Click();
        EXPECT_EQ(ui.messages, std::vector<std::string>{"Operator " + kasowany + "T.tr1 ma wsp\xF3ln\xB9 blokad\xEA " + kasowany +
                                                        "T.lck z otwartym operatorem " + otwarty + "T.TR1 - nie skasowano go"});
    }
    std::filesystem::current_path(przed);
    for (const char* f : {"T.tr1", "T.qad"}) std::filesystem::remove(dir.file(f));
    ScriptedUserInterface ui2;
    Kontekst k2(ui2);
    k2.catPARAMETR = k->catPARAMETR;
    Warsztat w2(k2);
    const std::string uzywany = "Operator " + dir.folder() + "T.TR1 jest u\xBFywany przez inny program (blokada ";
    for (const std::string& blokada : {dir.folder() + "T.lck", "pliku stanu " + dir.folder() + "T.QAD"}) {
        ui2.messages.clear();
        EXPECT_FALSE(w2.Wczytanie_istniejacego_operatora(dir.folder() + "T."));
        EXPECT_EQ(ui2.messages, std::vector<std::string>{uzywany + blokada + ") - nie otwarto go"});
        std::filesystem::remove(dir.file("T.lck"));
    }
}

// An operator that can be read alone is refused before the question, as
// one another program has open is: its files without write permission,
// or its folder where nothing can be removed (a read-only medium).
TEST_F(PlikiOperatora, AReadOnlyOperatorIsRefusedBeforeTheDeleteQuestion) {
    nowyOperator("X");
    std::filesystem::create_directory(dir.file("ro"));
    nowyOperator("ro/Y");
    nowyOperator();
    std::filesystem::permissions(dir.file("X.qad"), std::filesystem::perms::owner_read);
    const test::NosnikTylkoDoOdczytu ro(dir.folder() + "ro/");
    for (const auto& [plik, komunikat] : {std::pair<std::string, std::string>{"X.tr1", "Plik " + dir.folder() + "X.qad jest tylko do odczytu"},
                                          {"ro/Y.tr1", "W folderze " + dir.folder() + "ro/ nie mo\xBFna zapisa\xE6 plik\xF3w (folder tylko do odczytu)"}}) {
        if (plik == "ro/Y.tr1" && !ro.jest) continue;
        ui.messages.clear();
        ui.files = {dir.folder() + plik};
        w->Kasowanieoperatora1Click();
        EXPECT_TRUE(ui.questions.empty()) << plik;
        EXPECT_EQ(ui.messages, std::vector<std::string>{komunikat + " - operator nie zosta\xB3 skasowany"});
        EXPECT_TRUE(dir.exists(plik));
    }
}

// A refused name tells that nothing was deleted; the question names the
// folder when the open operator, in another folder, is named alike.
TEST_F(PlikiOperatora, TheDeleteDialogSpeaksOfDeletingAndNamesTheFolderOfANamesake) {
    nowyOperator();
    std::filesystem::create_directory(dir.file("inny"));
    for (const char* f : {"inny/op.qad", "inny/op.tr1", "inny/X.qad", "inny/X.tr1"}) dir.write(f, "x");
    const struct {
        const char* plik;
        std::string komunikat, pytanie;
    } przypadki[] = {
        {"..tr1", "Operator \"" + dir.folder() + "..tr1\" nie ma nazwy przed \".tr1\": nale\xBFy poda\xE6 plik drzewa "
                  "operatora, np. " + dir.folder() + "firma.tr1 - nic nie skasowano", ""},
        {"inny/op.tr1", "", "Skasowa\xE6 operatora op z folderu " + dir.folder() + "inny/ razem z jego drzewem, "
                            "wynikami i sprawozdaniami?"},
        {"inny/X.tr1", "", "Skasowa\xE6 operatora X razem z jego drzewem, wynikami i sprawozdaniami?"},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.plik);
        ui.messages.clear();
        ui.questions.clear();
        ui.answers = {false};
        ui.files = {dir.folder() + p.plik};
        w->Kasowanieoperatora1Click();
        EXPECT_EQ(ui.messages, p.komunikat.empty() ? std::vector<std::string>{} : std::vector{p.komunikat});
        EXPECT_EQ(ui.questions, p.pytanie.empty() ? std::vector<std::string>{} : std::vector{p.pytanie});
    }
    EXPECT_TRUE(dir.exists("inny/op.tr1"));
}

}  // namespace
}  // namespace vesk

namespace vesk {
namespace {

using PlikiOperatoraBledy = test::WarsztatTest;

TEST_F(PlikiOperatoraBledy, AFailedTreeSaveKeepsTheOldFile) {
    nowyOperator();
    const std::string tr1 = dir.read("OP.tr1");
    w->Drzewo.DodajDziecko(0, "d 1");
    setFileFault([](std::string_view krok) { return krok == "rename"; });
    EXPECT_FALSE(w->ZapiszDrzewo());
    setFileFault({});
    EXPECT_TRUE(w->BladZapisu);
    EXPECT_EQ(dir.read("OP.tr1"), tr1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("OP.tr1"), std::string::npos);
}

TEST_F(PlikiOperatoraBledy, AMissingParameterFileAtTheLoadKeepsThePreviousOperator) {
    nowyOperator();
    ASSERT_TRUE(w->TworzenieNowegoOperatora(dir.folder() + "B."));
    test::TempDir pusty;
    k->catPARAMETR = pusty.folder();
    EXPECT_FALSE(w->Wczytanie_istniejacego_operatora(dir.folder() + "OP."));
    EXPECT_EQ(k->SciezkaOperatora, dir.folder() + "B.");
    EXPECT_EQ(k->NazwaPlikuStanu, "B.qad");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("parametr.mdl"), std::string::npos);
    // Creation needs the template tree in the same folder.
    EXPECT_FALSE(w->TworzenieNowegoOperatora(dir.folder() + "C."));
    EXPECT_FALSE(dir.exists("C.qad"));
    EXPECT_NE(ui.messages.back().find("decyzje.tr1"), std::string::npos);
    EXPECT_EQ(k->SciezkaOperatora, dir.folder() + "B.");
    // A parameter file that is a pipe: its reason, the state file not blamed.
    std::filesystem::copy_file(std::string(VESK_DATA_DIR) + "PARAMETR/decyzje.tr1", pusty.folder() + "decyzje.tr1");
    ASSERT_EQ(::mkfifo((pusty.folder() + "parametr.mdl").c_str(), 0644), 0);
    ui.messages.clear();
    EXPECT_FALSE(w->TworzenieNowegoOperatora(dir.folder() + "D."));
    EXPECT_FALSE(dir.exists("D.qad"));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[0].find("potok nazwany"), std::string::npos);
    EXPECT_EQ(ui.messages[1], "Operator " + dir.folder() + "D.tr1 nie zosta\xB3 utworzony");
}

}  // namespace
}  // namespace vesk
