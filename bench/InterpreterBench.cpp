// The cost of the command language over the workbench: 20 children of the
// root added and simulated (a) by direct NowyWezel and SymulujWezel calls,
// (b) by a command file run through the interpreter and the workbench
// (tree kept and saved, decision sheet filled, every line interpreted).
// The ratio of (b) to (a) is the language's overhead; bench/narzuty.sh
// counts it in instructions.
#include <benchmark/benchmark.h>

#include "Narzuty.h"

namespace {

void BM_DirectCalls(benchmark::State& state) {
    for (auto _ : state) {
        vesk::test::TempDir dir;
        if (!narzuty::BezposrednieWywolania(dir.folder())) state.SkipWithError("node not simulated");
    }
}
BENCHMARK(BM_DirectCalls)->Unit(benchmark::kMillisecond);

void BM_CommandFile(benchmark::State& state) {
    for (auto _ : state) {
        vesk::test::TempDir dir;
        narzuty::ZapiszPlikRozkazow(dir.folder());
        if (!narzuty::PlikRozkazow(dir.folder())) state.SkipWithError("command file failed");
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
