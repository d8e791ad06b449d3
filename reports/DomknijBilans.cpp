#include "DomknijBilans.h"

#include "Kontekst.h"
#include "PolaRoku.h"

namespace vesk {

void DomknijBilans(StanModelu& rekord) {
    using namespace pola;
    // Worked on a copy, so that a value that cannot be stored changes nothing.
    StanModelu r = rekord;
    for (int y = 1; y <= 3; ++y) {
        long double rachunek = Odczyt(r, RachunekRozliczeniowy, y);
        if (rachunek < 0.0L) {
            Zapis(r, Naleznosci, y, Odczyt(r, Naleznosci, y) + rachunek);
            Zapis(r, RachunekRozliczeniowy, y, 0.0L);
        }
    }
    for (int y = 1; y <= 3; ++y) {
        long double niedobor = Odczyt(r, SumaPasywow, y);
        niedobor -= Odczyt(r, KapitalWlasny, y);
        niedobor -= Odczyt(r, ZobowiazaniaDlugoterminowe, y);
        niedobor -= Odczyt(r, Zobowiazania, y);
        niedobor -= Odczyt(r, KredytSanacyjny, y);
        Zapis(r, PozostaleWplywyRoku, y, niedobor);
    }
    for (int y = 1; y <= 3; ++y)
        Zapis(r, Zobowiazania, y, Odczyt(r, Zobowiazania, y) + Odczyt(r, PozostaleWplywyRoku, y));
    rekord = r;
}

void DomknijBilans(Kontekst& k) { DomknijBilans(k.RekordBiezacy); }

}  // namespace vesk
