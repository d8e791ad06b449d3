// The cost of all thirteen reports of one node against a plain write of the
// same bytes into the same number of files: the reports' own work (reading
// templates, filling lines, formatting numbers) is the difference. The
// ratio of the two processor times is printed at the end (the wall time of
// file writes follows the disk and whoever else uses it); the aim is at
// most 2.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "Kontekst.h"
#include "OperacjeWezlow.h"
#include "RaportBIK.h"
#include "RaportDEC.h"
#include "RaportINF.h"
#include "RaportKOS.h"
#include "RaportPRF.h"
#include "RaportPRO.h"
#include "RaportRAW.h"
#include "RaportSRE.h"
#include "RaportZAO.h"
#include "RaportyWskaznikow.h"
#include "TempDir.h"

namespace {

namespace fs = std::filesystem;

// An operator with a simulated child of the root, the child current.
struct Wezel {
    vesk::test::TempDir dir;
    std::unique_ptr<vesk::Kontekst> k = std::make_unique<vesk::Kontekst>();
    vesk::test::TempDir kopie;
    std::vector<std::pair<std::string, std::string>> pliki;  // name, bytes of each report file

    Wezel() {
        k->catPARAMETR = std::string(VESK_BENCH_DATA_DIR) + "PARAMETR/";
        k->catTABWZOR = std::string(VESK_BENCH_DATA_DIR) + "TABWZOR/";
        k->SciezkaOperatora = dir.folder() + "BENCH.";
        if (!vesk::UtworzStanOperatora(*k)) throw std::runtime_error("no operator");
        k->WezelBazowy.NumerTekst = "0";
        k->WezelDoEdycji.NumerTekst = "0";
        if (!vesk::NowyWezel(*k, 1) || !vesk::SymulujWezel(*k)) throw std::runtime_error("no node");
        k->NumerWezla = k->RekordBiezacy.Numer();
        wszystkie();
        for (const auto& e : fs::directory_iterator(dir.folder())) {
            const std::string n = e.path().filename().string();
            if (n.rfind("BENCH.", 0) != 0 || n == "BENCH.qad" || n == "BENCH.tr1") continue;
            std::ifstream in(e.path(), std::ios::binary);
            pliki.emplace_back(n, std::string(std::istreambuf_iterator<char>(in), {}));
        }
    }

    // What the menu command "Zapis sprawozdan do pliku" writes.
    void wszystkie() {
        k->FlagiWynikow.UstawWszystkie(true);
        for (bool (*r)(vesk::Kontekst&) :
             {vesk::Raport_DEC, vesk::Raport_SRE, vesk::Raport_BIK, vesk::Raport_ZAO, vesk::Raport_PRO, vesk::Raport_PLY,
              vesk::Raport_ZAD, vesk::Raport_REN, vesk::Raport_AKT, vesk::Raport_RAW, vesk::Raport_PRF, vesk::Raport_INF,
              vesk::Raport_KOS})
            benchmark::DoNotOptimize(r(*k));
    }

    void zapiszTeSameBajty() {
        for (const auto& [n, b] : pliki) {
            std::FILE* f = std::fopen((kopie.folder() + n).c_str(), "wb");
            std::fwrite(b.data(), 1, b.size(), f);
            std::fclose(f);
        }
    }
};

Wezel& wezel() {
    static Wezel w;
    return w;
}

void BM_WszystkieRaportyWezla(benchmark::State& state) {
    Wezel& w = wezel();
    for (auto _ : state) w.wszystkie();
    state.counters["pliki"] = static_cast<double>(w.pliki.size());
}
BENCHMARK(BM_WszystkieRaportyWezla)->Unit(benchmark::kMicrosecond);

void BM_ZapisTychSamychBajtow(benchmark::State& state) {
    Wezel& w = wezel();
    std::size_t bajty = 0;
    for (const auto& p : w.pliki) bajty += p.second.size();
    for (auto _ : state) w.zapiszTeSameBajty();
    state.counters["bajty"] = static_cast<double>(bajty);
}
BENCHMARK(BM_ZapisTychSamychBajtow)->Unit(benchmark::kMicrosecond);

// Both in turn within each iteration, so that the load of a shared machine
// weighs on both alike: the ratio of their processor times summed.
double czasProcesora() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The wall time as well: a file flushed to the device costs it there.
double czasZegara() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void BM_RaportyDoZapisu(benchmark::State& state) {
    Wezel& w = wezel();
    double raporty = 0, zapis = 0, raportyZegar = 0, zapisZegar = 0;
    for (auto _ : state) {
        const double t0 = czasProcesora(), z0 = czasZegara();
        w.wszystkie();
        const double t1 = czasProcesora(), z1 = czasZegara();
        w.zapiszTeSameBajty();
        zapis += czasProcesora() - t1;
        zapisZegar += czasZegara() - z1;
        raporty += t1 - t0;
        raportyZegar += z1 - z0;
    }
    state.counters["stosunek"] = zapis > 0 ? raporty / zapis : 0;
    state.counters["zegar"] = zapisZegar > 0 ? raportyZegar / zapisZegar : 0;
}
BENCHMARK(BM_RaportyDoZapisu)->Unit(benchmark::kMicrosecond);

// Keeps the ratio of the interleaved benchmark to print it: the median when
// the runs are repeated (--benchmark_repetitions), the machine being shared.
struct Zbieracz : benchmark::ConsoleReporter {
    double stosunek = 0, zegar = 0;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.counters.count("stosunek") && (r.run_type == Run::RT_Iteration || r.aggregate_name == "median")) {
                stosunek = r.counters.at("stosunek");
                zegar = r.counters.at("zegar");
            }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Zbieracz z;
    benchmark::RunSpecifiedBenchmarks(&z);
    if (z.stosunek > 0)
        std::cout << "raporty / zapis tych samych bajtow = " << z.stosunek << " czasu procesora, " << z.zegar
                  << " czasu zegara (cel: najwyzej 2.0)\n";
    benchmark::Shutdown();
    return 0;
}
