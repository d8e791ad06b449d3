// Any bytes as an indicator set file: read through the workbook store
// (a failure is answered with Cancel), then the facts of the set exported
// with fixed position values and its names turned into symbols. Nothing
// may come out of the set operations.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "ExpertSession.h"
#include "XLSIndicatorSetStore.h"

using namespace vesk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    char sciezka[] = "/tmp/vesk-fuzz-zestaw-XXXXXX";
    const int fd = ::mkstemp(sciezka);
    if (fd < 0) return 0;
    const bool zapisany = ::write(fd, data, size) == static_cast<ssize_t>(size);
    ::close(fd);
    if (zapisany) {
        XLSIndicatorSetStore store;
        ZestawWskaznikow z(store);
        ScriptedUserInterface ui;
        ui.defaultAnswer = false;
        if (WczytajZestaw(z, sciezka, ui)) {
            DaneEksportu d;
            d.Tabela = &z.Tabela;
            d.Rok1 = 2015;
            d.Wybrany = z.Tabela.Komorka(2, kol::Nazwa);
            d.Relacja = z.Tabela.Komorka(2, kol::Relacja);
            d.Prog1 = z.Tabela.Komorka(2, kol::Prog1);
            d.Prog2 = z.Tabela.Komorka(2, kol::Prog2);
            d.Odczyt = [](const PozycjaWskaznika& p, int rok) -> std::optional<long double> {
                if (p.Etykieta.empty()) return std::nullopt;
                return static_cast<long double>(rok - 2);
            };
            TekstFaktow(d);
            for (const auto& n : z.Tabela.Nazwy()) LiniaDiagnozy({NazwaNaSymbol(n), n, n, n});
        }
    }
    ::unlink(sciezka);
    return 0;
}
