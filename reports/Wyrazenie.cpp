#include "Wyrazenie.h"

#include <cmath>
#include <limits>

namespace vesk {

Wyrazenie::Wyrazenie(PoleRoku pole)
    : f_([pole](const StanModelu& r, int rok) { return Odczyt(r, pole, rok); }) {}

Wyrazenie operator+(Wyrazenie a, Wyrazenie b) {
    return Wyrazenie([a, b](const StanModelu& r, int rok) -> long double {
        long double lewa = a(r, rok);
        return lewa + b(r, rok);
    });
}

Wyrazenie operator-(Wyrazenie a, Wyrazenie b) {
    return Wyrazenie([a, b](const StanModelu& r, int rok) -> long double {
        long double lewa = a(r, rok);
        return lewa - b(r, rok);
    });
}

Wyrazenie operator-(Wyrazenie a) {
    return Wyrazenie([a](const StanModelu& r, int rok) -> long double { return -a(r, rok); });
}

Wyrazenie Zero() {
    return Wyrazenie([](const StanModelu&, int) { return 0.0L; });
}

Wyrazenie RokKalendarzowy() {
    return Wyrazenie([](const StanModelu& r, int rok) -> long double {
        return static_cast<long double>(static_cast<int>(r.Rok()) - 4 + rok);
    });
}

Wyrazenie NieujemneLubZero(Wyrazenie a) {
    return Wyrazenie([a](const StanModelu& r, int rok) -> long double {
        long double v = a(r, rok);
        return v >= 0.0L ? v : 0.0L;
    });
}

Wyrazenie Modul(Wyrazenie a) {
    return Wyrazenie([a](const StanModelu& r, int rok) -> long double { return std::fabs(a(r, rok)); });
}

namespace {
bool brakDzielnika(long double d) { return !(std::fabs(d) >= 1.0E-6L); }
}  // namespace

bool BezWartosci(long double v) { return std::isnan(v); }

Wyrazenie Iloraz(Wyrazenie licznik, Wyrazenie dzielnik) {
    return Wyrazenie([licznik, dzielnik](const StanModelu& r, int rok) -> long double {
        const long double d = dzielnik(r, rok);
        return brakDzielnika(d) ? std::numeric_limits<long double>::quiet_NaN() : licznik(r, rok) / d;
    });
}

Wyrazenie ZDzielnikiem(Wyrazenie iloraz, Wyrazenie dzielnik) {
    return Wyrazenie([iloraz, dzielnik](const StanModelu& r, int rok) -> long double {
        return brakDzielnika(dzielnik(r, rok)) ? std::numeric_limits<long double>::quiet_NaN() : iloraz(r, rok);
    });
}

}  // namespace vesk
