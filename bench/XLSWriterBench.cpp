// Writing BIFF8 workbooks of 25,000, 100,000 and 400,000 cells to memory:
// ten columns per row of numbers (RK runs and plain doubles), shared
// strings and formulas.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "XLSMini.h"

namespace {

void fill(vesk::TXLSMini& xls, std::int64_t cells) {
    vesk::TSheet& sheet = xls.Sheets().Items(0);
    const std::uint8_t tokens[] = {0x1E, 7, 0};
    for (std::int64_t i = 0; i < cells; ++i) {
        const int row = static_cast<int>(i / 10), col = static_cast<int>(i % 10);
        if (col < 4) sheet.AddFloat(col, row, row * 10 + col, 15);
        else if (col < 6) sheet.AddFloat(col, row, row * 0.1 + col / 3.0, 15);
        else if (col < 9) sheet.SetAsString(col, row, u"tekst " + std::u16string(1, char16_t(u'a' + row % 26)));
        else sheet.AddNumberFormula(col, row, 7, 15, tokens, 3);
    }
}

void BM_WriteWorkbook(benchmark::State& state) {
    vesk::TXLSMini xls;
    fill(xls, state.range(0));
    std::vector<std::uint8_t> out;
    for (auto _ : state) {
        xls.WriteStream(&out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetComplexityN(state.range(0));
    state.counters["ns/cell"] = benchmark::Counter(static_cast<double>(state.range(0)) * state.iterations(),
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_WriteWorkbook)->Arg(25000)->Arg(100000)->Arg(400000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
