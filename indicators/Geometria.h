// A window's or a control's place and size.
#pragma once

namespace vesk {

struct Geometria {
    int Lewa = 0, Gora = 0, Szerokosc = 0, Wysokosc = 0;
    bool operator==(const Geometria&) const = default;
};

}  // namespace vesk
