#include "PaskiProduktu.h"

#include <algorithm>
#include <cmath>

#include "KrokCoJesli.h"

namespace vesk {

const std::array<const char*, 3>& NazwyWyrobow() {
    static const std::array<const char*, 3> n = {"Alfa", "Beta", "Gamma"};
    return n;
}

std::string PasekProduktu::Slowo() const { return Cena ? "Ceny " : "Zam\xF3wienia "; }

std::array<PasekProduktu, 6> PaskiProduktu(const Kontekst& k, const StanModelu& rekord, int p) {
    std::array<PasekProduktu, 6> paski{};
    p = std::clamp(p, 0, 2);
    const ByteView b = rekord.widok();
    for (int i = 0; i < 6; ++i) {
        PasekProduktu& s = paski[static_cast<std::size_t>(i)];
        s.Rok = i / 2 + 1;
        s.Cena = i % 2 == 0;
        s.k = (s.Cena ? 1 : 10) + 3 * p + (s.Rok - 1);
        const MiejsceParametruDecyzji pole = *PoleParametruDecyzji(s.k);
        const long double v = pole.Dzielnik * b.real48(pole.Offset);
        const long double r = std::round(v);
        s.Wartosc = r > INT32_MAX ? INT32_MAX : (r < INT32_MIN ? INT32_MIN : static_cast<std::int32_t>(r));
        s.Zakres = k.Zakresy[s.k];
        s.Pozycja = PozycjaWZakresie(s, s.Wartosc);
    }
    return paski;
}

std::int32_t PozycjaWZakresie(const PasekProduktu& pasek, std::int32_t pozycja) {
    return std::clamp(pozycja, pasek.Zakres.first, std::max(pasek.Zakres.first, pasek.Zakres.second));
}

std::string OpisZmianyPaska(const PasekProduktu& pasek, int p, const std::string& rok, const std::string& wartosc) {
    return pasek.Slowo() + NazwyWyrobow()[static_cast<std::size_t>(std::clamp(p, 0, 2))] + " [" + rok + "]" +
           " na: " + wartosc;
}

}  // namespace vesk
