// The cost of one candidate of an optimisation study against the bare
// simulation it needs. In one operator: (a) SymulujWezel of a prepared
// child of the root, its record put back before each run; (b) a candidate
// through the workbench: the trial node made again from its template, the
// decision set and confirmed, the node simulated, the criterion read. The
// counter "ratio" is (b) over (a): what the file traffic and the tree add.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "Kontekst.h"
#include "OperacjeWezlow.h"
#include "Optymalizacja.h"
#include "PlikStanu.h"
#include "TempDir.h"
#include "Warsztat.h"

namespace {

using Zegar = std::chrono::steady_clock;

struct Operator {
    vesk::test::TempDir dir;
    vesk::ScriptedUserInterface ui;
    std::unique_ptr<vesk::Kontekst> k = std::make_unique<vesk::Kontekst>(ui);
    std::unique_ptr<vesk::Warsztat> w;
    bool gotowy = false;

    Operator() {
        k->catPARAMETR = std::string(VESK_BENCH_DATA_DIR) + "PARAMETR/";
        k->catKARTOPERATORA = dir.folder();
        w = std::make_unique<vesk::Warsztat>(*k);
        gotowy = w->TworzenieNowegoOperatora(dir.folder() + "BENCH.");
    }
};

double goleSymulowanie(benchmark::State& state, int powtorzenia) {
    Operator op;
    vesk::Kontekst& k = *op.k;
    k.WezelBazowy.NumerTekst = "0";
    k.WezelDoEdycji.NumerTekst = "0";
    if (!op.gotowy || !vesk::NowyWezel(k, 1)) {
        state.SkipWithError("operator not prepared");
        return 0;
    }
    const auto przygotowany = std::make_unique<vesk::StanModelu>(k.RekordBiezacy);
    const auto t0 = Zegar::now();
    for (int i = 0; i < powtorzenia; ++i) {
        k.RekordBiezacy = *przygotowany;
        if (!vesk::SymulujWezel(k)) state.SkipWithError("node not simulated");
    }
    return std::chrono::duration<double>(Zegar::now() - t0).count() / powtorzenia;
}

double kandydaci(benchmark::State& state, int powtorzenia) {
    Operator op;
    vesk::Optymalizacja opt(*op.w);
    const vesk::Optymalizacja::Decyzja d{vesk::DecyzjaProdukcja, "alfa", "rok1"};
    int numer = -1;
    try {
        vesk::Real v = 400.0L;
        op.k->FlagaPracy = true;
        opt.NajwiecejProb = 0;  // the base trial alone
        numer = opt.Zbadaj(0, v, '+', d.rodzaj, d.produkt, d.rok, vesk::KryteriumWynikSyntetyczny);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return 0;
    }
    const auto t0 = Zegar::now();
    for (int i = 0; i < powtorzenia; ++i)
        numer = opt.Kandydat(numer, 0, d, 400.0L + i % 7, vesk::KryteriumWynikSyntetyczny);
    return std::chrono::duration<double>(Zegar::now() - t0).count() / powtorzenia;
}

constexpr int Powtorzenia = 20;

void BM_SymulujWezel(benchmark::State& state) {
    for (auto _ : state) goleSymulowanie(state, 1);
}
BENCHMARK(BM_SymulujWezel)->Unit(benchmark::kMillisecond);

void BM_KandydatBadania(benchmark::State& state) {
    double a = 0, b = 0;
    for (auto _ : state) {
        a = goleSymulowanie(state, Powtorzenia);
        b = kandydaci(state, Powtorzenia);
    }
    state.counters["bare_ms"] = a * 1e3;
    state.counters["candidate_ms"] = b * 1e3;
    state.counters["ratio"] = a > 0 ? b / a : 0;
}
BENCHMARK(BM_KandydatBadania)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
