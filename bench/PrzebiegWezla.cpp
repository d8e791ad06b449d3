// One node simulation after another, for bench/instrukcje.sh: the root of a
// new operator and four children of it with varied decisions, each a call
// of Symulacja, whose instructions the script counts (less the parameter
// file, which the root's run reads). Prints the number of runs made.
#include <cstdio>
#include <memory>
#include <string>

#include "Kontekst.h"
#include "OperacjeWezlow.h"
#include "PlikStanu.h"
#include "TempDir.h"

namespace {

// The decisions of child c (1..4): prices, plans, dividend and debt apart.
void decyzjeDziecka(int c, vesk::ZmienneModelu& m) {
    const long double ceny = 0.9L + 0.06L * c;
    for (int y = 1; y <= 3; ++y) {
        for (int i = 1; i <= 3; ++i) {
            m.DecyzjeCen[y][i] = m.DecyzjeCen[y][i] * ceny;
            m.DecyzjeProdukcji[y][i] = 340.0L + 20.0L * ((c + i) % 4);
        }
        m.UdzialDywidendyZwyklej[y] = 0.1L * c;
        m.DecyzjeZadluzenia[y] = 0.2L + 0.1L * c;
        m.EmisjaAkcji[y] = y == 2 && c % 2 == 0 ? 2.0L : 0.0L;
    }
}


}  // namespace

int main() {
    vesk::test::TempDir dir;
    auto k = std::make_unique<vesk::Kontekst>();
    k->catPARAMETR = std::string(VESK_BENCH_DATA_DIR) + "PARAMETR/";
    k->SciezkaOperatora = dir.folder() + "INSTR.";
    if (!vesk::UtworzStanOperatora(*k)) return 1;
    int przebiegi = 1;
    for (int c = 1; c <= 4; ++c) {
        k->WezelBazowy.NumerTekst = "0";
        k->WezelDoEdycji.NumerTekst = "0";
        if (!vesk::NowyWezel(*k, 1)) return 1;
        vesk::OdtworzDecyzjeZeStanu(k->RekordBiezacy, k->m);
        decyzjeDziecka(c, k->m);
        vesk::ZapiszDecyzjeDoStanu(k->m, k->RekordBiezacy);
        if (!vesk::SymulujWezel(*k)) return 1;
        ++przebiegi;
    }
    std::printf("%d\n", przebiegi);
    return 0;
}
