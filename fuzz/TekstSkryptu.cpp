// A command line from a command file through the text handling of the
// command language: normalising, the strip, name substitution, the quoted
// name's spelling, words,
// operands and the number readers. Script errors are the expected outcome
// of bad input; anything else escaping, or a crash, is a fault.
#include <cstddef>
#include <cstdint>
#include <string>

#include "BladSkryptu.h"
#include "Kontekst.h"
#include "TekstWiersza.h"
#include "ZmienneSkryptu.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    static Kontekst k;
    ZapomnijNazwyZmiennych(k);
    const std::string linia(reinterpret_cast<const char*>(data), size);
    const std::string wiersz = UsunZnakiPrzedRozkazem(Normalizuj_Wiersz(linia).Wiersz);
    try {
        DeklarujZmienna(k, Ekstrakcja_Stringa(wiersz, 1));
        DeklarujZmienna(k, Ekstrakcja_Stringa(wiersz, 2));
    } catch (const BladSkryptu&) {
    }
    const std::string podstawiony = Podstaw_Nazwy_Zmiennych(k, wiersz);
    // A file verb's quoted name in the letter case written.
    ZPisowniaCudzyslowu(podstawiony, linia);
    for (int n = 1; n <= 6; ++n) {
        const std::string slowo = Ekstrakcja_Stringa(podstawiony, n);
        try {
            const std::string wartosc = PodstawOperand(k, slowo, PostacWartosci::Naukowa);
            const long double v = Tekst_Na_Real(wartosc);
            Liczba_Miejsc_Dziesietnych(v);
            Ustaw_Zmienna(k, n, wartosc);
            PostacOgolna(k.ZmienneSkryptu[static_cast<std::size_t>(n - 1)], ',');
        } catch (const BladSkryptu&) {
        }
    }
    return 0;
}
