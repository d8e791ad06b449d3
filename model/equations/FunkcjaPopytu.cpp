// Demand of the three products at the year's prices. The demand falls
// linearly with the price and never goes below 0. A first command-line
// parameter "P" followed by three numbers (exponent, factor, constant)
// makes the demand of "Alfa" a power law of its price instead.
#include <cmath>
#include <optional>
#include <string>

#include "Decimal.h"
#include "Pomocnicze.h"
#include "Rownania.h"

namespace vesk {

namespace {

// A number of the option; one the 6-byte real cannot hold is refused too.
std::optional<Real> liczbaParametru(const std::string& s) {
    std::optional<long double> x = parseDecimal(s);
    if (!x) return std::nullopt;
    try {
        return Real(*x);
    } catch (const Real48Error&) {
        return std::nullopt;
    }
}

void zglosOdrzucenie(Kontekst& k, const std::string& powod) {
    if (k.PopytPotegowyZgloszony) return;
    k.PopytPotegowyZgloszony = true;
    k.Okna->message("Opcja \"P\": " + powod + "; popyt na wyr\xF3" "b Alfa pozostaje liniowy.");
}

// Reads the "P" option once per context.
const std::optional<Kontekst::PopytPotegowy_t>& popytPotegowy(Kontekst& k) {
    if (!k.PopytPotegowyWczytany) {
        k.PopytPotegowyWczytany = true;
        if (k.Parametry.param(1) == "P") {
            std::optional<Real> p2 = liczbaParametru(k.Parametry.param(2));
            std::optional<Real> p3 = liczbaParametru(k.Parametry.param(3));
            std::optional<Real> p4 = liczbaParametru(k.Parametry.param(4));
            if (p2 && p3 && p4)
                k.PopytPotegowy = Kontekst::PopytPotegowy_t{*p2, *p3, *p4};
            else
                zglosOdrzucenie(k, "po P trzeba poda\xE6 trzy liczby");
        }
    }
    return k.PopytPotegowy;
}

}  // namespace

void FunkcjaPopytu(Kontekst& k) {
    ZmienneModelu& m = k.m;
    const int rok = m.RokSymulacji;

    for (int i = 1; i <= 3; ++i)
        m.Popyt[i] = Max_Real(m.WspolczynnikiPopytuB[i] - m.WspolczynnikiPopytuA[i] * m.DecyzjeCen[rok][i] * 1000.0L,
                              0.0L);

    const auto& p = popytPotegowy(k);
    if (!p) return;
    const Real cena = m.DecyzjeCen[rok][1];
    if (cena == 0.0L) {
        // Demand at price 0 is B, held at 0 like the linear form.
        m.Popyt[1] = Max_Real(m.WspolczynnikiPopytuB[1], 0.0L);
        return;
    }
    // A power without a value (a negative price to a fractional exponent)
    // or beyond the 6-byte real leaves the linear demand of this step.
    long double popyt = p->Stala + p->Mnoznik * std::pow(1000.0L * cena, p->Wykladnik.value());
    if (std::isfinite(popyt)) {
        try {
            m.Popyt[1] = Max_Real(popyt, 0.0L);
            return;
        } catch (const Real48Error&) {
        }
    }
    zglosOdrzucenie(k, "pot\xEAga ceny nie daje liczby");
}

}  // namespace vesk
