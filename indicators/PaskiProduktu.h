// The six bars of the product tab: for the chosen product, its price and
// its production order in each of the three years of the node's period,
// each with its decision parameter k, its range and its position from the
// record, and the description of a change for the report file.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "Kontekst.h"

namespace vesk {

// The product choice's entries.
const std::array<const char*, 3>& NazwyWyrobow();

struct PasekProduktu {
    int k = 0;                  // decision parameter of the what-if step
    int Rok = 1;                // 1..3 of the node's period
    bool Cena = true;           // price, else production order
    std::pair<std::int32_t, std::int32_t> Zakres;  // Zakresy[k]
    std::int32_t Wartosc = 0;   // the decision as the bar counts it (price x 1000), rounded
    std::int32_t Pozycja = 0;   // Wartosc moved into the range
    std::string Slowo() const;  // "Ceny " or "Zamówienia "
};

// Bars 1..6 (index 0..5) of product p (0 Alfa, 1 Beta, 2 Gamma) on the
// record: price and order of year 1, then of year 2, then of year 3.
std::array<PasekProduktu, 6> PaskiProduktu(const Kontekst& k, const StanModelu& rekord, int p);

// pozycja moved into the bar's range (an empty or upside-down range is its
// minimum).
std::int32_t PozycjaWZakresie(const PasekProduktu& pasek, std::int32_t pozycja);

// The change entry's description of a bar: word, product, " [", the year
// caption, "]", " na: ", the bar's box text.
std::string OpisZmianyPaska(const PasekProduktu& pasek, int p, const std::string& rok, const std::string& wartosc);

}  // namespace vesk
