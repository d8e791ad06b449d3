// The executor: presses and "run", call levels, view positions, the stop
// question, the report file; conditions and loops of both executors.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "CodePage.h"
#include "PomocInterpretera.h"

namespace vesk::test {
namespace {

using Wykonanie = InterpretatorTest;

TEST_F(Wykonanie, OneLinePerPressWithoutRunTheLastPressClosesAndDisables) {
    ASSERT_TRUE(otworz({"+ x1 x1 1", "+ x2 x2 1", "+ x3 x3 1"}));
    EXPECT_TRUE(in->PrzyciskAktywny());
    nacisnij();
    EXPECT_EQ(x(1), 1.0);
    EXPECT_EQ(x(2), 0.0);
    nacisnij();
    nacisnij();
    EXPECT_EQ(x(3), 1.0);
    EXPECT_TRUE(in->PrzyciskAktywny());
    nacisnij();
    EXPECT_FALSE(in->PrzyciskAktywny());
    EXPECT_FALSE(in->Poziomy[0].Otwarty);
    EXPECT_EQ(x(1) + x(2) + x(3), 3.0);
}

TEST_F(Wykonanie, RunOnLineTwoGoesOnToTheBreakOnLineFive) {
    ASSERT_TRUE(otworz({"+ x1 x1 1", "run", "+ x2 x2 1", "+ x3 x3 1", "break", "+ x4 x4 1", "+ x5 x5 1"}));
    nacisnij();
    EXPECT_EQ(x(1), 1.0);
    EXPECT_EQ(x(2), 0.0);
    nacisnij();
    EXPECT_EQ(x(2), 1.0);
    EXPECT_EQ(x(3), 1.0);
    EXPECT_EQ(x(4), 0.0);
    nacisnij();
    EXPECT_EQ(x(4), 1.0);
    EXPECT_EQ(x(5), 0.0);
}

TEST_F(Wykonanie, CallSetsItsPairsBeforeTheCalledFileStarts) {
    const std::string p = plik("p.roz", {"run", "+ x5 x3 x4"});
    ustaw(1, 2.0);
    uruchom({"call " + p + " x3 7 x4 x1", "+ x6 x6 1"});
    EXPECT_EQ(x(3), 7.0);
    EXPECT_EQ(x(4), 2.0);
    EXPECT_EQ(x(5), 9.0);
    EXPECT_EQ(x(6), 1.0);
    EXPECT_FALSE(in->OstatniBlad());
}

TEST_F(Wykonanie, CallPairWithoutAVariableIsAScriptError) {
    const std::string p = plik("p.roz", {"run"});
    uruchom({"call " + p + " 3 7", "+ x6 x6 1"});
    ASSERT_TRUE(in->OstatniBlad());
    EXPECT_EQ(in->OstatniBlad()->rodzaj(), BladSkryptu::Rodzaj::NumerZmiennej);
    EXPECT_EQ(x(6), 0.0);
}

// Told naming the file as written, the calling file and line; the run
// goes on but ends as one that failed.
TEST_F(Wykonanie, AMissingCalledFileIsToldAndTheCallerGoesOn) {
    uruchom({"call Brak.roz", "+ x1 x1 1"});
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages[0], "b\xB3\xB9" "d w skrypcie! - brak pliku rozkaz\xF3w Brak.roz (wywo\xB3" "any w " +
                                  dir.file("a.roz") + ", wiersz 2)");
    EXPECT_EQ(x(1), 1.0);
    EXPECT_EQ(in->PoziomWywolania, 0);
    ASSERT_TRUE(in->OstatniBlad());
    EXPECT_EQ(in->OstatniBlad()->numerWiersza(), 2);
}

// A window's Cancel can be given again and again; at the end of a batch
// run's input one "zapytaj" is Cancel, the next a script error.
TEST_F(Wykonanie, AfterTheEndOfInputOnlyOneZapytajCountsAsCancel) {
    for (const bool koniec : {false, true}) {
        in = std::make_unique<Interpretator>(*k, *cz, widok);
        ui.inputs = {std::string("3")};
        ui.inputsEnd = koniec;
        uruchom({"zapytaj x1", "zapytaj x2", "zapytaj x3", "+ x4 x4 1"});
        EXPECT_EQ(in->OstatniBlad().has_value(), koniec);
        EXPECT_EQ(x(4), 1.0) << koniec;
    }
    EXPECT_EQ(in->OstatniBlad()->numerWiersza(), 4);
}

TEST_F(Wykonanie, CalledFileWithoutRunRunsItsFirstLinePerCall) {
    const std::string bez = plik("bez.roz", {"+ x1 x1 1", "+ x2 x2 1"});
    const std::string z = plik("z.roz", {"run", "+ x3 x3 1", "+ x4 x4 1"});
    uruchom({"call " + bez, "call " + bez, "call " + z, "+ x5 x5 1"});
    EXPECT_EQ(x(1), 2.0);
    EXPECT_EQ(x(2), 0.0);
    EXPECT_EQ(x(3), 1.0);
    EXPECT_EQ(x(4), 1.0);
    EXPECT_EQ(x(5), 1.0);
    EXPECT_EQ(widok.tekst.substr(0, 3), "run");  // the caller's text is back
}

TEST_F(Wykonanie, ADeviceNamedInACallIsAScriptErrorNotAHang) {
    uruchom({"call /dev/zero", "+ x1 x1 1"});
    ASSERT_TRUE(in->OstatniBlad());
    EXPECT_EQ(in->OstatniBlad()->rodzaj(), BladSkryptu::Rodzaj::Plik);
    EXPECT_EQ(x(1), 0.0);
}

TEST_F(Wykonanie, CallOnTheLastLevelIsAScriptError) {
    // A file that calls itself: levels 1..10, then the call on level 10.
    const std::string p = dir.file("r.roz");
    plik("r.roz", {"run", "+ x1 x1 1", "call " + p});
    uruchom({"call " + p});
    EXPECT_EQ(x(1), 10.0);
    ASSERT_TRUE(in->OstatniBlad());
    EXPECT_EQ(in->OstatniBlad()->rodzaj(), BladSkryptu::Rodzaj::Sterowanie);
    EXPECT_FALSE(in->PrzyciskAktywny());
}

TEST_F(Wykonanie, StopInACalledFileEndsOnlyThatFile) {
    const std::string p = plik("s.roz", {"run", "+ x1 x1 1", "stop", "+ x2 x2 1"});
    uruchom({"raport", "call " + p, "+ x3 x3 1", "zanotuj x3", "stop", "+ x4 x4 1"});
    EXPECT_EQ(x(1), 1.0);
    EXPECT_EQ(x(2), 0.0);
    EXPECT_EQ(x(3), 1.0);
    EXPECT_EQ(x(4), 0.0);
    EXPECT_FALSE(in->PrzyciskAktywny());
    EXPECT_FALSE(in->PlikRaportuOtwarty());
    EXPECT_EQ(dir.read("a.roz.txt"), " 1.00000000000000E+0000\r\n");
}

TEST_F(Wykonanie, ViewPositionsAddIndentationLengthAndTwo) {
    ASSERT_TRUE(otworz({"+ x1 x1 1", "   rem abc", "\tpauza"}));
    nacisnij();
    nacisnij();
    nacisnij();
    const std::vector<std::pair<int, int>> oczekiwane{{0, 9}, {11, 10}, {23, 6}};
    EXPECT_EQ(widok.zaznaczenia, oczekiwane);
    EXPECT_EQ(widok.echa.back(), "pauza");
}

TEST_F(Wykonanie, StopQuestionAnsweredYesEndsTheRun) {
    widok.kursorWPasie = true;
    ui.answers = {false, false, true};
    ASSERT_TRUE(otworz({"run", "+ x1 x1 1", "+ x2 x2 1"}));
    nacisnij();
    EXPECT_EQ(x(1), 1.0);
    EXPECT_EQ(x(2), 0.0);
    EXPECT_EQ(ui.questions.size(), 3u);
    EXPECT_EQ(ui.questions[0], "Czy zako\xF1" "czy\xE6 wykonywanie skryptu ?");
    EXPECT_TRUE(in->ZatrzymanieSkryptu);
    EXPECT_TRUE(in->PrzyciskAktywny());
    nacisnij();  // every later press ends at once
    EXPECT_EQ(x(2), 0.0);
}

TEST_F(Wykonanie, StopQuestionInACalledFileEndsTheCallersToo) {
    const std::string p = plik("p.roz", {"run", "+ x1 x1 1"});
    widok.kursorWPasie = true;
    ui.answers = {false, false, true};
    ASSERT_TRUE(otworz({"run", "call " + p, "+ x2 x2 1"}));
    nacisnij();
    EXPECT_EQ(x(1), 0.0);
    EXPECT_EQ(x(2), 0.0);
    EXPECT_TRUE(in->ZatrzymanieSkryptu);
    EXPECT_FALSE(in->PrzyciskAktywny());
    EXPECT_FALSE(in->Poziomy[0].Otwarty);
    EXPECT_FALSE(in->Poziomy[1].Otwarty);
}

// A stop request is asked before every line, traced or not: with tracing
// off it is the only way out of a loop without end.
// Asks for a stop from its n-th question on.
struct ProsbaOdPytania : ScriptedUserInterface {
    int pytania = 0, od = 0;
    bool stopRequested() override {
        ++pytania;
        return od > 0 && pytania >= od;
    }
};

TEST_F(Wykonanie, StopRequestEndsALoopWithoutEnd) {
    for (const char* slad : {"hide", "show"}) {
        SetUp();
        ProsbaOdPytania port;
        port.od = 40;
        port.answers = {true};
        k->Okna = &port;
        ASSERT_TRUE(otworz({"run", slad, "przypisz x2 1", "while equal___ x2 1", "+ x1 x1 1", "endwhile"}));
        nacisnij();
        EXPECT_TRUE(in->ZatrzymanieSkryptu) << slad;
        ASSERT_EQ(port.questions.size(), 1u) << slad;
        EXPECT_EQ(port.questions[0], "Czy zako\xF1" "czy\xE6 wykonywanie skryptu ?");
        EXPECT_EQ(port.pytania, 40) << slad;
        EXPECT_GT(x(1), 5.0) << slad;
        const double przed = x(1);
        nacisnij();  // later presses do nothing
        EXPECT_EQ(x(1), przed);
        ustaw(1, 0);
        k->Okna = &ui;
    }
}

TEST_F(Wykonanie, StopRequestAnsweredNoGoesOn) {
    ProsbaOdPytania port;
    port.od = 1;
    port.answers = {false, false, false};
    k->Okna = &port;
    ASSERT_TRUE(otworz({"run", "hide", "+ x1 x1 1"}));
    nacisnij();
    EXPECT_EQ(x(1), 1.0);
    EXPECT_EQ(port.questions.size(), 3u);
    EXPECT_FALSE(in->ZatrzymanieSkryptu);
    k->Okna = &ui;
}

TEST_F(Wykonanie, ActivityTicksWhileTracingIsOff) {
    ASSERT_TRUE(otworz({"hide", "pauza", "pauza", "pauza", "pauza"}));
    for (int i = 0; i < 5; ++i) nacisnij();
    const std::vector<std::string> oczekiwane{"<ukryty>", "+", " +", "  +", ""};
    EXPECT_EQ(widok.wsk, oczekiwane);
}

TEST_F(Wykonanie, RaportWritesTheCommandFileNamePlusTxt) {
    uruchom({"raport", "przypisz x1 1.5", "zanotuj x1", "- x1 0 x1", "zanotuj x1"});
    ASSERT_TRUE(dir.exists("a.roz.txt"));
    EXPECT_EQ(dir.read("a.roz.txt"), " 1.50000000000000E+0000\r\n-1.50000000000000E+0000\r\n");
    EXPECT_FALSE(dir.exists("a.roz.txt.nowy"));
    EXPECT_FALSE(in->PlikRaportuOtwarty());
    // Named for the command file as it is spelt, and taken as spelt: A.roz
    // beside a.roz writes its own report, leaving a.roz's and what is at
    // a.roz's temporary name; b.roz named B.ROZ reports to b.roz.txt.
    dir.write("a.roz.txt.nowy", "moje");
    ASSERT_TRUE(otworzPlik(plik("A.roz", {"run", "raport", "zanotuj x1"})));
    wykonajCaly();
    EXPECT_EQ(dir.read("A.roz.txt"), "-1.50000000000000E+0000\r\n");
    EXPECT_EQ(dir.read("a.roz.txt"), " 1.50000000000000E+0000\r\n-1.50000000000000E+0000\r\n");
    EXPECT_EQ(dir.read("a.roz.txt.nowy"), "moje");
    plik("b.roz", {"run", "raport"});
    ASSERT_TRUE(otworzPlik(dir.folder() + "B.ROZ"));
    wykonajCaly();
    EXPECT_TRUE(dir.exists("b.roz.txt") && !dir.exists("B.ROZ.txt"));
    EXPECT_TRUE(ui.messages.empty());
}

// One that cannot be put in place at the end ("stop" or the last line)
// fails the run with the reason, blaming no line.
TEST_F(Wykonanie, AReportNotWrittenAtTheEndGivesTheReasonAndNoLine) {
    for (const char* ostatni : {"stop", "pauza"}) {
        ui.messages.clear();
        setFileFault([](std::string_view krok) { return krok == "sync"; }, ENOSPC);
        uruchom({"raport", ostatni});
        setFileFault({});
        EXPECT_TRUE(in->OstatniBlad() && !dir.exists("a.roz.txt.nowy"));
        EXPECT_EQ(ui.messages, std::vector<std::string>{"Nie mo\xBFna zapisa\xE6 pliku raportu " + dir.file("a.roz.txt") +
                                                        ": brak miejsca na dysku"});
    }
}

// The report is made new at its temporary name: what a killed run left
// there goes, and is said; a link, a second name of another file or a pipe
// someone put there is refused with what it is, and left as it was. What
// stands at the report's own name is replaced as any whole file is: a
// pipe, a folder or a file the user made read-only is refused, left as it
// is, and no temporary file made; found there when the file is opened, it
// is refused then, before the first line.
TEST_F(Wykonanie, TheReportIsMadeNewAndReplacesOnlyWhereAWholeFileWriteWould) {
    const std::string raport = dir.file("a.roz.txt"), nowy = raport + ".nowy", notatki = dir.file("notatki.txt");
    const struct {
        const char* co;
        std::function<void()> poloz;
        std::string komunikat;  // "" for a leftover removed, the report written
        bool wlasna;            // at the report's own name, else at its temporary one
    } wiersze[] = {
        {"fifo", [&] { ::mkfifo(raport.c_str(), 0600); }, "to jest potok nazwany (FIFO)", true},
        {"folder", [&] { std::filesystem::create_directory(raport); }, "to jest folder", true},
        {"read-only", [&] { dir.write("a.roz.txt", "moj"), ::chmod(raport.c_str(), 0444); }, "plik tylko do odczytu", true},
        {"leftover", [&] { dir.write("a.roz.txt.nowy", "stary"); }, "", false},
        {"symlink", [&] { std::filesystem::create_symlink(notatki, nowy); }, "dowi\xB9zanie symboliczne", false},
        {"hard link", [&] { std::filesystem::create_hard_link(notatki, nowy); }, "dowi\xB9zanie twarde", false},
        {"fifo", [&] { ::mkfifo(nowy.c_str(), 0600); }, "potok nazwany (FIFO)", false},
    };
    for (const auto& w : wiersze) {
        ui.messages.clear();
        dir.write("notatki.txt", "moje");
        ASSERT_TRUE(otworz({"run", "raport", "zanotuj x1"}));
        w.poloz();
        wykonajCaly();
        EXPECT_EQ(dir.read("notatki.txt"), "moje") << w.co;
        ASSERT_EQ(ui.messages.size(), 1u) << w.co;
        if (w.komunikat.empty()) {
            EXPECT_EQ(ui.messages[0], "Usuni\xEAto plik " + nowy + " pozostawiony przez przerwane wykonanie skryptu");
            EXPECT_EQ(dir.read("a.roz.txt"), " 0.00000000000000E+0000\r\n");
            EXPECT_FALSE(dir.exists("a.roz.txt.nowy"));
            continue;
        }
        const std::string odmowa = w.wlasna ? "zapisa\xE6 pliku raportu " + raport + ": " + w.komunikat
                                            : "utworzy\xE6 pliku raportu " + raport + " (plik " + nowy + "): ";
        EXPECT_NE(ui.messages[0].find("nie mo\xBFna " + odmowa), std::string::npos) << w.co << ": " << ui.messages[0];
        EXPECT_NE(ui.messages[0].find(w.komunikat), std::string::npos) << ui.messages[0];
        const std::string& polozony = w.wlasna ? raport : nowy;
        EXPECT_TRUE(std::filesystem::is_symlink(polozony) || std::filesystem::exists(polozony)) << w.co;
        EXPECT_TRUE(!w.wlasna || !std::filesystem::exists(nowy)) << w.co;
        if (w.wlasna) {
            ui.messages.clear();
            EXPECT_FALSE(otworz({"run", "raport", "zanotuj x1"})) << w.co;
            ASSERT_EQ(ui.messages.size(), 1u) << w.co;
            EXPECT_EQ(ui.messages[0].rfind("Nie mo\xBFna " + odmowa, 0), 0u) << ui.messages[0];
            EXPECT_NE(ui.messages[0].find(" nie zosta\xB3 wykonany"), std::string::npos) << ui.messages[0];
        }
        std::filesystem::remove(polozony);
    }
}

TEST_F(Wykonanie, OpeningForgetsNamesAndAMissingFilePreparesNothing) {
    uruchom({"deklaracja zysk", "przypisz zysk 3"});
    EXPECT_EQ(k->NazwyZmiennych[0].Uzytkownika, "zysk");
    EXPECT_FALSE(otworzPlik(dir.file("brak.roz")));
    EXPECT_EQ(k->NazwyZmiennych[0].Uzytkownika, "");
    EXPECT_EQ(x(1), 3.0);
    EXPECT_FALSE(in->PrzyciskAktywny());
    ASSERT_EQ(ui.messages.size(), 1u);  // told, as a file that cannot be looked at is
    EXPECT_EQ(ui.messages[0], "Brak pliku rozkaz\xF3w " + dir.file("brak.roz"));
    // A folder cannot be read: told, nothing prepared.
    EXPECT_FALSE(otworzPlik(dir.folder()));
    EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(Wykonanie, CancelledDialogPreparesNothing) {
    k->TrybWsadowy = false;
    EXPECT_FALSE(in->Podanienazwyplikuzrozkazami1Click());
    EXPECT_EQ(ui.dialogs.size(), 1u);
    EXPECT_FALSE(in->PrzyciskAktywny());
    EXPECT_EQ(widok.tekst, "");
}

TEST_F(Wykonanie, TheDialogOpensInTheWorkingFolderSpeltAsTheCoreSpellsPaths) {
    k->TrybWsadowy = false;
    k->KatalogRoboczy.clear();
    const std::string polski = dir.folder() + utf8ToCp1250("Zażółć gęślą");
    ASSERT_TRUE(createFolders(polski));
    const std::string przed = nativePathForCreate(currentFolder());
    ASSERT_EQ(::chdir(nativePathForCreate(polski).c_str()), 0);
    in->Podanienazwyplikuzrozkazami1Click();
    ASSERT_EQ(::chdir(przed.c_str()), 0);
    EXPECT_EQ(ui.dialogFolders, (std::vector<std::string>{polski + "/"}));
}

// ------------------------------------------------------------ control flow

using Sterowanie = InterpretatorTest;

TEST_F(Sterowanie, BothBranchesOfAnIf) {
    for (double x1 : {7.0, 3.0}) {
        ustaw(2, 0);
        ustaw(3, 0);
        ustaw(1, x1);
        uruchom({"if greater_ x1 5", "+ x2 x2 1", "else", "+ x3 x3 1", "endif", "+ x4 x4 1"});
        EXPECT_EQ(x(2), x1 > 5 ? 1.0 : 0.0) << x1;
        EXPECT_EQ(x(3), x1 > 5 ? 0.0 : 1.0) << x1;
    }
    EXPECT_EQ(x(4), 2.0);
}

TEST_F(Sterowanie, InnerIfInAFalseBranchIsNotTested) {
    ustaw(1, 3);
    uruchom({"if greater_ x1 5", "if less____ x1 5", "+ x2 x2 1", "endif", "+ x3 x3 1", "else", "+ x4 x4 1",
             "endif"});
    EXPECT_EQ(x(2), 0.0);
    EXPECT_EQ(x(3), 0.0);
    EXPECT_EQ(x(4), 1.0);
}

TEST_F(Sterowanie, LoopOfThreeAndLoopFalseAtOnce) {
    for (double start : {0.0, 5.0}) {
        ustaw(1, start);
        ustaw(2, 0);
        ustaw(3, 0);
        uruchom({"while less____ x1 3", "+ x1 x1 1", "+ x2 x2 1", "endwhile", "+ x3 x3 1"});
        EXPECT_EQ(x(2), start == 0 ? 3.0 : 0.0);
        EXPECT_EQ(x(3), 1.0);
        EXPECT_EQ(in->Poziomy[0].GlebokoscWhile, 0);
        EXPECT_FALSE(in->OstatniBlad());
    }
}

TEST_F(Sterowanie, LoopRewindKeepsLineNumbersAndPositions) {
    ASSERT_TRUE(otworz({"run", "while less____ x1 2", "+ x1 x1 1", "endwhile", "break", "pauza"}));
    nacisnij();
    EXPECT_EQ(x(1), 2.0);
    EXPECT_EQ(in->Poziomy[0].NumerLinii, 5);
    EXPECT_EQ(widok.zaznaczenia.back(), (std::pair<int, int>{3 + 2 + 19 + 2 + 9 + 2 + 8 + 2, 5}));
}

TEST_F(Sterowanie, EqualityAtSixBytePrecision) {
    ustaw(1, 0.1);
    ustaw(2, 0.1 + 1e-15);
    ASSERT_NE(x(1), x(2));
    uruchom({"if = x1 x2", "+ x3 x3 1", "endif", "if <> x1 x2", "+ x4 x4 1", "endif"});
    EXPECT_EQ(x(3), 1.0);
    EXPECT_EQ(x(4), 0.0);
}

TEST_F(Sterowanie, NalezyIsStrictOnBothSides) {
    struct P {
        const char* warunek;
        bool prawda;
    } przypadki[] = {{"if nalezy__ 1 2 3", true}, {"if nalezy__ 1 1 3", false}, {"if <|> 1 3 3", false},
                     {"if >= 2 2", true},          {"if less_eq_ 3 2", false}};
    for (const P& p : przypadki) {
        ustaw(1, 0);
        uruchom({p.warunek, "+ x1 x1 1", "endif"});
        EXPECT_EQ(x(1), p.prawda ? 1.0 : 0.0) << p.warunek;
    }
}

TEST_F(Sterowanie, ControlFaultsAreScriptErrors) {
    const std::vector<std::vector<std::string>> pliki{
        {"endif"}, {"endwhile"}, {"if nalezy__ 1 2"}, {"if > 1"}, {"while less____ x0 1"}};
    for (const auto& linie : pliki) {
        uruchom(linie);
        EXPECT_TRUE(in->OstatniBlad()) << linie[0];
    }
    std::vector<std::string> gleboko(11, "if = 1 1");
    uruchom(gleboko);
    ASSERT_TRUE(in->OstatniBlad());
    EXPECT_EQ(in->OstatniBlad()->numerWiersza(), 12);
}

TEST_F(Sterowanie, CalledFilesDoNotNest) {
    const std::vector<std::string> linie{"if greater_ x1 5", "if greater_ x1 0", "+ x2 x2 1", "endif", "+ x3 x3 1",
                                         "endif"};
    ustaw(1, 3);
    uruchom(linie);
    EXPECT_EQ(x(3), 0.0);  // nested at the top level
    std::vector<std::string> wywolany = linie;
    wywolany.insert(wywolany.begin(), "run");
    uruchom({"call " + plik("c.roz", wywolany)});
    EXPECT_EQ(x(2), 0.0);
    EXPECT_EQ(x(3), 1.0);  // the inner endif switched execution back on
}

}  // namespace
}  // namespace vesk::test
