// A window's or a control's place and size.
#pragma once

#include <cmath>

namespace vesk {

struct Geometria {
    int Lewa = 0, Gora = 0, Szerokosc = 0, Wysokosc = 0;
    bool operator==(const Geometria&) const = default;
};

// A measure of the alternative layout: times 1.5, halves rounded to even.
inline int RazyPoltora(int v) { return static_cast<int>(std::nearbyint(v * 1.5L)); }

// Every measure of g times 1.5, as above.
inline Geometria Powiekszona(const Geometria& g) {
    return {RazyPoltora(g.Lewa), RazyPoltora(g.Gora), RazyPoltora(g.Szerokosc), RazyPoltora(g.Wysokosc)};
}

}  // namespace vesk
