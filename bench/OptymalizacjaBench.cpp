// The cost of one candidate of an optimisation study against the bare
// simulation it needs. In one operator: (a) SymulujWezel of a prepared
// child of the root, its record put back before each run; (b) a candidate
// through the workbench: the trial node made again from its template, the
// decision set and confirmed, the node simulated, the criterion read. The
// counter "ratio" is (b) over (a): what the file traffic and the tree add.
#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

#include "Kontekst.h"
#include "OperacjeWezlow.h"
#include "Optymalizacja.h"
#include "PlikStanu.h"
#include "TempDir.h"
#include "Warsztat.h"

namespace {

// Processor time of this thread (user and system): the machine is shared,
// so time spent waiting for it is left out.
double czas() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

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

// The trial node of a study after its base run: simulated, in the tree,
// the workbench's own operations all done. Its number, or -1.
int przygotujProbe(benchmark::State& state, Operator& op, vesk::Optymalizacja& opt,
                   const vesk::Optymalizacja::Decyzja& d) {
    if (!op.gotowy) {
        state.SkipWithError("operator not created");
        return -1;
    }
    try {
        vesk::Real v = 400.0L;
        op.k->FlagaPracy = true;
        opt.NajwiecejProb = 0;  // the base run alone
        return opt.Zbadaj(0, v, '+', d.rodzaj, d.produkt, d.rok, vesk::KryteriumWynikSyntetyczny);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return -1;
    }
}

const vesk::Optymalizacja::Decyzja Badana{vesk::DecyzjaProdukcja, "alfa", "rok1"};

// (a) The prepared trial node simulated again and again from its record
// with the simulated flag cleared.
double goleSymulowanie(benchmark::State& state, int powtorzenia) {
    Operator op;
    vesk::Optymalizacja opt(*op.w);
    const int numer = przygotujProbe(state, op, opt, Badana);
    if (numer < 0) return 0;
    vesk::Kontekst& k = *op.k;
    auto przygotowany = std::make_unique<vesk::StanModelu>();
    if (!vesk::ZnajdzStanModelu(k, k.SciezkaOperatora + "qad", static_cast<std::uint8_t>(numer), *przygotowany)) {
        state.SkipWithError("trial record not found");
        return 0;
    }
    przygotowany->UstawSymulowany(0);
    const double t0 = czas();
    for (int i = 0; i < powtorzenia; ++i) {
        k.RekordBiezacy = *przygotowany;
        if (!vesk::SymulujWezel(k)) state.SkipWithError("node not simulated");
    }
    return (czas() - t0) / powtorzenia;
}

// (b) Candidates of the study on the same kind of node.
double kandydaci(benchmark::State& state, int powtorzenia) {
    Operator op;
    vesk::Optymalizacja opt(*op.w);
    int numer = przygotujProbe(state, op, opt, Badana);
    if (numer < 0) return 0;
    const double t0 = czas();
    for (int i = 0; i < powtorzenia; ++i)
        numer = opt.Kandydat(numer, 0, Badana, 400.0L + i % 2, vesk::KryteriumWynikSyntetyczny);
    return (czas() - t0) / powtorzenia;
}

constexpr int Powtorzenia = 20;

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
