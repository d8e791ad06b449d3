// One session of the indicator window's engine: an export, then 50 RESET +
// inference cycles with a rule file of about 0.2 s of work. An operation
// costs what it did at the start of the session, however many came before:
// the counters give the first and the last cycle and the ratio of the
// shortest of the last five to the shortest of the first five, which other
// work on the machine disturbs less (the aim is at most 1.5).
//
// Then rule files with large results: the program's own work on what the
// engine gives grows with it linearly, so these end well inside the 5 s
// the engine may take (the counters: export and inference in seconds,
// diagnosis lines, messages).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>

#include "ExpertSession.h"
#include "TempDir.h"
#include "UserInterface.h"

namespace {

constexpr int kCykle = 50;

const char* const kReguly =
    "(deftemplate years (slot rok1) (slot rok2) (slot rok3))\n"
    "(deftemplate prog (slot nazwa-progu) (slot wartosc))\n"
    "(deftemplate wskaznik (slot nazwa-wskaznika) (slot rok1) (slot wartosc1) (slot rok2) (slot wartosc2)\n"
    "  (slot rok3) (slot wartosc3) (slot dynamika-1-2) (slot dynamika-1-3) (slot dynamika-2-2)\n"
    "  (slot dynamika-2-3) (slot dynamika-3-2) (slot dynamika-3-3))\n"
    "(defrule praca (wskaznik (nazwa-wskaznika ?n))\n"
    "  => (bind ?x 0) (loop-for-count (?i 1 700000) (bind ?x ?i)) (assert (zbyt-wysoki ?n ?x)))\n";

// An operator folder with the rule file of the one indicator "w0", whose
// every position reads 1.
struct Stanowisko {
    vesk::test::TempDir operatora;
    vesk::ScriptedUserInterface ui;
    vesk::TabelaWskaznikow tabela;
    vesk::DaneEksportu d;

    explicit Stanowisko(const std::string& reguly) {
        operatora.write("regu\xC5\x82y-w0.clp", reguly);
        tabela.UstawKomorke(1, vesk::kol::Nazwa, "nazwa");
        vesk::IndicatorDef w;
        w.Nazwa = "w0";
        w.Licznik.Pierwsza = vesk::PozycjaWskaznika{"Bilans", "L"};
        w.Mianownik.Pierwsza = vesk::PozycjaWskaznika{"Bilans", "M"};
        tabela.Dodaj(w);
        d.Tabela = &tabela;
        d.Rok1 = 2015;
        d.Wybrany = "w0";
        d.Odczyt = [](const vesk::PozycjaWskaznika&, int) -> std::optional<long double> { return 1.0L; };
    }
};

void BM_ResetIWnioskowanie(benchmark::State& state) {
    Stanowisko st(kReguly);
    auto& [operatora, ui, tabela, d] = st;
    for (auto _ : state) {
        vesk::ExpertSession sesja(operatora.folder(), "", ui);
        if (!sesja.Eksport(d, "zestaw.xls", "zestaw")) {
            state.SkipWithError("eksport nie powi\xF3" "d\xB3 si\xEA");
            return;
        }
        double pierwszy = 0, ostatni = 0, poczatek = 1e9, koniec = 1e9;
        for (int c = 0; c < kCykle; ++c) {
            const auto t0 = std::chrono::steady_clock::now();
            if (c > 0) sesja.Reset();
            if (!sesja.Wnioskowanie()) {
                state.SkipWithError(("cykl " + std::to_string(c + 1) + " nie powi\xF3" "d\xB3 si\xEA").c_str());
                return;
            }
            const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            if (c == 0) pierwszy = s;
            ostatni = s;
            if (c < 5) poczatek = std::min(poczatek, s);
            if (c >= kCykle - 5) koniec = std::min(koniec, s);
        }
        state.counters["pierwszy_s"] = pierwszy;
        state.counters["ostatni_s"] = ostatni;
        state.counters["koniec_do_poczatku"] = koniec / poczatek;
    }
}
BENCHMARK(BM_ResetIWnioskowanie)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

const char* const kSzablony =
    "(deftemplate years (slot rok1) (slot rok2) (slot rok3))\n"
    "(deftemplate wskaznik (slot nazwa-wskaznika) (slot rok1) (slot wartosc1) (slot rok2) (slot wartosc2)\n"
    "  (slot rok3) (slot wartosc3) (slot dynamika-1-2) (slot dynamika-1-3) (slot dynamika-2-2)\n"
    "  (slot dynamika-2-3) (slot dynamika-3-2) (slot dynamika-3-3))\n";

std::string JedenFakt(int liczb) {
    std::string s = "(deffacts d (liczby";
    for (int i = 1; i <= liczb; ++i) s += " " + std::to_string(i);
    return s + "))\n";
}

const struct {
    const char* nazwa;
    std::string reguly;
} kDuzeWyniki[] = {
    {"150000 faktow", "(defrule r => (loop-for-count (?i 1 150000) (assert (zbyt-wysoki ?i))))\n"},
    {"fakt 100000 liczb", JedenFakt(100000)},
    {"diagnozy wsrod 100980 pomocniczych",
     "(defrule r => (loop-for-count (?i 1 99980) (assert (pomoc ?i))) (assert (zbyt-wysoki d1))"
     " (assert (diagnoza-dla-roku 2017 d2)) (loop-for-count (?i 1 1000) (assert (pomoc-b ?i))))\n"},
    {"1500 faktow po 4000 bajtow",
     "(defrule r => (bind ?s \"\") (loop-for-count 400 (bind ?s (str-cat ?s \"0123456789\")))"
     " (loop-for-count (?i 1 1500) (assert (x ?i (sym-cat ?s ?i)))))\n"},
};

void BM_DuzeWyniki(benchmark::State& state) {
    const auto& przypadek = kDuzeWyniki[state.range(0)];
    state.SetLabel(przypadek.nazwa);
    Stanowisko st(kSzablony + przypadek.reguly);
    auto& [operatora, ui, tabela, d] = st;
    for (auto _ : state) {
        vesk::ExpertSession sesja(operatora.folder(), "", ui);
        const auto t0 = std::chrono::steady_clock::now();
        const bool eksport = sesja.Eksport(d, "zestaw.xls", "zestaw");
        const auto t1 = std::chrono::steady_clock::now();
        const bool wnioskowanie = eksport && sesja.Wnioskowanie();
        const auto t2 = std::chrono::steady_clock::now();
        state.counters["eksport_s"] = std::chrono::duration<double>(t1 - t0).count();
        state.counters["wnioskowanie_s"] = std::chrono::duration<double>(t2 - t1).count();
        state.counters["diagnozy"] = static_cast<double>(sesja.Diagnozy().size());
        state.counters["komunikaty"] = static_cast<double>(ui.messages.size());
        if (!wnioskowanie) state.SkipWithError(ui.messages.empty() ? "bez komunikatu" : ui.messages.back().c_str());
    }
}
BENCHMARK(BM_DuzeWyniki)->DenseRange(0, 3)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
