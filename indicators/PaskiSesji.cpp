#include "PaskiSesji.h"

#include <algorithm>

#include "IndicatorSession.h"
#include "Pomocnicze.h"
#include "PozycjaBilansu.h"

namespace vesk {

PaskiSesji::PaskiSesji(Kontekst& k, HakiWarsztatu& warsztat) : k_(k), warsztat_(warsztat) {}

void PaskiSesji::WyborWyrobu(int p) {
    const double rok = KomorkaBilansu(k_.RekordBiezacy, 0, 1);
    for (int i = 0; i < 3; ++i) widok_.Lata[static_cast<std::size_t>(i)] = RealNaTekst(rok + i, 4, 0);
    if (p >= 0 && p <= 2) {
        widok_.Wyrob = p;
        widok_.Wlaczone = !widok_.Zablokowane;
        widok_.Produkt = NazwyWyrobow()[static_cast<std::size_t>(p)];
        UstawPaski();
    }
    Koncowka();
}

void PaskiSesji::UstawPaski() {
    widok_.Paski = PaskiProduktu(k_, k_.RekordBiezacy, widok_.Wyrob);
    for (std::size_t i = 0; i < 6; ++i) widok_.Pola[i] = std::to_string(widok_.Paski[i].Wartosc);
}

KrokPaska PaskiSesji::Przewiniecie(int n, KodPrzewijania kod, int pozycja) {
    KrokPaska krok;
    if (n >= 1 && n <= 6 && widok_.Wlaczone && KodKroku(kod)) {
        const std::size_t i = static_cast<std::size_t>(n - 1);
        PasekProduktu& pasek = widok_.Paski[i];
        const std::int32_t q = PozycjaWZakresie(pasek, pozycja);
        pasek.Pozycja = q;
        const std::string tekst = std::to_string(q);
        if (widok_.Pola[i] != tekst) {
            widok_.Pola[i] = tekst;
            krok.CoJesli = true;
            krok.k = pasek.k;
            krok.Wartosc = q;
            krok.NowyWezel = warsztat_.CoJesli(pasek.k, q);
            // Refused: the bars show the node's decisions as they stay.
            if (!krok.NowyWezel) UstawPaski();
            krok.Opis = OpisZmianyPaska(pasek, widok_.Wyrob, widok_.Lata[static_cast<std::size_t>(pasek.Rok - 1)], tekst);
        }
    }
    Koncowka();
    return krok;
}

void PaskiSesji::Zablokuj(bool zablokowane) {
    widok_.Zablokowane = zablokowane;
    widok_.Wlaczone = widok_.Wyrob >= 0 && !zablokowane;
}

void PaskiSesji::Koncowka() { zuzycie_.Koncowka(k_.RekordBiezacy); }

void PaskiSesji::ZmianaGranicy(int m, const std::string& tekst) { zuzycie_.ZmianaGranicy(m, tekst); }

}  // namespace vesk
