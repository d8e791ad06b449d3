// The runs bench/narzuty.sh counts, one kind per call:
//   golo N       N bare simulations of a study's prepared trial node
//   kandydat N   N candidates of the study on the same kind of node
//   bezposrednio the children of a new operator added and simulated directly
//   plik         the same by a command file
//   badanie DIR  the study climbed to its end in an operator in DIR, then
//                both commands and the command file; the best values and
//                criteria printed (for comparing results)
// Prints how many units (simulations, candidates, command files) were run.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "Narzuty.h"

int main(int argc, char** argv) try {
    const std::string rodzaj = argc > 1 ? argv[1] : "";
    const int n = argc > 2 ? std::atoi(argv[2]) : 0;
    if (rodzaj == "golo" || rodzaj == "kandydat") {
        narzuty::Operator op;
        vesk::Optymalizacja opt(*op.w);
        const int numer = narzuty::PrzygotujProbe(op, opt);
        if (rodzaj == "golo") {
            if (!narzuty::GoleSymulowania(*op.k, *narzuty::PrzygotowanyRekord(op, numer), n)) return 1;
        } else if (narzuty::Kandydaci(opt, numer, n) != numer || !op.ui.messages.empty()) {
            return 1;
        }
        std::printf("%d\n", n);
        return 0;
    }
    if (rodzaj == "bezposrednio" || rodzaj == "plik") {
        vesk::test::TempDir dir;
        narzuty::ZapiszPlikRozkazow(dir.folder());
        if (!(rodzaj == "plik" ? narzuty::PlikRozkazow : narzuty::BezposrednieWywolania)(dir.folder())) return 1;
        std::printf("1\n");
        return 0;
    }
    if (rodzaj == "badanie" && argc > 2) {
        vesk::ScriptedUserInterface ui;
        vesk::Kontekst k(ui);
        k.catPARAMETR = std::string(VESK_BENCH_DATA_DIR) + "PARAMETR/";
        const std::string folder = std::string(argv[2]) + "/";
        k.catKARTOPERATORA = folder;
        vesk::Warsztat w(k);
        if (!w.TworzenieNowegoOperatora(folder + "BENCH.")) return 1;
        vesk::Optymalizacja opt(w);
        vesk::Real v = 400.0L;
        k.FlagaPracy = true;
        const int numer = opt.Zbadaj(0, v, '+', narzuty::Badana.rodzaj, narzuty::Badana.produkt,
                                     narzuty::Badana.rok, vesk::KryteriumWynikSyntetyczny);
        std::printf("trial %d, %d trials, best %.0Lf, criterion %.17g\n", numer, opt.Proby,
                    static_cast<long double>(v), k.ZmienneSkryptu[90]);
        opt.optymalizacja21Click();
        std::printf("ten studies: criterion %.17g, %zu messages\n", k.ZmienneSkryptu[90], ui.messages.size());
        // The eleven climbs of the other command, on an operator "we".
        if (!w.TworzenieNowegoOperatora(folder + "we.")) return 1;
        opt.Optymalizacja1Click();
        std::printf("eleven climbs: criterion %.17g, balance %.17g %.17g, %zu messages\n", k.ZmienneSkryptu[90],
                    k.ZmienneSkryptu[92], k.ZmienneSkryptu[93], ui.messages.size());
        // The command file, in the folder's "rozkazy".
        const std::string rozkazy = folder + "rozkazy/";
        return vesk::createFolders(rozkazy) && narzuty::ZapiszPlikRozkazow(rozkazy) && narzuty::PlikRozkazow(rozkazy)
                   ? 0
                   : 1;
    }
    std::fprintf(stderr, "usage: NarzutyPrzebieg golo|kandydat N | bezposrednio | plik | badanie DIR\n");
    return 2;
} catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
}
