// Reading BIFF8 workbooks of 25,000, 100,000 and 400,000 cells (numbers,
// shared strings, a formula column) made by LibreOffice through
// scripts/bench-workbook-peers.sh into the build tree; every cell visited.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "XLSMini.h"

namespace {

std::vector<std::uint8_t> load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void BM_ReadWorkbook(benchmark::State& state) {
    const std::string path = std::string(VESK_BENCH_WORKBOOK_DIR) + "cells-" + std::to_string(state.range(0)) + ".xls";
    const std::vector<std::uint8_t> bytes = load(path);
    if (bytes.empty()) {
        state.SkipWithError(("no " + path + ": run scripts/bench-workbook-peers.sh").c_str());
        return;
    }
    std::size_t cells = 0;
    for (auto _ : state) {
        vesk::TXLSMini xls;
        xls.ReadStream(&bytes);
        cells = 0;
        double sum = 0;
        for (int i = 0; i < xls.Sheets().Count(); ++i) {
            vesk::TSheet& sheet = xls.Sheets().Items(i);
            sheet.Cells().BeginIterate();
            while (vesk::TCell* cell = sheet.Cells().Next()) {
                ++cells;
                if (cell->CellType() == vesk::ctFloat) sum += static_cast<vesk::TFloatCell*>(cell)->Value;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetComplexityN(static_cast<std::int64_t>(cells));
    state.counters["ns/cell"] = benchmark::Counter(static_cast<double>(cells) * state.iterations(),
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_ReadWorkbook)->Arg(25000)->Arg(100000)->Arg(400000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
