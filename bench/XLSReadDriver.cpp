// Reads a workbook file by its name and visits every cell, five times (or
// RUNS times); prints the best time in seconds and the number of cells (for
// scripts/bench-workbook-peers.sh, which gives RUNS 1 to measure the peak
// memory of one read).
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "EXLSError.h"
#include "XLSMini.h"

int main(int argc, char** argv) {
    const int runs = argc == 3 ? std::atoi(argv[2]) : 5;
    if ((argc != 2 && argc != 3) || runs < 1) {
        std::fprintf(stderr, "usage: XLSReadDriver FILE.xls [RUNS]\n");
        return 2;
    }
    double best = 1e9;
    std::size_t cells = 0;
    try {
        for (int run = 0; run < runs; ++run) {
            const auto t0 = std::chrono::steady_clock::now();
            vesk::TXLSMini xls;
            xls.Filename = argv[1];
            xls.Read();
            cells = 0;
            for (int i = 0; i < xls.Sheets().Count(); ++i) {
                vesk::TSheet& sheet = xls.Sheets().Items(i);
                sheet.Cells().BeginIterate();
                while (vesk::TCell* cell = sheet.Cells().Next()) {
                    const int col = static_cast<int>(cell->Key & 255), row = static_cast<int>(cell->Key >> 8);
                    cells += sheet.CellType(col, row) != vesk::ctNone;
                }
            }
            best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        }
    } catch (const vesk::EXLSError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::printf("%.4f %zu\n", best, cells);
    return 0;
}
