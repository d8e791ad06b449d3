// A model quantity: read as an 80-bit extended number, stored on the grid
// of the 6-byte real. Every assignment rounds (to nearest, ties to even);
// a value the 6-byte real cannot hold raises Real48Error.
//
// Arithmetic happens on long double: `a * b + c` of Real operands is
// evaluated in extended precision and rounded once when it is stored.
// Write model constants as long double literals (0.02L), since 0.02 as a
// double is a different number.
#pragma once

#include "Real48.h"

namespace vesk {

class Real {
public:
    constexpr Real() = default;
    Real(long double x) : v_(roundToReal48(x)) {}  // NOLINT: implicit by design
    Real(double) = delete;                         // write constants as long double
    Real(float) = delete;
    Real(int x) : v_(static_cast<long double>(x)) {}

    Real& operator=(long double x) {
        // An error leaves the quantity as it was.
        v_ = roundToReal48(x);
        return *this;
    }
    Real& operator=(double) = delete;
    Real& operator=(int x) {
        v_ = roundToReal48(static_cast<long double>(x));
        return *this;
    }

    operator long double() const { return v_; }  // NOLINT: implicit by design
    long double value() const { return v_; }

    Real& operator+=(long double x) { return *this = v_ + x; }
    Real& operator-=(long double x) { return *this = v_ - x; }
    Real& operator*=(long double x) { return *this = v_ * x; }
    Real& operator/=(long double x) { return *this = v_ / x; }

    // Sets a value known to lie on the grid (decoded from 6 bytes).
    static Real fromStored(long double onGrid) {
        Real r;
        r.v_ = onGrid;
        return r;
    }

private:
    long double v_ = 0.0L;
};

}  // namespace vesk
