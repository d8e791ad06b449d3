// The cost of the command language over the workbench: 20 children of the
// root added and simulated (a) by direct NowyWezel and SymulujWezel calls,
// (b) by a command file run through the interpreter and the workbench
// (tree kept and saved, decision sheet filled, every line interpreted).
// The ratio of (b) to (a) is the language's overhead.
#include <benchmark/benchmark.h>

#include <memory>

#include "CzasownikiWarsztatu.h"
#include "Interpretator.h"
#include "Kontekst.h"
#include "OperacjeWezlow.h"
#include "PlikStanu.h"
#include "TempDir.h"
#include "Warsztat.h"

namespace {

constexpr int Dzieci = 20;

void BM_DirectCalls(benchmark::State& state) {
    for (auto _ : state) {
        vesk::test::TempDir dir;
        auto k = std::make_unique<vesk::Kontekst>();
        k->catPARAMETR = std::string(VESK_BENCH_DATA_DIR) + "PARAMETR/";
        k->SciezkaOperatora = dir.folder() + "BENCH.";
        if (!vesk::UtworzStanOperatora(*k)) state.SkipWithError("operator not created");
        for (int i = 0; i < Dzieci; ++i) {
            k->WezelBazowy.NumerTekst = "0";
            k->WezelDoEdycji.NumerTekst = "0";
            if (!vesk::NowyWezel(*k, 1) || !vesk::SymulujWezel(*k)) state.SkipWithError("node not simulated");
        }
    }
}
BENCHMARK(BM_DirectCalls)->Unit(benchmark::kMillisecond);

void BM_CommandFile(benchmark::State& state) {
    for (auto _ : state) {
        vesk::test::TempDir dir;
        vesk::ScriptedUserInterface ui;
        auto k = std::make_unique<vesk::Kontekst>(ui);
        k->catPARAMETR = std::string(VESK_BENCH_DATA_DIR) + "PARAMETR/";
        dir.write("b.roz",
                  "hide\r\nrun\r\nwhile less____ x1 20\r\nw\xEAze\xB3 dodaj 0 0 x2\r\n"
                  "w\xEAze\xB3 symuluj x2\r\n+ x1 x1 1\r\nendwhile\r\n");
        auto w = std::make_unique<vesk::Warsztat>(*k);
        if (!w->TworzenieNowegoOperatora(dir.folder() + "BENCH.")) state.SkipWithError("operator not created");
        vesk::CzasownikiWarsztatu czasowniki(*w);
        vesk::InterpreterView widok;
        vesk::Interpretator in(*k, czasowniki, widok);
        k->TrybWsadowy = true;
        k->PlikRozkazowWsadowy = dir.file("b.roz");
        in.Podanienazwyplikuzrozkazami1Click();
        while (in.PrzyciskAktywny()) in.PrzyciskWykonaniaNastepnegoPoleceniaClick();
        if (in.OstatniBlad() || w->Drzewo.Liczba() != Dzieci + 1) state.SkipWithError("command file failed");
    }
}
BENCHMARK(BM_CommandFile)->Unit(benchmark::kMillisecond);

// The interpreter alone: the same loop with the node lines doing nothing.
void BM_CommandFileLinesOnly(benchmark::State& state) {
    vesk::test::TempDir dir;
    vesk::ScriptedUserInterface ui;
    auto k = std::make_unique<vesk::Kontekst>(ui);
    dir.write("b.roz", "hide\r\nrun\r\nwhile less____ x1 20\r\npauza 0 0 x2\r\npauza x2\r\n+ x1 x1 1\r\nendwhile\r\n");
    vesk::Warsztat w(*k);
    vesk::CzasownikiWarsztatu czasowniki(w);
    vesk::InterpreterView widok;
    vesk::Interpretator in(*k, czasowniki, widok);
    k->TrybWsadowy = true;
    k->PlikRozkazowWsadowy = dir.file("b.roz");
    for (auto _ : state) {
        k->ZmienneSkryptu[0] = 0;
        in.Podanienazwyplikuzrozkazami1Click();
        while (in.PrzyciskAktywny()) in.PrzyciskWykonaniaNastepnegoPoleceniaClick();
    }
}
BENCHMARK(BM_CommandFileLinesOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
