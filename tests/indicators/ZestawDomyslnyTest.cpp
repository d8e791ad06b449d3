// The default indicator set and its rule files as built: the workbook
// reads back to its list, every indicator evaluates on a simulated
// operator, every rule file loads with the exported facts, runs within
// the cap and leaves only facts the listing shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <sys/resource.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "CodePage.h"
#include "ExpertSession.h"
#include "Kontekst.h"
#include "OperacjeWezlow.h"
#include "PomocWskaznikow.h"
#include "PozycjeSprawozdan.h"
#include "Sanitizer.h"
#include "TempDir.h"
#include "XLSIndicatorSetStore.h"

namespace vesk {
namespace {

const std::string kProgram = std::string(VESK_DATA_DIR) + "PROGRAM/";

// The readable list in the source tree (this file's path may be relative
// to the build folder, not to where the test runs).
std::string Zrodla() { return VESK_SOURCE_DATA_DIR; }

std::vector<std::vector<std::string>> Lista() {
    std::ifstream f(Zrodla() + "PROGRAM/wskazniki-ogolne.txt", std::ios::binary);
    std::vector<std::vector<std::string>> w;
    std::string linia;
    while (std::getline(f, linia)) {
        if (!linia.empty() && linia.back() == '\r') linia.pop_back();
        if (linia.empty()) continue;
        std::vector<std::string> pola;
        std::stringstream s(linia);
        std::string pole;
        while (std::getline(s, pole, '\t')) pola.push_back(pole);
        if (!linia.empty() && linia.back() == '\t') pola.push_back("");
        w.push_back(pola);
    }
    return w;
}

struct Domyslny : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<Kontekst> k = std::make_unique<Kontekst>();
    ScriptedUserInterface ui;
    XLSIndicatorSetStore store;
    ZestawWskaznikow z{store};

    void SetUp() override {
        k->catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
        k->catTABWZOR = std::string(VESK_DATA_DIR) + "TABWZOR/";
        k->SciezkaOperatora = dir.folder() + "FIRMA.";
        ASSERT_TRUE(UtworzStanOperatora(*k));
        ASSERT_TRUE(WczytajZestaw(z, kProgram + "wskazniki-ogolne.xls", ui));
    }
    DaneEksportu Dane(int wiersz) {
        DaneEksportu d;
        d.Tabela = &z.Tabela;
        d.Rok1 = 2015;
        d.Wybrany = z.Tabela.Komorka(wiersz, kol::Nazwa);
        d.Relacja = z.Tabela.Komorka(wiersz, kol::Relacja);
        d.Prog1 = z.Tabela.Komorka(wiersz, kol::Prog1);
        d.Prog2 = z.Tabela.Komorka(wiersz, kol::Prog2);
        const StanModelu* rekord = &k->RekordBiezacy;
        d.Odczyt = [rekord](const PozycjaWskaznika& p, int rok) -> std::optional<long double> {
            const auto v = WartoscPozycji(*rekord, p, rok);
            if (!v) return std::nullopt;
            return static_cast<long double>(*v);
        };
        return d;
    }
};

TEST_F(Domyslny, WorkbookReadsBackToTheList) {
    const auto lista = Lista();
    ASSERT_GE(lista.size(), 7u);
    EXPECT_EQ(z.Tabela.LiczbaWskaznikow, static_cast<int>(lista.size()));
    for (std::size_t r = 0; r < lista.size(); ++r)
        for (int c = 1; c <= KolumnZestawu; ++c) {
            const std::string oczekiwany = c - 1 < static_cast<int>(lista[r].size()) ? lista[r][c - 1] : "";
            EXPECT_EQ(z.Tabela.Komorka(static_cast<int>(r) + 1, c), oczekiwany) << r << "," << c;
        }
    for (const auto& n : z.Tabela.Nazwy()) EXPECT_EQ(n.find_first_of("/\\:"), std::string::npos) << n;
}

TEST_F(Domyslny, EveryIndicatorEvaluatesAndEveryRuleFileRuns) {
    for (int r = 2; r <= z.Tabela.LiczbaWskaznikow; ++r) {
        const DaneEksportu d = Dane(r);
        SCOPED_TRACE(d.Wybrany);
        EXPECT_TRUE(TekstFaktow(d).Log.empty());
        ExpertSession sesja(dir.folder(), kProgram, ui);
        ASSERT_TRUE(sesja.Eksport(d, z.Plik, z.NazwaZestawu));
        EXPECT_EQ(sesja.PlikRegul(), kProgram + "regu\xB3y-" + d.Wybrany + ".clp");
        ASSERT_TRUE(sesja.Wnioskowanie());
        EXPECT_FALSE(sesja.Diagnozy().empty());
        int uporzadkowane = 0;
        for (const auto& pola : sesja.Fakty()) {
            if (pola.at(0) == "initial-fact") continue;
            ++uporzadkowane;
            EXPECT_TRUE(LiniaDiagnozy(pola).has_value()) << pola.at(0);
        }
        EXPECT_EQ(uporzadkowane, static_cast<int>(sesja.Diagnozy().size()));
    }
    EXPECT_TRUE(ui.messages.empty());
}


// Every file of the folder with a hash of its bytes.
std::map<std::string, std::size_t> Zawartosc(const std::string& folder) {
    std::map<std::string, std::size_t> w;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) {
        if (e.is_fifo()) continue;  // the one a rule file waits on
        std::ifstream f(e.path(), std::ios::binary);
        w[e.path().string()] = std::hash<std::string>()(std::string(std::istreambuf_iterator<char>(f), {}));
    }
    return w;
}

// The program's own peak resident size.
long SzczytKb() {
    std::ifstream f("/proc/self/status");
    for (std::string l; std::getline(f, l);)
        if (l.rfind("VmHWM:", 0) == 0) return std::atol(l.c_str() + 6);
    return 0;
}

// A rule file reaches nothing outside the engine and cannot stop the
// program, whatever it tries: every way ends with a one-line message
// naming the true reason, and the program's memory stays bounded, however
// much the engine returns. The shipped rules work afterwards.
TEST_F(Domyslny, HostileRuleFilesReachNothingAndEndWithAMessage) {
    const std::string ofiara = dir.file("ofiara.txt"), nowy = dir.file("nowy.txt");
    const std::string fifo = dir.file("fifo"), drugi = dir.file("drugi.clp");
    dir.write("ofiara.txt", "dane");
    dir.write("drugi.clp", "(defrule drugi => (assert (zbyt-wysoki drugi)))\n");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // A line waiting in the pipe for its own reader, and a file outside
    // the facts folder: a rule file takes neither.
    const int potok = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(potok, 0);
    ASSERT_EQ(::write(potok, "tajne\n", 6), 6);
    test::TempDir obok;
    obok.write("tajne.txt", "tajne\n");
    const std::string metody =
        "(defmethod open ((?a STRING) (?b SYMBOL) (?c STRING)) (call-next-method))\n"
        "(defmethod remove ((?a STRING)) (call-next-method))\n"
        "(defmethod rename ((?a STRING) (?b STRING)) (call-next-method))\n"
        "(defmethod save-facts ((?a STRING)) (call-next-method))\n"
        "(defmethod eval ((?a STRING)) (call-next-method))\n"
        "(defmethod build ((?a STRING)) (call-next-method))\n"
        "(defmethod load* ((?a STRING)) (call-next-method))\n"
        "(defmethod exit () (call-next-method))\n";
    const auto regula = [](const std::string& akcja) { return "(defrule r => " + akcja + ")\n"; };
    // An open no scan can see, and a diagnosis of what it read.
    const auto czytaj = [&](const std::string& sciezka) {
        return regula("(sort funcall (sym-cat ev al) \"(open \\\"" + sciezka +
                      "\\\" p \\\"r\\\")\") (assert (zbyt-wysoki (sym-cat przeczytane- (readline p))))");
    };
    const char* const odmowa = "[VESK1] Funkcja open: pliki regu\xB3 nie czytaj\xB9";
    // A text of 10 * 2^n bytes in ?s.
    const auto tekst = [](int n) {
        return "(bind ?s \"0123456789\") (loop-for-count " + std::to_string(n) + " (bind ?s (str-cat ?s ?s))) ";
    };
    const struct {
        const char* nazwa;
        std::string tresc;
        const char* komunikat;  // part of the message; nullptr: any end; "": none
        int sciana = 10;        // wall seconds (well above the processor's, on a busy machine too)
        int wyniki = 16;        // megabytes an operation returns
        int procesor = 2;       // processor seconds
    } t[] = {
        {"open", regula("(call-specific-method open 1 \"" + nowy + "\" p \"w\") (printout p \"x\" crlf)"), nullptr},
        {"remove", regula("(call-specific-method remove 1 \"" + ofiara + "\")"), nullptr},
        {"rename", regula("(call-specific-method rename 1 \"" + ofiara + "\" \"" + nowy + "\")"), nullptr},
        {"save-facts", regula("(call-specific-method save-facts 1 \"" + nowy + "\")"), nullptr},
        {"eval", regula("(call-specific-method eval 1 \"(open \\\"" + nowy + "\\\" p \\\"w\\\")\")"), nullptr},
        {"defglobal", "(defglobal ?*g* = (call-specific-method open 1 \"" + nowy + "\" p \"w\"))\n", nullptr},
        {"exit", regula("(call-specific-method exit 1)"), "exit"},
        {"p\xEAtla", regula("(while TRUE do (bind ?x 1))"), "czas wnioskowania"},
        {"rekurencja", "(deffunction f (?n) (+ 1 (f (+ ?n 1))))\n" + regula("(f 1)"), "rekurencja"},
        {"bez ko\xF1" "ca", "(deffacts l (licznik 0))\n(defrule r (licznik ?n) => (assert (licznik (+ ?n 1))))\n",
         nullptr},
        // Time enough to reach the memory limit on a loaded machine under the
        // sanitizers, whose limit is larger and whose copies are slower.
        {"pami\xEA\xE6", regula("(bind ?s \"0123456789\") (while TRUE do (bind ?s (str-cat ?s ?s)))"), "pami\xEA", 30,
         16, 20},
        // Floods of what the engine returns (without its budget, gigabytes):
        // through the log, through the facts (the log's lines used up
        // first), through the constructs.
        {"dziennik", regula(tekst(9) + "(loop-for-count (?i 1 100000) (assert (x ?i ?s)))"),
         "przekroczono limit wynik\xF3w silnika regu\xB3 (2 MB)", 10, 2},
        {"fakty", regula(tekst(9) + "(loop-for-count (?i 1 10000) (assert (n ?i)))"
                                    "(loop-for-count (?i 1 1000) (assert (x ?i ?s)))"),
         "przekroczono limit wynik\xF3w silnika regu\xB3 (4 MB)", 10, 4},
        {"konstrukcje", regula(tekst(7) + "(loop-for-count (?i 1 1000) (call-specific-method build 1 "
                                           "(str-cat \"(deffacts f\" ?i \" (x \\\"\" ?s \"\\\"))\")))"),
         "przekroczono limit wynik\xF3w silnika regu\xB3 (1 MB)", 10, 1},
        // Nothing is opened: not the channel to the program, not a file
        // outside the facts folder, a named pipe or the engine's own input.
        {"kana\xB3", regula("(call-specific-method open 1 \"/proc/self/fd/3\" p \"r\") (readline p)"
                            "(call-specific-method open 1 \"/dev/fd/3\" q \"r\") (readline q)"),
         odmowa},
        {"plik obok", czytaj(obok.file("tajne.txt")), odmowa},
        {"fifo", czytaj(fifo), odmowa},
        {"wej\x9C" "cie", czytaj("/proc/self/fd/0"), odmowa},
        {"load*", "(defglobal ?*g* = (call-specific-method load* 1 \"" + drugi + "\"))\n",
         "[VESK1] Funkcja load*"},
        // Working too long in time, not in the processor's, and a crash of
        // the engine while loading.
        {"\x9C" "ciana", regula("(while TRUE do (bind ?x 1))"), "silnik regu\xB3 nie odpowiada\xB3 przez 1 s", 1, 16, 30},
        {"awaria", "(defglobal ?*g* = (call-specific-method build 1 \"(defmethod build ((?a STRING)) 1)\"))\n",
         "Przerwano wczytywanie pliku regu\xB3: awaria silnika regu\xB3 (sygna\xB3 "},
    };
    ExpertSession sesja(dir.folder(), kProgram, ui);
    sesja.Limit = 20000;  // endless firing ends at the cap, not at the time limit
#if !defined(VESK_ASAN)
    sesja.Limity.Memory = std::size_t(64) << 20;
#else
    sesja.Limity.Memory = std::size_t(512) << 20;  // the sanitizer's own memory besides
#endif
    const DaneEksportu d = Dane(2);
    const std::string plik = "regu\xB3y-" + d.Wybrany + ".clp";
    const long szczyt = SzczytKb();
    for (const auto& c : t) {
        SCOPED_TRACE(c.nazwa);
        ui.messages.clear();
        sesja.Limity.WallSeconds = c.sciana;
        sesja.Limity.CpuSeconds = c.procesor;
        sesja.Limity.Output = std::size_t(c.wyniki) << 20;
        dir.write(cp1250ToUtf8(plik), test::kSzablony + metody + c.tresc);
        const auto przed = Zawartosc(dir.folder());
        if (sesja.Eksport(d, z.Plik, z.NazwaZestawu)) sesja.Wnioskowanie();
        auto po = Zawartosc(dir.folder());
        // The facts file and the constructs are the session's own writes.
        for (const char* wlasny : {"clp.clp", "wskazniki-ogolne.clp"}) po.erase(dir.file(wlasny));
        auto bylo = przed;
        for (const char* wlasny : {"clp.clp", "wskazniki-ogolne.clp"}) bylo.erase(dir.file(wlasny));
        EXPECT_EQ(po, bylo);
        if (c.komunikat && !*c.komunikat) EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
        if (c.komunikat && *c.komunikat) {
            ASSERT_EQ(ui.messages.size(), 1u);
            const std::string& m = ui.messages.back();
            EXPECT_NE(m.find(c.komunikat), std::string::npos) << m;
            // A line of its own, the engine's text (if any) below it.
            const std::string pierwszy = m.substr(0, m.find('\n'));
            EXPECT_LT(pierwszy.size(), 120u) << m;
            EXPECT_EQ(sesja.Log().back(), pierwszy);
        }
        for (const std::string& l : sesja.Diagnozy()) EXPECT_EQ(l.find("przeczytane"), std::string::npos) << l;
    }
    char linia[16] = {};
    EXPECT_EQ(::read(potok, linia, sizeof linia), 6);
    EXPECT_STREQ(linia, "tajne\n");
    ::close(potok);
#if !defined(VESK_ASAN)
    // However much the engine returned, the program grew by a few dozen
    // megabytes at most (the sanitizer keeps freed memory for a while).
    EXPECT_LT(SzczytKb() - szczyt, 100L * 1024);
#else
    (void)szczyt;
#endif
    sesja.Limity.WallSeconds = 10;
    // The user ends a run: no message, a log line.
    ui.messages.clear();
    dir.write(cp1250ToUtf8(plik), test::kSzablony + regula("(while TRUE do (bind ?x 1))"));
    ASSERT_TRUE(sesja.Eksport(d, z.Plik, z.NazwaZestawu));
    sesja.WTrakcie = [&] { sesja.Przerwij(); };
    EXPECT_FALSE(sesja.Wnioskowanie());
    sesja.WTrakcie = nullptr;
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_NE(sesja.Log().back().find("u\xBFytkownika"), std::string::npos) << sesja.Log().back();
    rusage r{};
    ASSERT_EQ(getrusage(RUSAGE_CHILDREN, &r), 0);
    EXPECT_LT(r.ru_maxrss, static_cast<long>(sesja.Limity.Memory / 1024) + 450L * 1024);
    std::filesystem::remove(dir.file(cp1250ToUtf8(plik)));
    // One that is a link to nothing (a share not mounted) is no missing
    // one: refused naming it and its target.
    std::filesystem::create_symlink("/nie-ma-dysku/r.clp", dir.file(cp1250ToUtf8(plik)));
    ui.messages.clear();
    EXPECT_FALSE(sesja.Eksport(d, z.Plik, z.NazwaZestawu));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find(" wskazuje na /nie-ma-dysku/r.clp"), std::string::npos) << ui.messages[0];
    std::filesystem::remove(dir.file(cp1250ToUtf8(plik)));
    ui.messages.clear();
    for (int w = 2; w <= z.Tabela.LiczbaWskaznikow; ++w) {
        ASSERT_TRUE(sesja.Eksport(Dane(w), z.Plik, z.NazwaZestawu));
        ASSERT_TRUE(sesja.Wnioskowanie());
    }
    EXPECT_FALSE(sesja.Diagnozy().empty());
    EXPECT_TRUE(ui.messages.empty());
}

// A rule file that floods the program ends in the program's bounds: a
// load error after 100,000 printed lines is a message of a few lines, and
// the work on many diagnosis facts goes on calling the window and stops
// when asked; the shipped rules infer right afterwards.
TEST_F(Domyslny, HostileRuleFilesFloodingTheProgramStayInItsBounds) {
    ExpertSession sesja(dir.folder(), kProgram, ui);
    const DaneEksportu d = Dane(2);
    const std::string plik = cp1250ToUtf8("regu\xB3y-" + d.Wybrany + ".clp");
    dir.write(plik, test::kSzablony +
                        std::string("(deffunction p (?n) (loop-for-count (?i 1 ?n) (printout t \"wiersz \" ?i crlf)) 1)\n"
                                    "(defglobal ?*a* = (p 100000))\n(defrule zly (\n"));
    EXPECT_FALSE(sesja.Eksport(d, z.Plik, z.NazwaZestawu));
    ASSERT_EQ(ui.messages.size(), 1u);
    const std::string& m = ui.messages[0];
    EXPECT_LE(std::count(m.begin(), m.end(), '\n'), 9) << m;
    EXPECT_LE(m.size(), 2400u) << m;
    EXPECT_NE(m.find("wiersz 11;"), std::string::npos) << m;
    EXPECT_NE(m.find("\n[PRNTUTIL2] "), std::string::npos) << m;
    std::size_t bajty = 0;
    for (const std::string& l : sesja.Log()) bajty += l.size();
    EXPECT_LE(bajty, ExpertSession::BajtyLogu);
    EXPECT_LE(sesja.Log().size(), ExpertSession::WierszeLogu);

    constexpr int kFakty = 20000;
    dir.write(plik, test::kSzablony + std::string("(defrule r => (loop-for-count (?i 1 ") + std::to_string(kFakty) +
                        ") (assert (zbyt-wysoki ?i))))\n");
    ui.messages.clear();
    int wywolania = 0;
    sesja.WTrakcie = [&] { ++wywolania; };
    ASSERT_TRUE(sesja.Eksport(d, z.Plik, z.NazwaZestawu));
    wywolania = 0;
    ASSERT_TRUE(sesja.Wnioskowanie());
    ASSERT_EQ(sesja.Diagnozy().size(), static_cast<std::size_t>(kFakty));
    // Twice over the lines after the engine: reading them and merging them.
    const int poSilniku = 2 * (kFakty / static_cast<int>(KrokDalej));
    EXPECT_GE(wywolania, poSilniku);
    // Stop pressed while the lines are merged, counted from the engine's end
    // (its log taken in), as the engine itself asks after a time, not a count:
    // nothing is added, no message.
    const std::uint64_t zmiany = sesja.ZmianyLogu();
    wywolania = 0;
    sesja.WTrakcie = [&] {
        if (sesja.ZmianyLogu() != zmiany && ++wywolania == poSilniku / 2 + 1) sesja.Przerwij();
    };
    EXPECT_FALSE(sesja.Wnioskowanie());
    sesja.WTrakcie = nullptr;
    EXPECT_EQ(sesja.Diagnozy().size(), static_cast<std::size_t>(kFakty));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_NE(sesja.Log().back().find("u\xBFytkownika"), std::string::npos) << sesja.Log().back();

    // Long distinct diagnoses, RESET and RUN again and again: the window's
    // list stays within its bytes, and each merge looks at the run's lines
    // only, however long the list.
    dir.write(plik, test::kSzablony + std::string("(defrule r => (bind ?s \"0123456789\") (loop-for-count 9 (bind ?s "
                                                  "(str-cat ?s ?s))) (bind ?g (gensym*)) (loop-for-count (?i 1 200) "
                                                  "(assert (wzrost-wskaznika (sym-cat ?g - ?i - ?s) (sym-cat ?s x) "
                                                  "(sym-cat ?s y)))))\n"));
    ASSERT_TRUE(sesja.Eksport(d, z.Plik, z.NazwaZestawu));
    sesja.WyczyscDiagnozy();
    SpisDiagnoz lista(SpisDiagnoz::NajwiecejWierszy, std::size_t(1) << 20);
    for (int bieg = 0; bieg < 6; ++bieg) {
        const std::uint64_t kroki = lista.Kroki();
        sesja.Reset();
        ASSERT_TRUE(sesja.Wnioskowanie());
        ASSERT_EQ(sesja.Diagnozy().size(), 200u);
        ASSERT_TRUE(DolaczWnioski(sesja, lista));
        EXPECT_EQ(lista.Kroki() - kroki, 200u);
        EXPECT_LE(lista.Bajty(), std::size_t(1) << 20);
        EXPECT_GE(lista.size(), 200u);
    }
    // The list started afresh when full, each time told.
    EXPECT_FALSE(ui.messages.empty());
    for (const std::string& m : ui.messages) EXPECT_NE(m.find("od nowa"), std::string::npos) << m;
    ui.messages.clear();

    std::filesystem::remove(dir.file(plik));
    sesja.WyczyscDiagnozy();
    ASSERT_TRUE(sesja.Eksport(d, z.Plik, z.NazwaZestawu));
    ASSERT_TRUE(sesja.Wnioskowanie());
    EXPECT_FALSE(sesja.Diagnozy().empty());
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace vesk
