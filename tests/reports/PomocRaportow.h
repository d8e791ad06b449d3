// Test helpers of the reports: a fresh context over a temporary operator
// folder and a copy of the shipped templates, synthetic records, and
// readers of the written files.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "CodePage.h"
#include "Kontekst.h"
#include "PolaRoku.h"
#include "TempDir.h"

namespace vesk::test {

// The shipped templates copied into TABWZOR/ of the temporary folder (so
// that a test may remove or replace one); operator folder OPER/; the
// model-state file "firma.qad"; node 0 with the root's year number.
struct SrodowiskoRaportu {
    TempDir tmp;
    Kontekst k;

    SrodowiskoRaportu() {
        std::filesystem::create_directories(tmp.file("TABWZOR"));
        std::filesystem::create_directories(tmp.file("OPER"));
        for (const auto& e : std::filesystem::directory_iterator(std::string(VESK_SOURCE_DATA_DIR) + "TABWZOR"))
            std::filesystem::copy_file(e.path(), tmp.file("TABWZOR/" + e.path().filename().string()));
        k.catTABWZOR = tmp.folder() + "TABWZOR/";
        k.KatalogOperatora = tmp.folder() + "OPER/";
        k.NazwaPlikuStanu = "firma.qad";
        k.NumerWezla = 0;
        k.RekordBiezacy.UstawRok(2012);
        k.FlagiWynikow.UstawWszystkie(true);
    }

    void ustaw(PoleRoku pole, int rok, long double v) { Zapis(k.RekordBiezacy, pole, rok, v); }
    void ustawWszystkie(PoleRoku pole, long double v) {
        for (int rok = 1; rok <= 3; ++rok) ustaw(pole, rok, v);
    }
    long double odczyt(PoleRoku pole, int rok) const { return Odczyt(k.RekordBiezacy, pole, rok); }

    std::string wyjscie(const std::string& nazwa) const { return tmp.file("OPER/" + nazwa); }
};

// The lines of a written file (CR LF ends; the last end closes the last line).
inline std::vector<std::string> LinieWyniku(const std::string& sciezka) {
    std::ifstream in(sciezka, std::ios::binary);
    std::string dane((std::istreambuf_iterator<char>(in)), {});
    std::vector<std::string> linie;
    std::size_t start = 0;
    while (start < dane.size()) {
        auto koniec = dane.find("\r\n", start);
        if (koniec == std::string::npos) {
            linie.push_back(dane.substr(start));
            break;
        }
        linie.push_back(dane.substr(start, koniec - start));
        start = koniec + 2;
    }
    return linie;
}

inline std::string Przytnij(const std::string& s) {
    auto a = s.find_first_not_of(' ');
    if (a == std::string::npos) return {};
    auto b = s.find_last_not_of(' ');
    return s.substr(a, b - a + 1);
}

// The field of a text line from column c (1-based), width w, trimmed.
inline std::string Pole(const std::string& linia, int c, int w) {
    if (linia.size() < static_cast<std::size_t>(c - 1)) return {};
    return Przytnij(linia.substr(static_cast<std::size_t>(c - 1), static_cast<std::size_t>(w)));
}

// The three values of a left group at c1 (width 8 at c1, c1+10, c1+20).
inline std::vector<std::string> Grupa(const std::string& linia, int c) {
    return {Pole(linia, c, 8), Pole(linia, c + 10, 8), Pole(linia, c + 20, 8)};
}

// The contents of the last three cells of an HTML row, trimmed.
inline std::vector<std::string> KomorkiHtml(const std::string& linia) {
    std::vector<std::string> komorki;
    std::size_t i = 0;
    while ((i = linia.find("<t", i)) != std::string::npos) {
        if (i + 2 >= linia.size() || (linia[i + 2] != 'd' && linia[i + 2] != 'h')) {
            i += 2;
            continue;
        }
        auto otw = linia.find('>', i);
        auto zam = linia.find("</t", otw);
        if (otw == std::string::npos || zam == std::string::npos) break;
        komorki.push_back(Przytnij(linia.substr(otw + 1, zam - otw - 1)));
        i = zam + 3;
    }
    if (komorki.size() > 3) komorki.erase(komorki.begin(), komorki.end() - 3);
    return komorki;
}

}  // namespace vesk::test
