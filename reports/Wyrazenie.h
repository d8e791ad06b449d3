// A printed value of a report row, per year of the node's period: a record
// field or an expression over fields of the same year. Sums and differences
// are formed in extended precision, their terms taken left to right as
// written ((a + b) - c), and nothing in between is rounded; the writer
// rounds the finished value to the 6-byte grid before it prints it.
#pragma once

#include <functional>

#include "PolaRoku.h"
#include "Typy.h"

namespace vesk {

class Wyrazenie {
public:
    using Funkcja = std::function<long double(const StanModelu&, int rok)>;

    Wyrazenie() = default;
    Wyrazenie(PoleRoku pole);  // NOLINT: a field is the simplest expression
    explicit Wyrazenie(Funkcja f) : f_(std::move(f)) {}

    long double operator()(const StanModelu& rekord, int rok) const { return f_(rekord, rok); }
    explicit operator bool() const { return static_cast<bool>(f_); }

private:
    Funkcja f_;
};

Wyrazenie operator+(Wyrazenie a, Wyrazenie b);
Wyrazenie operator-(Wyrazenie a, Wyrazenie b);
Wyrazenie operator-(Wyrazenie a);

// The constant zero of the rows that print 0 in every year.
Wyrazenie Zero();
// The calendar year of the node's year rok: Y - 4 + rok, Y being the
// record's signed 16-bit year number (the root's 2012 gives 2009..2011).
Wyrazenie RokKalendarzowy();
// a when a is 0 or more, else 0.
Wyrazenie NieujemneLubZero(Wyrazenie a);
// |a|.
Wyrazenie Modul(Wyrazenie a);

// A quotient without a divisor has no value: the writers print it as such
// ("b.d."), not as the huge number a tiny denominator gives. Held as NaN.
bool BezWartosci(long double v);
// licznik / dzielnik, or no value when the divisor is below 1E-6.
Wyrazenie Iloraz(Wyrazenie licznik, Wyrazenie dzielnik);
// A quotient stored by the model, or no value when its divisor is below 1E-6.
Wyrazenie ZDzielnikiem(Wyrazenie iloraz, Wyrazenie dzielnik);

}  // namespace vesk
