// Simulation throughput: an operator with a chain of nodes and one with a
// tree of 50, each node created from its parent and simulated. Reports simulations per second and the
// share of the time spent reading and writing the operator's files.
#include <benchmark/benchmark.h>

#include <chrono>

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

void BM_ChainOfNodes(benchmark::State& state) {
    const int generations = static_cast<int>(state.range(0));
    double total = 0, io = 0;
    std::int64_t simulations = 0;
    for (auto _ : state) {
        vesk::test::TempDir dir;
        auto k = std::make_unique<vesk::Kontekst>();
        przygotuj(*k, dir);
        auto t0 = Clock::now();
        if (!vesk::UtworzStanOperatora(*k)) state.SkipWithError("operator not created");
        for (int g = 0; g < generations; ++g)
            if (!pokolenie(*k, g)) state.SkipWithError("node not simulated");
        auto t1 = Clock::now();
        simulations += generations + 1;
        total += std::chrono::duration<double>(t1 - t0).count();

        // The same file traffic without the runs: per generation the template
        // is looked up twice and the parent once, the node saved twice and
        // the parameter file read once.
        auto t2 = Clock::now();
        vesk::StanModelu rec;
        std::uint8_t n;
        std::int16_t y;
        std::uint8_t f;
        for (int g = 0; g <= generations; ++g) {
            for (int i = 0; i < 3; ++i) vesk::ZnajdzStanModelu(*k, vesk::SciezkaPlikuStanu(*k), static_cast<std::uint8_t>(g), rec);
            rec.UstawNumer(static_cast<std::uint8_t>(g));
            vesk::ZapiszStanModelu(*k, rec, n, y, f);
            vesk::ZapiszStanModelu(*k, rec, n, y, f);
            vesk::WczytajParametryModelu(*k);
        }
        io += std::chrono::duration<double>(Clock::now() - t2).count();
    }
    state.counters["simulations_per_s"] = benchmark::Counter(static_cast<double>(simulations) / total);
    state.counters["file_io_share"] = benchmark::Counter(io / total);
}
BENCHMARK(BM_ChainOfNodes)->Arg(9)->Unit(benchmark::kMillisecond);

// An operator of 50 nodes grown as a tree: node n (1..49) from node
// (n - 1) / 2, which is also its template; each created, simulated and
// saved in turn. The file I/O share is measured as for the chain: the same
// traffic (template and parent looked up, the node saved twice, the
// parameter file read) replayed without the runs.
void BM_TreeOf50Nodes(benchmark::State& state) {
    constexpr int kWezly = 50;
    double total = 0, io = 0;
    std::int64_t simulations = 0;
    for (auto _ : state) {
        vesk::test::TempDir dir;
        auto k = std::make_unique<vesk::Kontekst>();
        przygotuj(*k, dir);
        auto t0 = Clock::now();
        if (!vesk::UtworzStanOperatora(*k)) state.SkipWithError("operator not created");
        for (int n = 1; n < kWezly; ++n)
            if (!pokolenie(*k, (n - 1) / 2)) state.SkipWithError("node not simulated");
        auto t1 = Clock::now();
        simulations += kWezly;
        total += std::chrono::duration<double>(t1 - t0).count();

        auto t2 = Clock::now();
        vesk::StanModelu rec;
        std::uint8_t nr;
        std::int16_t y;
        std::uint8_t f;
        for (int n = 0; n < kWezly; ++n) {
            for (int i = 0; i < 3; ++i)
                vesk::ZnajdzStanModelu(*k, vesk::SciezkaPlikuStanu(*k), static_cast<std::uint8_t>((n + 1) / 2), rec);
            rec.UstawNumer(static_cast<std::uint8_t>(n));
            vesk::ZapiszStanModelu(*k, rec, nr, y, f);
            vesk::ZapiszStanModelu(*k, rec, nr, y, f);
            vesk::WczytajParametryModelu(*k);
        }
        io += std::chrono::duration<double>(Clock::now() - t2).count();
    }
    state.counters["simulations_per_s"] = benchmark::Counter(static_cast<double>(simulations) / total);
    state.counters["file_io_share"] = benchmark::Counter(io / total);
}
BENCHMARK(BM_TreeOf50Nodes)->Unit(benchmark::kMillisecond);

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
