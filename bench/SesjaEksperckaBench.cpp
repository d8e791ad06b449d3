// One session of the indicator window's engine: an export, then 50 RESET +
// inference cycles with a rule file of about 0.2 s of work. An operation
// costs what it did at the start of the session, however many came before:
// the counters give the first and the last cycle and the ratio of the
// shortest of the last five to the shortest of the first five, which other
// work on the machine disturbs less (the aim is at most 1.5).
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

void BM_ResetIWnioskowanie(benchmark::State& state) {
    vesk::test::TempDir operatora;
    operatora.write("regu\xC5\x82y-w0.clp", kReguly);
    vesk::ScriptedUserInterface ui;
    vesk::TabelaWskaznikow tabela;
    tabela.UstawKomorke(1, vesk::kol::Nazwa, "nazwa");
    vesk::IndicatorDef w;
    w.Nazwa = "w0";
    w.Licznik.Pierwsza = vesk::PozycjaWskaznika{"Bilans", "L"};
    w.Mianownik.Pierwsza = vesk::PozycjaWskaznika{"Bilans", "M"};
    tabela.Dodaj(w);
    vesk::DaneEksportu d;
    d.Tabela = &tabela;
    d.Rok1 = 2015;
    d.Wybrany = "w0";
    d.Odczyt = [](const vesk::PozycjaWskaznika&, int) -> std::optional<long double> { return 1.0L; };

    for (auto _ : state) {
        vesk::ExpertSession sesja(operatora.folder(), "", ui);
        if (!sesja.Eksport(d, "zestaw.xls", "zestaw")) {
            state.SkipWithError("eksport nie powi\xF3d\xB3 si\xEA");
            return;
        }
        double pierwszy = 0, ostatni = 0, poczatek = 1e9, koniec = 1e9;
        for (int c = 0; c < kCykle; ++c) {
            const auto t0 = std::chrono::steady_clock::now();
            if (c > 0) sesja.Reset();
            if (!sesja.Wnioskowanie()) {
                state.SkipWithError(("cykl " + std::to_string(c + 1) + " nie powi\xF3d\xB3 si\xEA").c_str());
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

}  // namespace

BENCHMARK_MAIN();
