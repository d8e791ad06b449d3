// The indicator session's report file, diagnosis file and expert commands,
// with the workbench and the set files faked and the real rule engine.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "CodePage.h"
#include "IndicatorSession.h"
#include "PelnyDysk.h"
#include "PomocWskaznikow.h"
#include "Srodowisko.h"
#include "TempDir.h"

namespace vesk {
namespace {

using test::Chwila;
using test::kKreska;
using test::P;
using test::PelnyDysk;

struct Warsztat : HakiWarsztatu {
    std::optional<WybranyWezel> wezel = WybranyWezel{3, 1, "d/r 3", false, {}, {}};
    bool rezultaty2 = true, wzy1 = false;
    std::optional<WybranyWezel> Wybrany() const override { return wezel; }
    void Zmiana_wezla() override {}
    void UstawRezultaty2(bool w) override { rezultaty2 = w; }
    void UstawWzy1(bool w) override { wzy1 = w; }
    std::optional<int> CoJesli(int, long double) override { return std::nullopt; }
    bool WybierzEtykiete(const std::string&) override { return false; }
};

struct Zestawy : IndicatorSetStore {
    TabelaWskaznikow tabela;
    TabelaWskaznikow read(const std::string&) override { return tabela; }
    void write(const std::string&, const TabelaWskaznikow&) override {}
};

// Templates of the exported facts and one rule that finds every indicator
// stable over the node's period.
const std::string kReguly = std::string(test::kSzablony) +
    "(defrule stale (wskaznik (nazwa-wskaznika ?n) (rok1 ?a) (rok3 ?b) (wartosc1 ?x) (wartosc3 ?x))\n"
    "  => (assert (stabilny ?n ?a ?b)))\n";

struct RaportSesji : ::testing::Test {
    test::TempDir program, operatora;
    ScriptedUserInterface ui;
    Kontekst k{ui};
    Warsztat w;
    Zestawy z;
    std::unique_ptr<IndicatorSession> s;

    void SetUp() override {
        k.KatalogProgramu = program.folder();
        k.KatalogOperatora = operatora.folder();
        test::KopiujDrzewaPozycji(program);
        program.write("wskazniki-ogolne.xls", "");
        k.RekordBiezacy.UstawRok(2018);  // the period 2015-2017
        z.tabela.UstawKomorke(1, kol::Nazwa, "Nazwa");
        for (const char* nazwa : {"jeden", "dwa"}) {
            IndicatorDef d;
            d.Nazwa = nazwa;
            d.Licznik.Pierwsza = PozycjaWskaznika{"Bilans Aktywa", "jedynka"};
            d.Mianownik.Pierwsza = PozycjaWskaznika{"Bilans Aktywa", "jedynka"};
            z.tabela.Dodaj(d);
        }
        s = std::make_unique<IndicatorSession>(k, w, z);
        s->Raport().Zegar = Chwila;
        s->Raport().RaportDecyzji = [](const std::string& plik) {
            std::ofstream(plik, std::ios::binary) << "DEC\r\n";
            return true;
        };
        s->onActivated();
    }
    std::string Raport() const { return operatora.read("wskazniki-ogolne.2012-02-14 10-22-33.rap"); }
    std::vector<std::string> PlikiRaportow() const {
        std::vector<std::string> r;
        for (const auto& e : std::filesystem::directory_iterator(operatora.folder()))
            if (e.path().extension() == ".rap") r.push_back(e.path().filename().string());
        return r;
    }
};

TEST_F(RaportSesji, StartedAndStoppedLeavesOneReport) {
    EXPECT_EQ(s->Raport().Podpis(), P("/Początek/ raportowania do pliku"));
    s->ListaDiagnoz = {"==> a"};
    s->RaportowanieDoPliku(true);
    EXPECT_TRUE(s->Raportowanie());
    EXPECT_TRUE(s->Raport().WpisWidoczny());
    EXPECT_EQ(s->Raport().Podpis(), P("/ Koniec / raportowania do pliku"));
    s->WpisDoPlikuRaportu();
    s->RaportowanieDoPliku(false);
    EXPECT_FALSE(s->Raportowanie());
    EXPECT_FALSE(s->Raport().WpisWidoczny());
    EXPECT_EQ(s->Raport().Podpis(), P("/Początek/ raportowania do pliku"));
    EXPECT_EQ(PlikiRaportow(), (std::vector<std::string>{"wskazniki-ogolne.2012-02-14 10-22-33.rap"}));
    EXPECT_EQ(Raport(), "DEC\r\n\r\n" + kKreska + "\r\n" + P("Korzystam z bazy wskaźników: ") + program.folder() +
                            "wskazniki-ogolne.xls\r\n" + kKreska + "\r\n==> a\r\n==> a\r\n");
    // Appending with no report running writes nothing and makes none.
    s->WpisDoPlikuRaportu();
    EXPECT_EQ(PlikiRaportow().size(), 1u);
    EXPECT_TRUE(ui.messages.empty());
}

// A read-only operator's report goes where its statements go: the user's
// folder, never the operator folder.
TEST_F(RaportSesji, AReadOnlyOperatorsReportGoesWhereItsStatementsGo) {
    test::TempDir cache;
    const test::ZmiennaSrodowiska xdg("XDG_CACHE_HOME", cache.folder());
    k.NazwaPlikuStanu = "T.qad";
    const test::NosnikTylkoDoOdczytu ro(operatora.folder());
    if (!ro.jest) GTEST_SKIP() << "no bind mount here: no read-only medium";
    s->RaportowanieDoPliku(true);
    EXPECT_TRUE(s->Raportowanie()) << (ui.messages.empty() ? "" : ui.messages[0]);
    EXPECT_EQ(s->Raport().Plik().rfind(cache.folder() + "vesk/sprawozdania/T-", 0), 0u) << s->Raport().Plik();
    s->RaportowanieDoPliku(false);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RaportSesji, ChoiceWritesTheRuleBaseFramed) {
    operatora.write("regu\xC5\x82y-dwa.clp", "");  // a rule file for "dwa" only
    s->chooseIndicator(0);  // reporting off: nothing to write
    s->RaportowanieDoPliku(true);
    const std::size_t poStarcie = Raport().size();
    s->chooseIndicator(0);
    s->chooseIndicator(1);
    s->RaportowanieDoPliku(false);
    EXPECT_EQ(Raport().substr(poStarcie),
              kKreska + "\r\n" + P("brak bazy reguł: ") + operatora.folder() + P("reguły-wskazniki-ogolne-jeden.clp\r\n") +
                  kKreska + "\r\n" + kKreska + "\r\n" + P("zmieniono bazę reguł na: ") + operatora.folder() +
                  P("reguły-dwa.clp\r\n") + kKreska + "\r\n");
}

TEST_F(RaportSesji, WriteErrorIsOneMessageAndTheWorkGoesOn) {
    s->RaportowanieDoPliku(true);
    ASSERT_TRUE(s->Raportowanie());
    ASSERT_TRUE(PelnyDysk(s->Raport().Plik()));
    s->chooseIndicator(0);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_FALSE(s->Raportowanie());
    EXPECT_EQ(s->Raport().Podpis(), P("/Początek/ raportowania do pliku"));
    // The study goes on: another choice evaluates, no further message.
    WidokWskaznikow v = s->chooseIndicator(1);
    EXPECT_EQ(v.TekstListy, "dwa");
    EXPECT_FALSE(v.Wartosc.empty());
    s->RaportowanieDoPliku(false);
    s->Zamkniecie();
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(RaportSesji, StartOnAFullDiskIsOneMessageAndNoReport) {
    // (A link put in the place of the report the program made is refused
    // as a full disk would be: one message, no report.)
    s->Raport().RaportDecyzji = [](const std::string& plik) {
        std::filesystem::remove(plik);
        std::filesystem::create_symlink("/dev/full", plik);
        return true;
    };
    s->RaportowanieDoPliku(true);
    EXPECT_FALSE(s->Raportowanie());
    EXPECT_FALSE(s->Raport().WpisWidoczny());
    EXPECT_EQ(ui.messages.size(), 1u);
    s->WpisDoPlikuRaportu();
    s->chooseIndicator(0);
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(RaportSesji, DeactivationAndHidingEndTheReport) {
    struct {
        const char* jak;
        void (*zdarzenie)(IndicatorSession&);
        bool trwa;
    } const przypadki[] = {
        {"owned dialog", [](IndicatorSession& x) { x.Deaktywacja(false); }, true},
        {"another window", [](IndicatorSession& x) { x.Deaktywacja(true); }, false},
        {"hidden", [](IndicatorSession& x) { x.hide(); }, false},
        {"closed", [](IndicatorSession& x) { x.Zamkniecie(); }, false},
    };
    for (const auto& p : przypadki) {
        s->onActivated();
        s->RaportowanieDoPliku(true);
        s->Wykres().Widok.Widoczny = true;
        p.zdarzenie(*s);
        EXPECT_EQ(s->Raportowanie(), p.trwa) << p.jak;
        EXPECT_EQ(s->Raport().Dziala(), p.trwa) << p.jak;
        EXPECT_EQ(s->WykresWidoczny(), p.trwa) << p.jak;
        // Unchecking afterwards does not close the file again.
        s->RaportowanieDoPliku(false);
        std::filesystem::remove(s->Raport().Plik());
    }
    EXPECT_TRUE(w.rezultaty2);
    EXPECT_TRUE(w.wzy1);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RaportSesji, ReportNamesKeepTheirFolder) {
    IndicatorReport r("/o/", {}, ui, Chwila);
    EXPECT_EQ(r.NazwaRaportu("C:zestaw.xls", Chwila()), "/o/C_zestaw.2012-02-14 10-22-33.rap");
    EXPECT_EQ(r.NazwaRaportu("D:\\a/b\\z.xls", Chwila()), "/o/z.2012-02-14 10-22-33.rap");
    EXPECT_EQ(PlikDiagnozy("/o/", "C:zestaw.xls"), "/o/C_zestaw.txt");
}

TEST_F(RaportSesji, DiagnosisFileInTheOperatorFolder) {
    s->ListaDiagnoz = {"==> x", "==> y"};
    ASSERT_TRUE(s->ZapisanieDiagnozDoPliku());
    EXPECT_EQ(operatora.read("wskazniki-ogolne.txt"), "==> x\r\n==> y\r\n");
}

TEST_F(RaportSesji, ExportThenInferenceFillTheDiagnosisList) {
    operatora.write("reguły-dwa.clp", kReguly);  // native names are UTF-8
    s->chooseIndicator(1);
    EXPECT_FALSE(s->WnioskowanieDostepne());
    ASSERT_TRUE(s->ExportWartosci());
    EXPECT_TRUE(s->WnioskowanieDostepne());
    EXPECT_TRUE(operatora.exists("wskazniki-ogolne.clp"));
    int okresowe = 0;
    s->WTrakcieWnioskowania = [&] { ++okresowe; };
    ASSERT_TRUE(s->Wnioskowanie());
    EXPECT_GT(okresowe, 0);
    const std::vector<std::string> jedno = {"==> dwa: stabilny 2015-2017", "==> jeden: stabilny 2015-2017"};
    EXPECT_EQ(s->ListaDiagnoz, jedno);
    // RESET brings the facts back, a run repeats no line; CLEAR empties
    // the engine, a run then finds nothing.
    s->KomendaRESET();
    ASSERT_TRUE(s->Wnioskowanie());
    EXPECT_EQ(s->ListaDiagnoz, jedno);
    s->ListaDiagnoz.clear();
    s->KomendaCLEAR();
    ASSERT_TRUE(s->Wnioskowanie());
    EXPECT_TRUE(s->ListaDiagnoz.empty());
    s->ListaDiagnoz = jedno;
    // The diagnoses go into a report started now.
    s->RaportowanieDoPliku(true);
    s->RaportowanieDoPliku(false);
    EXPECT_NE(Raport().find("==> dwa: stabilny 2015-2017\r\n"), std::string::npos);
    EXPECT_TRUE(ui.messages.empty());
    // An indicator without rules empties both lists.
    s->chooseIndicator(0);
    EXPECT_TRUE(s->ListaDiagnoz.empty());
    EXPECT_TRUE(s->LogSilnika().empty());
}

// A rule file is read in the encoding it is written in, told by its text
// outside comments: its letters are listed and saved as written. Lines in
// two encodings, or a character code page 1250 lacks outside a comment (a
// ";" in a string starts none), refuse it naming the line.
TEST_F(RaportSesji, RuleFileLettersAsWritten) {
    const std::string cp = std::string(test::kSzablony) +
                           "(defrule r (initial-fact) => (assert (zbyt-wysoki poziom-zapas\xF3w-\xBF\xF3\xB3\xE6))) ; \xBF\n";
    const std::string u8 = cp1250ToUtf8(cp);
    std::string u16 = "\xFF\xFE";
    for (char16_t c : cp1250ToUtf16(cp)) u16 += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    const std::pair<std::string, std::string> t[] = {
        {cp, ""},
        {u8, ""},
        {"\xEF\xBB\xBF" + u8, ""},
        {u16, ""},
        {u8 + "; \xCE\xB1\n", ""},
        {cp + "(deffacts d (uwaga \xC5\xBC))\n", "wiersz 8 ((defrule r (initial-fact) => (assert (zbyt-wysoki poziom-zapas\xF3w-\xBF\xF3\xB3\xE6))) ; \xBF) "
                                                   "jest zapisany w stronie kodowej 1250, a wiersz 9 ((deffacts d (uwaga \xBF))) w UTF-8"},
        {u8 + "(deffacts d (uwaga \"a;\xCE\xB1\"))\n", "wiersz 9 (" "(deffacts d (uwaga \"a;\\u03B1\"))) ma znak \\u03B1"},
    };
    const std::string lista = "==> dwa: zbyt wysoki poziom zapas\xF3w \xBF\xF3\xB3\xE6";
    for (const auto& [bajty, odmowa] : t) {
        ui.messages.clear();
        operatora.write("reguły-dwa.clp", bajty);
        s->chooseIndicator(1);
        EXPECT_EQ(s->ExportWartosci(), odmowa.empty()) << bajty;
        if (!odmowa.empty()) {
            ASSERT_EQ(ui.messages.size(), 1u) << bajty;
            EXPECT_NE(ui.messages[0].find(odmowa), std::string::npos) << ui.messages[0];
            continue;
        }
        ASSERT_TRUE(s->Wnioskowanie()) << bajty;
        EXPECT_EQ(s->ListaDiagnoz, std::vector<std::string>{lista}) << bajty;
        ASSERT_TRUE(s->ZapisanieDiagnozDoPliku());
        EXPECT_EQ(operatora.read("wskazniki-ogolne.txt"), lista + "\r\n") << bajty;
    }
}

TEST_F(RaportSesji, NoRuleFileNoInference) {
    s->chooseIndicator(0);
    EXPECT_FALSE(s->ExportWartosci());
    EXPECT_TRUE(operatora.exists("wskazniki-ogolne.clp"));  // the facts are written all the same
    EXPECT_FALSE(s->WnioskowanieDostepne());
    EXPECT_FALSE(s->Wnioskowanie());
    EXPECT_TRUE(s->ListaDiagnoz.empty());
}

TEST_F(RaportSesji, ReadingAnotherSetWhileReportingNotesItAndStartsTheChoiceAfresh) {
    operatora.write("reguły-jeden.clp", kReguly);  // rules for "jeden" whatever the set
    program.write("inne.xls", "");                  // the store gives the same table for it
    z.tabela.UstawKomorke(2, kol::Relacja, "x>");
    z.tabela.UstawKomorke(2, kol::Prog1, "2");
    s->onActivated();
    s->chooseIndicator(0);
    ASSERT_TRUE(s->Analiza().EkspertWlaczony());

    // Reporting off: the read keeps the thresholds of the row and the
    // expert box as it was.
    s->Analiza().ZaznaczEkspert(true);
    ui.files = {program.folder() + "inne.xls"};
    WidokWskaznikow v = s->WczytanieZestawu();
    EXPECT_EQ(v.Prog1, "2");
    EXPECT_FALSE(v.OdznaczPodglad);
    EXPECT_TRUE(s->Analiza().EkspertZaznaczony());

    // Reporting on: the choice's rule-base lines, then the change of base
    // and the rule base again; the thresholds emptied, both boxes unchecked.
    s->RaportowanieDoPliku(true);
    ASSERT_EQ(s->Raport().Plik(), operatora.folder() + "inne.2012-02-14 10-22-33.rap");
    auto raport = [&] {
        return operatora.read(std::filesystem::path(s->Raport().Plik()).filename().string());
    };
    const std::size_t poStarcie = raport().size();
    ui.files = {program.folder() + "inne.xls"};
    v = s->WczytanieZestawu();
    s->RaportowanieDoPliku(false);
    const std::string baza = P("zmieniono bazę reguł na: ") + operatora.folder() + P("reguły-jeden.clp\r\n");
    EXPECT_EQ(raport().substr(poStarcie), kKreska + "\r\n" + baza + kKreska + "\r\n" + kKreska + "\r\n" +
                                              P("Zmieniono bazę wskaźników na: ") + program.folder() +
                                              "inne.xls\r\n" + kKreska + "\r\n" + baza);
    EXPECT_EQ(v.TekstListy, "jeden");
    EXPECT_EQ(v.Prog1, "");
    EXPECT_EQ(v.Prog2, "");
    EXPECT_TRUE(v.OdznaczPodglad);
    EXPECT_TRUE(v.CheckBoxExpert);
    EXPECT_FALSE(v.InfoOKoniecznosci);
    EXPECT_FALSE(s->Analiza().EkspertZaznaczony());
    EXPECT_EQ(s->NazwaZestawu(), "inne");

    // No rule file for the new choice: "brak bazy reguł" and the box disabled.
    std::filesystem::remove(operatora.folder() + "reguły-jeden.clp");
    s->RaportowanieDoPliku(true);
    const std::size_t drugi = raport().size();
    ui.files = {program.folder() + "inne.xls"};
    v = s->WczytanieZestawu();
    s->RaportowanieDoPliku(false);
    EXPECT_NE(raport().find(P("brak bazy reguł: ") + operatora.folder() + P("reguły-inne-jeden.clp"), drugi),
              std::string::npos);
    EXPECT_FALSE(v.CheckBoxExpert);
    EXPECT_TRUE(v.InfoOKoniecznosci);
    EXPECT_TRUE(ui.messages.empty());
}

// The decisions in a report belong to the current record: its header names
// that node, not the one a simulation last wrote.
TEST_F(RaportSesji, TheDecisionsHeaderNamesTheCurrentNode) {
    std::filesystem::copy(std::string(VESK_SOURCE_DATA_DIR) + "TABWZOR", program.file("TABWZOR"));
    k.catTABWZOR = program.folder() + "TABWZOR/";
    k.NumerWezla = 0;
    k.RekordBiezacy.UstawNumer(7);
    ASSERT_TRUE(RaportDecyzjiWezla(k)(operatora.file("dec.rap")));
    const std::string tekst = operatora.read("dec.rap");
    const std::size_t drugi = tekst.find('\n') + 1;
    const std::string naglowek = tekst.substr(drugi, tekst.find('\r', drugi) - drugi);
    EXPECT_EQ(naglowek.substr(naglowek.size() - 3), "  7") << naglowek;
    EXPECT_EQ(k.NumerWezla, 0);
}

}  // namespace
}  // namespace vesk
