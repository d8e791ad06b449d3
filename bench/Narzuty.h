// The work whose overheads bench/OptymalizacjaBench, bench/InterpreterBench
// and bench/narzuty.sh measure, in one place so that the timed and the
// counted figures are of the same work. The measured functions are never
// inlined: narzuty.sh counts the instructions of each by its name.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "CzasownikiWarsztatu.h"
#include "FileSystem.h"
#include "Interpretator.h"
#include "Kontekst.h"
#include "OperacjeWezlow.h"
#include "Optymalizacja.h"
#include "PlikStanu.h"
#include "TempDir.h"
#include "Warsztat.h"

namespace narzuty {

// ------------------------------------------ the command language's overhead
// Children of the root added and simulated.
constexpr int Dzieci = 20;

// (a) An operator created and its children added and simulated by direct
// NowyWezel and SymulujWezel calls, in the folder given.
[[gnu::noinline]] inline bool BezposrednieWywolania(const std::string& folder) {
    auto k = std::make_unique<vesk::Kontekst>();
    k->catPARAMETR = std::string(VESK_BENCH_DATA_DIR) + "PARAMETR/";
    k->SciezkaOperatora = folder + "BENCH.";
    if (!vesk::UtworzStanOperatora(*k)) return false;
    for (int i = 0; i < Dzieci; ++i) {
        k->WezelBazowy.NumerTekst = "0";
        k->WezelDoEdycji.NumerTekst = "0";
        if (!vesk::NowyWezel(*k, 1) || !vesk::SymulujWezel(*k)) return false;
    }
    return true;
}

// The command file of (b), "b.roz" of the folder.
inline bool ZapiszPlikRozkazow(const std::string& folder) {
    return vesk::replaceFile(folder + "b.roz",
                             "hide\r\nrun\r\nwhile less____ x1 20\r\nw\xEAze\xB3 dodaj 0 0 x2\r\n"
                             "w\xEAze\xB3 symuluj x2\r\n+ x1 x1 1\r\nendwhile\r\n");
}

// (b) The same through the workbench and a command file run by the
// interpreter: the tree kept and saved, the decision sheet filled, every
// line interpreted.
[[gnu::noinline]] inline bool PlikRozkazow(const std::string& folder) {
    vesk::ScriptedUserInterface ui;
    auto k = std::make_unique<vesk::Kontekst>(ui);
    k->catPARAMETR = std::string(VESK_BENCH_DATA_DIR) + "PARAMETR/";
    auto w = std::make_unique<vesk::Warsztat>(*k);
    if (!w->TworzenieNowegoOperatora(folder + "BENCH.")) return false;
    vesk::CzasownikiWarsztatu czasowniki(*w);
    vesk::InterpreterView widok;
    vesk::Interpretator in(*k, czasowniki, widok);
    k->TrybWsadowy = true;
    k->PlikRozkazowWsadowy = folder + "b.roz";
    in.Podanienazwyplikuzrozkazami1Click();
    while (in.PrzyciskAktywny()) in.PrzyciskWykonaniaNastepnegoPoleceniaClick();
    return !in.OstatniBlad() && w->Drzewo.Liczba() == Dzieci + 1;
}

// ------------------------------------------------ the optimisation's overhead
// An operator in a temporary folder, open in a workbench.
struct Operator {
    vesk::test::TempDir dir;
    vesk::ScriptedUserInterface ui;
    std::unique_ptr<vesk::Kontekst> k = std::make_unique<vesk::Kontekst>(ui);
    std::unique_ptr<vesk::Warsztat> w;

    Operator() {
        k->catPARAMETR = std::string(VESK_BENCH_DATA_DIR) + "PARAMETR/";
        k->catKARTOPERATORA = dir.folder();
        w = std::make_unique<vesk::Warsztat>(*k);
        if (!w->TworzenieNowegoOperatora(dir.folder() + "BENCH.")) throw std::runtime_error("operator not created");
    }
};

// The decision the candidates move.
inline const vesk::Optymalizacja::Decyzja Badana{vesk::DecyzjaProdukcja, "alfa", "rok1"};

// The trial node of a study after its base run: simulated, in the tree,
// the workbench's own operations all done. Its number.
inline int PrzygotujProbe(Operator& op, vesk::Optymalizacja& opt) {
    vesk::Real v = 400.0L;
    op.k->FlagaPracy = true;
    opt.NajwiecejProb = 0;  // the base run alone
    return opt.Zbadaj(0, v, '+', Badana.rodzaj, Badana.produkt, Badana.rok, vesk::KryteriumWynikSyntetyczny);
}

// The trial's record as stored, its simulated flag cleared.
inline std::unique_ptr<vesk::StanModelu> PrzygotowanyRekord(Operator& op, int numer) {
    auto r = std::make_unique<vesk::StanModelu>();
    if (!vesk::ZnajdzStanModelu(*op.k, op.k->SciezkaOperatora + "qad", static_cast<std::uint8_t>(numer), *r))
        throw std::runtime_error("trial record not found");
    r->UstawSymulowany(0);
    return r;
}

// (a) The prepared trial node simulated again and again from its record.
[[gnu::noinline]] inline bool GoleSymulowania(vesk::Kontekst& k, const vesk::StanModelu& przygotowany,
                                              int powtorzenia) {
    bool ok = true;
    for (int i = 0; i < powtorzenia; ++i) {
        k.RekordBiezacy = przygotowany;
        ok = vesk::SymulujWezel(k) && ok;
    }
    return ok;
}

// (b) Candidates of the study on the same kind of node. The trial's number
// after the last.
[[gnu::noinline]] inline int Kandydaci(vesk::Optymalizacja& opt, int numer, int powtorzenia) {
    for (int i = 0; i < powtorzenia; ++i)
        numer = opt.Kandydat(numer, 0, Badana, 400.0L + i % 2, vesk::KryteriumWynikSyntetyczny);
    return numer;
}

}  // namespace narzuty
