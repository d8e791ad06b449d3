#include "Kalendarz.h"

#include <cmath>

namespace vesk {

bool PoczatekRokuTest(long double t) { return std::fabs(t) < TolerancjaCzasu; }
bool PolowaRokuTest(long double t) { return std::fabs(t - 0.5L) < TolerancjaCzasu; }
bool KoniecRokuTest(long double t) { return std::fabs(t + 0.02L - 1.0L) < TolerancjaCzasu; }

void KalendarzModelu(Real& Czas, Real& Polrocze, Real& Rok, std::uint8_t& IndeksRoku, Real& Okres) {
    (void)IndeksRoku;
    if (std::fabs(Czas - 0.5L) < TolerancjaCzasu) Polrocze = Polrocze + 0.5L;
    if (std::fabs(Czas - 1.0L) < TolerancjaCzasu) {
        Polrocze = Polrocze + 0.5L;
        Rok = Rok + 1.0L;
        Czas = 0;
        // (Trunc(Rok) - 1) mod 3 with the remainder taking the dividend's sign.
        long long rok = static_cast<long long>(std::trunc(static_cast<long double>(Rok)));
        if ((rok - 1) % 3 == 0) Okres = Rok;
    }
}

}  // namespace vesk
