// Simulation throughput: an operator with a chain of nodes and one with a
// tree of 50, each node created from its parent, simulated and saved.
// Reports simulations per second and the share of the time spent outside
// the runs themselves, which is the operator's file traffic.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "Kontekst.h"
#include "OperacjeWezlow.h"
#include "Parametry.h"
#include "PlikStanu.h"
#include "Symulacja.h"
#include "TempDir.h"

namespace {

using Clock = std::chrono::steady_clock;

void przygotuj(vesk::Kontekst& k, const vesk::test::TempDir& dir) {
    k.catPARAMETR = std::string(VESK_BENCH_DATA_DIR) + "PARAMETR/";
    k.SciezkaOperatora = dir.folder() + "BENCH.";
}

// One generation: a node from the last one, then its run and save.
bool pokolenie(vesk::Kontekst& k, int rodzic) {
    k.WezelBazowy.NumerTekst = std::to_string(rodzic);
    k.WezelDoEdycji.NumerTekst = std::to_string(rodzic);
    return vesk::NowyWezel(k, 1) && vesk::SymulujWezel(k);
}

// Seconds of one run of the current node in memory (no files), the median
// of a few; what the operations spend beyond it per node is their file
// traffic (state file read and replaced twice, parameter file read) and
// the copies that let a failed operation put everything back.
double przebiegWPamieci(vesk::Kontekst& k) {
    std::vector<double> czasy;
    const vesk::StanModelu rec = k.RekordBiezacy;
    for (int i = 0; i < 5; ++i) {
        k.m.CzasSymulacji = 0;
        k.m.RokSymulacji = 1;
        auto t0 = Clock::now();
        benchmark::DoNotOptimize(vesk::Symulacja(k, rec.Numer()));
        czasy.push_back(std::chrono::duration<double>(Clock::now() - t0).count());
    }
    std::sort(czasy.begin(), czasy.end());
    return czasy[czasy.size() / 2];
}

// An operator created and grown node by node, node n from rodzic(n).
template <typename Rodzic>
void operatorWezlami(benchmark::State& state, int wezly, Rodzic rodzic) {
    double total = 0, runs = 0;
    std::int64_t simulations = 0;
    for (auto _ : state) {
        vesk::test::TempDir dir;
        auto k = std::make_unique<vesk::Kontekst>();
        przygotuj(*k, dir);
        auto t0 = Clock::now();
        if (!vesk::UtworzStanOperatora(*k)) state.SkipWithError("operator not created");
        for (int n = 1; n < wezly; ++n)
            if (!pokolenie(*k, rodzic(n))) state.SkipWithError("node not simulated");
        total += std::chrono::duration<double>(Clock::now() - t0).count();
        simulations += wezly;
        state.PauseTiming();
        runs += wezly * przebiegWPamieci(*k);
        state.ResumeTiming();
    }
    state.counters["simulations_per_s"] = benchmark::Counter(static_cast<double>(simulations) / total);
    state.counters["file_io_share"] = benchmark::Counter(total > runs ? (total - runs) / total : 0.0);
}

void BM_ChainOfNodes(benchmark::State& state) {
    operatorWezlami(state, static_cast<int>(state.range(0)) + 1, [](int n) { return n - 1; });
}
BENCHMARK(BM_ChainOfNodes)->Arg(9)->Unit(benchmark::kMillisecond);

// An operator of 50 nodes grown as a tree: node n (1..49) from node
// (n - 1) / 2, which is also its template.
void BM_TreeOf50Nodes(benchmark::State& state) {
    operatorWezlami(state, 50, [](int n) { return (n - 1) / 2; });
}
BENCHMARK(BM_TreeOf50Nodes)->Unit(benchmark::kMillisecond);

// The cost of saving node n's record in an operator of n + 1 nodes (the
// root and n children of it): it must not grow with the tree.
void BM_NodeSave(benchmark::State& state) {
    vesk::test::TempDir dir;
    auto k = std::make_unique<vesk::Kontekst>();
    przygotuj(*k, dir);
    if (!vesk::UtworzStanOperatora(*k)) state.SkipWithError("operator not created");
    for (int n = 1; n <= state.range(0); ++n) {
        k->WezelBazowy.NumerTekst = k->WezelDoEdycji.NumerTekst = "0";
        if (!vesk::NowyWezel(*k, 1)) state.SkipWithError("node not added");
    }
    vesk::StanModelu& rec = k->RekordBiezacy;
    std::uint8_t numer = 0, znacznik = 0;
    std::int16_t rok = 0;
    for (auto _ : state)
        if (!vesk::ZapiszStanModelu(*k, rec, numer, rok, znacznik)) state.SkipWithError("not saved");
}
BENCHMARK(BM_NodeSave)->Arg(2)->Arg(49)->Unit(benchmark::kMicrosecond);

// The model alone: one child run in memory, no files.
void BM_RunInMemory(benchmark::State& state) {
    vesk::test::TempDir dir;
    auto k = std::make_unique<vesk::Kontekst>();
    przygotuj(*k, dir);
    vesk::UtworzStanOperatora(*k);
    for (auto _ : state) {
        k->m.CzasSymulacji = 0;
        k->m.RokSymulacji = 1;
        benchmark::DoNotOptimize(vesk::Symulacja(*k, 1));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RunInMemory)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
