#include "ZmienneDecyzyjne.h"

#include "CodePage.h"

namespace vesk {

namespace {

struct Rodzina {
    const char* Nazwa;
    const char* Jednostka;
};

// Families of three years, then the three investment families of six.
const Rodzina rodziny[] = {
    {"Cena Alfa", "zł"},
    {"Cena Beta", "zł"},
    {"Cena Gamma", "zł"},
    {"Zamówienia Alfa", "tys. szt./rok"},
    {"Zamówienia Beta", "tys. szt./rok"},
    {"Zamówienia Gamma", "tys. szt./rok"},
    {"Zamówienia Sur. White", "tys. szt./rok"},
    {"Zamówienia Sur. Black", "tys. szt./rok"},
    {"Zamówienia Sur. Red", "tys. szt./rok"},
    {"Dywidenda", "%"},
    {"Zadłużenie", "%"},
    {"Emisja akcji", "mln szt."},
};
const char* const inwestycje[] = {"Inwestycje Alfa", "Inwestycje Beta", "Inwestycje Gamma"};

std::string rok(int r) {
    std::string s = std::to_string(r);
    while (s.size() < 4) s.insert(s.begin(), ' ');
    return s;
}

}  // namespace

std::array<std::string, 54> EtykietyZmiennych(int pierwszyRok) {
    std::array<std::string, 54> e;
    std::size_t i = 0;
    for (const Rodzina& r : rodziny)
        for (int t = 0; t < 3; ++t) e[i++] = utf8ToCp1250(r.Nazwa) + " [" + rok(pierwszyRok + t) + "]";
    for (const char* n : inwestycje)
        for (int t = 0; t < 3; ++t)
            for (const char* wariant : {",I]", ",II]"}) e[i++] = std::string(n) + " [" + rok(pierwszyRok + t) + wariant;
    return e;
}

std::string JednostkaZmiennej(int k) {
    if (k >= 1 && k <= 36) return utf8ToCp1250(rodziny[(k - 1) / 3].Jednostka);
    if (k >= 37 && k <= 54) return "nr projektu";
    return {};
}

}  // namespace vesk
