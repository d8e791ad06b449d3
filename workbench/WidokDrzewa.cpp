#include "WidokDrzewa.h"

namespace vesk {

WygladPozycji WygladWezla(const std::string& etykieta, const std::string& bazowe, const std::string& edycji,
                          bool wybrany) {
    const bool b = !bazowe.empty() && etykieta == bazowe;
    const bool e = !edycji.empty() && etykieta == edycji;
    if (b && e) return WygladPozycji::BazowyIEdycji;
    if (b) return WygladPozycji::Bazowy;
    if (e) return WygladPozycji::Edycji;
    if (wybrany) return WygladPozycji::Wybrany;
    return WygladPozycji::Zwykly;
}

}  // namespace vesk
