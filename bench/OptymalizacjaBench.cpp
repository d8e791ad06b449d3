// The cost of one candidate of an optimisation study against the bare
// simulation it needs. In one operator: (a) SymulujWezel of a prepared
// child of the root, its record put back before each run; (b) a candidate
// through the workbench: the trial node made again from its template, the
// decision set and confirmed, the node simulated, the criterion read. The
// counter "ratio" is (b) over (a): what the file traffic and the tree add.
// bench/narzuty.sh counts the same two in instructions.
#include <benchmark/benchmark.h>

#include <ctime>
#include <exception>

#include "Narzuty.h"

namespace {

// Processor time of this thread (user and system): the machine is shared,
// so time spent waiting for it is left out.
double czas() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

constexpr int Powtorzenia = 20;

// (a) per run.
double goleSymulowanie(benchmark::State& state) {
    narzuty::Operator op;
    vesk::Optymalizacja opt(*op.w);
    const auto przygotowany = narzuty::PrzygotowanyRekord(op, narzuty::PrzygotujProbe(op, opt));
    const double t0 = czas();
    if (!narzuty::GoleSymulowania(*op.k, *przygotowany, Powtorzenia)) state.SkipWithError("node not simulated");
    return (czas() - t0) / Powtorzenia;
}

// (b) per candidate.
double kandydaci() {
    narzuty::Operator op;
    vesk::Optymalizacja opt(*op.w);
    const int numer = narzuty::PrzygotujProbe(op, opt);
    const double t0 = czas();
    narzuty::Kandydaci(opt, numer, Powtorzenia);
    return (czas() - t0) / Powtorzenia;
}

void BM_KandydatBadania(benchmark::State& state) {
    double a = 0, b = 0;
    for (auto _ : state) {
        try {
            a = goleSymulowanie(state);
            b = kandydaci();
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
            return;
        }
    }
    state.counters["bare_ms"] = a * 1e3;
    state.counters["candidate_ms"] = b * 1e3;
    state.counters["ratio"] = a > 0 ? b / a : 0;
}
BENCHMARK(BM_KandydatBadania)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
