// One node simulation after another, for bench/instrukcje.sh: the root of an
// operator and four children of it with varied decisions, each run in
// przebiegKorzenia / przebiegDziecka, the two functions the script counts
// the instructions of (the parameter file and the node saves inside them
// are left out of the count). Prints the number of runs made.
#include <cstdio>
#include <memory>
#include <string>

#include "Kontekst.h"
#include "OperacjeWezlow.h"
#include "PlikStanu.h"
#include "Symulacja.h"
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

__attribute__((noinline)) bool przebiegKorzenia(vesk::Kontekst& k) { return vesk::Symulacja(k, 0); }
__attribute__((noinline)) bool przebiegDziecka(vesk::Kontekst& k) { return vesk::SymulujWezel(k); }

}  // namespace

int main() {
    vesk::test::TempDir dir;
    auto k = std::make_unique<vesk::Kontekst>();
    k->catPARAMETR = std::string(VESK_BENCH_DATA_DIR) + "PARAMETR/";
    k->SciezkaOperatora = dir.folder() + "INSTR.";
    if (!vesk::UtworzStanOperatora(*k)) return 1;
    int przebiegi = 0;
    if (!przebiegKorzenia(*k)) return 1;
    ++przebiegi;
    for (int c = 1; c <= 4; ++c) {
        k->WezelBazowy.NumerTekst = "0";
        k->WezelDoEdycji.NumerTekst = "0";
        if (!vesk::NowyWezel(*k, 1)) return 1;
        vesk::OdtworzDecyzjeZeStanu(k->RekordBiezacy, k->m);
        decyzjeDziecka(c, k->m);
        vesk::ZapiszDecyzjeDoStanu(k->m, k->RekordBiezacy);
        if (!przebiegDziecka(*k)) return 1;
        ++przebiegi;
    }
    std::printf("%d\n", przebiegi);
    return 0;
}
