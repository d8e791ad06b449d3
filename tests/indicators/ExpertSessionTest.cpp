// The expert session with the real engine: export, rule files found by
// set and folder, inference and its listing, the engine log.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sys/stat.h>

#include "ExpertSession.h"
#include "FileSystem.h"
#include "PomocWskaznikow.h"
#include "Sanitizer.h"
#include "TempDir.h"

namespace vesk {
namespace {

using test::kSzablony;
using test::P;

const char* const kReguly =
    "(deffacts wlasne (uwaga) (stabilny poziom 2015 2016) (diagnoza-dla-roku)\n"
    "  (diagnoza-dla-roku 2016 \"Zbyt wysoki poziom \\\"zapas\xF3w\\\"  i (nic) wi\xEA" "cej\"))\n"
    "(defrule wzrost-wartosci\n"
    "  (wskaznik (nazwa-wskaznika ?n) (rok1 ?r1) (rok3 ?r3) (wartosc1 ?a) (wartosc3 ?b&:(> ?b ?a)))\n"
    "  =>\n"
    "  (assert (wzrost ?n ?r1 ?r3)))\n";

struct Sesja : ::testing::Test {
    test::TempDir operatora, programu;
    ScriptedUserInterface ui;
    TabelaWskaznikow tabela;
    ExpertSession sesja{operatora.folder(), programu.folder(), ui};

    void SetUp() override {
        tabela.UstawKomorke(1, kol::Nazwa, "nazwa");
        for (int i = 0; i < 6; ++i) {
            IndicatorDef d;
            d.Nazwa = "w" + std::to_string(i);
            d.Licznik.Pierwsza = PozycjaWskaznika{"Bilans", "L"};
            d.Mianownik.Pierwsza = PozycjaWskaznika{"Bilans", i == 5 ? "rosnie" : "M"};
            tabela.Dodaj(d);
        }
    }
    DaneEksportu dane(const std::string& wybrany = "w0") {
        DaneEksportu d;
        d.Tabela = &tabela;
        d.Rok1 = 2015;
        d.Wybrany = wybrany;
        d.Relacja = "x>";
        d.Prog1 = "1";
        d.Odczyt = [](const PozycjaWskaznika& p, int rok) -> std::optional<long double> {
            if (p.Etykieta == "rosnie") return 1.0L / rok;  // the quotient grows
            return 1.0L;
        };
        return d;
    }
};

TEST_F(Sesja, ExportRunAndListing) {
    operatora.write("reguły-w0.clp", std::string(kSzablony) + kReguly);
    ASSERT_TRUE(sesja.Eksport(dane(), "/gdzies/zestaw.xls", "zestaw"));
    EXPECT_EQ(sesja.PlikFaktow(), operatora.file("zestaw.clp"));
    EXPECT_TRUE(fileExists(sesja.PlikFaktow()));
    EXPECT_EQ(sesja.PlikRegul(), operatora.folder() + P("reguły-w0.clp"));
    ASSERT_TRUE(sesja.WnioskowanieDostepne());
    // The constructs file is named by the program, written as spelt: the
    // user's Clp.clp and CLP.CLP are other files, and make no ambiguity.
    for (const char* p : {"Clp.clp", "CLP.CLP"}) operatora.write(p, "moje");
    ASSERT_TRUE(sesja.Wnioskowanie());
    EXPECT_TRUE(operatora.exists("clp.clp") && operatora.read("Clp.clp") == "moje" && operatora.read("CLP.CLP") == "moje");
    // The rule's fact has index 10 or more and comes before fact 2; each
    // line names its indicator (a fact naming none: the selected one).
    EXPECT_EQ(sesja.Diagnozy(),
              (std::vector<std::string>{"==> w5: wzrost w5 2015-2017", "==> w0: stabilny 2015-2016",
                                        P("==> w0: diagnoza dla roku : 2016 : Zbyt wysoki poziom \"zapasów\"  i (nic) więcej")}));
    EXPECT_TRUE(fileExists(operatora.file("clp.clp")));
    EXPECT_TRUE(ui.messages.empty());

    const auto& log = sesja.Log();
    EXPECT_EQ(log.front(), "Clear");
    EXPECT_NE(std::find(log.begin(), log.end(), "Reset"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "End Load"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "     Field: stabilny"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "     Slot: nazwa-wskaznika  Value: w3"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "     Slot: rok2  Value: 2016"), log.end());

    // A second run lists the same again, also when the engine's constructs
    // cannot be written (told); a clear leaves nothing to list.
    setFileFault([](std::string_view step) { return step == "create"; });
    const bool drugi = sesja.Wnioskowanie();
    setFileFault({});
    ASSERT_TRUE(drugi);
    EXPECT_EQ(sesja.Diagnozy().size(), 6u);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("clp.clp: b\xB3\xB9" "d wej\x9C" "cia/wyj\x9C" "cia"), std::string::npos) << ui.messages[0];
    sesja.WyczyscDiagnozy();
    const auto przed = sesja.Log().size();
    sesja.Clear();
    EXPECT_NE(std::find(sesja.Log().begin() + static_cast<long>(przed), sesja.Log().end(), "Clear"),
              sesja.Log().end());
    ASSERT_TRUE(sesja.Wnioskowanie());
    EXPECT_TRUE(sesja.Diagnozy().empty());
}

TEST_F(Sesja, RuleFileBySetThenGenericThenProgramFolder) {
    const std::string tresc = std::string(kSzablony) + kReguly;
    programu.write("reguły-w0.clp", tresc);
    ASSERT_TRUE(sesja.Eksport(dane(), "zestaw.xls", "zestaw"));
    EXPECT_EQ(sesja.PlikRegul(), programu.folder() + P("reguły-w0.clp"));
    operatora.write("reguły-w0.clp", tresc);
    ASSERT_TRUE(sesja.Eksport(dane(), "zestaw.xls", "zestaw"));
    EXPECT_EQ(sesja.PlikRegul(), operatora.folder() + P("reguły-w0.clp"));
    programu.write("reguły-zestaw-w0.clp", tresc);
    ASSERT_TRUE(sesja.Eksport(dane(), "zestaw.xls", "zestaw"));
    EXPECT_EQ(sesja.PlikRegul(), operatora.folder() + P("reguły-w0.clp"));  // the operator folder first
    operatora.write("reguły-zestaw-w0.clp", tresc);
    ASSERT_TRUE(sesja.Eksport(dane(), "zestaw.xls", "zestaw"));
    EXPECT_EQ(sesja.PlikRegul(), operatora.folder() + P("reguły-zestaw-w0.clp"));
}

TEST_F(Sesja, MissingRuleFileLeavesTheFactsAndLogs) {
    EXPECT_FALSE(sesja.Eksport(dane("w1"), "zestaw.xls", "zestaw"));
    EXPECT_TRUE(fileExists(operatora.file("zestaw.clp")));
    EXPECT_FALSE(sesja.WnioskowanieDostepne());
    EXPECT_FALSE(sesja.Wnioskowanie());
    EXPECT_EQ(sesja.Log().back(), P("brak bazy reguł: ") + operatora.folder() + P("reguły-w1.clp"));
    EXPECT_TRUE(ui.messages.empty());
}

// A bad rule file is one message naming it; one that never ends (a link
// to a file of size 0 that goes on) is read no further than its bound.
TEST_F(Sesja, BadRuleFileIsAMessage) {
    const std::string plik = operatora.file("reguły-w0.clp");
    for (const auto& [tresc, powod] : {std::pair{"(defrule zla (", ""}, {"", ": plik jest za du\xBFy (ponad 16 MB)"}}) {
        std::filesystem::remove(plik);
        if (*tresc) operatora.write("reguły-w0.clp", tresc);
        else std::filesystem::create_symlink("/proc/self/pagemap", plik);
        ui.messages.clear();
        EXPECT_FALSE(sesja.Eksport(dane(), "zestaw.xls", "zestaw"));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].find(P("reguły-w0.clp") + powod), std::string::npos) << ui.messages[0];
        EXPECT_FALSE(sesja.WnioskowanieDostepne());
    }
}

// Screen lines of a message: a CR, a VT and an FF break a line there too.
std::size_t LinieEkranu(const std::string& m) {
    return 1 + std::count_if(m.begin(), m.end(),
                             [](char c) { return c == '\n' || c == '\r' || c == '\v' || c == '\f'; });
}

// The message names the line of the file as an editor shows it (CR LF
// ends count once, a CR in a string not at all), gives the engine's own
// reason and keeps to a few lines on the screen.
TEST_F(Sesja, BadRuleFileMessageHasTheLineAndTheEnginesReason) {
    const std::string cr(400, '\r');
    for (const std::string& k : {std::string("\n"), std::string("\r\n"), cr}) {
        ui.messages.clear();
        const std::string n = k == cr ? "\n" : k, w = k == cr ? cr : "";  // line ends, CRs in strings
        operatora.write("reguły-w0.clp", "(deftemplate a (slot x))" + n + "(deffacts d (a (x \"" + w + "\")))" + n +
                                             "(defrule zla (a (x ?v)) => (printout t \"" + w + "\")" +
                                             " (nieznana ?v))" + n);
        EXPECT_FALSE(sesja.Eksport(dane(), "zestaw.xls", "zestaw"));
        ASSERT_EQ(ui.messages.size(), 1u);
        const std::string& m = ui.messages[0];
        EXPECT_NE(m.find("wiersz 3"), std::string::npos) << m;
        EXPECT_NE(m.find("nieznana"), std::string::npos) << m;
        EXPECT_LE(LinieEkranu(m), 9u) << m;
        EXPECT_LE(LinieEkranu(shortenedText(m + cr, 30, 200)), 30u);
    }
}

// The engine's error routes cost no diagnosis: a warning, a rule's own
// text there, an error that does not halt the engine keep them all, one
// that halts it (a division, a format field past the engine's buffer)
// those made before, as the message says.
TEST_F(Sesja, EngineMessagesKeepTheRunsDiagnoses) {
    const auto b = [](const std::string& akcja) {
        return "(defrule a (declare (salience 10)) => (assert (zbyt-wysoki pierwsza-diagnoza)))\n(defrule b => " +
               akcja + " (assert (zbyt-wysoki druga-diagnoza)))\n";
    };
    const std::string d1 = "==> w0: zbyt wysoki pierwsza diagnoza", d2 = "==> w0: zbyt wysoki druga diagnoza";
    const struct {
        std::string reguly;
        std::vector<std::string> diagnozy, komunikat;  // komunikat: parts of the one message
    } t[] = {
        {b("(printout werror \"Uwaga: brak progu\" crlf)"), {d2, d1}, {P("zakończone (diagnoz: 2)"), "\nUwaga: brak progu"}},
        {b("(printout raport \"Wynik\" crlf)"), {d2, d1}, {"[ROUTER1] Logical name raport"}},
        {b("(retract 9999)"), {d2, d1}, {"[PRNTUTIL1] Unable to find fact f-9999"}},
        {b("(/ 1 0)"), {d1}, {P("po błędzie; na liście diagnozy sprzed zatrzymania: 1"), "[PRCCODE4] Execution halted"}},
        {b("(format nil \"%500000d\" 1)"), {d1}, {"[VESK2] Funkcja format"}},
        {b("(format nil \"%f\" 1e300)"), {d1}, {"[VESK2] Funkcja format"}},
        {"(defrule c => (assert (zbyt-wysoki (sym-cat (format nil \"w%03d-%.2f\" 7 2.5)))))\n",
         {"==> w0: zbyt wysoki w007 2.50"}, {}},
        {"(defrule c => (assert (zbyt-wysoki (sym-cat (format nil \"%f\" (** 10 400))))))\n", {"==> w0: zbyt wysoki inf"}, {}},
    };
    for (const auto& c : t) {
        SCOPED_TRACE(c.reguly);
        ui.messages.clear();
        sesja.WyczyscDiagnozy();
        operatora.write("reguły-w0.clp", std::string(kSzablony) + c.reguly);
        ASSERT_TRUE(sesja.Eksport(dane(), "zestaw.xls", "zestaw"));
        ASSERT_TRUE(sesja.Wnioskowanie());
        EXPECT_EQ(sesja.Diagnozy(), c.diagnozy);
        EXPECT_TRUE(sesja.WnioskowanieDostepne());
        ASSERT_EQ(ui.messages.size(), c.komunikat.empty() ? 0u : 1u);
        const std::string m = c.komunikat.empty() ? "" : ui.messages[0];
        EXPECT_EQ(m.find("Przerwano"), std::string::npos) << m;
        for (const std::string& k : c.komunikat) EXPECT_NE(m.find(k), std::string::npos) << k << "\n" << m;
        // The engine's lines marked as its own in the log, the headline last.
        if (!m.empty()) {
            EXPECT_EQ(sesja.Log().back(), m.substr(0, m.find('\n')));
            EXPECT_EQ(sesja.Log().end()[-2].rfind("CLIPS: ", 0), 0u);
        }
    }
}

// A rule file lacking the program's templates, one that is no regular
// file, one reading data of its own: each told why.
TEST_F(Sesja, RuleFilesThatCannotServeAreToldWhy) {
    const std::string plik = operatora.file("reguły-w0.clp"), fakty = operatora.file("zestaw.clp");
    const std::pair<std::string, std::vector<std::string>> t[] = {
        {"(defrule proste (initial-fact) => (assert (zbyt-wysoki test)))",
         {P("nie ma szablonów faktów programu (years, prog, wskaznik"), P("nie wczytano pliku faktów ") + fakty}},
        {" ", {P("nie wczytano pliku faktów ") + fakty}},
        {"FIFO", {P("reguły-w0.clp: to jest potok nazwany (FIFO)")}},
        {"folder", {P("reguły-w0.clp: to jest folder")}},
        {"(defrule r => (open \"dane.txt\" d \"r\"))", {"funkcja \"open\"", "deffacts"}},
        {"facts", {P("Nie można zapisać pliku faktów ") + fakty + P(": to jest folder")}},
    };
    for (const auto& [reguly, komunikat] : t) {
        ui.messages.clear();
        std::filesystem::remove_all(plik);
        if (reguly == "FIFO") ASSERT_EQ(::mkfifo(plik.c_str(), 0600), 0);
        else if (reguly == "folder") std::filesystem::create_directory(plik);
        else if (reguly == "facts") std::filesystem::remove(fakty), std::filesystem::create_directory(fakty);
        else operatora.write("reguły-w0.clp", reguly);
        EXPECT_FALSE(sesja.Eksport(dane(), "zestaw.xls", "zestaw"));
        ASSERT_EQ(ui.messages.size(), 1u) << reguly;
        for (const std::string& k : komunikat) EXPECT_NE(ui.messages[0].find(k), std::string::npos) << ui.messages[0];
        const std::string pierwszy = ui.messages[0].substr(0, ui.messages[0].find('\n'));
        EXPECT_NE(std::find(sesja.Log().begin(), sesja.Log().end(), pierwszy), sesja.Log().end()) << "logged";
    }
    std::filesystem::remove_all(plik);
}

// The engine's child holds /dev/null for its standard descriptors, its
// channel and nothing else (seen in /proc while it runs).
TEST_F(Sesja, EngineChildHoldsOnlyItsChannel) {
    operatora.write("reguły-w0.clp", std::string(kSzablony) + "(defrule r => (while TRUE do (bind ?x 1)))\n");
    ASSERT_TRUE(sesja.Eksport(dane(), "zestaw.xls", "zestaw"));
    std::map<std::string, std::string> fd;
    sesja.WTrakcie = [&] {
        for (const auto& p : std::filesystem::directory_iterator("/proc/self/task")) {
            std::ifstream dzieci(p.path() / "children");
            for (std::string pid; dzieci >> pid;)
                for (const auto& f : std::filesystem::directory_iterator("/proc/" + pid + "/fd"))
                    fd[f.path().filename().string()] = std::filesystem::read_symlink(f.path()).string();
        }
        if (!fd.empty()) sesja.Przerwij();
    };
    EXPECT_FALSE(sesja.Wnioskowanie());
    sesja.WTrakcie = nullptr;
    EXPECT_EQ(fd.size(), 4u);
#if !defined(VESK_ASAN)  // else the sanitizers' reports keep the error output
    EXPECT_EQ(fd["2"], "/dev/null");
#endif
    for (const char* n : {"0", "1"}) EXPECT_EQ(fd[n], "/dev/null") << n;
    EXPECT_EQ(fd["3"].rfind("socket:", 0), 0u) << fd["3"];
}

// Rule files with large results run to their end within the limits:
// diagnosis facts go before helper facts, whatever passes the bound is
// told with its count, and long log lines count as the log keeps them.
TEST_F(Sesja, LargeResultsRunToTheirEndAndTellWhatIsLeftOut) {
#if defined(VESK_ASAN)
    sesja.Limity.CpuSeconds = 4 * sesja.Limity.CpuSeconds;
    sesja.Limity.WallSeconds = 4 * sesja.Limity.WallSeconds;
#endif
    std::string liczby = "(deffacts d (liczby";
    for (int i = 1; i <= 100000; ++i) liczby += " " + std::to_string(i);
    const struct {
        const char* nazwa;
        std::string reguly;
        std::size_t diagnozy;
        std::string komunikat;  // the one message, from "pominięto"; "": none
    } t[] = {
        {"zatłoczone", "(defrule r => (loop-for-count (?i 1 99980) (assert (pomoc ?i))) (assert (zbyt-wysoki d1))"
                       " (assert (diagnoza-dla-roku 2017 d2)) (loop-for-count (?i 1 1000) (assert (pomoc-b ?i))))",
         2, P("pominięto faktów: 982 (żaden nie daje diagnozy)")},
        {"150000 faktów", "(defrule r => (loop-for-count (?i 1 150000) (assert (zbyt-wysoki ?i))))", 100000,
         P("pominięto faktów: 50000, w tym diagnoz: 50000")},
        // The engine's own (initial-fact) is no fact of the rules.
        {"100000 diagnoz", "(defrule r => (loop-for-count (?i 1 100000) (assert (zbyt-wysoki ?i))))", 100000, ""},
        {"100000 liczb", liczby + "))", 0, ""},
        {"1500 symboli po 4000 bajtów",
         "(defrule r => (bind ?s \"\") (loop-for-count 400 (bind ?s (str-cat ?s \"0123456789\")))"
         " (loop-for-count (?i 1 1500) (assert (x ?i (sym-cat ?s ?i)))))",
         0, ""},
    };
    for (const auto& c : t) {
        SCOPED_TRACE(c.nazwa);
        ui.messages.clear();
        sesja.WyczyscDiagnozy();
        operatora.write("reguły-w0.clp", std::string(kSzablony) + c.reguly + "\n");
        ASSERT_TRUE(sesja.Eksport(dane(), "zestaw.xls", "zestaw")) << (ui.messages.empty() ? "" : ui.messages[0]);
        ASSERT_TRUE(sesja.Wnioskowanie()) << (ui.messages.empty() ? "" : ui.messages[0]);
        EXPECT_EQ(sesja.Diagnozy().size(), c.diagnozy);
        if (c.komunikat.empty()) {
            EXPECT_TRUE(ui.messages.empty()) << ui.messages[0];
            continue;
        }
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].substr(ui.messages[0].find("pomini\xEAto")), c.komunikat);
        const std::string pierwszy = ui.messages[0].substr(0, ui.messages[0].find('\n'));
        EXPECT_NE(std::find(sesja.Log().begin(), sesja.Log().end(), pierwszy), sesja.Log().end()) << "logged";
    }
}

// Every name a set holds goes to the engine as a symbol (letters with a
// diacritic as ASCII ones) that its rules match; one that still cannot
// be a symbol is refused naming it.
TEST_F(Sesja, IndicatorNamesBecomeSymbols) {
    const struct {
        std::string nazwa, symbol, komunikat;
    } t[] = {
        {"ROE (%)", "ROE--%-", ""},
        {P("Średnia Łączna Żywotność"), "Srednia-Laczna-Zywotnosc", ""},
        {"2014", "x", P("nazwy wskaźnika \"2014\" nie można zapisać jako symbolu silnika reguł: jej postać \"2014\" "
                        "jest dla silnika reguł liczbą")},
        {"=", "x", P("nazwy wskaźnika \"=\" nie można zapisać jako symbolu silnika reguł: jej postać \"=\" ")},
        {"   ", "x", P("nazwy wskaźnika \"   \" nie można zapisać jako symbolu silnika reguł: jej postać \"---\" nie")},
        {"~", "x", P("jej postać \"-\" nie ma ani litery, ani cyfry")},
    };
    for (const auto& c : t) {
        SCOPED_TRACE(c.symbol);
        ui.messages.clear();
        sesja.WyczyscDiagnozy();
        tabela.UstawKomorke(3, kol::Nazwa, c.nazwa);
        operatora.write("reguły-w0.clp", std::string(kSzablony) + "(defrule r (wskaznik (nazwa-wskaznika " + c.symbol +
                                             ") (rok3 ?r)) => (assert (diagnoza-dla-roku ?r " + c.symbol + ")))\n");
        if (!c.komunikat.empty()) {
            EXPECT_FALSE(sesja.Eksport(dane(), "zestaw.xls", "zestaw"));
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_NE(ui.messages[0].find(c.komunikat), std::string::npos) << ui.messages[0];
            continue;
        }
        ASSERT_TRUE(sesja.Eksport(dane(), "zestaw.xls", "zestaw")) << ui.messages.at(0);
        ASSERT_TRUE(sesja.Wnioskowanie());
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(sesja.Diagnozy(),
                  std::vector<std::string>{"==> " + c.nazwa + ": diagnoza dla roku : 2017 : " + SymbolNaNazwe(c.symbol)});
    }
}

// Two names of one symbol would be one indicator to the rules; symbols
// differing in case are two, as the engine tells them.
TEST_F(Sesja, TwoIndicatorsOfOneSymbolAreRefused) {
    const std::array<std::string, 3> t[] = {
        {P("Płynność"), "Plynnosc", "Plynnosc"}, {"a;b", "a\"b", "a-b"}, {"Plynnosc", "plynnosc", ""}};
    operatora.write("reguły-w0.clp", std::string(kSzablony) + kReguly);
    for (const auto& [pierwsza, druga, symbol] : t) {
        ui.messages.clear();
        tabela.UstawKomorke(3, kol::Nazwa, pierwsza);
        tabela.UstawKomorke(7, kol::Nazwa, druga);  // its quotient grows
        ASSERT_EQ(sesja.Eksport(dane(), "zestaw.xls", "zestaw") && sesja.Wnioskowanie(), symbol.empty());
        if (symbol.empty()) EXPECT_EQ(sesja.Diagnozy().at(0), "==> plynnosc: wzrost plynnosc 2015-2017");
        else EXPECT_NE(ui.messages.at(0).find(P("Nie wyeksportowano wskaźników: nazwy wskaźników \"") + pierwsza + "\" i \"" +
                                              druga + P("\" mają jedną postać symbolu silnika reguł, \"") + symbol + "\""),
                       std::string::npos) << ui.messages[0];
    }
}

// What rules print on the engine's other routes goes to the log, each
// line marked "CLIPS: ", and is no reason for a message; a long text
// keeps its beginning and its end.
TEST_F(Sesja, WhatRulesPrintGoesToTheLog) {
    const std::pair<std::string, std::vector<std::string>> t[] = {
        {"(printout t \"na t\" crlf) (printout stdout \"na stdout\" crlf) (printout wdisplay \"na wdisplay\" crlf)"
         " (printout wtrace \"na wtrace\" crlf) (format t \"format %d%n\" 7) (watch facts) (assert (nowy 1))"
         " (facts) (agenda) (ppdefrule a) (list-defrules)",
         {"na t", "na stdout", "na wdisplay", "na wtrace", "format 7", "==> f-", "f-0     (initial-fact)",
          "(defrule MAIN::a", "For a total of 1 defrule."}},
        {"(loop-for-count (?i 1 20000) (printout t \"wiersz \" ?i crlf))",
         {"wiersz 1", "wiersz 2140", P("(pominięto 15970 wierszy)"), "wiersz 18111", "wiersz 20000"}},
    };
    for (const auto& [akcja, linie] : t) {
        SCOPED_TRACE(akcja);
        operatora.write("reguły-w0.clp", std::string(kSzablony) + "(defrule a => " + akcja + ")\n");
        ASSERT_TRUE(sesja.Eksport(dane(), "zestaw.xls", "zestaw"));
        ASSERT_TRUE(sesja.Wnioskowanie());
        EXPECT_TRUE(ui.messages.empty()) << ui.messages.at(0);
        for (const std::string& l : linie)
            EXPECT_NE(std::find_if(sesja.Log().begin(), sesja.Log().end(),
                                   [&](const std::string& w) { return w.rfind("CLIPS: " + l, 0) == 0; }),
                      sesja.Log().end())
                << l;
    }
}

// One printed line longer than a log line keeps its start and its end,
// on either route, with the count of bytes left out between: 8 + 10 * 2^17
// + 6 bytes, and 1993 bytes, whose count ("bajty") makes the mark shorter
// than the count one less ("bajtów") would.
TEST_F(Sesja, ALongPrintedLineKeepsItsStartAndEnd) {
    const std::pair<std::string, std::size_t> t[] = {
        {"(bind ?s \"0000000000\") (loop-for-count 17 (bind ?s (str-cat ?s ?s)))", 1310734},
        {"(bind ?s \"" + std::string(1979, '0') + "\")", 1993},
    };
    for (const auto& [napis, dlugosc] : t)
        for (const std::string trasa : {"t", "werror"}) {
            operatora.write("reguły-w0.clp", std::string(kSzablony) + "(defrule a => " + napis + " (printout " + trasa +
                                                 " \"POCZATEK\" ?s \"KONIEC\" crlf))\n");
            ASSERT_TRUE(sesja.Eksport(dane(), "zestaw.xls", "zestaw") && sesja.Wnioskowanie());
            const auto l = std::find_if(sesja.Log().rbegin(), sesja.Log().rend(),
                                        [](const std::string& w) { return w.rfind("CLIPS: POCZATEK000", 0) == 0; });
            ASSERT_NE(l, sesja.Log().rend()) << trasa;
            EXPECT_EQ(l->substr(l->size() - 16), "0000000000KONIEC");
            const std::size_t od = l->find(P(" … (pominięto ")), do_ = l->find(P(") … "), od);
            ASSERT_LT(do_, l->size()) << *l;
            // What is kept and what was left out make the whole.
            EXPECT_EQ(l->size() - 7 - (do_ + 4 - od) + std::stoul(l->substr(od + 14)), dlugosc) << *l;
        }
}

// The rule-file example of the help (its lines in font 2) lists the line
// the help gives, and what it prints goes to the log.
TEST_F(Sesja, TheHelpsRuleExampleDoesWhatTheHelpSays) {
    std::ifstream in(std::string(VESK_SOURCE_DATA_DIR) + "PROGRAM/Jezyk.rtf", std::ios::binary);
    std::string pomoc(std::istreambuf_iterator<char>(in), {}), przyklad;
    for (std::size_t i; (i = pomoc.find("\\'")) != std::string::npos;)  // \'hh: a byte of code page 1250
        pomoc.replace(i, 4, 1, static_cast<char>(std::stoi(pomoc.substr(i + 2, 2), nullptr, 16)));
    for (std::size_t i = 0; (i = pomoc.find("{\\f2 ", i)) != std::string::npos; i += 5)
        przyklad += pomoc.substr(i + 5, pomoc.find("}\\par", i) - i - 5) + "\n";
    const std::string wskaznik = P("rotacja zapasów"), linia = P("==> rotacja zapasów: diagnoza dla roku : 2014 : "
                                                                  "Zbyt wysoki poziom zapasów");
    EXPECT_NE(pomoc.find(linia), std::string::npos);
    tabela.UstawKomorke(2, kol::Nazwa, wskaznik);
    operatora.write("reguły-rotacja zapasów.clp", std::string(kSzablony) + przyklad);
    DaneEksportu d = dane(wskaznik);
    d.Rok1 = 2012;
    d.Odczyt = [](const PozycjaWskaznika& p, int rok) -> std::optional<long double> {
        return p.Etykieta == "L" && rok == 3 ? 95 : 1;
    };
    ASSERT_TRUE(sesja.Eksport(d, "zestaw.xls", "zestaw")) << ui.messages.at(0);
    ASSERT_TRUE(sesja.Wnioskowanie());
    EXPECT_EQ(sesja.Diagnozy(), std::vector<std::string>{linia});
    EXPECT_NE(std::find(sesja.Log().begin(), sesja.Log().end(), "CLIPS: rotacja zapasow w roku 2014: 95.0"),
              sesja.Log().end());
}

// However much is logged, the log stays within its bounds, the newest
// lines kept and a line at the top telling of the cut.
TEST_F(Sesja, LogStaysBoundedAcrossOperations) {
    // A window following the log by its changes shows it as it is, and
    // writes about as many rows as were added.
    std::vector<std::string> okno;
    ExpertSession::StanLogu stan = sesja.Stan();
    std::size_t wpisane = 0;
    const auto pokaz = [&] {
        const auto& log = sesja.Log();
        if (const auto z = sesja.ZmianaOd(stan)) {
            okno.erase(okno.begin(), okno.begin() + static_cast<std::ptrdiff_t>(z->UsunOdGory));
            if (z->Naglowek) okno.insert(okno.begin(), log.front());
            okno.insert(okno.end(), log.end() - static_cast<std::ptrdiff_t>(z->Dopisz), log.end());
            wpisane += z->Dopisz + z->Naglowek;
        } else {
            okno = log;
            wpisane += okno.size();
        }
        stan = sesja.Stan();
        EXPECT_EQ(okno, log);
    };
    for (int i = 0; i < 60000; ++i) {
        sesja.DopiszLog("w" + std::to_string(i));
        if (i % 7000 == 0) pokaz();
    }
    for (int i = 0; i < 4500; ++i) {  // a few cut, 9 MB in all
        sesja.DopiszLog(std::string(ExpertSession::WierszLogu * (i % 1000 == 0 ? 3 : 1), 'x'));
        if (i % 700 == 0) pokaz();
    }
    pokaz();
    EXPECT_LE(wpisane, 60000u + 4500u + 20u);
    std::size_t bajty = 0;
    for (const std::string& l : sesja.Log()) {
        EXPECT_LE(l.size(), ExpertSession::WierszLogu);
        bajty += l.size();
    }
    EXPECT_LE(bajty, ExpertSession::BajtyLogu);
    EXPECT_LE(sesja.Log().size(), ExpertSession::WierszeLogu);
    EXPECT_NE(sesja.Log().front().find("usuni\xEAto"), std::string::npos) << sesja.Log().front();
    EXPECT_EQ(sesja.Log().back(), std::string(ExpertSession::WierszLogu, 'x'));
    const auto zmiany = sesja.ZmianyLogu();
    operatora.write("reguły-w0.clp", std::string(kSzablony) + kReguly);
    ASSERT_TRUE(sesja.Eksport(dane(), "zestaw.xls", "zestaw"));
    EXPECT_GT(sesja.ZmianyLogu(), zmiany);
    EXPECT_EQ(sesja.Log().back(), "End Load");
}

TEST_F(Sesja, EndlessRulesStopAtTheLimit) {
    operatora.write("reguły-w0.clp", std::string(kSzablony) +
                                         "(deffacts start (licznik 0))\n"
                                         "(defrule dalej ?f <- (licznik ?n) => (retract ?f) (assert (licznik (+ ?n 1))))\n");
    sesja.Limit = 50;
    ASSERT_TRUE(sesja.Eksport(dane(), "zestaw.xls", "zestaw"));
    ASSERT_TRUE(sesja.Wnioskowanie());
    EXPECT_EQ(sesja.Odpalone(), 50);
    EXPECT_EQ(sesja.Log().back(), P("osiągnięto limit 50 odpaleń reguł"));
}

TEST(Diagnozy, GroupedPerIndicatorWithoutRepeats) {
    std::vector<std::string> lista = {"==> a: x", "==> b: y"};
    DolaczDiagnozy(lista, {"==> b: y", "==> a: z", "==> c: x", "==> a: x", "==> b: w"});
    EXPECT_EQ(lista, (std::vector<std::string>{"==> a: x", "==> a: z", "==> b: y", "==> b: w", "==> c: x"}));
    const std::vector<std::pair<std::string, std::string>> w = {{"plynnosc", "p"}, {"plynnosc-szybka", "ps"}};
    EXPECT_EQ(WskaznikFaktu({"diagnoza-dla-roku", "2017", "plynnosc-szybka-dobry"}, w, "wybrany"), "ps");
    EXPECT_EQ(WskaznikFaktu({"wzrost-wskaznika", "plynnosc", "2015"}, w, "wybrany"), "p");
    EXPECT_EQ(WskaznikFaktu({"dobrze-we-wszystkich-latach", "2015"}, w, "wybrany"), "wybrany");
}

// A merge of many lines costs time linear in them: it asks to go on every
// KrokDalej lines, stops with the list as it was, keeps to its bound.
TEST(Diagnozy, LargeMergeAsksToGoOnAndStops) {
    std::vector<std::string> lista = {"==> a: x", "==> b: y"};
    DolaczDiagnozy(lista, {"==> c: 1", "==> a: 2", "==> d: 1", "==> c: 2", "==> c: 1"});
    EXPECT_EQ(lista, (std::vector<std::string>{"==> a: x", "==> a: 2", "==> b: y", "==> c: 1", "==> c: 2", "==> d: 1"}));

    std::vector<std::string> nowe;
    for (int i = 0; i < 100000; ++i)  // each line twice
        nowe.push_back("==> w" + std::to_string(i / 2 % 1000) + ": " + std::to_string(i / 2));
    std::vector<std::vector<std::string>> fakty(nowe.size() / 2, {"zbyt-wysoki", "1"});
    int pytania = 0;
    const auto liczy = [&] { return ++pytania > 0; };
    ASSERT_TRUE(LinieDiagnoz(fakty, {}, "w", liczy).has_value());
    EXPECT_EQ(pytania, static_cast<int>(fakty.size() / KrokDalej));
    pytania = 0;
    std::vector<std::string> duza;
    ASSERT_EQ(DolaczDiagnozy(duza, nowe, liczy), std::optional<std::size_t>(0));
    EXPECT_EQ(duza.size(), nowe.size() / 2);
    EXPECT_EQ(duza[1], "==> w0: 1000");
    EXPECT_EQ(duza[50], "==> w1: 1");
    EXPECT_EQ(pytania, static_cast<int>(nowe.size() / KrokDalej));
    const auto bylo = duza;
    for (const bool zLinii : {true, false}) {
        pytania = 0;
        const auto stop = [&] { return ++pytania < 3; };
        if (zLinii) {
            EXPECT_FALSE(LinieDiagnoz(fakty, {}, "w", stop).has_value());
        } else {
            EXPECT_FALSE(DolaczDiagnozy(duza, {"==> nowy: 1"}, stop).has_value());
            EXPECT_EQ(duza, bylo);
        }
        EXPECT_EQ(pytania, 3);
    }
    std::vector<std::string> ograniczona = {"==> a: x"};
    EXPECT_EQ(DolaczDiagnozy(ograniczona, {"==> a: x", "==> a: y", "==> b: z", "==> a: w"}, {}, 3),
              std::optional<std::size_t>(1));
    EXPECT_EQ(ograniczona, (std::vector<std::string>{"==> a: x", "==> a: y", "==> b: z"}));
}

// The window's list: lines cut, bounded in bytes, and what each merge
// inserted where, so that a window applying only that shows the list.
TEST(Diagnozy, ListBoundedInBytesAndMergedByWhatIsAdded) {
    SpisDiagnoz spis(100, 3 * SpisDiagnoz::DlugoscWiersza);
    std::vector<std::string> okno;  // as a window shows it
    std::uint64_t pokazana = spis.Zmiany();
    const auto pokaz = [&] {
        const auto wstawienia = spis.WstawieniaOd(pokazana);
        if (!wstawienia) okno = spis.Wiersze();
        for (const SpisDiagnoz::Blok& b : wstawienia ? *wstawienia : std::vector<SpisDiagnoz::Blok>{})
            okno.insert(okno.begin() + static_cast<std::ptrdiff_t>(b.Wiersz), spis.begin() + static_cast<std::ptrdiff_t>(b.Wiersz),
                        spis.begin() + static_cast<std::ptrdiff_t>(b.Wiersz + b.Ile));
        pokazana = spis.Zmiany();
        EXPECT_EQ(spis, okno);
    };
    const auto dluga = [](int i) { return "==> a: " + std::to_string(i) + std::string(5000, 'x'); };
    auto w = spis.Dolacz({"==> a: 1", "==> b: 1", dluga(0), dluga(0) + "y"});
    ASSERT_TRUE(w);
    EXPECT_EQ(w->Dodane, 3u);  // the two long ones the same once cut
    EXPECT_EQ(spis[1].size(), SpisDiagnoz::DlugoscWiersza);
    EXPECT_NE(spis[1].find(kSandboxCutMark), std::string::npos);
    EXPECT_EQ(spis.WstawieniaOd(pokazana), (std::vector<SpisDiagnoz::Blok>{{0, 2}, {2, 1}}));
    pokaz();
    const std::uint64_t kroki = spis.Kroki();
    w = spis.Dolacz({"==> b: 2", "==> a: 2", "==> c: 1", "==> b: 1"});
    EXPECT_EQ(spis.Kroki() - kroki, 4u);  // the new lines, not the list
    EXPECT_EQ(spis, (std::vector<std::string>{"==> a: 1", spis[1], "==> a: 2", "==> b: 1", "==> b: 2", "==> c: 1"}));
    EXPECT_EQ(spis.WstawieniaOd(pokazana), (std::vector<SpisDiagnoz::Blok>{{2, 1}, {4, 1}, {5, 1}}));
    pokaz();
    // Past the bytes: afresh with the new lines, those beyond counted.
    w = spis.Dolacz({dluga(1), dluga(2), dluga(3), dluga(4), "==> a: 3"}, {}, true);
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->OdNowa);
    EXPECT_EQ(w->Pominiete, 2u);
    EXPECT_LE(spis.Bajty(), 3 * SpisDiagnoz::DlugoscWiersza);
    EXPECT_FALSE(spis.WstawieniaOd(pokazana));
    pokaz();
    EXPECT_EQ(spis.WstawieniaOd(pokazana), std::vector<SpisDiagnoz::Blok>{});
}

// A message fits a screen: the first line and the engine's first error
// lines, each cut; a short one stays as it is.
TEST(Komunikat, EngineTextCutToAFewLines) {
    std::string blad = "B\xB3\xB9" "d w pliku regu\xB3 r.clp, wiersz 13; pliku nie wczytano w ca\xB3o\x9C" "ci:";
    const std::string krotki = blad + "\nPrzyczyna";
    EXPECT_EQ(KomunikatSilnika(krotki), krotki);
    for (int i = 0; i < 20000; ++i) blad += "\nwiersz " + std::to_string(i);
    blad += "\n[PRNTUTIL2] Syntax Error:  Check appropriate syntax for defrule.\nERROR:\n(defrule MAIN::zly\n   (";
    blad += "\n" + std::string(100000, 'x');
    const std::string m = KomunikatSilnika(blad);
    EXPECT_EQ(m.rfind(blad.substr(0, blad.find('\n')) + "\n[PRNTUTIL2] Syntax Error", 0), 0u) << m;
    EXPECT_LE(std::count(m.begin(), m.end(), '\n'), 9);
    EXPECT_LE(m.size(), 10u * 240);
    // One long line is wrapped within the same few lines.
    const std::string jednaLinia = KomunikatSilnika(std::string(1 << 20, 'y'));
    EXPECT_LE(std::count(jednaLinia.begin(), jednaLinia.end(), '\n'), 7);
    EXPECT_LE(jednaLinia.size(), 8u * 241);
}

TEST(Listing, RowsByTheFirstField) {
    const struct {
        std::vector<std::string> f;
        const char* linia;
    } t[] = {
        {{"wzrost", "a", "b", "c"}, "==> wzrost a b-c"},
        {{"stabilny", "a", "b", "c"}, "==> stabilny b-c"},
        {{"caly-czas-dobrze", "x", "y"}, "==> caly czas dobrze x"},  // "dobr" comes first
        {{"diagnoza-dla-roku", "2015", "plynnosc-dobra"}, "==> diagnoza dla roku : 2015 : plynnosc dobra"},
        {{"diagnoza-dla-lat", "2015", "2017", "spadek"}, "==> diagnoza dla lat : 2015-2017 : spadek"},
        {{"wysoka-rentownosc", "ROE"}, "==> wysoka rentownosc ROE"},
        {{"dobra-we-wszystkich-latach", "2015", "2017"}, "==> dobra we wszystkich latach 2015-2017"},
        {{"zbyt-wysokie-zadluzenie", "2016"}, "==> zbyt wysokie zadluzenie 2016"},
        {{"spadek", "ROA", "2015", "2017"}, "==> spadek ROA 2015-2017"},
        {{"utrata-plynnosci", "a", "2015", "2017"}, "==> utrata plynnosci a 2015-2017"},
        {{"utrata-stabilnosci", "a", "2015", "2017"}, "==> utrata stabilnosci 2015-2017"},
        {{"inny", "a"}, nullptr},
        {{"wzrost", "a", "b"}, nullptr},   // lacks a field
        {{"diagnoza-dla-roku", "2015"}, nullptr},
        {{}, nullptr},                     // a template fact
    };
    for (const auto& c : t) {
        const auto l = LiniaDiagnozy(c.f);
        if (c.linia) {
            ASSERT_TRUE(l.has_value()) << c.linia;
            EXPECT_EQ(*l, c.linia);
        } else {
            EXPECT_FALSE(l.has_value()) << (c.f.empty() ? "" : c.f[0]);
        }
    }
}

}  // namespace
}  // namespace vesk
