#include "DrzewoPozycji.h"

#include "FileSystem.h"

namespace vesk {

const WezelPozycji* DrzewoPozycji::Wezel(int numer) const {
    if (numer < 1 || numer > static_cast<int>(Wezly.size())) return nullptr;
    return &Wezly[static_cast<std::size_t>(numer - 1)];
}

std::vector<int> DrzewoPozycji::Dzieci(int numer) const {
    std::vector<int> wynik;
    for (std::size_t i = 0; i < Wezly.size(); ++i)
        if (Wezly[i].Rodzic == numer - 1) wynik.push_back(static_cast<int>(i) + 1);
    return wynik;
}

WczytaneDrzewo RozbierzDrzewo(const std::vector<std::string>& linie, const std::string& nazwaPliku) {
    WczytaneDrzewo wynik;
    std::vector<int> ostatniNaPoziomie;  // index of the last node seen at each depth
    int numerLinii = 0;
    for (const std::string& linia : linie) {
        ++numerLinii;
        const std::size_t tekst = linia.find_first_not_of(" \t");
        if (tekst == std::string::npos) continue;
        const int poziom = static_cast<int>(tekst);
        if (poziom > static_cast<int>(ostatniNaPoziomie.size())) {
            wynik.Drzewo.Wezly.clear();
            wynik.Blad = "B\xB3\xB9" "d w pliku " + nazwaPliku + ", wiersz " + std::to_string(numerLinii) +
                         ": pozycja o wi\xEA" "cej ni\xBF jeden poziom g\xB3\xEA" "biej ni\xBF poprzednia";
            return wynik;
        }
        ostatniNaPoziomie.resize(static_cast<std::size_t>(poziom));
        WezelPozycji w;
        w.Tekst = linia.substr(tekst);
        w.Poziom = poziom;
        w.Rodzic = poziom == 0 ? -1 : ostatniNaPoziomie.back();
        ostatniNaPoziomie.push_back(static_cast<int>(wynik.Drzewo.Wezly.size()));
        wynik.Drzewo.Wezly.push_back(std::move(w));
    }
    return wynik;
}

WczytaneDrzewo WczytajDrzewo(const std::string& sciezka) {
    const auto linie = readTextLines(sciezka, LongestSettingsFile);
    if (!linie) {
        WczytaneDrzewo wynik;
        wynik.Blad = "Nie mo\xBFna odczyta\xE6 pliku " + sciezka;
        return wynik;
    }
    return RozbierzDrzewo(*linie, sciezka);
}

}  // namespace vesk
