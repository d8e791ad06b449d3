#include "OperacjeWezlow.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include <filesystem>

#include "FileSystem.h"
#include "MapaRekordu.h"
#include "PlikStanu.h"
#include "TempDir.h"

namespace vesk {
namespace {

struct Operator : ::testing::Test {
    test::TempDir dir;
    ScriptedUserInterface ui;
    std::unique_ptr<Kontekst> k = std::make_unique<Kontekst>(ui);

    void SetUp() override {
        k->catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
        k->SciezkaOperatora = dir.folder() + "OPER.";
    }

    std::string file() const { return dir.read("OPER.qad"); }
    std::size_t records() const { return file().size() / RozmiarStanuModelu; }

    bool newNode(const char* base, const char* templ) {
        k->WezelBazowy.NumerTekst = base;
        k->WezelDoEdycji.NumerTekst = templ;
        return NowyWezel(*k, 1);
    }
    bool find(int n, StanModelu& rec) {
        return ZnajdzStanModelu(*k, dir.file("OPER.qad"), static_cast<std::uint8_t>(n), rec);
    }
};

TEST_F(Operator, CreatingAnOperatorWritesTheSimulatedRootAlone) {
    k->FlagiWynikow.UstawWszystkie(false);
    ASSERT_TRUE(UtworzStanOperatora(*k));
    ASSERT_EQ(file().size(), RozmiarStanuModelu);
    StanModelu root;
    ASSERT_TRUE(find(0, root));
    EXPECT_EQ(root.Numer(), 0);
    EXPECT_EQ(root.Rodzic(), 255);
    EXPECT_EQ(root.Rok(), 2012);
    EXPECT_EQ(root.Symulowany(), 1);
    EXPECT_EQ(k->NazwaPlikuStanu, "OPER.qad");
    EXPECT_EQ(k->KatalogOperatora, dir.folder());
    EXPECT_EQ(k->RokWezla, 2012);
    EXPECT_EQ(k->NumerWezla, 0);
    EXPECT_EQ(LiczbaWezlow(k->TabelaWezlow), 1);
    EXPECT_TRUE(k->TabelaWezlow.Zajety[0]);
    EXPECT_EQ(k->TabelaWezlow.Wpisy[0], (WpisWezla{0, 255, 2012, 1}));
    EXPECT_TRUE(k->FlagiWynikow.BIK && k->FlagiWynikow.SRE);
    EXPECT_FALSE(dir.exists("OPER.qad.nowy"));
    // The default decisions are in the record.
    EXPECT_EQ(root.widok().real48(2784), 400.0L);
    EXPECT_EQ(root.widok().real48(2896 + 18), 350.0L);
}

TEST_F(Operator, TheSameOperatorCreatedTwiceGivesTheSameFile) {
    ASSERT_TRUE(UtworzStanOperatora(*k));
    const std::string first = file();
    // A child simulated in between leaves the model quantities elsewhere.
    ASSERT_TRUE(newNode("0", "0"));
    k->m.DecyzjeCen[1][1] = 0.1L;
    ZapiszDecyzjeDoStanu(k->m, k->RekordBiezacy);
    ASSERT_TRUE(SymulujWezel(*k));
    k->RekordBiezacy.bajty[9000] = 0x55;
    ASSERT_TRUE(UtworzStanOperatora(*k));
    EXPECT_EQ(file(), first);
}

TEST_F(Operator, ANewNodeFromTheRootTakesTheRootsClosingState) {
    ASSERT_TRUE(UtworzStanOperatora(*k));
    const StanModelu root = k->RekordBiezacy;
    ASSERT_TRUE(newNode("0", "0"));
    EXPECT_EQ(k->NumerNowegoWezla, 1);
    EXPECT_EQ(records(), 2u);
    StanModelu child;
    ASSERT_TRUE(find(1, child));
    EXPECT_EQ(child.Numer(), 1);
    EXPECT_EQ(child.Rodzic(), 0);
    EXPECT_EQ(child.Rok(), 2015);
    EXPECT_EQ(child.Symulowany(), 0);
    EXPECT_TRUE(k->TabelaWezlow.Zajety[1]);
    EXPECT_EQ(k->TabelaWezlow.Wpisy[1], (WpisWezla{1, 0, 2015, 0}));
    // Decisions of the template, opening state from the base's third year.
    for (std::size_t b = 2784; b < 3456; ++b) ASSERT_EQ(child.bajty[b], root.bajty[b]) << b;
    EXPECT_EQ(child.widok().real48(600), root.widok().real48(13120));
    EXPECT_EQ(child.widok().real48(2384), root.widok().real48(15880));  // settlement account
    EXPECT_EQ(k->NumerWezla, 1);
    EXPECT_EQ(k->RokWezla, 2015);
}

TEST_F(Operator, NodeNumbersFillGaps) {
    ASSERT_TRUE(UtworzStanOperatora(*k));
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(newNode("0", "0"));
    // Forget node 3: its slot and number become free.
    int slot = SzukajWezla(*k, 3);
    k->TabelaWezlow.Zajety[slot] = false;
    ASSERT_TRUE(newNode("0", "0"));
    EXPECT_EQ(k->NumerNowegoWezla, 3);
}

TEST_F(Operator, AGrandchildStartsThreeYearsLater) {
    ASSERT_TRUE(UtworzStanOperatora(*k));
    ASSERT_TRUE(newNode("0", "0"));
    ASSERT_TRUE(SymulujWezel(*k));
    ASSERT_TRUE(newNode("1", "1"));
    StanModelu g;
    ASSERT_TRUE(find(2, g));
    EXPECT_EQ(g.Rodzic(), 1);
    EXPECT_EQ(g.Rok(), 2018);
    ASSERT_TRUE(SymulujWezel(*k));
    EXPECT_FALSE(k->NierownowagaWPrzebiegu);
    ASSERT_TRUE(find(2, g));
    EXPECT_EQ(g.Symulowany(), 1);
    EXPECT_EQ(k->TabelaWezlow.Wpisy[SzukajWezla(*k, 2)].Symulowany, 1);
}

TEST_F(Operator, SimulatingTwiceOrWithoutAnOperatorChangesNothing) {
    ASSERT_TRUE(UtworzStanOperatora(*k));
    const std::string before = file();
    EXPECT_FALSE(SymulujWezel(*k));  // the root is simulated already
    EXPECT_EQ(file(), before);

    ASSERT_TRUE(newNode("0", "0"));
    const std::string withChild = file();
    const StanModelu rec = k->RekordBiezacy;
    k->NazwaPlikuStanu.clear();
    EXPECT_FALSE(SymulujWezel(*k));
    EXPECT_EQ(file(), withChild);
    EXPECT_EQ(k->RekordBiezacy, rec);
}

TEST_F(Operator, TheRunTakesNodeAndCalendarFromTheRecord) {
    ASSERT_TRUE(UtworzStanOperatora(*k));
    ASSERT_TRUE(newNode("0", "0"));
    // Stale values from another command: the run must not treat node 1 as the root.
    k->NumerWezla = 0;
    k->RokWezla = -2;
    ASSERT_TRUE(SymulujWezel(*k));
    EXPECT_EQ(k->NumerWezla, 1);
    EXPECT_EQ(k->RokWezla, 2015);
    StanModelu child;
    ASSERT_TRUE(find(1, child));
    EXPECT_EQ(child.Symulowany(), 1);
    // Its history is kept under its own number, and the calendar ran 2015..2018.
    EXPECT_NE(k->Historia->Przebieg2[1][1][1].value(), 0.0L);
    EXPECT_EQ(k->m.CzasPolroczny.value(), 2018.0L);
}

TEST_F(Operator, ANodeNumberBeyond50IsRefused) {
    ASSERT_TRUE(UtworzStanOperatora(*k));
    ASSERT_TRUE(newNode("0", "0"));
    k->RekordBiezacy.UstawNumer(60);
    const std::string before = file();
    EXPECT_FALSE(SymulujWezel(*k));
    EXPECT_EQ(file(), before);
    EXPECT_EQ(k->RekordBiezacy.Symulowany(), 0);
}

TEST_F(Operator, AFailedSaveLeavesTheNodeUnmarked) {
    ASSERT_TRUE(UtworzStanOperatora(*k));
    ASSERT_TRUE(newNode("0", "0"));
    const int slot = SzukajWezla(*k, 1);
    std::filesystem::remove(dir.file("OPER.qad"));
    std::filesystem::create_directory(dir.file("OPER.qad"));  // cannot be opened as a file
    EXPECT_FALSE(SymulujWezel(*k));
    EXPECT_EQ(k->RekordBiezacy.Symulowany(), 0);
    EXPECT_EQ(k->TabelaWezlow.Wpisy[slot].Symulowany, 0);
}

TEST_F(Operator, NewNodeFailuresLeaveRecordAndTableAsTheyWere) {
    ASSERT_TRUE(UtworzStanOperatora(*k));
    const StanModelu rec = k->RekordBiezacy;
    const ZESPOL table = k->TabelaWezlow;
    EXPECT_FALSE(newNode("0", "7"));  // no such template
    EXPECT_EQ(k->RekordBiezacy, rec);
    EXPECT_EQ(k->TabelaWezlow, table);
    EXPECT_FALSE(newNode("0", "x"));  // not a number
    EXPECT_FALSE(newNode("abc", "0"));
    EXPECT_EQ(k->RekordBiezacy, rec);
    EXPECT_EQ(k->TabelaWezlow, table);
    EXPECT_EQ(records(), 1u);
    for (int s = 1; s <= 50; ++s) k->TabelaWezlow.Zajety[s] = true;  // no free slot
    EXPECT_FALSE(newNode("0", "0"));
    EXPECT_EQ(k->RekordBiezacy, rec);
    EXPECT_EQ(records(), 1u);
}

// After a failed add the operator stays open: the next add succeeds once
// the disk has room again.
TEST_F(Operator, AFailedNodeSaveRemovesTheTableEntryAndTheNextAddSucceeds) {
    ASSERT_TRUE(UtworzStanOperatora(*k));
    // The template is found in the file, but the file cannot grow.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = RozmiarStanuModelu;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool created = newNode("0", "0");
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(created);
    EXPECT_EQ(records(), 1u);
    EXPECT_FALSE(k->TabelaWezlow.Zajety[1]);
    EXPECT_EQ(k->NazwaPlikuStanu, "OPER.qad");
    ASSERT_TRUE(newNode("0", "0"));
    EXPECT_EQ(records(), 2u);
}

TEST_F(Operator, AFailedCreationRestoresEverything) {
    ASSERT_TRUE(UtworzStanOperatora(*k));
    ASSERT_TRUE(newNode("0", "0"));
    const std::string before = file();
    const StanModelu rec = k->RekordBiezacy;
    const ZESPOL table = k->TabelaWezlow;
    const std::string folder = k->KatalogOperatora;

    // The parameter file is missing: the root cannot run.
    k->catPARAMETR = dir.folder() + "none/";
    k->SciezkaOperatora = dir.folder() + "sub/INNY.";
    EXPECT_FALSE(UtworzStanOperatora(*k));
    EXPECT_EQ(k->NazwaPlikuStanu, "OPER.qad");
    EXPECT_EQ(k->KatalogOperatora, folder);
    EXPECT_EQ(k->NumerWezla, 1);
    EXPECT_EQ(k->RokWezla, 2015);
    EXPECT_EQ(k->RekordBiezacy, rec);
    EXPECT_EQ(k->TabelaWezlow, table);
    EXPECT_EQ(file(), before);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("parametr.mdl"), std::string::npos);

    // The folder of the new operator does not exist: the file cannot be written.
    k->catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
    EXPECT_FALSE(UtworzStanOperatora(*k));
    EXPECT_EQ(k->KatalogOperatora, folder);
    EXPECT_EQ(k->TabelaWezlow, table);
    EXPECT_EQ(k->RekordBiezacy, rec);
}

TEST_F(Operator, AFailedCreationOrOpenAlsoPutsBackTheSpareBuffersAndTheModel) {
    ASSERT_TRUE(UtworzStanOperatora(*k));
    ASSERT_TRUE(newNode("0", "0"));
    k->RekordPomocniczy.UstawNumer(7);
    k->ZespolZapasowy = ZESPOL{};
    k->m.RachunekRozliczeniowy = 12345;
    k->m.ZyskKroku = -3;
    k->FlagiWynikow.UstawWszystkie(false);
    const FlagiWynikow_t flagi = k->FlagiWynikow;
    const StanModelu pomocniczy = k->RekordPomocniczy;
    const std::string sciezka = k->SciezkaOperatora;
    auto takJakBylo = [&](const char* co) {
        EXPECT_EQ(k->RekordPomocniczy, pomocniczy) << co;
        EXPECT_EQ(k->ZespolZapasowy, ZESPOL{}) << co;
        EXPECT_EQ(k->m.RachunekRozliczeniowy, 12345.0L) << co;
        EXPECT_EQ(k->m.ZyskKroku, -3.0L) << co;
        EXPECT_EQ(k->FlagiWynikow, flagi) << co;
        EXPECT_EQ(k->SciezkaOperatora, sciezka) << co;
    };
    // The root's run stopped half-way.
    k->ZadanoPrzerwania = [] { return true; };
    EXPECT_FALSE(UtworzStanOperatora(*k));
    k->ZadanoPrzerwania = nullptr;
    takJakBylo("creation");
    EXPECT_FALSE(WczytajStanOperatora(*k, "BRAK.qad"));
    takJakBylo("open");
}

TEST_F(Operator, AStemWithoutANameCreatesNothing) {
    ASSERT_TRUE(UtworzStanOperatora(*k));
    k->SciezkaOperatora = dir.folder() + "inny/";
    EXPECT_FALSE(UtworzStanOperatora(*k));
    EXPECT_EQ(k->NazwaPlikuStanu, "OPER.qad");
    EXPECT_EQ(k->KatalogOperatora, dir.folder());
    EXPECT_EQ(records(), 1u);
}

TEST_F(Operator, RecreatingAnOperatorReplacesItsFileOnlyWhenComplete) {
    ASSERT_TRUE(UtworzStanOperatora(*k));
    ASSERT_TRUE(newNode("0", "0"));
    ASSERT_EQ(records(), 2u);
    k->catPARAMETR = dir.folder() + "none/";
    EXPECT_FALSE(UtworzStanOperatora(*k));
    EXPECT_EQ(records(), 2u);  // the old operator is still whole
    k->catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
    ASSERT_TRUE(UtworzStanOperatora(*k));
    EXPECT_EQ(records(), 1u);
}

TEST_F(Operator, OpeningLooksInTheOperatorFolderUnderTheFileName) {
    ASSERT_TRUE(UtworzStanOperatora(*k));
    ASSERT_TRUE(newNode("0", "0"));
    auto other = std::make_unique<Kontekst>(ui);
    other->KatalogOperatora = dir.folder();
    ASSERT_TRUE(WczytajStanOperatora(*other, "C:\\gdzies\\indziej\\OPER.qad"));
    EXPECT_EQ(other->NazwaPlikuStanu, "OPER.qad");
    EXPECT_EQ(other->RokWezla, -2);
    EXPECT_EQ(other->NumerWezla, 0);
    EXPECT_EQ(other->ZnacznikWezla, 1);
    EXPECT_EQ(other->RekordBiezacy.Numer(), 0);
    EXPECT_EQ(LiczbaWezlow(other->TabelaWezlow), 2);
    EXPECT_TRUE(other->FlagiWynikow.PRO);
}

TEST_F(Operator, AFailedOpenKeepsThePreviousOperator) {
    ASSERT_TRUE(UtworzStanOperatora(*k));
    ASSERT_TRUE(newNode("0", "0"));
    const StanModelu rec = k->RekordBiezacy;
    const ZESPOL table = k->TabelaWezlow;
    EXPECT_FALSE(WczytajStanOperatora(*k, "C:\\x\\BRAK.qad"));
    EXPECT_FALSE(WczytajStanOperatora(*k, ""));
    EXPECT_EQ(k->NazwaPlikuStanu, "OPER.qad");
    EXPECT_EQ(k->KatalogOperatora, dir.folder());
    EXPECT_EQ(k->NumerWezla, 1);
    EXPECT_EQ(k->RokWezla, 2015);
    EXPECT_EQ(k->RekordBiezacy, rec);
    EXPECT_EQ(k->TabelaWezlow, table);
}

TEST_F(Operator, DecisionsPassTheConsoleScreenUnchanged) {
    k->m.DecyzjeCen[2][3] = 0.411L;
    k->m.UdzialDywidendyZwyklej[1] = 0.1L;
    k->m.DecyzjeZadluzenia[3] = 0.5L;
    k->HarmonogramInwestycjiRoboczy[1][1][1].UstawKodWariantu(2);
    k->ZnacznikiInwestycji[5] = true;
    EXPECT_EQ(EkranInwestycji(*k, 2), 1);
    EXPECT_EQ(k->m.DecyzjeCen[2][3].value(), roundToReal48(roundToReal48(roundToReal48(0.411L) * 1000) / 1000));
    EXPECT_EQ(k->m.UdzialDywidendyZwyklej[1].value(), roundToReal48(0.1L));
    EXPECT_EQ(k->HarmonogramInwestycjiRoboczy[1][1][1].KodWariantu(), 0);
    EXPECT_FALSE(k->ZnacznikiInwestycji[5]);
}

// The decision screen scales prices by 1000 and shares and debt ratios by
// 100: a template decision near the largest 6-byte real cannot pass it. The
// new node is refused with a message; record, table, file and the model
// quantities stay as they were.
TEST_F(Operator, ATemplateDecisionBeyondTheScreensScaleIsRefusedNotThrown) {
    std::size_t cena = 0, dywidenda = 0, zadluzenie = 0;
    for (const PoleDecyzji& p : MapaDecyzji()) {
        const std::string n = p.wielkosc.nazwa;
        if (n == "DecyzjeCen") cena = p.offset;
        if (n == "UdzialDywidendyZwyklej") dywidenda = p.offset;
        if (n == "DecyzjeZadluzenia") zadluzenie = p.offset;
    }
    ASSERT_NE(cena * dywidenda * zadluzenie, 0u);
    for (std::size_t pole : {cena + 6 * 4, dywidenda + 6, zadluzenie + 12}) {
        ASSERT_TRUE(UtworzStanOperatora(*k));
        encodeReal48(real48Max() / 2, k->RekordBiezacy.bajty.data() + pole);
        std::uint8_t n;
        std::int16_t y;
        std::uint8_t f;
        ASSERT_TRUE(ZapiszStanModelu(*k, k->RekordBiezacy, n, y, f));
        const std::string before = file();
        const StanModelu rec = k->RekordBiezacy;
        const ZESPOL table = k->TabelaWezlow;
        const Real cenaPrzed = k->m.DecyzjeCen[2][2];
        ui.messages.clear();

        EXPECT_FALSE(newNode("0", "0")) << pole;
        ASSERT_EQ(ui.messages.size(), 1u) << pole;
        EXPECT_EQ(ui.messages[0], "Rekord w\xEAz\xB3" "a 0 w pliku " + SciezkaPlikuStanu(*k) +
                                      " jest uszkodzony: jego decyzja przekracza zakres liczby 6-bajtowej");
        EXPECT_EQ(k->RekordBiezacy, rec) << pole;
        EXPECT_EQ(k->TabelaWezlow, table) << pole;
        EXPECT_EQ(k->m.DecyzjeCen[2][2], cenaPrzed) << pole;
        EXPECT_EQ(k->NazwaPlikuStanu, "OPER.qad") << pole;
        EXPECT_EQ(file(), before) << pole;
    }
}

// A node save writes the journal, then the record: a failure at either
// write or flush (the journal's folder's too) leaves the previous file byte for byte and the node table
// in memory as it was.
TEST_F(Operator, AFailedNodeSaveLeavesTheStateFileAndTheTableAsTheyWere) {
    ASSERT_TRUE(UtworzStanOperatora(*k));
    ASSERT_TRUE(newNode("0", "0"));
    const std::pair<std::string_view, int> faults[] = {{"write", 1}, {"sync", 1}, {"sync folder", 1}, {"write", 2}, {"sync", 2}};
    for (const auto& [step, nth] : faults) {
        const std::string before = file();
        const ZESPOL table = k->TabelaWezlow;
        int left = nth;
        setFileFault([step = step, &left](std::string_view s) { return s == step && --left == 0; });
        ui.messages.clear();
        const bool simulated = SymulujWezel(*k);
        setFileFault({});
        EXPECT_FALSE(simulated) << step;
        // What the files hold is told: the journal was written, the state file was not.
        if (step == "sync folder") {
            for (const char* tekst : {"dziennik ", "plik stanu jest bez zmian"})
                EXPECT_TRUE(!ui.messages.empty() && ui.messages.back().find(tekst) != std::string::npos) << tekst;
        }
        EXPECT_EQ(file(), before) << step;
        EXPECT_EQ(k->TabelaWezlow, table) << step;
        EXPECT_EQ(k->RekordBiezacy.Symulowany(), 0) << step;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.folder()), {}), 1) << step;
    }
    // The same save succeeds once the fault is gone.
    ASSERT_TRUE(SymulujWezel(*k));
    StanModelu child;
    ASSERT_TRUE(find(1, child));
    EXPECT_EQ(child.Symulowany(), 1);

    // A new node whose save fails (at its flush or its close) is not in the
    // table and not in the file.
    for (const std::string_view step : {"sync", "close"}) {
        const std::string before = file();
        const ZESPOL table = k->TabelaWezlow;
        setFileFault([step](std::string_view s) { return s == step; });
        const bool created = newNode("1", "1");
        setFileFault({});
        EXPECT_FALSE(created) << step;
        EXPECT_EQ(file(), before) << step;
        EXPECT_EQ(k->TabelaWezlow, table) << step;
    }
}

// A run that fails with an error (here the parameter file has gone) leaves
// the record byte for byte as it was, the file and the table too, after a
// message; so does a run the user stops.
TEST_F(Operator, ARunThatFailsPutsTheRecordBack) {
    ASSERT_TRUE(UtworzStanOperatora(*k));
    ASSERT_TRUE(newNode("0", "0"));
    k->catPARAMETR = dir.folder() + "brak/";
    const StanModelu rec = k->RekordBiezacy;
    const ZESPOL table = k->TabelaWezlow;
    const std::string before = file();
    ui.messages.clear();
    EXPECT_FALSE(SymulujWezel(*k));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(k->RekordBiezacy == rec);
    EXPECT_TRUE(k->TabelaWezlow == table);
    EXPECT_TRUE(file() == before);

    // A run stopped by the user after its first step: no message, the same.
    k->catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
    k->ZadanoPrzerwania = [] { return true; };
    EXPECT_FALSE(SymulujWezel(*k));
    k->ZadanoPrzerwania = nullptr;
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(k->RekordBiezacy == rec);
    EXPECT_TRUE(file() == before);
    EXPECT_TRUE(SymulujWezel(*k));
}


// The base node's record cannot be read: the add stops with a message
// instead of giving the node the template's opening state.
TEST_F(Operator, AnUnreadableParentRecordStopsTheAdd) {
    ASSERT_TRUE(UtworzStanOperatora(*k));
    k->TabelaWezlow.Zajety[5] = true;
    k->TabelaWezlow.Wpisy[5] = WpisWezla{5, 0, 2015, 1};
    const std::string before = file();
    EXPECT_FALSE(newNode("5", "0"));
    EXPECT_EQ(file(), before);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("OPER.qad"), std::string::npos) << ui.messages[0];
    EXPECT_NE(ui.messages[0].find("w\xEAz\xB3" "a bazowego 5"), std::string::npos) << ui.messages[0];
}

}  // namespace
}  // namespace vesk
