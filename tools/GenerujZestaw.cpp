// Builds an indicator set workbook (BIFF8) from its readable list: one
// line per sheet row, fields separated by tabs, code page 1250. Every
// field becomes a string cell of sheet 0, as the indicator window stores
// a set.
//
//   generuj_zestaw wskazniki-ogolne.txt wskazniki-ogolne.xls
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "CodePage.h"
#include "XLSMini.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "u\xC5\xBCycie: generuj_zestaw <lista.txt> <zestaw.xls>\n");
        return 2;
    }
    std::FILE* f = std::fopen(argv[1], "rb");
    if (!f) {
        std::fprintf(stderr, "generuj_zestaw: nie mo\xC5\xBCna otworzy\xC4\x87 %s\n", argv[1]);
        return 1;
    }
    std::string tekst;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) tekst.append(buf, n);
    std::fclose(f);
    try {
        vesk::TXLSMini xls;
        xls.SetVersion(vesk::xvExcel97);
        vesk::TSheet& arkusz = xls.Sheets().Items(0);
        int wiersz = 0;
        std::size_t p = 0;
        while (p < tekst.size()) {
            std::size_t k = tekst.find('\n', p);
            if (k == std::string::npos) k = tekst.size();
            std::string linia = tekst.substr(p, k - p);
            p = k + 1;
            if (!linia.empty() && linia.back() == '\r') linia.pop_back();
            if (linia.empty()) continue;
            int kolumna = 0;
            std::size_t q = 0;
            for (;;) {
                const std::size_t t = linia.find('\t', q);
                arkusz.SetAsString(kolumna++, wiersz, vesk::cp1250ToUtf16(linia.substr(q, t - q)));
                if (t == std::string::npos) break;
                q = t + 1;
            }
            ++wiersz;
        }
        xls.Filename = argv[2];
        xls.Write();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "generuj_zestaw: %s: %s\n", argv[2], e.what());
        return 1;
    }
    return 0;
}
