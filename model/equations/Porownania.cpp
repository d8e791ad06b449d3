#include "Porownania.h"

namespace vesk {

Real Min3_Real(Real A, Real B, Real C) {
    Real m = A;
    if (B < m) m = B;
    if (C < m) m = C;
    return m;
}

Real Max3_Real(Real A, Real B, Real C) {
    Real m = A;
    if (B > m) m = B;
    if (C > m) m = C;
    return m;
}

Real MinTablicy3_Real(const R3& T) {
    Real m = T[1];
    for (int k = 2; k <= 3; ++k)
        if (T[k] < m) m = T[k];
    return m;
}

}  // namespace vesk
