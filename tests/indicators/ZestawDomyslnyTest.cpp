// The default indicator set and its rule files as built: the workbook
// reads back to its list, every indicator evaluates on a simulated
// operator, every rule file loads with the exported facts, runs within
// the cap and leaves only facts the listing shows.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "ExpertSession.h"
#include "Kontekst.h"
#include "OperacjeWezlow.h"
#include "PomocWskaznikow.h"
#include "PozycjeSprawozdan.h"
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

}  // namespace
}  // namespace vesk
